// zelkan-engine's commands: one line in, one answer out, in the framing of GTP.
#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>

#include "com/levels.h"
#include "core/game_record.h"
#include "core/game_state.h"
#include "core/move_completion.h"

namespace zelkan {

class Engine {
 public:
  static constexpr std::size_t maxLineBytes = 4096;

  // strongBudget: the strong level's budget of moves made (a test's engine may think less).
  explicit Engine(std::uint64_t strongBudget = defaultNodeBudget);

  // Answers one command line (without its newline), framed and ending with the empty line; no
  // answer for a blank line or a comment. A failure ("? ...") changes nothing.
  std::optional<std::string> handle(std::string_view line);

  // The answer to a line that was longer than maxLineBytes.
  static std::string lineTooLong();

  bool quitRequested() const { return quit_; }
  const GameState& state() const { return *state_; }
  bool gameOver() const { return gameOver_; }

 private:
  std::string clearBoard();
  std::string setPosition(std::span<const std::string_view> args);
  std::string board() const;
  std::string legal(std::span<const std::string_view> args) const;
  std::string play(std::span<const std::string_view> args);
  std::string outcome(const MoveRecord& r) const;
  std::string setLevel(std::string_view name);
  std::string influence() const;
  std::string judge() const;
  std::string genmove(std::span<const std::string_view> args);
  std::string candidates(std::span<const std::string_view> args);  // restores the board
  std::string saveGame(std::string_view path);
  std::string loadGame(std::string_view path);
  std::string analyse(std::span<const std::string_view> args) const;
  std::string setThreads(std::string_view count);

  std::unique_ptr<GameState> state_;  // large: the history holds 501 boards
  Level level_ = Level::normal;       // genmove's; kept by clear_board and set_position
  std::uint64_t strongBudget_;
  std::unique_ptr<TranspositionTable> table_;  // the strong level's, kept from move to move
  bool gameOver_ = false;
  GameEnd end_ = GameEnd::none;
  // The moves since the last clear_board, set_position or loadgame, and the start position when
  // it was set; savegame writes them.
  GameRecord record_;
  bool quit_ = false;
  // The worker threads of analyse: the machine's processors unless told.
  int threads_ = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 256u));
};

}  // namespace zelkan
