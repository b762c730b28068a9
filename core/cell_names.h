// Cells named as players of other grid games name them: the columns lettered A to T from the
// left, I left out so it is never taken for J or 1, and the rows numbered 1 to 19 from the bottom,
// black's home side. The centre is K10; black's home rows are 1 and 2, white's 18 and 19. Every
// text a player reads names cells this way; the engine keeps its numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

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

// The cell (x, y) a name such as cellName writes names: a column letter in either case and a row
// from 1 to 19 with no leading zero ("K10", "k10", "t19"), and nothing else; none for anything
// else, "I5" and "K20" among them. Letters and digits typed in their full-width forms count as
// the plain ones, as a Japanese input method may give them.
std::optional<std::pair<int, int>> parseCellName(std::string_view text);

// A move as a player types it: the stone's cell and the cell it goes to, each as parseCellName
// takes it, with nothing between them or any one of blanks, a hyphen or a dash, an arrow ("→",
// "->"), a comma ("," or "、"), a wave dash, "to" or "から": "K2 K8", "k2-k8", "K2K8", "k2 to
// k8", "K2→K8", "K2からK8へ". Blanks may stand before and after. None for anything else; whether
// the move is legal is not asked.
std::optional<RecordMove> parseMoveName(std::string_view text);

}  // namespace zelkan
