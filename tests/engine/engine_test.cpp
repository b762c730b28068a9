// The engine's commands answered one line at a time, straight through Engine::handle.
#include "tools/engine/engine.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/game_record.h"

#include "test_rows.h"

namespace zelkan {
namespace {

using test::with;

std::string done(std::string_view payload) {
  return "= " + std::string(payload) + "\n\n";
}

class EngineTest : public ::testing::Test {
 protected:
  // The answer to line, or "(none)" when the engine gives none.
  std::string send(std::string_view line) { return engine.handle(line).value_or("(none)"); }
  std::string board() { return send("board"); }
  void setPosition(const std::string& rows, std::string_view rest) {
    ASSERT_EQ(send("set_position " + rows + " " + std::string(rest)), done(""));
  }

  Engine engine;
  const std::string start = test::startRows();
};

TEST_F(EngineTest, FramesAnswersAndIgnoresBlankLinesAndComments) {
  EXPECT_EQ(send("clear_board"), "= \n\n");
  EXPECT_EQ(send("influence"), "= 57 57\n\n");
  EXPECT_EQ(send("frobnicate"), "? unknown command\n\n");
  EXPECT_EQ(send("BOARD"), "? unknown command\n\n");
  for (std::string_view quiet :
       {"", "   ", "\t \r", "#", "# a comment", "  # indented", "#play 4 18 4 3",
        "# a comment with more words than any command takes, by far"}) {
    EXPECT_FALSE(engine.handle(quiet)) << '"' << quiet << '"';
  }
  // Tabs, runs of spaces and a carriage return part words as a space does.
  EXPECT_EQ(send(" \tlegal  4\t18 4   3 \r"), done("true"));
  EXPECT_EQ(board(), done(start + " B 0 0 0"));
}

TEST_F(EngineTest, StartsAsAfterClearBoard) {
  EXPECT_EQ(board(), done(start + " B 0 0 0"));
  EXPECT_EQ(send("influence"), done("57 57"));
  EXPECT_EQ(send("judge"), done("171 171"));
  ASSERT_EQ(send("play 4 18 4 3"), done("38 38 0 0 none"));
  EXPECT_NE(board(), done(start + " B 0 0 0"));
  EXPECT_EQ(send("clear_board"), done(""));
  EXPECT_EQ(board(), done(start + " B 0 0 0"));
}

TEST_F(EngineTest, SetPositionSetsWhatBoardShows) {
  // (2, 1) is the 2nd character, (1, 2) the 20th: rows outer, columns inner.
  const std::string rows =
      with(test::emptyRows(), {{2, 1, 'B'}, {1, 2, 'W'}, {5, 7, 'B'}, {19, 19, 'W'}});
  setPosition(rows, "W 12 34 56");
  EXPECT_EQ(board(), done(rows + " W 12 34 56"));
  EXPECT_EQ(engine.state().board(2, 1), cellBlack);
  EXPECT_EQ(engine.state().board(1, 2), cellWhite);
  EXPECT_EQ(engine.state().board(1, 1), cellEmpty);
  // White is to move and the move number goes on from 56.
  EXPECT_EQ(send("play 1 2 1 10"), done("2 2 12 34 none"));
  EXPECT_EQ(board(), done(with(rows, {{1, 2, '.'}, {1, 10, 'W'}}) + " B 12 34 57"));

  // The largest values allowed; the judgement counts the tallies.
  setPosition(start, "B 9999 9999 99");
  EXPECT_EQ(board(), done(start + " B 9999 9999 99"));
  EXPECT_EQ(send("judge"), done("20169 20169"));
}

TEST_F(EngineTest, LegalIsTheMoveCheckAlone) {
  EXPECT_EQ(send("legal 4 18 4 3"), done("true")) << "slide";
  EXPECT_EQ(send("legal 4 19 4 17"), done("true")) << "jump over a black stone";
  EXPECT_EQ(send("legal 4 1 4 17"), done("false")) << "over a white stone and empty cells";
  EXPECT_EQ(send("legal 4 18 5 3"), done("false")) << "neither row nor column";
  EXPECT_EQ(send("legal 4 18 4 2"), done("false")) << "destination taken";
  EXPECT_EQ(send("legal 4 18 4 18"), done("false")) << "same cell, taken";
  EXPECT_EQ(send("legal 10 10 10 10"), done("true")) << "same cell, empty";
  EXPECT_EQ(send("legal 10 10 10 5"), done("true")) << "the source is not examined";
  EXPECT_EQ(send("legal 4 2 4 3"), done("true")) << "nor its colour";
  EXPECT_EQ(board(), done(start + " B 0 0 0"));
}

TEST_F(EngineTest, PlayMovesTheSideToMoveAndPassesTheTurn) {
  EXPECT_EQ(send("play 4 18 4 3"), done("38 38 0 0 none"));
  const std::string after = board();
  EXPECT_EQ(after, done(with(start, {{4, 18, '.'}, {4, 3, 'B'}}) + " W 0 0 1"));
  EXPECT_EQ(send("play 5 18 5 3"), "? illegal move\n\n") << "a black stone, white to move";
  EXPECT_EQ(send("play 10 10 10 10"), "? illegal move\n\n") << "legal, but no stone there";
  EXPECT_EQ(send("play 5 2 5 1"), "? illegal move\n\n") << "destination taken";
  EXPECT_EQ(board(), after);
  EXPECT_EQ(send("play 5 2 5 10"), done("38 38 0 0 none"));
  EXPECT_EQ(board(),
            done(with(start, {{4, 18, '.'}, {4, 3, 'B'}, {5, 2, '.'}, {5, 10, 'W'}}) + " B 0 0 2"));
}

TEST_F(EngineTest, SandwichCaptureCountsInTheLosersTally) {
  const std::string rows = with(start, {{10, 10, 'W'}, {11, 10, 'B'}, {9, 14, 'B'}});
  setPosition(rows, "B 0 0 0");
  EXPECT_EQ(send("play 9 14 9 10"), done("38 40 0 1 none"));
  EXPECT_EQ(board(), done(with(rows, {{9, 14, '.'}, {9, 10, 'B'}, {10, 10, '.'}}) + " W 0 1 1"));
}

TEST_F(EngineTest, SurroundCaptureCountsTheGroupInBothTallies) {
  // A two-stone group on the left edge; the edge closes no sandwich, so only the surround takes.
  const std::string black = with(
      start, {{1, 10, 'W'}, {1, 11, 'W'}, {1, 9, 'B'}, {1, 12, 'B'}, {2, 11, 'B'}, {6, 10, 'B'}});
  setPosition(black, "B 3 5 7");
  EXPECT_EQ(send("play 6 10 2 10"), done("38 42 5 7 none"));
  EXPECT_EQ(board(), done(with(black, {{6, 10, '.'}, {2, 10, 'B'}, {1, 10, '.'}, {1, 11, '.'}}) +
                          " W 5 7 8"));

  // The same on the right edge with white taking.
  const std::string white = with(
      start,
      {{19, 10, 'B'}, {19, 11, 'B'}, {19, 9, 'W'}, {19, 12, 'W'}, {18, 11, 'W'}, {14, 10, 'W'}});
  setPosition(white, "W 0 0 0");
  EXPECT_EQ(send("play 14 10 18 10"), done("42 38 2 2 none"));
  EXPECT_EQ(
      board(),
      done(with(white, {{14, 10, '.'}, {18, 10, 'W'}, {19, 10, '.'}, {19, 11, '.'}}) + " B 2 2 1"));
}

TEST_F(EngineTest, GameEndsAtTheHundredthMoveAndRefusesPlayUntilANewPosition) {
  setPosition(start, "B 0 0 99");
  EXPECT_EQ(send("play 4 18 4 3"), done("38 38 0 0 limit"));
  EXPECT_TRUE(engine.gameOver());
  const std::string over = board();
  EXPECT_EQ(over, done(with(start, {{4, 18, '.'}, {4, 3, 'B'}}) + " B 0 0 100"))
      << "the mover stays the side to move";

  for (std::string_view line : {"play 5 18 5 4", "play 4 2 4 10", "play", "play 0 0 0 0", "play x",
                                "play 1 2 3 4 5 6 7 8 9 10 11"}) {
    EXPECT_EQ(send(line), "? game over\n\n") << line;
  }
  EXPECT_EQ(send("legal 5 18 5 4"), done("true"));
  EXPECT_TRUE(send("influence").starts_with("= "));
  EXPECT_TRUE(send("judge").starts_with("= "));
  EXPECT_EQ(board(), over);

  EXPECT_EQ(send("set_position " + start + " X 0 0 0"), "? SIDE must be B or W\n\n");
  EXPECT_TRUE(engine.gameOver()) << "a refused set_position changes nothing";
  EXPECT_EQ(send("clear_board"), done(""));
  EXPECT_FALSE(engine.gameOver());
  EXPECT_EQ(send("play 4 18 4 3"), done("38 38 0 0 none"));
}

TEST_F(EngineTest, GameEndsWhenOneSideHasHalfTheStonesOfTheOther) {
  // White on row 1 and (10, 10): 20 stones. Black: 38, one of them on (11, 10). Black's move to
  // (9, 10) takes (10, 10).
  std::string oneRow = start;
  oneRow.replace(19, 19, 19, '.');
  const std::string rows = with(oneRow, {{1, 19, '.'}, {11, 10, 'B'}, {10, 10, 'W'}});

  setPosition(rows, "B 0 0 0");
  EXPECT_EQ(send("play 9 18 9 10"), done("19 38 0 1 lead"));
  EXPECT_TRUE(engine.gameOver());
  EXPECT_EQ(board(), done(with(rows, {{9, 18, '.'}, {9, 10, 'B'}, {10, 10, '.'}}) + " B 0 1 1"));

  setPosition(with(rows, {{1, 2, 'W'}}), "B 0 0 0");
  EXPECT_FALSE(engine.gameOver()) << "set_position starts a new game";
  EXPECT_EQ(send("play 9 18 9 10"), done("20 38 0 1 none"));

  setPosition(rows, "B 0 0 99");
  EXPECT_EQ(send("play 9 18 9 10"), done("19 38 0 1 limit")) << "the limit wins";
}

TEST_F(EngineTest, QuitAnswersAndAsksTheProgramToStop) {
  EXPECT_EQ(send("quit now"), "? quit takes 0 arguments\n\n");
  EXPECT_FALSE(engine.quitRequested());
  EXPECT_EQ(send("quit"), done(""));
  EXPECT_TRUE(engine.quitRequested());
}

TEST_F(EngineTest, MalformedLinesNameTheFaultAndChangeNothing) {
  ASSERT_EQ(send("play 4 18 4 3"), done("38 38 0 0 none"));
  const std::string before = board();
  const std::string set = "set_position ";

  struct Case {
    std::string line;
    std::string fault;
  };
  const std::vector<Case> cases = {
      {"board 1", "board takes 0 arguments"},
      {"clear_board now", "clear_board takes 0 arguments"},
      {"clear_board 1 2 3 4 5 6 7 8 9 10", "clear_board takes 0 arguments"},
      {"legal 4 18 4", "legal takes 4 arguments"},
      {"play 5 2 5 10 1", "play takes 4 arguments"},
      {"play 0 2 5 10", "X1 must be a whole number from 1 to 19"},
      {"play 5 20 5 10", "Y1 must be"},
      {"legal 5 2 x 10", "X2 must be"},
      {"play 5 2 5 -1", "Y2 must be"},
      {"play 5 2 5 99999999999999999999", "Y2 must be"},
      {"play 5 2 5 +10", "Y2 must be"},
      {"play 5 2 5 10.0", "Y2 must be"},
      {set + start + " B 0 0", "set_position takes 5 arguments"},
      {set + start.substr(1) + " B 0 0 0", "ROWS must be 361 characters"},
      {set + start + ". B 0 0 0", "ROWS must be"},
      {set + with(start, {{10, 10, 'b'}}) + " B 0 0 0", "ROWS must be"},
      {set + with(start, {{10, 10, '\0'}}) + " B 0 0 0", "ROWS must be"},
      {set + start + " b 0 0 0", "SIDE must be B or W"},
      {set + start + " BW 0 0 0", "SIDE must be"},
      {set + start + " B -1 0 0", "BLACKLOST must be a whole number from 0 to 9999"},
      {set + start + " B 10000 0 0", "BLACKLOST must be"},
      {set + start + " B 0 1e3 0", "WHITELOST must be"},
      {set + start + " B 0 0 100", "MOVENUMBER must be a whole number from 0 to 99"},
      {"level", "level takes 1 argument: NAME"},
      {"level strong weak", "level takes 1 argument"},
      {"level STRONG", "NAME must be weak, normal or strong"},
      {"level 2", "NAME must be"},
      {"analyse 0", "BUDGET must be a whole number from 1 to 100000000"},
      {"analyse 100000001", "BUDGET must be"},
      {"analyse 1 2", "analyse takes at most 1 argument: BUDGET"},
      {"threads 0", "bad thread count"},
      {"threads 257", "bad thread count"},
      {"threads", "threads takes 1 argument: N"},
      {"board" + std::string(4092, ' '), "line too long"},
      {std::string("board\0", 6), "unknown command"},
      {"\xff\xfe\x01", "unknown command"},
  };
  for (const Case& c : cases) {
    const std::string answer = send(c.line);
    EXPECT_TRUE(answer.starts_with("? ") && answer.ends_with("\n\n")) << answer;
    EXPECT_NE(answer.find(c.fault), std::string::npos) << answer << "should name: " << c.fault;
    EXPECT_EQ(board(), before) << c.fault;
    EXPECT_FALSE(engine.gameOver());
  }
  EXPECT_EQ(send("board" + std::string(4091, ' ')), before) << "4096 bytes are allowed";
}

// Records written by hand, good and refused, opened through loadgame; a refused one names its
// line (where it has one) and leaves the game as it was.
TEST_F(EngineTest, LoadgameTakesGoodRecordsAndRefusesBadOnesByLine) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("zelkan-records-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto file = [&](const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  };
  const std::string head = "zelkan-record 1\n";
  struct Case {
    std::string path;
    std::string fault;  // empty: the record opens, and `board` then answers `after`
    std::string after = "";
  };
  const std::string oneMove = with(start, {{4, 18, '.'}, {4, 3, 'B'}}) + " W 0 0 1";
  // White's one stone in the corner, black's lines running from it to the edges: white cannot move.
  std::string cornered = with(test::emptyRows(), {{1, 1, 'W'}});
  for (int k = 2; k <= 19; ++k)
    cornered = with(cornered, {{1, k, 'B'}, {k, 1, 'B'}});
  ::mkfifo((dir / "fifo").c_str(), 0600);
  const std::vector<Case> cases = {
      {file("a", head + "# comment\r\nmode computer\ncomputer black\nfuture key\n\n4 18 4 3\n"), "",
       oneMove},
      {file("b", head + "start " + cornered + " W 0 0 7\npass\n2 1 2 2\n"), "",
       with(cornered, {{2, 1, '.'}, {2, 2, 'B'}}) + " B 0 0 8"},  // white cannot move
      {file("c", head), "", start + " B 0 0 0"},
      {file("d", ""), "line 1: not a game record"},
      {file("e", "zelkan-record 2\n4 18 4 3\n"), "line 1: a record version"},
      {file("f", "[Event]\n"), "line 1: not a game record"},
      {file("g", head + "4 18 4 3\n4 18 4 3\n"), "line 3: illegal move"},
      {file("p", head + "mode two\npass\npass\npass\n10 2 10 8\n"), "line 3: a pass by a side"},
      {file("q", head + "start " + cornered + " W 0 0 7\npass\npass\n"), "line 4: a pass by"},
      {file("h", head + "4 18 4\n"), "line 2: not a move"},
      {file("i", head + "4 18 4 3\nmode two\n"), "line 3: not a move"},
      {file("j", head + "mode chess\n"), "line 2: a header line"},
      {file("k", head + "start " + start + " B 0 0 100\n"), "line 2: a header line"},
      {file("l", head + "level " + std::string(2000, 'x') + "\n"), "line 2: line too long"},
      {file("m", head + std::string(300000, '#')), "File too large"},
      {dir.string(), "Is a directory"},
      {(dir / "fifo").string(), "Invalid argument"},
      {(dir / "missing").string(), "No such file"},
  };
  ASSERT_EQ(send("play 5 18 5 3"), done("38 38 0 0 none"));
  for (const Case& c : cases) {
    const std::string before = board();
    const std::string answer = send("loadgame " + c.path);
    if (c.fault.empty()) {
      EXPECT_EQ(answer, done("")) << c.path;
      EXPECT_EQ(board(), done(c.after)) << c.path;
      ASSERT_EQ(send("clear_board"), done(""));
      ASSERT_EQ(send("play 5 18 5 3"), done("38 38 0 0 none"));
    } else {
      EXPECT_EQ(answer.find("? " + c.path + ": "), 0u) << answer;
      EXPECT_NE(answer.find(c.fault), std::string::npos) << answer << "should name: " << c.fault;
      EXPECT_EQ(board(), before) << c.path;
    }
  }
  // Saving through a link that leads nowhere, or round in a loop, is refused as such. Over a file
  // with a second name, the save parts the names: the other one keeps the old bytes.
  std::filesystem::create_symlink("gone", dir / "dangling");
  std::filesystem::create_symlink("loop", dir / "loop");
  std::filesystem::create_hard_link(dir / "a", dir / "twin");
  const std::pair<std::string, std::string> saves[] = {
      {"nowhere/x", "No such file"},
      {"dangling", "No such file"},
      {"loop", "Too many levels of symbolic links"},
      {"a", ""}};
  for (const auto& [name, fault] : saves) {
    const std::string answer = send("savegame " + (dir / name).string());
    EXPECT_TRUE(fault.empty() ? answer == done("") : answer.starts_with("? ")) << answer;
    EXPECT_NE(answer.find(fault), std::string::npos) << answer << "should name: " << fault;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
  std::ostringstream twin;
  twin << std::ifstream(dir / "twin").rdbuf();
  EXPECT_TRUE(twin.str().starts_with(head + "# comment")) << "the other name keeps the old game";
  std::filesystem::remove_all(dir);
}

// A whole game saved, opened and saved again gives the same bytes; the replayed history is the
// played one, and read back from that history the moves are the record's own.
TEST_F(EngineTest, SavedGamesOpenMoveForMoveAndSaveTheSameBytes) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("zelkan-trip-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string first = (dir / "first game.zelkan").string();
  const std::string second = (dir / "second.zelkan").string();
  ASSERT_EQ(send("level weak"), done(""));
  for (int i = 0; i < 200 && !engine.gameOver(); ++i)
    ASSERT_TRUE(send("genmove " + std::to_string(i % 60)).starts_with("= "));
  ASSERT_TRUE(engine.gameOver());
  ASSERT_EQ(send("savegame " + first), done(""));

  Engine reader;
  ASSERT_EQ(reader.handle("loadgame " + first), done(""));
  ASSERT_EQ(reader.handle("savegame " + second), done(""));
  const auto bytes = [](const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
  };
  EXPECT_EQ(bytes(first), bytes(second));
  EXPECT_NE(bytes(first).find("\nresult "), std::string::npos);
  EXPECT_TRUE(reader.gameOver());
  const GameState &a = engine.state(), &b = reader.state();
  ASSERT_EQ(a.historyEnd, b.historyEnd);
  for (int k = 0; k <= a.historyEnd; ++k)
    EXPECT_EQ(a.snapshots[k], b.snapshots[k]) << k;
  EXPECT_EQ(a.moveLogColour, b.moveLogColour);
  EXPECT_EQ(a.board, b.board);

  GameRecord record;
  GameEnd end{};
  auto replayed = std::make_unique<GameState>();
  ASSERT_FALSE(readRecord(bytes(first), record, *replayed, end));
  EXPECT_EQ(movesFromHistory(b), record.moves);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zelkan
