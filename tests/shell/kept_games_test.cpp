// Games kept in a folder of each test's own, and the newest of them listed.
#include "shell/kept_games.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace zelkan::test {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
  std::ostringstream out;
  out << std::ifstream(file, std::ios::binary).rdbuf();
  return out.str();
}

class KeptGamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "zelkan-kept-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root = pattern;
  }
  void TearDown() override { fs::remove_all(root); }
  fs::path root;
  const std::time_t noon = 1796731200;  // 2026-12-08 12:00 UTC
  const std::string head = "zelkan-record 1\nmode two\n";
};

TEST_F(KeptGamesTest, KeepsEachGameWholeInANewFileAndTheNewestHundredOfOurs) {
  const fs::path folder = root / "data/zelkan/games";
  // Names of ours that are not records, other names, and the oldest games of ours.
  fs::create_directories(folder);
  std::ofstream(folder / "2000-01-01-000000.zelkan") << "damaged";
  std::ofstream(folder / "notes.zelkan") << head;
  std::ofstream(folder / "2001-01-01-000010-02.zelkan") << head << "4 18 4 3\n";  // almost ours
  for (int k = 0; k < 101; ++k) {
    std::string name = "2001-01-01-0000" + std::to_string(10 + k % 50);
    if (k >= 50) name += '-' + std::to_string(2 + k / 50);
    std::ofstream(folder / (name + ".zelkan")) << head << "4 18 4 3\n";
  }
  std::ofstream(root / "outside") << "not ours";
  fs::create_symlink(root / "outside", folder / "2026-12-08-120000-3.zelkan");
  // What writes killed with their process left: ours goes, another name's stays, and so does what
  // a writer still holds locked, or an earlier version wrote since the system started (its
  // process id may be another namespace's).
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  std::string killed = ".";
  killed += std::to_string(gone);
  killed += ".0.tmp";
  const std::pair<std::string, bool> leftovers[] = {{".2001-01-01-000010.zelkan" + killed, false},
                                                    {".notes.zelkan" + killed, true},
                                                    {".2001-01-01-000011.zelkan" + killed, true},
                                                    {".2001-01-01-000012.zelkan.new0.tmp", false},
                                                    {".2001-01-01-000013.zelkan.new0.tmp", true}};
  for (const auto& [name, stays] : leftovers)
    std::ofstream(folder / name) << head;
  fs::last_write_time(folder / leftovers[0].first,  // before the system started
                      fs::file_time_type::clock::now() - std::chrono::years(20));
  const int held = ::open((folder / leftovers[4].first).c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  int failures = 0;
  {
    KeptGames kept(folder, [&](int) { ++failures; });
    for (int game = 0; game < 3; ++game) {
      kept.startGame(noon);
      for (const char* moves : {"", "4 18 4 3\n", "4 18 4 3\n5 2 5 10\n"})
        kept.keep(head + moves);
    }
    // A kept game played on stays one game; a file elsewhere is never written as one.
    kept.resumeGame(folder / "2001-01-01-000059-3.zelkan");
    kept.keep(head + "4 18 4 4\n");
    kept.resumeGame(root / "2001-01-01-000011.zelkan");
    kept.keep(head + "4 18 4 5\n");
    kept.flushNow();
    EXPECT_EQ(bytesOf(kept.recent(1).at(0).path), head + "4 18 4 5\n") << "known as written";
  }  // the store finishes its writes
  EXPECT_EQ(bytesOf(folder / "2001-01-01-000059-3.zelkan"), head + "4 18 4 4\n");
  EXPECT_FALSE(fs::exists(root / "2001-01-01-000011.zelkan"));
  for (const auto& [name, stays] : leftovers)
    EXPECT_EQ(fs::exists(folder / name), stays) << name;
  ::close(held);
  for (const char* name : {"2026-12-08-120000", "2026-12-08-120000-2", "2026-12-08-120000-4"})
    EXPECT_EQ(bytesOf(folder / fs::path(name).concat(".zelkan")), head + "4 18 4 3\n5 2 5 10\n");
  EXPECT_EQ(bytesOf(root / "outside"), "not ours");
  EXPECT_TRUE(fs::exists(folder / "2000-01-01-000000.zelkan") &&
              fs::exists(folder / "notes.zelkan") &&
              fs::exists(folder / "2001-01-01-000010-02.zelkan"));
  EXPECT_FALSE(fs::exists(folder / "2001-01-01-000010.zelkan")) << "the oldest goes";
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 107) << "100 games and 7 others";
  EXPECT_EQ(failures, 0);

  KeptGames reader(folder);
  reader.flushNow();
  const auto recent = reader.recent();
  ASSERT_EQ(recent.size(), 10u);
  EXPECT_EQ(recent[1].path, folder / "2026-12-08-120000-4.zelkan");
  EXPECT_EQ(recent[4].path, folder / "2001-01-01-000059-3.zelkan");
  EXPECT_EQ(describeKeptGame(recent[1]), "2026-12-08 12:00  二人対局  2 手  未完");
  // Told from the player's side: the player's colour, and the winner as the judgement names it.
  KeptGameSummary over{"",  "2026-12-08 21:14", modeCom, cellWhite, "strong",
                       100, GameEnd::limit,     301,     287};
  EXPECT_EQ(describeKeptGame(over),
            "2026-12-08 21:14  対COM（先手）  強い  100 手  MANの勝ち（黒 301、白 287）");
  over.comColour = cellBlack;
  EXPECT_EQ(describeKeptGame(over),
            "2026-12-08 21:14  対COM（後手）  強い  100 手  COMの勝ち（黒 301、白 287）");
}

TEST_F(KeptGamesTest, AFolderThatCannotBeWrittenIsReportedOnceAndLeftAsItIs) {
  std::ofstream(root / "games") << "a file";
  std::vector<int> failures;
  KeptGames kept(root / "games", [&](int error) { failures.push_back(error); });
  for (int game = 0; game < 2; ++game) {
    kept.startGame(noon);
    kept.keep(head);
    kept.keep(head + "4 18 4 3\n");
    kept.flushNow();
  }
  EXPECT_EQ(failures, std::vector<int>{ENOTDIR});
  EXPECT_EQ(bytesOf(root / "games"), "a file");
  EXPECT_TRUE(kept.recent().empty());
  EXPECT_EQ(
      keptGamesFailureText(root / "games", "/x", ENOTDIR),
      "遊んだ対局を次のフォルダに残せません。\n/x\nパスの途中にフォルダでないものがあります。");
}

// Save writes only what the file does not hold yet: a file holding the game, however laid out,
// keeps its bytes and its time. What a killed save left beside it goes either way.
TEST_F(KeptGamesTest, SavingLeavesAFileThatHoldsTheGameAsItIs) {
  const std::string laidOut =
      "zelkan-record 1\n# ours\n\nmode two\ndate 2026-12-08 21:14\n4 18 4 3\n";
  GameRecord game;  // as opened
  GameEnd end = GameEnd::none;
  ASSERT_FALSE(readRecord(laidOut, game, *std::make_unique<GameState>(), end));
  GameRecord longer = game;
  longer.moves.push_back({false, 5, 2, 5, 10});
  const fs::path file = root / "game.zelkan", leftover = root / ".game.zelkan.new0.tmp";
  for (const auto& [record, rewritten] : {std::pair{game, false}, std::pair{longer, true}}) {
    std::ofstream(file) << laidOut;
    const auto time = fs::file_time_type::clock::now() - std::chrono::hours(1000);
    fs::last_write_time(file, time);
    std::ofstream(leftover) << "cut";
    EXPECT_EQ(saveRecordFile(file, record), 0);
    EXPECT_EQ(bytesOf(file), rewritten ? writeRecord(record) : laidOut);
    EXPECT_TRUE(rewritten || fs::last_write_time(file) == time);
    EXPECT_FALSE(fs::exists(leftover));
  }
}

TEST_F(KeptGamesTest, TheChooserProposesANameForEachGame) {
  std::ofstream(root / "zelkan-2026-12-08-2114.zelkan");
  const std::pair<const char*, const char*> cases[] = {
      {"2026-12-08 09:15", "zelkan-2026-12-08-0915.zelkan"},
      {"2026-12-08 21:14", "zelkan-2026-12-08-2114-2.zelkan"},  // taken
      {"", "zelkan-2026-12-09-0730.zelkan"},
      {"2026-12-08 21:1/", "zelkan-2026-12-09-0730.zelkan"}};
  for (const auto& [date, name] : cases)
    EXPECT_EQ(proposedRecordName(date, "2026-12-09 07:30", root), name) << date;
}

}  // namespace
}  // namespace zelkan::test
