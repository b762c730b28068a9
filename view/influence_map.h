// The influence map: every empty cell tinted with the colour of the side that controls it.
#pragma once

#include "core/game_state.h"
#include "view/canvas.h"

namespace zelkan {

struct InfluenceAreas {
  Code whiteArea = 0;  // empty cells white controls
  Code blackArea = 0;  // empty cells black controls
};

// Paints every empty cell black-tinted, white-tinted or plain by who controls it, leaves the
// stones alone, and returns the counts, white's first. The board is not changed.
InfluenceAreas 描画_勢力図(Canvas& canvas, const Board& board);

}  // namespace zelkan
