#include "core/sandwich.h"

namespace zelkan {
namespace {

// Walks from (x, y) by (dx, dy) up to the edge, as every direction probe does.
Flag probe(const Board& board, int x, int y, int dx, int dy, Code& farX, Code& farY) {
  if (!onBoard(x + dx, y + dy)) return flagNo;
  const Code own = board(x, y);
  int count = 0;
  for (int cx = x + dx, cy = y + dy; onBoard(cx, cy); cx += dx, cy += dy) {
    const Code c = board(cx, cy);
    if (c == own) {
      if (count == 0) return flagNo;
      farX = static_cast<Code>(cx);
      farY = static_cast<Code>(cy);
      return flagYes;
    }
    if (c == cellEmpty) return flagNo;
    ++count;
  }
  return flagNo;
}

}  // namespace

Flag 調査挟み_上(const Board& board, int x, int y, Code& farX, Code& farY) {
  return probe(board, x, y, 0, -1, farX, farY);
}

Flag 調査挟み_下(const Board& board, int x, int y, Code& farX, Code& farY) {
  return probe(board, x, y, 0, 1, farX, farY);
}

Flag 調査挟み_左(const Board& board, int x, int y, Code& farX, Code& farY) {
  return probe(board, x, y, -1, 0, farX, farY);
}

Flag 調査挟み_右(const Board& board, int x, int y, Code& farX, Code& farY) {
  return probe(board, x, y, 1, 0, farX, farY);
}

void 挟み処理(GameState& s, int x, int y, CaptureLog& log) {
  using Probe = Flag (*)(const Board&, int, int, Code&, Code&);
  for (Probe p : {調査挟み_上, 調査挟み_下, 調査挟み_左, 調査挟み_右}) {
    Code farX = 0;
    Code farY = 0;
    if (p(s.board, x, y, farX, farY) == flagYes) 石_取得(s, x, y, farX, farY, log);
  }
}

void 石_取得(GameState& s, int x1, int y1, int x2, int y2, CaptureLog& log) {
  const int sx = x1 <= x2 ? 1 : -1;
  const int sy = y1 <= y2 ? 1 : -1;
  for (int x = x1; x != x2 + sx; x += sx) {
    for (int y = y1; y != y2 + sy; y += sy) {
      const Code c = s.board(x, y);
      if (c == s.board(x1, y1)) continue;
      if (c == cellBlack) ++s.blackLost;
      if (c == cellWhite) ++s.whiteLost;
      log.add(x, y, c, CaptureKind::sandwich);
      s.board(x, y) = cellEmpty;
    }
  }
}

}  // namespace zelkan
