// Carrying out one move to its end: the move, its captures, the record and the end test. The
// human's and the computer's moves both come through here; the drawing replays the record.
#pragma once

#include "core/capture_log.h"
#include "core/counts.h"
#include "core/game_state.h"

namespace zelkan {

struct MoveRecord {
  bool done = false;  // false: the move was refused and nothing changed
  Code fromX = 0;
  Code fromY = 0;
  Code toX = 0;
  Code toY = 0;
  Code colour = 0;  // the mover
  // Sandwich removals first, in the order taken, then each surround group in turn.
  CaptureLog captures;
  Code white = 0;  // stones on the board after the move
  Code black = 0;
  GameEnd end = GameEnd::none;
};

// Moves the turnColour stone on (x1, y1) to (x2, y2) and completes the move: sandwich captures,
// surround captures with their tallies (the mover's tally grows by each group it surrounds, as
// well as the loser's), selection ended, move log, move number, history snapshot, historyEnd,
// stone counts and end test. The turn is not passed: that is the caller's, when end is none.
// Refused, with nothing changed, when a coordinate is off the board, the source does not hold a
// stone of turnColour, 移動チェック says no, or the history is full.
MoveRecord completeMove(GameState& s, int x1, int y1, int x2, int y2);

}  // namespace zelkan
