#include "core/judgement.h"

#include "core/counts.h"
#include "core/influence.h"

namespace zelkan {

Scores judgementScores(int blackStones, int whiteStones, int blackTerritory, int whiteTerritory,
                       int blackLost, int whiteLost) {
  return {blackTerritory + 3 * blackStones + 2 * whiteLost,
          whiteTerritory + 3 * whiteStones + 2 * blackLost};
}

Scores judgePosition(const GameState& s) {
  const Influence inf = computeInfluence(s.board);
  Code white = 0;
  Code black = 0;
  調査_石数(s.board, white, black);
  return judgementScores(black, white, inf.blackArea, inf.whiteArea, s.blackLost, s.whiteLost);
}

}  // namespace zelkan
