// The review window's image: the evaluation of a game move by move as a graph, black's advantage
// up and white's down, each move a mark in the colour of its class and the move to play from the
// position the game shows marked; below it the list of the mistakes and blunders. The image is
// the size of the main window's client area, at the same scale.
#pragma once

#include <optional>
#include <vector>

#include "com/game_review.h"
#include "view/canvas.h"

namespace zelkan {

struct ReviewPicture {
  std::vector<std::optional<ReviewRow>> rows;  // one per move reviewed, each once it is given
  int current = -1;   // the move to play from the game's position; rows.size() past the last
  int listFirst = 0;  // the first line of the list shown
  bool done = false;  // every row is given
};

// The graph's box in scale-1 pixels, and the line spacing of the list.
inline constexpr int reviewGraphLeft = 60;
inline constexpr int reviewGraphTop = 30;
inline constexpr int reviewGraphRight = clientWidth - 12;
inline constexpr int reviewGraphBottom = 220;
inline constexpr int reviewListTop = 262;
inline constexpr int reviewLineHeight = 18;
inline constexpr int reviewListLines = (clientHeight - 6 - reviewListTop) / reviewLineHeight;

// The palette colour of a class's marks, and the graph's own colours.
int moveClassColour(MoveClass c);
inline constexpr int reviewPlotColour = 0;      // the graph's ground: black
inline constexpr int reviewLineColour = 15;     // the evaluation: white
inline constexpr int reviewCurrentColour = 11;  // the move to play: the latest-move mark's cyan

// The scale-1 pixel column of move k's mark among `moves`; k = moves is the graph's right end.
int reviewMoveX(int moves, int k);
// The scale-1 pixel row of a value on a graph whose top stands for `range` points.
int reviewValueY(int value, int range);
// The points the graph's top stands for: a round number at least as large as every value.
int reviewRange(const ReviewPicture& picture);

// The moves the list names (the mistakes and blunders given so far), in move order.
std::vector<int> reviewListed(const ReviewPicture& picture);

// Paints the whole image.
void drawReview(Canvas& canvas, const ReviewPicture& picture);

// The move whose mark or list line lies at the scale-1 pixel (x, y): a column of the graph picks
// the move drawn there, a line of the list the move it names; nothing elsewhere, or for a move
// not yet given.
std::optional<int> reviewMoveAt(const ReviewPicture& picture, int x, int y);

}  // namespace zelkan
