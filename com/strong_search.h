// The strong level: iterative-deepening alpha-beta over whole moves, with a capture-only search
// at the leaves and a transposition table, bounded by a node budget and a stop check from
// outside. The value of a position is the judgement's margin for the side to move; a move that
// ends the game is worth its final margin plus a bonus for the win.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "com/search.h"
#include "com/search_position.h"
#include "core/game_state.h"

namespace zelkan {

// What the search knows of positions it has seen, kept by their Zobrist key.
class TranspositionTable {
 public:
  struct Entry {
    std::uint64_t key = 0;
    PackedMove move = 0;
    std::int16_t value = 0;
    std::int8_t depth = -1;
    std::uint8_t bound = 0;
  };
  static_assert(sizeof(Entry) == 16);

  // 2^log2Entries entries of 16 bytes.
  explicit TranspositionTable(int log2Entries);
  // The size of a table for a search of nodeBudget moves made: about one entry per move, from
  // 64 kB up to at most 32 MB.
  static int log2ForBudget(std::uint64_t nodeBudget);
  static TranspositionTable forBudget(std::uint64_t nodeBudget) {
    return TranspositionTable(log2ForBudget(nodeBudget));
  }

  // Begins a search: from now on the table answers as an empty one would, without a byte of it
  // written, so a table kept from move to move gives every search the same answer as a new one.
  void newSearch();

  std::size_t bytes() const { return (mask_ + 1) * sizeof(Entry); }
  Entry& slot(std::uint64_t key) { return entries_[key & mask_]; }
  // What an entry holds for the key in the current search: entries of earlier searches never
  // match it.
  std::uint64_t tagOf(std::uint64_t key) const { return key ^ salt_; }

 private:
  std::unique_ptr<Entry[]> entries_;
  std::uint64_t mask_;
  std::uint64_t searches_ = 0;
  std::uint64_t salt_ = 0;
};

struct StrongSearchResult {
  std::optional<ComMove> move;  // empty when there is no legal move
  int depth = 0;                // deepest iteration completed
  std::uint64_t nodes = 0;      // moves made
  int value = 0;                // the chosen move's value for the mover, win bonus and all
};

// What a search finds of a move played beside its own choice, for a review: both root moves of
// the same search, each valued exactly at the depth of the choice's value and at the depth
// before (0: the move's position as it stands), for the mover, win bonus and all.
struct PlayedValues {
  int depth = 0;
  std::array<int, 2> played{};  // at depth and at depth - 1 (none below 0)
  std::array<int, 2> best{};    // the best the search found at each of those depths
};

// The search from s for s.turnColour. It ends when nodeBudget moves are made (every move counts,
// the first iteration's and the capture search's too), when stop (asked every 1024 moves; may be
// empty) says so, or when the tree is searched to the end of the game. Of an iteration cut short,
// the root moves it finished still count; when it finished none, the game's own first choice is
// played, valued as the position stands after it. s is not changed. Given a legal move played,
// values holds what the search finds of it (without one, of the choice): the choice is the same,
// the values found after it in a budget of as many moves again (should that run out, both moves are
// valued a depth shallower).
StrongSearchResult strongSearch(const GameState& s, std::uint64_t nodeBudget,
                                const std::function<bool()>& stop, TranspositionTable& table,
                                const ComMove* played = nullptr, PlayedValues* values = nullptr);

// The value of a finished game for black: the judgement's margin, and a bonus to the winner.
int finalValue(int blackMinusWhite);
// A value in judgement points: the win bonus taken off a won or lost game's.
int judgementPoints(int value);

}  // namespace zelkan
