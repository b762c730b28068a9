// Cells as players of grid games name them: the column's letter, A to T without I, from the left,
// then the row's number, 1 to 19 from black's home side at the bottom. The centre is "K10".
#pragma once

#include <string>

namespace zelkan {

// The name of cell (x, y), x the column from the left and y the row from the top, both 1..19;
// empty off the board.
std::string cellName(int x, int y);

}  // namespace zelkan
