// Cells named as players of other grid games name them: the columns lettered A to T from the
// left, I left out so it is never taken for J or 1, and the rows numbered 1 to 19 from the bottom,
// black's home side. The centre is K10; black's home rows are 1 and 2, white's 18 and 19. Every
// text a player reads names cells this way; the engine keeps its numbers.
#pragma once

#include <string>

#include "core/game_record.h"

namespace zelkan {

// The letter of column x (1..19 from the left).
char columnLetter(int x);
// The number of row y (1..19 from the top) as it is read: 19 at the top, 1 at the bottom.
inline int rowNumber(int y) {
  return 20 - y;
}
// "K10" for the cell (10, 10); empty off the board.
std::string cellName(int x, int y);
// "K3-K9" for a move from one cell to another, or "pass" in the player's words given.
std::string moveName(const RecordMove& move, const std::string& pass);

}  // namespace zelkan
