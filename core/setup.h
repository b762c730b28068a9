// Putting the stones in the starting position, and recording positions in the history.
#pragma once

#include "core/game_state.h"

namespace zelkan {

// Resets the counters, the tallies and the mode, puts white on rows 1-2 and black on rows 18-19,
// and stores the position as history entry 0. Leaves the selection, the move log, the player
// colours and resumePending as they were. The side panel and the board are the caller's to draw.
void 初期設定(GameState& s);

// Copies the playable cells of the board and the two loss tallies into history entry n (0..500).
void 調査_保存(GameState& s, int n);

// Brings the loss tallies back to those of history entry n, as a step to that position must.
void restoreTallies(GameState& s, int n);

}  // namespace zelkan
