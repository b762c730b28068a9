#include "com/positional_probes.h"

#include <array>

namespace zelkan {
namespace {

constexpr int squareCells = 49;

// Entry k is 0.01 added to 0 k times, in double arithmetic, as the openness is defined: the
// rounding of each addition is part of the value, so it is never k * 0.01.
constexpr std::array<double, squareCells + 1> opennessTable = [] {
  std::array<double, squareCells + 1> table{};
  double value = 0;
  for (double& entry : table) {
    entry = value;
    value += 0.01;
  }
  return table;
}();

// The walk shared by the four line scans, from the neighbour of (x, y) by (dx, dy).
Flag firstNonCom(const Board& board, int x, int y, int dx, int dy, Code& cx, Code& cy, Code& kind,
                 Code humanColour) {
  int i = x + dx;
  int j = y + dy;
  for (; onBoard(i, j); i += dx, j += dy) {
    const Code c = board(i, j);
    if (c == cellEmpty || c == humanColour) {
      cx = static_cast<Code>(i);
      cy = static_cast<Code>(j);
      kind = c;
      return flagYes;
    }
  }
  cx = static_cast<Code>(i);  // one step past the edge
  cy = static_cast<Code>(j);
  return flagNo;
}

}  // namespace

double 調査_空数値(const Board& board, int x, int y) {
  double value = 0;
  for (int i = x - 3; i <= x + 3; ++i) {
    for (int j = y - 3; j <= y + 3; ++j) {
      if (0 < i && i < 20 && 0 < j && j < 20 && board(i, j) == cellEmpty) value += 0.01;
    }
  }
  return value;
}

double opennessOf(int emptyCells) {
  assert(emptyCells >= 0 && emptyCells <= squareCells);
  return opennessTable[emptyCells];
}

int 調査_四方数値(const Board& board, int x, int y, Code comColour, Code humanColour) {
  const auto weight = [&](Code c) {
    if (c == cellEmpty) return 100;
    if (c == humanColour) return 10;
    if (c == comColour) return 1;
    return 0;
  };
  int value = 0;
  if (x > 1) value += weight(board(x - 1, y));
  if (x < boardSize) value += weight(board(x + 1, y));
  if (y > 1) value += weight(board(x, y - 1));
  if (y < boardSize) value += weight(board(x, y + 1));
  return value;
}

Flag 調査_間入(const Board& board, int x, int y, Code colour) {
  if (!(1 < x && x < boardSize && 1 < y && y < boardSize)) return flagNo;
  if (board(x - 1, y) == colour && board(x + 1, y) == colour && board(x, y - 1) == cellEmpty &&
      board(x, y + 1) == cellEmpty) {
    return flagYes;
  }
  if (board(x, y - 1) == colour && board(x, y + 1) == colour && board(x - 1, y) == cellEmpty &&
      board(x + 1, y) == cellEmpty) {
    return flagYes;
  }
  return flagNo;
}

Flag 調査_COM以外_上(const Board& board, int x, int y, Code& cx, Code& cy, Code& kind,
                     Code humanColour) {
  return firstNonCom(board, x, y, 0, -1, cx, cy, kind, humanColour);
}

Flag 調査_COM以外_下(const Board& board, int x, int y, Code& cx, Code& cy, Code& kind,
                     Code humanColour) {
  return firstNonCom(board, x, y, 0, 1, cx, cy, kind, humanColour);
}

Flag 調査_COM以外_左(const Board& board, int x, int y, Code& cx, Code& cy, Code& kind,
                     Code humanColour) {
  return firstNonCom(board, x, y, -1, 0, cx, cy, kind, humanColour);
}

Flag 調査_COM以外_右(const Board& board, int x, int y, Code& cx, Code& cy, Code& kind,
                     Code humanColour) {
  return firstNonCom(board, x, y, 1, 0, cx, cy, kind, humanColour);
}

}  // namespace zelkan
