// The computer's three strengths. The normal level is the game's own search, unchanged; the weak
// level picks among the game's better-scored moves at random (from a seed) and now and then plays
// any legal move; the strong level looks many moves deep (com/strong_search.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "com/search.h"
#include "com/second_source.h"
#include "com/strong_search.h"
#include "core/game_record.h"
#include "core/game_state.h"

namespace zelkan {

enum class Level { weak, normal, strong };  // in the order of levelNames

// A level's name in records, the engine's commands and the window's actions (levelNames), and
// the level a name names, if any.
const char* levelName(Level level);
std::optional<Level> levelNamed(std::string_view name);

// The budget of the strong level the engine uses, in moves made by the search; it is also the
// default of LevelLimits.
inline constexpr std::uint64_t defaultNodeBudget = 200000;

// What bounds the weak and the strong levels.
struct LevelLimits {
  std::uint64_t seed = 0;                        // weak: the random choice, mixed with the position
  std::uint64_t nodeBudget = defaultNodeBudget;  // strong: moves the search may make
  std::function<bool()> stop;  // strong: asked now and then; true ends the search with the best
                               // move found so far (may be empty)
  TranspositionTable* table = nullptr;  // strong: a table kept from move to move (tableFor);
                                        // without one, a table is made for the move
};

// The strong level's table for a budget, kept from move to move in kept: made on first use, and
// made again only when the budget asks for another size. The move chosen with it is the move
// chosen with a new table.
TranspositionTable& tableFor(std::unique_ptr<TranspositionTable>& kept, std::uint64_t nodeBudget);

// The weak level's habits: a move among the best few of the game's scoring, or, one move in
// blunderOneIn, any legal move at all.
inline constexpr int weakChoices = 5;
inline constexpr int weakBlunderOneIn = 4;

// The move the computer picks for s.turnColour against the other colour at a level; empty when
// there is no legal move. s is left as it was. The normal level reads clock as the game's own
// search does, the weak level scores with it too, the strong level does not read it. Safe on a
// copy of the state from a worker thread: nothing is shared between calls but limits.table.
// Throws std::bad_alloc when the strong level's working memory cannot be had.
std::optional<ComMove> chooseComMove(GameState& s, Level level, SecondSource& clock,
                                     const LevelLimits& limits);

// playComTurn at a level: the move chosen by chooseComMove, completed like any other move.
ComTurn playComTurn(GameState& s, SecondSource& clock, Level level, const LevelLimits& limits);

}  // namespace zelkan
