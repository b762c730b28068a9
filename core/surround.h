// Surround capture: enemy groups touching the moved stone that are left without a liberty.
#pragma once

#include "core/capture_log.h"
#include "core/game_state.h"

namespace zelkan {

// flagYes when the first enemy group touching (x, y) that has no liberty is found (neighbours
// in the order left, right, up, down); that group is then marked in markBoard. (x, y) holds the
// mover's stone for the duration of the test and is restored afterwards.
Flag 調査_当たり(GameState& s, int x, int y, Code mover, Code enemy);

// flagYes when the group of colour that holds (x, y) has no liberty; the whole group is then
// marked in markBoard. A stone that touches an empty cell answers flagNo at once and leaves
// markBoard alone.
Flag 調査_当たり2(GameState& s, int x, int y, Code colour);

// flagYes when an orthogonal neighbour of (x, y) inside the board holds code.
Flag 調査_四方状態(const Board& board, int x, int y, Code code);

// Sweeps that pass the mark on to stones of colour in one direction. Each returns the number of
// cells it newly marked, or -1 as soon as it meets an empty cell next to a marked one.
int 調査_向右(GameState& s, Code colour);
int 調査_向左(GameState& s, Code colour);
int 調査_向上(GameState& s, Code colour);
int 調査_向下(GameState& s, Code colour);

// Removes every marked stone (x outer, y inner), each counted in its owner's loss tally, as one
// group of the log. The marks stay.
void 当駒消去(GameState& s, CaptureLog& log);

}  // namespace zelkan
