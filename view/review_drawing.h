// The review window's graph: the evaluation of a game move by move, black's advantage up and
// white's down, each move a mark in the colour of its class with its sign above it, and the move
// to play from the position the game shows marked. It fills an image of any size, at the
// window's scale. Beside it, what the window's summary and list show, worked out here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "com/game_review.h"
#include "view/canvas.h"

namespace zelkan {

// The graph's opening size in scale-1 pixels: the main window's width, and about half its height.
inline constexpr int reviewOpeningHeight = 250;

struct ReviewPicture {
  std::vector<std::optional<ReviewRow>> rows;  // one per move reviewed, each once it is given
  int current = -1;         // the move to play from the game's position; rows.size() past the last
  bool done = false;        // every row is given
  int width = clientWidth;  // the image's size in scale-1 pixels
  int height = reviewOpeningHeight;
};

// The graph's plot in scale-1 pixels: [left, right) x [top, bottom).
struct ReviewPlot {
  int left = 0, top = 0, right = 0, bottom = 0;
};
ReviewPlot reviewPlot(const ReviewPicture& picture);

// The palette colour of a class's marks, and the graph's own colours.
int moveClassColour(MoveClass c);
inline constexpr int reviewPlotColour = 0;      // the graph's ground: black
inline constexpr int reviewLineColour = 15;     // the evaluation: white
inline constexpr int reviewCurrentColour = 11;  // the move to play: the latest-move mark's cyan

// The sign of a class, as chess players annotate moves: "?!", "?", "??", or empty.
const char* moveClassSign(MoveClass c);
// The class's name in the player's language.
const char* moveClassLabel(MoveClass c);

// The scale-1 pixel column of move k's mark; k = rows is the graph's right end.
int reviewMoveX(const ReviewPicture& picture, int k);
// The scale-1 pixel row of a value on a graph whose top stands for `range` points.
int reviewValueY(const ReviewPicture& picture, int value, int range);
// The points the graph's top stands for: a round number at least as large as every value.
int reviewRange(const ReviewPicture& picture);

// Paints the whole image, picture.width x picture.height.
void drawReview(Canvas& canvas, const ReviewPicture& picture);

// The move whose column of the graph lies at the scale-1 pixel (x, y); nothing elsewhere, or for
// a move not yet given.
std::optional<int> reviewMoveAt(const ReviewPicture& picture, int x, int y);

// Black's or white's moves given so far, counted by class, and the loss a move on average.
struct ReviewSummary {
  int inaccuracies = 0, mistakes = 0, blunders = 0;
  int moves = 0;
  double averageLoss = 0;
};
// side: 0 for black (the first mover), 1 for white.
ReviewSummary reviewSummary(const ReviewPicture& picture, int side);
// The summary as the window shows it, in the player's language.
std::string reviewSummaryText(const ReviewSummary& summary, int side);

// Which moves the list shows.
enum class ReviewShown { both, black, white };
std::vector<int> reviewListed(const ReviewPicture& picture, ReviewShown shown);

}  // namespace zelkan
