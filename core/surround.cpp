#include "core/surround.h"

namespace zelkan {

Flag 調査_当たり(GameState& s, int x, int y, Code mover, Code enemy) {
  const Code saved = s.board(x, y);
  s.board(x, y) = mover;
  Flag found = flagNo;
  const int neighbours[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
  for (const auto& [nx, ny] : neighbours) {
    if (!onBoard(nx, ny) || s.board(nx, ny) != enemy) continue;
    if (調査_当たり2(s, nx, ny, enemy) == flagYes) {
      found = flagYes;
      break;
    }
  }
  s.board(x, y) = saved;
  return found;
}

Flag 調査_当たり2(GameState& s, int x, int y, Code colour) {
  if (調査_四方状態(s.board, x, y, cellEmpty) == flagYes) return flagNo;
  for (int i = 1; i <= boardSize; ++i) {
    for (int j = 1; j <= boardSize; ++j)
      s.markBoard(i, j) = 0;
  }
  s.markBoard(x, y) = 1;
  using Sweep = int (*)(GameState&, Code);
  for (;;) {
    int changed = 0;
    for (Sweep sweep : {調査_向右, 調査_向左, 調査_向上, 調査_向下}) {
      const int marked = sweep(s, colour);
      if (marked == -1) return flagNo;
      changed += marked;
    }
    if (changed == 0) return flagYes;
  }
}

Flag 調査_四方状態(const Board& board, int x, int y, Code code) {
  if (x > 1 && board(x - 1, y) == code) return flagYes;
  if (x < boardSize && board(x + 1, y) == code) return flagYes;
  if (y > 1 && board(x, y - 1) == code) return flagYes;
  if (y < boardSize && board(x, y + 1) == code) return flagYes;
  return flagNo;
}

namespace {

// One visit of a sweep: (x, y) takes the mark from its source neighbour (sx, sy).
// Returns -1 for a liberty, 1 for a newly marked stone, 0 otherwise.
int passMark(GameState& s, int x, int y, int sx, int sy, Code colour) {
  if (s.markBoard(sx, sy) <= 0 || s.markBoard(x, y) != 0) return 0;
  const Code c = s.board(x, y);
  if (c == cellEmpty) return -1;
  if (c != colour) return 0;
  s.markBoard(x, y) = 1;
  return 1;
}

}  // namespace

int 調査_向右(GameState& s, Code colour) {
  int count = 0;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 2; x <= boardSize; ++x) {
      const int r = passMark(s, x, y, x - 1, y, colour);
      if (r < 0) return -1;
      count += r;
    }
  }
  return count;
}

int 調査_向左(GameState& s, Code colour) {
  int count = 0;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = boardSize - 1; x >= 1; --x) {
      const int r = passMark(s, x, y, x + 1, y, colour);
      if (r < 0) return -1;
      count += r;
    }
  }
  return count;
}

int 調査_向下(GameState& s, Code colour) {
  int count = 0;
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 2; y <= boardSize; ++y) {
      const int r = passMark(s, x, y, x, y - 1, colour);
      if (r < 0) return -1;
      count += r;
    }
  }
  return count;
}

int 調査_向上(GameState& s, Code colour) {
  int count = 0;
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = boardSize - 1; y >= 1; --y) {
      const int r = passMark(s, x, y, x, y + 1, colour);
      if (r < 0) return -1;
      count += r;
    }
  }
  return count;
}

void 当駒消去(GameState& s, CaptureLog& log) {
  RemovedGroup group{static_cast<std::int16_t>(log.removalCount), 0};
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      if (s.markBoard(x, y) != 1) continue;
      const Code c = s.board(x, y);
      if (c == cellBlack) ++s.blackLost;
      if (c == cellWhite) ++s.whiteLost;
      log.add(x, y, c, CaptureKind::surround);
      ++group.count;
      s.board(x, y) = cellEmpty;
    }
  }
  // Each group removed in one move empties one of the moved stone's four neighbours.
  assert(log.groupCount < static_cast<int>(log.groups.size()));
  if (log.groupCount < static_cast<int>(log.groups.size())) log.groups[log.groupCount++] = group;
}

}  // namespace zelkan
