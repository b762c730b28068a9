// Small helpers for setting up positions in the rules tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

#include "core/game_state.h"
#include "core/setup.h"

namespace zelkan::test {

using Cells = std::initializer_list<std::pair<int, int>>;

// A game record on the heap (the history makes it large), every playable cell empty,
// black to move.
inline std::unique_ptr<GameState> emptyGame() {
  auto s = std::make_unique<GameState>();
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y)
      s->board(x, y) = cellEmpty;
  }
  s->turnColour = cellBlack;
  s->otherColour = cellWhite;
  return s;
}

// The starting position, black to move.
inline std::unique_ptr<GameState> startGame() {
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  s->turnColour = cellBlack;
  s->otherColour = cellWhite;
  return s;
}

inline void put(GameState& s, Code code, Cells cells) {
  for (const auto& [x, y] : cells)
    s.board(x, y) = code;
}

// Compares the playable cells of two boards, naming the first cell that differs.
inline ::testing::AssertionResult samePosition(const Board& a, const Board& b) {
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      if (a(x, y) != b(x, y)) {
        return ::testing::AssertionFailure()
               << "cell (" << x << ", " << y << "): " << a(x, y) << " against " << b(x, y);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace zelkan::test
