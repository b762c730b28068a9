// The score of one candidate move of the computer: a hand-tuned sum of terms from the probes.
#pragma once

#include "com/second_source.h"
#include "core/game_state.h"

namespace zelkan {

// Openness of every playable cell on the position before the computer's move (調査_空数値),
// filled once per search.
using OpennessGrid = Grid<double>;

struct ScoringContext {
  Board& board;  // holds the candidate move made on entry, and again on return
  const OpennessGrid& emptyValue;
  Code comColour;
  Code humanColour;
  SecondSource& clock;
};

// The score of the move (fromX, fromY) -> (toX, toY), already made on c.board. The terms are
// added in a fixed order in double arithmetic, so candidates in equal situations score exactly
// the same and the search's tie-break decides between them.
double 調査_得点(const ScoringContext& c, int fromX, int fromY, int toX, int toY);

}  // namespace zelkan
