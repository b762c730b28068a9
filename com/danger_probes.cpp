#include "com/danger_probes.h"

#include "com/positional_probes.h"
#include "core/sandwich.h"

namespace zelkan {
namespace {

// One line of the reach test, from (x, y) itself by (dx, dy).
bool enemyReaches(const Board& board, int x, int y, int dx, int dy, Code own, Code enemy) {
  for (int i = x, j = y; onBoard(i, j); i += dx, j += dy) {
    const Code c = board(i, j);
    if (c == own) return false;
    if (c == enemy) return true;
  }
  return false;
}

using LineScan = Flag (*)(const Board&, int, int, Code&, Code&, Code&, Code);

// The threat test along one axis: toStart scans up (or left), toEnd down (or right).
bool axisThreatened(const Board& board, int x, int y, LineScan toStart, LineScan toEnd,
                    Code comColour, Code humanColour) {
  Code ux = 0;
  Code uy = 0;
  Code uKind = 0;
  if (toStart(board, x, y, ux, uy, uKind, humanColour) == flagNo) return false;
  Code dx = 0;
  Code dy = 0;
  Code dKind = 0;
  if (uKind == cellEmpty) {
    return toEnd(board, x, y, dx, dy, dKind, humanColour) == flagYes && dKind == humanColour &&
           調査危険_座標(board, ux, uy, comColour, humanColour) == flagYes;
  }
  if (uKind == humanColour) {
    return toEnd(board, x, y, dx, dy, dKind, humanColour) == flagYes && dKind == cellEmpty &&
           調査危険_座標(board, dx, dy, comColour, humanColour) == flagYes;
  }
  return false;
}

bool verticalThreat(const Board& board, int x, int y, Code comColour, Code humanColour) {
  return axisThreatened(board, x, y, 調査_COM以外_上, 調査_COM以外_下, comColour, humanColour);
}

bool horizontalThreat(const Board& board, int x, int y, Code comColour, Code humanColour) {
  return axisThreatened(board, x, y, 調査_COM以外_左, 調査_COM以外_右, comColour, humanColour);
}

}  // namespace

Flag 調査危険_座標(const Board& board, int x, int y, Code own, Code enemy) {
  if (enemyReaches(board, x, y, 0, -1, own, enemy)) return flagYes;
  if (enemyReaches(board, x, y, 0, 1, own, enemy)) return flagYes;
  if (enemyReaches(board, x, y, -1, 0, own, enemy)) return flagYes;
  if (enemyReaches(board, x, y, 1, 0, own, enemy)) return flagYes;
  return flagNo;
}

Flag 調査_隣敵(const Board& board, int x, int y, Code& nx, Code& ny, Code colour) {
  const auto found = [&](int i, int j) {
    nx = static_cast<Code>(i);
    ny = static_cast<Code>(j);
    return flagYes;
  };
  if (x > 1 && board(x - 1, y) == colour) return found(x - 1, y);
  if (x < boardSize && board(x + 1, y) == colour) return found(x + 1, y);
  if (y > 1 && board(x, y - 1) == colour) return found(x, y - 1);
  if (y < boardSize && board(x, y + 1) == colour) return found(x, y + 1);
  return flagNo;
}

int 調査_挟める数(const Board& board, int x, int y, Code enemy) {
  Code nx = 0;
  Code ny = 0;
  if (調査_隣敵(board, x, y, nx, ny, enemy) == flagNo) return 0;
  Code cx = 0;
  Code cy = 0;
  if (nx == x) {
    if (ny < y) return 調査挟み_上(board, x, y, cx, cy) == flagYes ? y - cy - 1 : 0;
    return 調査挟み_下(board, x, y, cx, cy) == flagYes ? cy - y - 1 : 0;
  }
  if (nx < x) return 調査挟み_左(board, x, y, cx, cy) == flagYes ? x - cx - 1 : 0;
  return 調査挟み_右(board, x, y, cx, cy) == flagYes ? cx - x - 1 : 0;
}

Flag 調査_挟み可能(const Board& board, int x, int y, Code own, Code enemy) {
  const auto line = [&](int dx, int dy) {
    int count = 0;
    for (int i = x + dx, j = y + dy; onBoard(i, j); i += dx, j += dy) {
      const Code c = board(i, j);
      if (c == enemy) {
        ++count;
      } else if (c == own) {
        return false;
      } else if (c == cellEmpty) {
        return count >= 1 && 調査危険_座標(board, i, j, own, enemy) == flagYes;
      }
    }
    return false;
  };
  if (line(0, -1) || line(0, 1) || line(-1, 0) || line(1, 0)) return flagYes;
  return flagNo;
}

Flag 調査_挟まれていたか(const Board& board, int x, int y, Code comColour, Code humanColour) {
  if (verticalThreat(board, x, y, comColour, humanColour)) return flagYes;
  if (horizontalThreat(board, x, y, comColour, humanColour)) return flagYes;
  return flagNo;
}

int 調査_移動先_危険値(const Board& board, int x, int y, Code comColour, Code humanColour) {
  const bool vertical = verticalThreat(board, x, y, comColour, humanColour);
  const bool horizontal = horizontalThreat(board, x, y, comColour, humanColour);
  return vertical || horizontal ? -2 : 0;
}

int 調査_移動元_危険値(Board& board, int fromX, int fromY, int toX, int toY, Code comColour,
                       Code humanColour) {
  board(toX, toY) = cellEmpty;
  board(fromX, fromY) = comColour;
  const bool vertical = verticalThreat(board, fromX, fromY, comColour, humanColour);
  const bool horizontal = horizontalThreat(board, fromX, fromY, comColour, humanColour);
  board(fromX, fromY) = cellEmpty;
  board(toX, toY) = comColour;
  return vertical || horizontal ? 2 : 0;
}

}  // namespace zelkan
