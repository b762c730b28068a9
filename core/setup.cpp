#include "core/setup.h"

namespace zelkan {

void 初期設定(GameState& s) {
  s.historyEnd = 0;
  s.moveNumber = 0;
  s.blackLost = 0;
  s.whiteLost = 0;
  s.gameMode = modeNone;
  s.turnColour = modeNone;
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      s.board(x, y) = y < 3 ? cellWhite : y > 17 ? cellBlack : cellEmpty;
    }
  }
  調査_保存(s, s.moveNumber);
}

void 調査_保存(GameState& s, int n) {
  assert(n >= 0 && n < historySize);
  Board& entry = s.snapshots[n];
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      entry(x, y) = s.board(x, y);
    }
  }
  s.blackLostAt[n] = s.blackLost;
  s.whiteLostAt[n] = s.whiteLost;
}

void restoreTallies(GameState& s, int n) {
  assert(n >= 0 && n < historySize);
  s.blackLost = s.blackLostAt[n];
  s.whiteLost = s.whiteLostAt[n];
}

}  // namespace zelkan
