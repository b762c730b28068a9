// Screen positions: cell positions to twips, and twips to whole pixels.
#pragma once

#include <cmath>

#include "core/game_state.h"

namespace zelkan {

inline constexpr int twipsPerPixel = 15;  // at 96 dots per inch

// The screen point, in twips, of a cell position; fractional positions are allowed.
// Cell (1, 1) is at (380, 230), cell (19, 19) at (6320, 6170).
constexpr double twipsX(double cx) {
  return boardLeft + cellWidth * cx;
}
constexpr double twipsY(double cy) {
  return boardTop + cellHeight * cy;
}

// The pixel nearest to a position in twips, so pictures always land on whole pixels.
inline int pixelOf(double twips) {
  return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace zelkan
