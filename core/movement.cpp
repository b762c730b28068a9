#include "core/movement.h"

namespace zelkan {

Flag 移動チェック(const Board& board, int x1, int y1, int x2, int y2, Code /*colour*/) {
  if (board(x2, y2) != cellEmpty) return flagNo;
  if (x1 != x2 && y1 != y2) return flagNo;

  int emptySeen = 0;
  int whiteSeen = 0;
  int blackSeen = 0;
  const auto see = [&](Code c) {
    if (c == cellEmpty) emptySeen = 1;
    if (c == cellWhite) whiteSeen = 1;
    if (c == cellBlack) blackSeen = 1;
  };
  if (x1 == x2 && y1 == y2) {
    // No cell lies between a cell and itself.
  } else if (y1 == y2) {
    const int step = x1 < x2 ? 1 : -1;
    for (int x = x1 + step; x != x2; x += step)
      see(board(x, y1));
  } else {
    const int step = y1 < y2 ? 1 : -1;
    for (int y = y1 + step; y != y2; y += step)
      see(board(x1, y));
  }
  return emptySeen + whiteSeen + blackSeen > 1 ? flagNo : flagYes;
}

bool hasLegalMove(const Board& board, Code colour) {
  constexpr int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      if (board(x, y) != colour) continue;
      for (const auto& [dx, dy] : steps) {
        int tx = x + dx, ty = y + dy;
        if (!onBoard(tx, ty)) continue;
        const Code passed = board(tx, ty);
        while (passed != cellEmpty && onBoard(tx, ty) && board(tx, ty) == passed) {
          tx += dx;
          ty += dy;
        }
        if (onBoard(tx, ty) && board(tx, ty) == cellEmpty) return true;
      }
    }
  }
  return false;
}

void 石移動(Board& board, int x1, int y1, int x2, int y2, Code code) {
  board(x1, y1) = cellEmpty;
  board(x2, y2) = code;
}

}  // namespace zelkan
