#include "view/panel_drawing.h"

#include <cstdlib>

#include "core/setup.h"
#include "view/board_drawing.h"
#include "view/coordinates.h"
#include "view/texts.h"

namespace zelkan {
namespace {

constexpr double panelTextSize = 11;

// The right edge of the panel's message area, in twips.
constexpr double messageAreaRight = twipsX(20.5) + 2500;

// Wipes one line of the move count, 300 twips high, from column x to the right edge of the
// message area. The words after the number run past a 1000-twip wipe, and smoothed text drawn
// again over itself grows bolder each time, so the whole line is cleared.
void wipeMoveLine(Canvas& canvas, double x, double row) {
  描画_四角形(canvas, x, row, messageAreaRight - twipsX(x), 300, backColour);
}

// The move lines. As the game has always drawn them, each number stands on its own between its
// words, at columns of its own; a translated line is written whole from the left of the message
// area instead, for its words may come in another order.
// TRANSLATORS: the panel's first move line: "move %d", the number of the move being played.
// It must fit in about 145 pixels at 11 points.
// xgettext:c-format
constexpr const char* moveNumberLine = N_("%d 手目");
// TRANSLATORS: the panel's second move line: "%d moves left before the game ends". It must fit
// in about 145 pixels at 11 points.
// xgettext:c-format
constexpr const char* movesLeftLine = N_("あと %d 手で終了です");

void copyAtCell(Canvas& canvas, Picture picture, double cx, double cy) {
  canvas.copyPicture(picture, twipsX(cx), twipsY(cy));
}

// One count in digit pictures: the digits half a cell apart, the last starting at column 24.8.
void drawCount(Canvas& canvas, int value, double row) {
  // Written without sign: the magnitude of a negative value, which callers never pass.
  const std::string digits = std::to_string(std::llabs(static_cast<long long>(value)));
  const double length = static_cast<double>(digits.size());
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const double k = static_cast<double>(i + 1);
    copyAtCell(canvas, suuji(digits[i] - '0'), 24.8 + k / 2 - length / 2, row);
  }
}

}  // namespace

std::string numberText(long long value) {
  std::string text = value < 0 ? "" : " ";
  text += std::to_string(value);
  return text;
}

void 描画_文字列(Canvas& canvas, double x, double y, std::string_view text, Code colour,
                 double size) {
  canvas.drawText(twipsX(x), twipsY(y), text, colour, size);
}

void 描画_文字列(Canvas& canvas, double x, double y, long long number, Code colour, double size) {
  描画_文字列(canvas, x, y, numberText(number), colour, size);
}

void 描画_手数(Canvas& canvas, int n) {
  wipeMoveLine(canvas, 20.5, 9);
  if (const char* line = _(moveNumberLine); isTranslated(moveNumberLine, line)) {
    描画_文字列(canvas, 20.6, 9, fill(line, {n}), 15, panelTextSize);
  } else {
    // Each further digit moves the number about one digit left, so "手目" keeps its place.
    const double numberX = n < 10 ? 21 : n < 100 ? 20.8 : 20.5;
    描画_文字列(canvas, numberX, 9, n, 15, panelTextSize);
    描画_文字列(canvas, 22, 9, wordsAround(line).after, 15, panelTextSize);
  }

  wipeMoveLine(canvas, 20.6, 10);
  const int left = moveLimit - n;
  if (const char* line = _(movesLeftLine); isTranslated(movesLeftLine, line)) {
    描画_文字列(canvas, 20.6, 10, fill(line, {left}), 15, panelTextSize);
  } else {
    const double leftX = left <= 9 ? 21.9 : left <= moveLimit - 1 ? 21.7 : 21.5;
    const AroundNumber words = wordsAround(line);
    描画_文字列(canvas, 20.6, 10, words.before, 15, panelTextSize);
    描画_文字列(canvas, leftX, 10, left, 15, panelTextSize);
    描画_文字列(canvas, 22.9, 10, words.after, 15, panelTextSize);
  }
}

void 描画_石手番(Canvas& canvas, std::string_view blackLabel, std::string_view whiteLabel) {
  描画_四角形(canvas, 21, 5.7, 1500, 800, backColour);
  copyAtCell(canvas, Picture::KUROSOTO, 21, 6);
  copyAtCell(canvas, Picture::SIROSOTO, 21, 7);
  描画_文字列(canvas, 22.1, 6.1, blackLabel, 15, panelTextSize);
  描画_文字列(canvas, 22.1, 7.1, whiteLabel, 15, panelTextSize);
}

void 描画_石取得数(Canvas& canvas, int upper, int lower) {
  描画_四角形(canvas, 23.7, 5.9, 550, 700, backColour);
  drawCount(canvas, upper, 5.8);
  drawCount(canvas, lower, 6.9);
}

void 描画_ロボット(Canvas& canvas, int frame) {
  if (frame >= 0 && frame <= 4) copyAtCell(canvas, robo(frame), 21.5, 12.5);
}

void drawTitlePlate(Canvas& canvas) {
  canvas.copyPicture(Picture::RABERU, 7000, 200);
}

void 初期設定(GameState& s, Canvas& canvas) {
  描画_四角形(canvas, 20.5, 5.5, 2500, 3500, backColour);
  初期設定(s);
}

}  // namespace zelkan
