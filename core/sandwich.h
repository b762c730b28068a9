// Sandwich capture: the moved stone takes every enemy line it closes against a stone of its own.
#pragma once

#include "core/capture_log.h"
#include "core/game_state.h"

namespace zelkan {

// Direction probes from the stone on (x, y). flagYes when an unbroken line of one or more enemy
// stones runs from the next cell to a stone of (x, y)'s colour, which is then put in farX, farY;
// otherwise flagNo and farX, farY stay as they were. The board edge never closes a line.
Flag 調査挟み_上(const Board& board, int x, int y, Code& farX, Code& farY);
Flag 調査挟み_下(const Board& board, int x, int y, Code& farX, Code& farY);
Flag 調査挟み_左(const Board& board, int x, int y, Code& farX, Code& farY);
Flag 調査挟み_右(const Board& board, int x, int y, Code& farX, Code& farY);

// Takes every line the stone on (x, y) closes, probing up, down, left and right in that order.
void 挟み処理(GameState& s, int x, int y, CaptureLog& log);

// Removes the stones between the capturing stone (x1, y1) and the closing stone (x2, y2), from
// the capturing stone outward, each counted in its owner's loss tally.
void 石_取得(GameState& s, int x1, int y1, int x2, int y2, CaptureLog& log);

}  // namespace zelkan
