// The pages of the rules window: a title, a few lines and diagrams on each. Every diagram is a
// real position, its move made by the rules of core/, drawn with the board's own pictures; every
// number of the worked example is counted by core/ too. A page fills an image the size of the
// main window's client area, at the same scale, or a wider one, its text wrapped to the width.
#pragma once

#include <string>
#include <vector>

#include "core/game_state.h"
#include "view/canvas.h"

namespace zelkan {

// A section of the board shown before a move and, where there is one, after it.
struct RulesDiagram {
  int left = 1;  // the section: columns left .. left + columns - 1, rows top .. top + rows - 1
  int top = 1;
  int columns = 0;
  int rows = 0;
  Board before;
  Board after;  // the board the move left; before itself when there is no move
  bool moves = false;
  int fromX = 0;
  int fromY = 0;
  int toX = 0;
  int toY = 0;
  bool influence = false;  // the last board's empty cells tinted by the side that holds them
  std::string caption;
};

struct RulesPage {
  std::string title;
  std::string text;  // above the diagrams
  std::vector<RulesDiagram> diagrams;
  std::string notes;  // below them
};

inline constexpr int rulesPageCount = 8;

// Page 0 .. rulesPageCount - 1 in the player's language, its positions played afresh. Throws
// std::out_of_range for any other index.
RulesPage rulesPage(int index);

// Where a page's parts landed: each text's box in image pixels, and the top-left corner of each
// diagram's boards in scale-1 pixels (the after board's is the before board's when there is no
// move).
struct RulesLayout {
  struct Boards {
    int beforeX, beforeY, afterX, afterY;
  };
  std::vector<PixelBox> texts;
  std::vector<Boards> diagrams;
};

// The spacing of the cells in a diagram, in scale-1 pixels, as on the board.
inline constexpr int diagramPitch = 22;

// Paints the whole image: the page over the window background.
RulesLayout drawRulesPage(Canvas& canvas, const RulesPage& page);

}  // namespace zelkan
