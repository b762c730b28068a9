// The position as the strong search sees it: a compact board with a wall around it, row bit
// masks for the influence, incremental stone counts and a Zobrist key, and whole moves made and
// taken back (sandwich and surround captures with the loss tallies, exactly as the game makes
// them).
#pragma once

#include <array>
#include <cstdint>

#include "core/game_state.h"

namespace zelkan {

// A move as two cell indexes, from | to << 9.
using PackedMove = std::uint32_t;

class SearchPosition {
 public:
  static constexpr int stride = 21;  // one wall column to the right; wall rows 0 and 20
  static constexpr int cellCount = stride * (boardSize + 2);
  // Every move goes along a row or a column to an empty cell of it, each stone of that line to
  // each empty cell at most once: a line of n stones and 19 - n empty cells holds at most
  // 9 x 10 moves, and there are 38 lines. Any position the engine accepts stays within this.
  static constexpr int maxMoves = 2 * boardSize * (boardSize / 2) * (boardSize - boardSize / 2);

  static constexpr int index(int x, int y) { return y * stride + x; }
  static constexpr int xOf(int i) { return i % stride; }
  static constexpr int yOf(int i) { return i / stride; }
  static constexpr PackedMove pack(int from, int to) {
    return static_cast<PackedMove>(from | to << 9);
  }
  static constexpr int fromOf(PackedMove m) { return static_cast<int>(m & 511); }
  static constexpr int toOf(PackedMove m) { return static_cast<int>(m >> 9); }

  // The side to move is s.turnColour.
  explicit SearchPosition(const GameState& s);

  // Every legal move of the side to move; returns how many were written. With touchingOnly, only
  // the moves whose destination touches an enemy stone: the only ones that can capture.
  int generateMoves(std::array<PackedMove, maxMoves>& moves, bool touchingOnly = false) const;

  // What undo needs to take a move back.
  struct Undo {
    PackedMove move;
    int removedFrom;  // the first entry of the removal stack this move wrote
    Code blackLost;
    Code whiteLost;
    std::uint64_t key;
  };

  // Makes a legal move of the side to move and hands over the turn. True when it captured.
  bool make(PackedMove m, Undo& u);
  void undo(const Undo& u);
  // The side to move has no legal move: the turn is handed over and nothing else changes.
  void pass() {
    side_ ^= 1;
    key_ ^= sideKey();
  }

  // How the game stands after the last move: none, limit or lead, as the end test says.
  bool gameOver() const;

  // The judgement's black score minus white score.
  int judgementMargin() const;

  // Enemy stones the move would sandwich, without making it: a cheap guess for move ordering.
  int sandwichCount(PackedMove m) const;
  // The cells that touch an enemy stone of the side to move, as row masks (bit x of row y): only
  // a move to one of them can capture.
  using RowMasks = std::array<std::uint32_t, stride>;
  RowMasks touchingEnemy() const;
  static bool holds(const RowMasks& masks, int i) { return masks[yOf(i)] >> xOf(i) & 1; }
  // False when the move surely captures nothing: it sandwiches nothing and every enemy stone
  // it touches has another empty neighbour.
  bool mayCapture(PackedMove m) const;

  int side() const { return side_; }  // 0 black, 1 white
  Code moveNumber() const { return moveNumber_; }
  Code blackLost() const { return lost_[0]; }
  Code whiteLost() const { return lost_[1]; }
  int stones(int side) const { return stones_[side]; }
  // The key of everything a value depends on: board, side to move, move number and tallies.
  std::uint64_t key() const;
  // Black (0), white (1) or empty (2) on a playable cell.
  int at(int x, int y) const;

 private:
  static constexpr std::int8_t empty = 0;  // cells_ holds 1 + side for a stone
  static constexpr std::int8_t wall = 3;

  static std::uint64_t sideKey();
  void put(int i, int side);
  void remove(int i);
  int takeSandwich(int to, int dir);
  int takeGroupIfDead(int start, int colour);

  std::array<std::int8_t, cellCount> cells_{};
  std::array<RowMasks, 2> rows_{};  // bit x of row y per side
  std::array<int, 2> stones_{};
  std::array<Code, 2> lost_{};
  int side_ = 0;
  Code moveNumber_ = 0;
  std::uint64_t key_ = 0;  // board and side only; move number and tallies are mixed in by key()

  // Removed stones of every move on the current line; a line can remove at most every stone, and
  // a position set from outside may hold a stone on every cell.
  std::array<std::int16_t, boardSize * boardSize> removed_{};
  int removedCount_ = 0;
  // Flood fill of the surround test: a cell is visited when its stamp equals the current one.
  std::array<std::uint32_t, cellCount> stamp_{};
  std::uint32_t currentStamp_ = 0;
  std::array<std::int16_t, boardSize * boardSize> fill_{};
};

}  // namespace zelkan
