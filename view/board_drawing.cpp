#include "view/board_drawing.h"

#include "view/coordinates.h"
#include "view/picture_list.h"

namespace zelkan {
namespace {

void copyAtCell(Canvas& canvas, Picture picture, double cx, double cy) {
  canvas.copyPicture(picture, twipsX(cx), twipsY(cy));
}

}  // namespace

void 描画_盤(Canvas& canvas, const Board& board) {
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      const Code code = board(x, y);
      if (code == cellEmpty) {
        描画_桝(canvas, x, y);
      } else if (code == cellBlack || code == cellWhite) {
        描画_石(canvas, x, y, code);
      }
    }
  }
}

void 描画_桝(Canvas& canvas, int x, int y) {
  copyAtCell(canvas, Picture::KARA, x, y);
}

void 描画_石(Canvas& canvas, int x, int y, PictureCode code) {
  if (code == cellBlack) {
    copyAtCell(canvas, Picture::KURO, x, y);
  } else if (code == codeBlackTaken) {
    copyAtCell(canvas, Picture::KUROCYU, x, y);
  } else if (code == cellWhite) {
    copyAtCell(canvas, Picture::SIRO, x, y);
  } else if (code == codeWhiteTaken) {
    copyAtCell(canvas, Picture::SIROCYU, x, y);
  } else if (code == codeVanish) {
    copyAtCell(canvas, Picture::PA, x, y);
  }
}

void 描画_石決(Canvas& canvas, int x, int y, Code colour) {
  if (colour == cellBlack) {
    copyAtCell(canvas, Picture::KUROKETU, x, y);
  } else if (colour == cellWhite) {
    copyAtCell(canvas, Picture::SIROKETU, x, y);
  }
}

void 描画_打石印(Canvas& canvas, int x, int y, Code colour) {
  canvas.fillCircle(twipsX(x) + 150, twipsY(y) + 150, 50, colour);
}

void 描画_四角形(Canvas& canvas, double x, double y, double w, double h, Code colour) {
  canvas.fillRectangle(twipsX(x), twipsY(y), w, h, colour);
}

void drawBoardFrame(Canvas& canvas) {
  copyAtCell(canvas, Picture::KARAYOKO, 0.6, 0.6);
  copyAtCell(canvas, Picture::KARAYOKO, 0.6, 19.4);
  copyAtCell(canvas, Picture::KARATATE, 0.6, 0.6);
  copyAtCell(canvas, Picture::KARATATE, 19.4, 0.6);
}

// The cell's picture, with the lines it shares with its neighbours.
CellBox cellBox(int x, int y) {
  constexpr double side = cellPictureSize * twipsPerPixel;
  return {twipsX(x), twipsY(y), side, side};
}

void drawDestinationMark(Canvas& canvas, int x, int y) {
  canvas.fillCircle(twipsX(x) + 150, twipsY(y) + 150, 60, destinationColour);
}

namespace {

// A frame `thickness` twips wide just inside the cell's edges.
void drawFrame(Canvas& canvas, int x, int y, double thickness, int colour) {
  const CellBox b = cellBox(x, y);
  canvas.fillRectangle(b.x, b.y, b.width, thickness, colour);
  canvas.fillRectangle(b.x, b.y + b.height - thickness, b.width, thickness, colour);
  canvas.fillRectangle(b.x, b.y, thickness, b.height, colour);
  canvas.fillRectangle(b.x + b.width - thickness, b.y, thickness, b.height, colour);
}

}  // namespace

// The hint's frame is dashed, three dashes a side, so it is told from the cursor's solid frame by
// its pattern too.
void drawHintFrame(Canvas& canvas, int x, int y) {
  const CellBox b = cellBox(x, y);
  constexpr double thickness = 30;
  for (const double start : {30.0 / 330, 135.0 / 330, 240.0 / 330}) {
    const double dx = b.x + b.width * start;
    const double dy = b.y + b.height * start;
    const double w = b.width * 60 / 330;
    const double h = b.height * 60 / 330;
    canvas.fillRectangle(dx, b.y, w, thickness, hintColour);
    canvas.fillRectangle(dx, b.y + b.height - thickness, w, thickness, hintColour);
    canvas.fillRectangle(b.x, dy, thickness, h, hintColour);
    canvas.fillRectangle(b.x + b.width - thickness, dy, thickness, h, hintColour);
  }
}

void drawCursorFrame(Canvas& canvas, int x, int y) {
  drawFrame(canvas, x, y, 30, cursorColour);
}

}  // namespace zelkan
