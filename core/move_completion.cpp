#include "core/move_completion.h"

#include "core/movement.h"
#include "core/sandwich.h"
#include "core/setup.h"
#include "core/surround.h"

namespace zelkan {

MoveRecord completeMove(GameState& s, int x1, int y1, int x2, int y2) {
  MoveRecord r;
  if (!onBoard(x1, y1) || !onBoard(x2, y2)) return r;
  if (s.board(x1, y1) != s.turnColour) return r;
  if (移動チェック(s.board, x1, y1, x2, y2, s.turnColour) == flagNo) return r;
  if (s.moveNumber < 0 || s.moveNumber + 1 >= historySize) return r;

  const Code mover = s.turnColour;
  // The enemy is the other colour, whatever otherColour holds, so no move can ever take the
  // mover's own stones.
  const Code enemy = opposite(mover);
  r.done = true;
  r.fromX = static_cast<Code>(x1);
  r.fromY = static_cast<Code>(y1);
  r.toX = static_cast<Code>(x2);
  r.toY = static_cast<Code>(y2);
  r.colour = mover;

  石移動(s.board, x1, y1, x2, y2, mover);
  挟み処理(s, x2, y2, r.captures);
  while (調査_当たり(s, x2, y2, mover, enemy) == flagYes) {
    当駒消去(s, r.captures);
    const int taken = 調査_取得数(s.markBoard);
    if (mover == cellBlack) s.blackLost = static_cast<Code>(s.blackLost + taken);
    if (mover == cellWhite) s.whiteLost = static_cast<Code>(s.whiteLost + taken);
  }

  s.selState = 0;
  s.moveLogX[s.moveNumber] = r.toX;
  s.moveLogY[s.moveNumber] = r.toY;
  s.moveLogColour[s.moveNumber] = mover;
  ++s.moveNumber;
  調査_保存(s, s.moveNumber);
  s.historyEnd = s.moveNumber;

  調査_石数(s.board, r.white, r.black);
  r.end = endTest(s.moveNumber, r.white, r.black);
  return r;
}

}  // namespace zelkan
