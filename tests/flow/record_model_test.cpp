// What "the game" is after each sequence of commands: the file Save writes (or that it asks), the
// title, the game a review studies and where each move is kept, on a real game played through
// the flow.
#include "flow/record_model.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "flow/scripted_window.h"

namespace zelkan {
namespace {

// A game played through the flow, with files kept in memory: records under "/r/", kept games
// under "/kept/".
struct Desk {
  test::GameFixture f;
  RecordModel model{"/kept"};
  std::map<std::string, GameRecord> files;
  std::string kept;  // each move's keeping: n(ew), s(ame), r(esume)

  Desk() {
    f.window.kept = [this](GameEnd end) {
      const GameRecord game = recordOfGame(*f.state, "");
      KeptStep step;
      if (end == GameEnd::none) {
        step = model.moved(game, "2026-12-08 12:00");
      } else {
        GameRecord finished = game;
        finishRecord(finished, *f.state, end);
        step = model.ended(finished);
      }
      kept += (step.record.otherKeys.empty() ? "snr" : "SNR")[static_cast<int>(step.kind)];
    };
    files["/r/A"].otherKeys = {{"venue", "club"}};  // a header line of a later version
    for (int k = 0; k < 4; ++k)
      files["/r/A"].moves.push_back(moveAt(k, false));
    files["/kept/K"] = files["/kept/F"] = files["/r/A"];
    files["/kept/F"].result = "lead 1 0";  // read as finished
  }

  // Move k of the game, or another one of the same side.
  static RecordMove moveAt(int k, bool other) {
    const Code x = static_cast<Code>(other ? 7 + k : 1 + k);
    return k % 2 == 0 ? RecordMove{false, x, 18, x, 12} : RecordMove{false, x, 2, x, 8};
  }

  void run(const std::string& steps) {
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
      if (step == "m" || step == "x") {
        const RecordMove m = moveAt(f.state->moveNumber, step == "x");
        f.move(m.x1, m.y1, m.x2, m.y2);
      } else if (step == "b") {
        f.game.MODORU();
        f.click(10, 10);  // resumes play
      } else if (step == "first") {
        f.game.SAISYO();
        model.startedAfresh();
      } else if (step == "two") {
        model.modeChosen(f.state->historyEnd == 0);
        f.game.TAIMAN();
      } else if (step == "lead") {  // a black move takes a stone and ends the game
        f.twentyWhiteStones();
        f.move(5, 18, 5, 10);
      } else if (step.starts_with("open:")) {
        const std::string path = step.substr(5);
        GameRecord record;
        GameEnd end = GameEnd::none;
        const auto replayed = std::make_unique<GameState>();
        const bool finished = !files[path].result.empty();
        ASSERT_FALSE(readRecord(writeRecord(files[path]), record, *replayed, end)) << path;
        f.game.openRecord(*replayed, record, finished ? GameEnd::lead : end);
        model.opened(path, finished ? files[path] : record);
      } else if (step == "save" || step.starts_with("as:")) {  // Ctrl+S, or a file chosen
        const std::string path = step == "save" ? model.file().string() : step.substr(3);
        if (path.empty()) {
          kept += '?';  // asked
          continue;
        }
        files[path] = model.toSave(recordOfGame(*f.state, ""));
        kept += files[path].otherKeys.empty() ? "" : "k";
        model.saved(path, files[path]);
      } else if (step == "study") {  // as "検討..." brings the finished game back
        if (model.finished() && f.game.bringBack(*model.finished())) model.finishedShown();
      }
    }
  }
};

TEST(RecordModel, SaveTitleReviewAndKeepingAgreeOnWhatTheGameIs) {
  struct Row {
    const char* steps;
    const char* file;   // what Save writes and the title names
    const char* kept;   // each move's keeping, and ? where Save asked
    const char* check;  // a file and its moves, "+" when it holds a result
  };
  const Row rows[] = {
      {"two m m save", "", "ns?", ""},
      {"two m m as:/r/B m save", "/r/B", "nss", "/r/B 3"},
      // A finished game stepped back and played on is a new game: its file is never rewritten.
      {"open:/kept/F b b x save", "", "n?", "/kept/F 4+"},
      {"open:/kept/F study b x", "", "n", "/kept/F 4+"},
      // A record played on is rewritten with the longer game, kept anew; N, k: with its keys.
      {"open:/r/A m save", "/r/A", "Nk", "/r/A 5"},
      {"open:/r/A b m", "/r/A", "N", "/r/A 4"},
      {"open:/r/A b x save", "", "n?", "/r/A 4"},
      // A kept game goes on in its own file: one entry brought up to date.
      {"open:/kept/K m m", "/kept/K", "RS", "/kept/K 4"},
      {"open:/kept/K b x m", "", "ns", ""},
      // Just after the end the finished game is the game for every command, until a new one.
      {"two lead save", "", "ns?", ""},
      {"two lead as:/r/C", "/r/C", "ns", "/r/C 1+"},
      {"two lead as:/r/C two", "", "ns", "/r/C 1+"},
      {"two lead as:/r/C two m", "", "nsn", "/r/C 1+"},
      {"two lead study b x save", "", "nsn?", ""},
      {"two m as:/r/B first two m save", "", "nn?", "/r/B 1"},
      // A mode chosen in the middle of a game goes on with it.
      {"two m as:/r/B two m save", "/r/B", "ns", "/r/B 2"},
  };
  for (const Row& row : rows) {
    Desk d;
    d.run(row.steps);
    EXPECT_EQ(d.model.file(), row.file) << row.steps;
    EXPECT_EQ(d.kept, row.kept) << row.steps;
    if (*row.check != '\0') {
      std::istringstream check(row.check);
      std::string path, moves;
      check >> path >> moves;
      const GameRecord& file = d.files[path];
      EXPECT_EQ(std::to_string(file.moves.size()) + (file.result.empty() ? "" : "+"), moves)
          << row.steps << ": " << path;
    }
  }
}

TEST(RecordModel, AGameThatEndedIsSavedAndStudiedWholeWithItsResult) {
  Desk d;
  d.run("two lead");
  ASSERT_TRUE(d.model.finished());
  EXPECT_EQ(d.f.state->historyEnd, 0) << "the board set up anew";
  const GameRecord board = recordOfGame(*d.f.state, "");
  EXPECT_TRUE(d.model.hasGame(board));
  const GameRecord saved = d.model.toSave(board);
  EXPECT_EQ(saved.moves.size(), 1u);
  EXPECT_EQ(saved.result.substr(0, 5), "lead ");
  EXPECT_EQ(saved.date, "2026-12-08 12:00");
  d.run("first");
  EXPECT_FALSE(d.model.hasGame(recordOfGame(*d.f.state, ""))) << "nothing to save or study";
  EXPECT_TRUE(d.model.isKeptFolder("/kept/") && !d.model.isKeptFolder("/r"));
}

}  // namespace
}  // namespace zelkan
