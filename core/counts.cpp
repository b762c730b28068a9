#include "core/counts.h"

namespace zelkan {

void 調査_石数(const Board& board, Code& white, Code& black) {
  white = 0;
  black = 0;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      if (board(x, y) == cellBlack) ++black;
      if (board(x, y) == cellWhite) ++white;
    }
  }
}

int 調査_取得数(const MarkBoard& markBoard) {
  int n = 0;
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      if (markBoard(x, y) > 0) ++n;
    }
  }
  return n;
}

GameEnd endTest(Code moveNumber, Code white, Code black) {
  if (moveNumber >= moveLimit) return GameEnd::limit;
  if (2 * white <= black || 2 * black <= white) return GameEnd::lead;
  return GameEnd::none;
}

}  // namespace zelkan
