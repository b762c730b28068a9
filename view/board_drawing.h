// Drawing the board: cells, stones, the picked-up stone, the capture frames, the latest-move
// mark, the frame round the grid and the wiping rectangle. Cells are (x, y), 1..19 each.
#pragma once

#include "core/game_state.h"
#include "view/canvas.h"

namespace zelkan {

// Draws every playable cell from the board: empty cells plain, stones as stones; a cell with
// any other code is left alone. Neither the latest-move mark nor the influence tints are drawn,
// so this also clears them.
void 描画_盤(Canvas& canvas, const Board& board);

// Draws cell (x, y) empty: the board's eraser for stones, marks and tints.
void 描画_桝(Canvas& canvas, int x, int y);

// Draws the stone or capture frame of a picture code at cell (x, y): cellBlack, cellWhite,
// codeBlackTaken, codeWhiteTaken or codeVanish. Any other code draws nothing.
void 描画_石(Canvas& canvas, int x, int y, PictureCode code);

// Draws the picked-up look of a black or white stone at cell (x, y); any other colour draws
// nothing.
void 描画_石決(Canvas& canvas, int x, int y, Code colour);

// The latest-move mark: a small dot in palette colour near the middle of cell (x, y).
void 描画_打石印(Canvas& canvas, int x, int y, Code colour);

// Fills the box at cell position (x, y), w by h twips, in palette colour.
void 描画_四角形(Canvas& canvas, double x, double y, double w, double h, Code colour);

// The four bars round the grid, drawn once at start-up before the cells.
void drawBoardFrame(Canvas& canvas);

// The helps laid over the board, each inside cell (x, y) (cellBox is what they cover): a cell the
// picked-up stone may move to (a dot), a cell of the hinted move (a dashed frame), the
// keyboard's cursor (a plain frame). Each is told apart by its shape as well as its colour.
struct CellBox {
  double x, y, width, height;  // twips
};
CellBox cellBox(int x, int y);
void drawDestinationMark(Canvas& canvas, int x, int y);
void drawHintFrame(Canvas& canvas, int x, int y);
void drawCursorFrame(Canvas& canvas, int x, int y);

// A move marked from its start cell (x1, y1) to its end cell (x2, y2). A move runs along a row
// or a column, so its mark lies inside the strip of cells from one to the other (moveStrip). The
// move played: a solid line from the middle of one cell to the other, an arrowhead at its end.
// The better move, a hint's: both cells framed, a row of beads between them, laid over the move
// played where the two share cells.
CellBox moveStrip(int x1, int y1, int x2, int y2);
void drawPlayedMove(Canvas& canvas, int x1, int y1, int x2, int y2);
void drawBetterMove(Canvas& canvas, int x1, int y1, int x2, int y2);

// The palette colours of those helps.
inline constexpr int destinationColour = 10;  // bright green
inline constexpr int hintColour = 13;         // bright magenta
inline constexpr int cursorColour = 12;       // bright red
inline constexpr int playedColour = 12;       // bright red

// The cells' names round the board ("座標表示"): each column's letter under the bottom bar, each
// row's number left of the left bar, in the margins nothing else draws on. Wiping them gives
// the margins back their background.
void drawCoordinates(Canvas& canvas);
void wipeCoordinates(Canvas& canvas);
inline constexpr int coordinateColour = 0;  // black, the darkest on the grey

}  // namespace zelkan
