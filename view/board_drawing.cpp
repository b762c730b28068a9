#include "view/board_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/cell_names.h"
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

CellBox moveStrip(int x1, int y1, int x2, int y2) {
  const CellBox a = cellBox(std::min(x1, x2), std::min(y1, y2));
  const CellBox b = cellBox(std::max(x1, x2), std::max(y1, y2));
  return {a.x, a.y, b.x + b.width - a.x, b.y + b.height - a.y};
}

namespace {

constexpr double middle = 165;  // twips from a cell's point to the middle of its picture

// The unit step from (x1, y1) towards (x2, y2) along their row or column.
int stepOf(int from, int to) {
  return to > from ? 1 : to < from ? -1 : 0;
}

}  // namespace

void drawPlayedMove(Canvas& canvas, int x1, int y1, int x2, int y2) {
  const double ax = twipsX(x1) + middle, ay = twipsY(y1) + middle;
  const double bx = twipsX(x2) + middle, by = twipsY(y2) + middle;
  canvas.drawLine(ax, ay, bx, by, 3, playedColour);
  // The arrowhead's two barbs, back from the end at 45 degrees on either side.
  constexpr double barb = 105;
  const int dx = stepOf(x1, x2), dy = stepOf(y1, y2);
  for (const int side : {-1, 1}) {
    canvas.drawLine(bx, by, bx - barb * (dx - side * dy), by - barb * (dy + side * dx), 3,
                    playedColour);
  }
}

void drawBetterMove(Canvas& canvas, int x1, int y1, int x2, int y2) {
  drawHintFrame(canvas, x1, y1);
  drawHintFrame(canvas, x2, y2);
  // A bead every half cell between the two frames, white at its heart so it shows on a stone,
  // on the board and on the line of a move played the same way.
  const int steps = 2 * std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  const int dx = stepOf(x1, x2), dy = stepOf(y1, y2);
  for (int i = 2; i < steps - 1; ++i) {
    const double x = twipsX(x1) + middle + dx * i * cellWidth / 2.0;
    const double y = twipsY(y1) + middle + dy * i * cellHeight / 2.0;
    canvas.fillCircle(x, y, 45, hintColour);
    canvas.fillCircle(x, y, 15, cellWhite);
  }
}

namespace {

// The margins the names take: left of the left bar (which starts at pixel 17) beside the rows,
// and under the bottom bar (which ends at pixel 441) below the columns.
constexpr double numbersLeft = 0, numbersWidth = 16 * twipsPerPixel;
constexpr double lettersTop = 442 * twipsPerPixel, lettersHeight = 18 * twipsPerPixel;
constexpr double coordinatePoints = 8;

}  // namespace

void drawCoordinates(Canvas& canvas) {
  for (int i = 1; i <= boardSize; ++i) {
    const std::string number = std::to_string(rowNumber(i));
    canvas.drawCentredText(numbersLeft + numbersWidth / 2, twipsY(i) + middle, number,
                           coordinateColour, coordinatePoints);
    const std::string letter(1, columnLetter(i));
    canvas.drawCentredText(twipsX(i) + middle, lettersTop + lettersHeight / 2, letter,
                           coordinateColour, coordinatePoints);
  }
}

void wipeCoordinates(Canvas& canvas) {
  canvas.fillRectangle(numbersLeft, twipsY(1), numbersWidth, twipsY(boardSize + 1) - twipsY(1),
                       backColour);
  canvas.fillRectangle(twipsX(1), lettersTop, twipsX(boardSize + 1) - twipsX(1), lettersHeight,
                       backColour);
}

}  // namespace zelkan
