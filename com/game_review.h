// A game reviewed move by move: every position searched by the strong level, each move played set
// against the strong level's choice, and the points it gave away. The searches run on worker
// threads, each with a transposition table of its own; every search starts afresh, so the rows
// are the same for one worker or many.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "com/levels.h"
#include "core/game_record.h"
#include "core/game_state.h"

namespace zelkan {

enum class MoveClass { best, good, inaccuracy, mistake, blunder };

// The least loss, in judgement points, of each class past best (the README says why).
inline constexpr int goodLoss = 1;
inline constexpr int inaccuracyLoss = 5;
inline constexpr int mistakeLoss = 23;
inline constexpr int blunderLoss = 30;

// The class of a move that gave away loss points (never negative).
MoveClass classOfLoss(int loss);
// "best", "good", "inaccuracy", "mistake" or "blunder".
const char* moveClassName(MoveClass c);

struct ReviewRow {
  int index = 0;  // the move's place in the game, 0 for the first
  RecordMove played;
  int value = 0;      // the position after the move played: judgement points, black minus white
  RecordMove best;    // the strong level's choice in the position before it; a pass for a pass
  int bestValue = 0;  // the position after that choice
  int loss = 0;       // what the mover gave away against bestValue, never negative
  MoveClass moveClass = MoveClass::best;
  bool operator==(const ReviewRow&) const = default;
};

struct ReviewOptions {
  std::uint64_t nodeBudget = defaultNodeBudget;  // moves made per search
  int workers = 1;                               // threads searching, the caller's among them
  const std::atomic<bool>* stop = nullptr;       // true ends the review promptly (may be null)
  // Each row as soon as it is complete, in any order, from any worker, one call at a time; it
  // must not throw.
  std::function<void(const ReviewRow&)> onRow;
};

// Reviews the moves played from start, its side to move moving first. The moves are a game's, as
// a record that opened holds them: the review ends before a move the rules refuse and after the
// move that ends the game. Returns the rows completed, in move order: every move's unless
// stopped. A position is worth what the strong level's search finds in it, the win bonus taken
// off; a finished game its judgement. Throws std::bad_alloc when the searches' working memory
// cannot be had.
std::vector<ReviewRow> reviewGame(const GameState& start, std::span<const RecordMove> moves,
                                  const ReviewOptions& options);

}  // namespace zelkan
