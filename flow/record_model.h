// What "the game" is, and which files hold it: the one place that decides which file "保存..."
// writes, what the window's title names, which game "検討..." studies and which kept file the
// next move goes to. The window tells it every event and asks it; it touches no file itself.
//
// The rules:
// - A game continued from an earlier position of any record (after "戻" or a jump from the
//   review) is a new game: it has no file of its own until it is saved. A file is only ever
//   rewritten with a continuation of the game it holds (the same moves, more of them).
// - Just after a game has ended, "the game" is the finished game, with its result, for every
//   command, until a move is played, "最初", a record is opened or a mode starts a new game.
// - A kept game opened again from the kept folder goes on in its own kept file; a record opened
//   from anywhere else is kept as a new game from its first new move.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/game_record.h"
#include "core/game_state.h"

namespace zelkan {

// The game on the board as a record: every move of the history, its mode, and `level` (the
// engine's name of the computer's strength) when the computer plays. No date, no result.
GameRecord recordOfGame(const GameState& s, const std::string& level);

// Where the next kept text goes, as the store is to be told before it.
struct KeptStep {
  enum class Kind {
    same,     // the kept game of the last move
    newGame,  // a game of its own, in a new file
    resume,   // the kept game in `file`, brought up to date
  };
  Kind kind = Kind::same;
  std::filesystem::path file;  // with resume
  GameRecord record;           // the whole text to keep, dated as the game is
};

class RecordModel {
 public:
  // The kept folder: records opened from it are kept games, gone on with in their own file.
  explicit RecordModel(std::filesystem::path keptFolder = {});

  // A move was completed; `game` is the game as it stands (recordOfGame), `now` the local date
  // and time ("2026-12-08 21:14"), the date of a game that starts with it. Says where the
  // game's text is to be kept.
  KeptStep moved(const GameRecord& game, const std::string& now);
  // The game ended; `finished` is it whole, with its result. Says where it is kept.
  KeptStep ended(GameRecord finished);
  // "最初", or a mode chosen on an empty board: the next move starts a game of its own.
  void startedAfresh();
  // A mode command; `boardEmpty` when no move has been played on the board since it was set up.
  void modeChosen(bool boardEmpty);
  // A record read from `path` is now on the board.
  void opened(const std::filesystem::path& path, GameRecord record);
  // `record`, the game as "保存..." gave it, was written to `path`.
  void saved(const std::filesystem::path& path, GameRecord record);
  // The finished game held since its end was brought back onto the board (to be studied).
  void finishedShown();
  // Keeping was switched on again: the game's next text goes to a kept file of its own.
  void keepAnew() {
    keeping_ = false;
    resume_.clear();
  }

  // The file "保存..." writes without asking, or empty: ask. The title names the same file.
  const std::filesystem::path& file() const { return file_; }
  // The finished game held since its end, if it still is "the game".
  const std::optional<GameRecord>& finished() const { return finished_; }
  // The record "保存..." writes, for the game on the board `game`: the finished game while it
  // is held; the file's record as it came while the game holds the same moves; otherwise the
  // game, dated as it started, with its result when it has ended.
  GameRecord toSave(const GameRecord& game) const;
  // Whether there is a game to save or study: a move played, or a finished game held.
  bool hasGame(const GameRecord& game) const { return finished_ || !game.moves.empty(); }
  // A folder where the player keeps records: never the kept folder.
  bool isKeptFolder(const std::filesystem::path& folder) const;

 private:
  KeptStep keep(GameRecord record);
  void forgetFile();

  std::filesystem::path keptFolder_;
  std::filesystem::path file_;
  GameRecord fileRecord_;  // what file_ holds
  std::optional<GameRecord> finished_;
  std::string date_;  // the game's, as it started or as its record says
  // The header lines of the game's record that this program does not know, kept with the game
  // as its date is: written again with every text of it, for a later version that knows them.
  std::vector<std::pair<std::string, std::string>> otherKeys_;

  // The kept game: whether one is being kept, the moves it holds, and the kept file to resume.
  bool keeping_ = false;
  std::vector<RecordMove> keptMoves_;
  std::filesystem::path resume_;
};

}  // namespace zelkan
