#include "core/cell_names.h"

#include "core/game_state.h"

namespace zelkan {

char columnLetter(int x) {
  static constexpr char letters[] = "ABCDEFGHJKLMNOPQRST";
  return x >= 1 && x <= 19 ? letters[x - 1] : '?';
}

std::string cellName(int x, int y) {
  if (!onBoard(x, y)) return {};
  return columnLetter(x) + std::to_string(rowNumber(y));
}

std::string moveName(const RecordMove& move, const std::string& pass) {
  if (move.pass) return pass;
  return cellName(move.x1, move.y1) + "-" + cellName(move.x2, move.y2);
}

}  // namespace zelkan
