// Influence: which side controls each empty cell, by the nearness of its stones.
#pragma once

#include <cstdint>

#include "core/game_state.h"

namespace zelkan {

enum class Owner : std::uint8_t {
  stone,  // the cell holds a stone and is neither counted nor tinted
  none,   // empty, equal influence (including none at all): plain
  black,
  white,
};

struct Influence {
  Grid<std::int8_t> black;  // strongest weight a black stone casts on each empty cell
  Grid<std::int8_t> white;
  Grid<Owner> owner;
  Code whiteArea = 0;
  Code blackArea = 0;
};

// Every stone casts 3, 2 or 1 on the empty cells one, two or three king's steps away; each side
// keeps the strongest weight it casts on a cell, and the stronger side takes the cell.
Influence computeInfluence(const Board& board);

}  // namespace zelkan
