#include "com/scoring.h"

#include "com/danger_probes.h"
#include "com/positional_probes.h"

namespace zelkan {
namespace {

void takeBack(const ScoringContext& c, int fromX, int fromY, int toX, int toY) {
  c.board(toX, toY) = cellEmpty;
  c.board(fromX, fromY) = c.comColour;
}

void makeAgain(const ScoringContext& c, int fromX, int fromY, int toX, int toY) {
  c.board(toX, toY) = c.comColour;
  c.board(fromX, fromY) = cellEmpty;
}

}  // namespace

double 調査_得点(const ScoringContext& c, int fromX, int fromY, int toX, int toY) {
  const Code com = c.comColour;
  const Code human = c.humanColour;

  // Clock base, 0.00 to 0.59.
  double score = c.clock.second() / 100.0;

  // Openness gain; a less open destination costs nothing.
  const double openTo = c.emptyValue(toX, toY);
  const double openFrom = c.emptyValue(fromX, fromY);
  if (openTo > openFrom) score = (score + openTo) - openFrom;

  const int sandwiched = 調査_挟める数(c.board, toX, toY, human);
  if (sandwiched > 0) {
    // A capture outweighs every positional term.
    score = score + 2 * sandwiched;
  } else {
    takeBack(c, fromX, fromY, toX, toY);
    // Anchor loss: the stone was closing a human line that could still be sandwiched.
    if (調査_挟み可能(c.board, fromX, fromY, com, human) == flagYes) score = score - 1;
    if (調査_四方数値(c.board, toX, toY, com, human) == 400) {
      // Flight to open ground of a stone under threat.
      if (調査_挟まれていたか(c.board, fromX, fromY, com, human) == flagYes) score = score + 2;
    } else if (調査_四方数値(c.board, toX, toY, com, human) == 310) {
      // Approach: three empty neighbours and one human stone.
      score = score + 0.5;
    }
    makeAgain(c, fromX, fromY, toX, toY);

    if (調査_間入(c.board, toX, toY, human) == flagYes) score = score + 1;
    score = score + 調査_移動先_危険値(c.board, toX, toY, com, human);
  }

  // Rescue: a stone next to a human one leaves a threatened spot it was not anchoring.
  Code nx = 0;
  Code ny = 0;
  if (調査_隣敵(c.board, fromX, fromY, nx, ny, human) == flagYes) {
    takeBack(c, fromX, fromY, toX, toY);
    if (調査_挟み可能(c.board, fromX, fromY, com, human) == flagNo) {
      score = score + 調査_移動元_危険値(c.board, fromX, fromY, toX, toY, com, human);
    }
    makeAgain(c, fromX, fromY, toX, toY);
  }
  return score;
}

}  // namespace zelkan
