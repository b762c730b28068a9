// Every game played in the window kept as a game record in a folder of its own: Escape and
// quitting write it up to its last completed move first; a crash or a kill leave it whole, up to
// the last text the store had written (on a slow disk a move or two behind the board). And the
// newest of them listed, for the window's menu of recent games.
//
// A kept game's file is named for the local time its game started, "2026-12-08-091530.zelkan",
// with "-2" to "-99" before ".zelkan" when that name is taken; the name is taken only while
// nothing has it. Each text is written whole through the atomic writer, with its flush, by a
// thread of the store, so the window's thread only makes the text and hands it over. A text not
// yet written gives way to a newer one of the same game. The folder keeps the 100 newest games of
// ours: after a game's first text is written, older ones of ours are removed; a file that is not
// named as ours, or does not read as a record, is never removed. What a write cut off by a kill
// left in the folder (the atomic writer's new files of ours that no writer holds) is removed
// when the store starts.
//
// The list of recent games is the store's own knowledge, read from the folder once by its thread
// and brought up to date as it writes, so asking for it never waits for the disk.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/counts.h"
#include "core/game_record.h"
#include "core/game_state.h"

namespace zelkan {

// What the menu of recent games shows of a kept game.
struct KeptGameSummary {
  std::filesystem::path path;
  std::string date;      // the record's date, or else when its file was started: "2026-12-08 09:15"
  Code mode = modeNone;  // modeCom, modeMan, or modeNone when the record does not say
  Code comColour = cellWhite;   // with modeCom
  std::string level;            // one of levelNames, or empty
  int moves = 0;                // moves made; passes are not moves
  GameEnd end = GameEnd::none;  // none: the game was left unfinished
  int blackScore = 0;           // the judgement's scores, when the game ended
  int whiteScore = 0;
};

class KeptGames {
 public:
  static constexpr std::size_t mostGames = 100;
  // Called with the errno value of the first write that fails, and never again: on the store's
  // thread, with the store busy, so it only passes the news on (to the window's main loop).
  using FailureReport = std::function<void(int error)>;

  // Keeps games in `folder`, made with its missing parents (mode 0700) when a game's first text
  // is written. An empty folder keeps nothing.
  explicit KeptGames(std::filesystem::path folder, FailureReport reportFailure = {});
  // Finishes the writes handed over.
  ~KeptGames();
  KeptGames(const KeptGames&) = delete;
  KeptGames& operator=(const KeptGames&) = delete;

  // The texts handed over from now on are a new game's, started at `when`. startGame and keep
  // are called from one thread; a text kept before any start starts a game.
  void startGame(std::time_t when = std::time(nullptr));
  // The texts handed over from now on bring the kept game in `file` up to date: a game of ours
  // opened again and played on stays one game. A file that is not a kept game's of this folder
  // is never written: such a game is kept as a new one.
  void resumeGame(const std::filesystem::path& file);
  // Hands over the whole record text of the current game, to be written soon.
  void keep(std::string recordText);
  // Writes every text handed over before it returns: the last thing before _Exit.
  void flushNow();

  // The `count` newest kept games the store knows of, newest first; damaged and foreign files
  // are passed over. Never touches the disk: the list is read once when the store starts (by
  // its thread, or by flushNow) and kept up to date as it writes.
  std::vector<KeptGameSummary> recent(std::size_t count = 10) const;

 private:
  struct Job {
    std::uint64_t game = 0;
    std::string stamp;           // the game's start, as its file name has it
    std::filesystem::path file;  // the kept file it brings up to date, or empty: a new one
    std::string text;
  };

  void writeLoop();
  // All with writing_ held.
  void load();
  bool writeNext();
  void write(const Job& job);
  int claimName(const Job& job);
  void removeOldest();
  void know(const std::filesystem::path& file, const std::string& text);

  const std::filesystem::path folder_;
  const FailureReport reportFailure_;

  // The caller's side.
  std::uint64_t game_ = 0;
  std::string stamp_;
  std::filesystem::path resume_;

  std::mutex queueLock_;
  std::condition_variable wake_;
  std::deque<Job> queue_;
  bool stopping_ = false;

  // Held from taking a job to its end, so texts reach the disk in the order they were kept.
  std::mutex writing_;
  std::uint64_t writtenGame_ = 0;
  std::filesystem::path file_;  // writtenGame_'s file
  bool failed_ = false;
  bool loaded_ = false;

  // The games of ours in the folder, newest first, as the store last wrote or read them.
  mutable std::mutex knownLock_;
  std::vector<KeptGameSummary> known_;

  std::thread writer_;
};

// One line for the menu of recent games: date and time, mode, move count, and the result or that
// the game is unfinished, in the player's language.
std::string describeKeptGame(const KeptGameSummary& game);

// Saves `record` to the file at `path`, as "保存..." does: written whole, a save that fails leaving
// the old file whole. A file that already holds this very game (the same header, moves and result,
// however its lines are laid out) is not written at all, so its comments, blank lines and time
// stay. What saves to `path` cut off by a kill left beside it goes first. Returns 0 or the errno
// value.
int saveRecordFile(const std::filesystem::path& path, const GameRecord& record);

// The name the file chooser proposes for a game dated `date` ("2026-12-08 21:14") saved in
// `folder`: "zelkan-2026-12-08-2114.zelkan", with "-2" to "-99" before ".zelkan" while the name is
// taken there. A date not written so gives way to `now`, which is.
std::string proposedRecordName(std::string_view date, std::string_view now,
                               const std::filesystem::path& folder);

// The text of the one box that says games cannot be kept in `folder`: the folder as the player
// knows it (UTF-8), and the reason in the player's words.
std::string keptGamesFailureText(const std::filesystem::path& folder, std::string_view shownFolder,
                                 int error);

}  // namespace zelkan
