// The side panel right of the board: text, the move lines, the side labels, the taken counts,
// the robot and the title plate. Positions are cell positions, as on the board.
#pragma once

#include <string>
#include <string_view>

#include "core/game_state.h"
#include "view/canvas.h"

namespace zelkan {

// The standard numeric text form: a blank where a plus sign would be (" 5", "-5").
std::string numberText(long long value);

// Writes text with its top-left at cell position (x, y), in palette colour, at size points.
void 描画_文字列(Canvas& canvas, double x, double y, std::string_view text, Code colour,
                 double size);
// The same for a number, written in the standard numeric text form.
void 描画_文字列(Canvas& canvas, double x, double y, long long number, Code colour, double size);

// The move lines: "n 手目" and "あと r 手で終了です", r the moves left before moveLimit.
void 描画_手数(Canvas& canvas, int n);

// The two sides' stone icons and labels.
void 描画_石手番(Canvas& canvas, std::string_view blackLabel, std::string_view whiteLabel);

// The taken counts in digit pictures, the last digit of each always at column 24.8: upper
// beside the black icon, lower beside the white one.
void 描画_石取得数(Canvas& canvas, int upper, int lower);

// Robot frame 0..4 (resting, waiting, thinking, pleased, dismayed); any other value draws
// nothing.
void 描画_ロボット(Canvas& canvas, int frame);

// The title plate at the top of the panel, drawn once at start-up.
void drawTitlePlate(Canvas& canvas);

// The start position of the rules with the drawing that goes with it: the panel's message
// area (labels, counts, move lines, judgement text and robot) is wiped. The board itself is
// the caller's to draw.
void 初期設定(GameState& s, Canvas& canvas);

}  // namespace zelkan
