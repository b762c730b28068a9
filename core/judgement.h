// The judgement's scores: 3 a stone on the board, 2 a stone of the opponent's loss tally, 1 a
// cell of territory.
#pragma once

#include "core/game_state.h"

namespace zelkan {

struct Scores {
  int black = 0;
  int white = 0;
};

Scores judgementScores(int blackStones, int whiteStones, int blackTerritory, int whiteTerritory,
                       int blackLost, int whiteLost);

// The scores of the position and tallies held in s.
Scores judgePosition(const GameState& s);

}  // namespace zelkan
