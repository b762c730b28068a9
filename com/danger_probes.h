// The tactical questions behind the computer's move score, one human move ahead: can a human
// stone slide to a cell, is a computer stone about to be sandwiched, how many human stones does a
// stone sandwich, and does a stone head a line of human stones that could be sandwiched.
#pragma once

#include "core/game_state.h"

namespace zelkan {

// Reach test: flagYes when an enemy stone has a free straight line to (x, y). The lines start at
// (x, y) itself and run up, down, left and right, passing over empty cells; an own stone closes
// a line.
Flag 調査危険_座標(const Board& board, int x, int y, Code own, Code enemy);

// flagYes with the position of the first orthogonal neighbour of (x, y) holding colour, in the
// order left, right, up, down; otherwise flagNo and nx, ny stay as they were.
Flag 調査_隣敵(const Board& board, int x, int y, Code& nx, Code& ny, Code colour);

// Enemy stones the stone on (x, y) sandwiches toward its first adjacent enemy (left, right, up,
// down); 0 when there is none or that line is not closed by a stone of (x, y)'s colour.
int 調査_挟める数(const Board& board, int x, int y, Code enemy);

// flagYes when, in some direction, one or more enemy stones follow the stone on (x, y) without a
// gap and end in an empty cell an enemy stone can reach.
Flag 調査_挟み可能(const Board& board, int x, int y, Code own, Code enemy);

// The threat test: the run of computer stones through (x, y) along one axis has a human stone at
// one end and at the other an empty cell a human stone can reach. Vertical axis first; the
// horizontal one only when the vertical one is safe.
Flag 調査_挟まれていたか(const Board& board, int x, int y, Code comColour, Code humanColour);

// -2 when the computer stone on (x, y) is threatened along either axis (or both), else 0.
int 調査_移動先_危険値(const Board& board, int x, int y, Code comColour, Code humanColour);

// +2 when the computer stone was threatened on (fromX, fromY) before its move to (toX, toY),
// else 0. Tests on the position before the move and leaves the position after it: (fromX, fromY)
// empty and (toX, toY) holding comColour, whatever the two cells held on entry.
int 調査_移動元_危険値(Board& board, int fromX, int fromY, int toX, int toY, Code comColour,
                       Code humanColour);

}  // namespace zelkan
