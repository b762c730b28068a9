// Move legality and the board part of moving a stone.
#pragma once

#include "core/game_state.h"

namespace zelkan {

// flagYes when a stone may move from (x1, y1) to (x2, y2): the destination is empty, lies in the
// same row or column, and the cells passed over are all empty, all white or all black (or there
// are none). The source cell is not examined and the colour is not used: the caller makes sure
// the source holds a stone of the mover.
Flag 移動チェック(const Board& board, int x1, int y1, int x2, int y2, Code colour);

// True when some stone of `colour` has a move: in a direction from it, the first cell is empty, or
// a line of one colour ends at an empty cell. A side without one can only pass.
bool hasLegalMove(const Board& board, Code colour);

// Empties (x1, y1) and puts code on (x2, y2). No check, no capture.
void 石移動(Board& board, int x1, int y1, int x2, int y2, Code code);

}  // namespace zelkan
