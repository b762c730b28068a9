#include "core/influence.h"

#include <algorithm>
#include <cstdlib>

namespace zelkan {

Influence computeInfluence(const Board& board) {
  Influence r;
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      const Code stone = board(x, y);
      if (stone == cellEmpty) continue;
      // Any stone that is not white spreads black influence.
      Grid<std::int8_t>& grid = stone == cellWhite ? r.white : r.black;
      for (int i = x - 3; i <= x + 3; ++i) {
        for (int j = y - 3; j <= y + 3; ++j) {
          if (!onBoard(i, j) || board(i, j) != cellEmpty) continue;
          const int d = std::max(std::abs(i - x), std::abs(j - y));
          const std::int8_t w = static_cast<std::int8_t>(4 - d);
          if (w > grid(i, j)) grid(i, j) = w;
        }
      }
    }
  }
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      Owner& o = r.owner(x, y);
      if (board(x, y) != cellEmpty) {
        o = Owner::stone;
      } else if (r.black(x, y) > r.white(x, y)) {
        o = Owner::black;
        ++r.blackArea;
      } else if (r.white(x, y) > r.black(x, y)) {
        o = Owner::white;
        ++r.whiteArea;
      } else {
        o = Owner::none;
      }
    }
  }
  return r;
}

}  // namespace zelkan
