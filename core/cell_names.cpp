#include "core/cell_names.h"

#include "core/game_state.h"

namespace zelkan {

std::string cellName(int x, int y) {
  if (!onBoard(x, y)) return {};
  static constexpr char letters[] = "ABCDEFGHJKLMNOPQRST";
  return letters[x - 1] + std::to_string(boardSize + 1 - y);
}

}  // namespace zelkan
