// Boards for the computer opponent's tests.
#pragma once

#include <initializer_list>
#include <utility>

#include "com/second_source.h"
#include "core/game_state.h"

namespace zelkan::test {

using Cells = std::initializer_list<std::pair<int, int>>;

// Every playable cell empty. Row 0 and column 0 keep the grid's 0, which is cellBlack's code, so
// a probe that strays off the board toward them would see black stones.
inline Board emptyBoard() {
  Board board;
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y)
      board(x, y) = cellEmpty;
  }
  return board;
}

// White on rows 1-2, black on rows 18-19.
inline Board startBoard() {
  Board board = emptyBoard();
  for (int x = 1; x <= boardSize; ++x) {
    board(x, 1) = board(x, 2) = cellWhite;
    board(x, 18) = board(x, 19) = cellBlack;
  }
  return board;
}

inline void put(Board& board, Code code, Cells cells) {
  for (const auto& [x, y] : cells)
    board(x, y) = code;
}

// 0.01 added k times, as the openness is defined.
inline double addedHundredths(int k) {
  volatile double value = 0;
  for (int i = 0; i < k; ++i)
    value = value + 0.01;
  return value;
}

// A clock whose second is `first` for the first `reads` readings and `then` afterwards.
class SteppingClock final : public SecondSource {
 public:
  SteppingClock(int first, long reads, int then) : first_(first), reads_(reads), then_(then) {}
  int second() override { return readings_++ < reads_ ? first_ : then_; }
  long readings() const { return readings_; }

 private:
  int first_;
  long reads_;
  int then_;
  long readings_ = 0;
};

}  // namespace zelkan::test
