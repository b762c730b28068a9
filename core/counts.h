// Stone counts, the size of the marked group, and the end test.
#pragma once

#include "core/game_state.h"

namespace zelkan {

// Stones of each colour on the board, white first.
void 調査_石数(const Board& board, Code& white, Code& black);

// Number of marked cells: the size of the group the last surround test marked.
int 調査_取得数(const MarkBoard& markBoard);

enum class GameEnd : std::uint8_t {
  none,
  limit,  // the move limit is reached (reported when both reasons hold)
  lead,   // one side has at most half the stones of the other
};

// The test made after every completed move, with the stone counts after it.
GameEnd endTest(Code moveNumber, Code white, Code black);

}  // namespace zelkan
