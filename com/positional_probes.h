// What surrounds a cell: how open the area is, what its four neighbours hold, whether it is a gap
// between two enemy stones, and where the run of computer stones through it ends.
#pragma once

#include "core/game_state.h"

namespace zelkan {

// Openness: 0.01 added once per empty cell in the 7 x 7 square centred on (x, y), the cell
// itself included and cells off the board left out. Exactly 0 when none is empty.
double 調査_空数値(const Board& board, int x, int y);

// The value 調査_空数値 gives for a square with emptyCells (0..49) empty cells.
double opennessOf(int emptyCells);

// 100 per empty, 10 per human and 1 per computer orthogonal neighbour on the board (left, right,
// up, down); the cell itself is not read.
int 調査_四方数値(const Board& board, int x, int y, Code comColour, Code humanColour);

// flagYes when the interior cell (x, y) lies between two stones of colour, left and right with
// the cells above and below empty, or above and below with the cells left and right empty.
// The cell itself is not read.
Flag 調査_間入(const Board& board, int x, int y, Code colour);

// From the neighbour of (x, y) toward the edge, pass over every cell that is neither empty nor
// humanColour and stop at the first that is: flagYes with its position and kind (cellEmpty or
// humanColour). flagNo when only other stones lie up to the edge; kind then stays as it was and
// cx, cy name no cell.
Flag 調査_COM以外_上(const Board& board, int x, int y, Code& cx, Code& cy, Code& kind,
                     Code humanColour);
Flag 調査_COM以外_下(const Board& board, int x, int y, Code& cx, Code& cy, Code& kind,
                     Code humanColour);
Flag 調査_COM以外_左(const Board& board, int x, int y, Code& cx, Code& cy, Code& kind,
                     Code humanColour);
Flag 調査_COM以外_右(const Board& board, int x, int y, Code& cx, Code& cy, Code& kind,
                     Code humanColour);

}  // namespace zelkan
