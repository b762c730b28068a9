#include "view/influence_map.h"

#include "core/influence.h"
#include "view/board_drawing.h"
#include "view/coordinates.h"

namespace zelkan {

InfluenceAreas 描画_勢力図(Canvas& canvas, const Board& board) {
  const Influence influence = computeInfluence(board);
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      switch (influence.owner(x, y)) {
        case Owner::black:
          canvas.copyPicture(Picture::KARAKURO, twipsX(x), twipsY(y));
          break;
        case Owner::white:
          canvas.copyPicture(Picture::KARASIRO, twipsX(x), twipsY(y));
          break;
        case Owner::none:
          描画_桝(canvas, x, y);
          break;
        case Owner::stone:
          break;
      }
    }
  }
  return {influence.whiteArea, influence.blackArea};
}

}  // namespace zelkan
