#include "view/board_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numeric>
#include <vector>

#include "canvas_checks.h"
#include "core/setup.h"
#include "view/influence_map.h"

namespace zelkan {
namespace {

using test::allPixels;
using test::cellPx;
using test::cellPy;
using test::sameImage;
using test::showsPicture;

constexpr int pitch = 22;  // cells overlap by a line: each shows the first 22 x 22 of its picture
constexpr Rgb cyan{0, 255, 255};

std::unique_ptr<GameState> startPosition() {
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  return s;
}

bool showsCell(const Canvas& canvas, Picture p, int x, int y) {
  return showsPicture(canvas, p, cellPx(x), cellPy(y), pitch, pitch);
}

TEST(BoardDrawing, StartScreenShowsEveryCellAndTheFrame) {
  auto s = startPosition();
  Canvas canvas;
  drawBoardFrame(canvas);
  描画_盤(canvas, s->board);
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y) {
      const Picture expected = y <= 2 ? Picture::SIRO : y >= 18 ? Picture::KURO : Picture::KARA;
      EXPECT_TRUE(showsCell(canvas, expected, x, y)) << x << "," << y;
    }
  }
  // The last row and column show their pictures whole.
  EXPECT_TRUE(showsPicture(canvas, Picture::KURO, cellPx(19), cellPy(19)));
  EXPECT_TRUE(showsPicture(canvas, Picture::KARA, cellPx(19), cellPy(10)));

  // The rim of the frame: bars at (17, 7) and (17, 420) across, (17, 7) and (430, 7) down.
  // The side bars lie over the ends of the others; their outer eight columns show whole.
  EXPECT_TRUE(showsPicture(canvas, Picture::KARATATE, 17, 7, 8, 0));
  for (int x = 40; x < 428; x += 37) {
    EXPECT_EQ(canvas.pixel(x, 10), test::picturePixel(Picture::KARAYOKO, x - 17, 3));
    EXPECT_EQ(canvas.pixel(x, 438), test::picturePixel(Picture::KARAYOKO, x - 17, 18));
  }
  for (int y = 20; y < 430; y += 41) {
    EXPECT_EQ(canvas.pixel(448, y), test::picturePixel(Picture::KARATATE, 18, y - 7));
    EXPECT_EQ(canvas.pixel(20, y), test::picturePixel(Picture::KARATATE, 3, y - 7));
  }
  // Nothing outside the frame.
  EXPECT_TRUE(allPixels(canvas, 0, 0, 460, 7, test::background));
  EXPECT_TRUE(allPixels(canvas, 0, 0, 17, 441, test::background));
  EXPECT_TRUE(allPixels(canvas, 0, 441, 460, 445, test::background));
  EXPECT_TRUE(allPixels(canvas, 451, 0, 460, 441, test::background));
}

// The cells' names: one beside each row and under each column (and, the helps' test shows, in
// the margins only).
TEST(BoardDrawing, CoordinatesNameEveryRowAndColumn) {
  Canvas canvas;
  drawCoordinates(canvas);
  for (int i = 1; i <= 19; ++i) {
    EXPECT_FALSE(allPixels(canvas, 0, cellPy(i) + 5, 17, cellPy(i) + 17, test::background)) << i;
    EXPECT_FALSE(allPixels(canvas, cellPx(i) + 5, 441, cellPx(i) + 17, 460, test::background)) << i;
  }
}

TEST(BoardDrawing, StoneCodesChooseTheirPicturesAndOthersDrawNothing) {
  Canvas canvas;
  描画_石(canvas, 3, 4, cellBlack);
  描画_石(canvas, 5, 4, cellWhite);
  描画_石(canvas, 7, 4, codeBlackTaken);
  描画_石(canvas, 9, 4, codeWhiteTaken);
  描画_石(canvas, 11, 4, codeVanish);
  EXPECT_TRUE(showsPicture(canvas, Picture::KURO, cellPx(3), cellPy(4)));
  EXPECT_TRUE(showsPicture(canvas, Picture::SIRO, cellPx(5), cellPy(4)));
  EXPECT_TRUE(showsPicture(canvas, Picture::KUROCYU, cellPx(7), cellPy(4)));
  EXPECT_TRUE(showsPicture(canvas, Picture::SIROCYU, cellPx(9), cellPy(4)));
  EXPECT_TRUE(showsPicture(canvas, Picture::PA, cellPx(11), cellPy(4)));

  // An empty cell code, or any code not in the table, leaves what is there.
  Canvas before;
  描画_石(before, 3, 4, cellBlack);
  描画_石(before, 5, 4, cellWhite);
  描画_石(before, 7, 4, codeBlackTaken);
  描画_石(before, 9, 4, codeWhiteTaken);
  描画_石(before, 11, 4, codeVanish);
  for (const PictureCode code : {double(cellEmpty), 1.0, 0.4, -0.1, 0.05, 14.5, 9.0}) {
    for (int x = 3; x <= 11; x += 2)
      描画_石(canvas, x, 4, code);
    描画_石(canvas, 10, 10, code);
  }
  EXPECT_TRUE(sameImage(canvas, before));
}

TEST(BoardDrawing, PickedUpStoneOnlyForBlackAndWhite) {
  Canvas canvas;
  描画_石決(canvas, 2, 2, cellBlack);
  描画_石決(canvas, 4, 2, cellWhite);
  EXPECT_TRUE(showsPicture(canvas, Picture::KUROKETU, cellPx(2), cellPy(2)));
  EXPECT_TRUE(showsPicture(canvas, Picture::SIROKETU, cellPx(4), cellPy(2)));
  Canvas before;
  描画_石決(before, 2, 2, cellBlack);
  描画_石決(before, 4, 2, cellWhite);
  描画_石決(canvas, 6, 2, cellEmpty);
  描画_石決(canvas, 2, 2, modeNone);
  EXPECT_TRUE(sameImage(canvas, before));
  // Drawing the stone again takes the highlight away.
  描画_石(canvas, 2, 2, cellBlack);
  EXPECT_TRUE(showsPicture(canvas, Picture::KURO, cellPx(2), cellPy(2)));
}

TEST(BoardDrawing, LatestMoveMarkSitsNearTheMiddleUntilItsCellIsRedrawn) {
  auto s = startPosition();
  Canvas canvas;
  描画_盤(canvas, s->board);
  描画_打石印(canvas, 4, 18, markColour);
  // 150 twips right of and below the cell's point (1370, 5840): pixel (101, 399).
  const int cx = pixelOf(twipsX(4) + 150);
  const int cy = pixelOf(twipsY(18) + 150);
  ASSERT_EQ(cx, 101);
  ASSERT_EQ(cy, 399);
  EXPECT_TRUE(allPixels(canvas, cx - 2, cy - 2, cx + 3, cy + 3, cyan));
  EXPECT_NE(canvas.pixel(cx + 6, cy), cyan);
  EXPECT_NE(canvas.pixel(cx, cy - 6), cyan);

  // Redrawing the neighbours does not touch it; redrawing the cell does.
  描画_石(canvas, 3, 18, cellBlack);
  描画_石(canvas, 5, 18, cellBlack);
  描画_石(canvas, 4, 19, cellBlack);
  描画_桝(canvas, 4, 17);
  EXPECT_TRUE(allPixels(canvas, cx - 2, cy - 2, cx + 3, cy + 3, cyan));
  描画_石(canvas, 4, 18, cellBlack);
  EXPECT_TRUE(showsPicture(canvas, Picture::KURO, cellPx(4), cellPy(18), pitch, pitch));
}

TEST(BoardDrawing, RedrawingTheBoardClearsTintsMarksAndHighlights) {
  auto s = startPosition();
  Canvas clean;
  描画_盤(clean, s->board);

  Canvas canvas;
  描画_盤(canvas, s->board);
  描画_勢力図(canvas, s->board);
  描画_打石印(canvas, 7, 18, markColour);
  描画_石決(canvas, 9, 2, cellWhite);
  描画_石(canvas, 10, 10, codeVanish);
  描画_盤(canvas, s->board);
  EXPECT_TRUE(sameImage(canvas, clean));
}

TEST(BoardDrawing, CellsWithOtherCodesAreLeftAlone) {
  auto s = startPosition();
  Canvas canvas;
  描画_石(canvas, 10, 10, codeVanish);
  s->board(10, 10) = modeNone;  // never in play: not a cell code
  描画_盤(canvas, s->board);
  EXPECT_TRUE(showsCell(canvas, Picture::PA, 10, 10));
  EXPECT_TRUE(showsCell(canvas, Picture::KARA, 10, 11));
}

// Seen in grey, every help and mark changes its cell clearly, and each by a shape of its own: the
// pixels it changes differ from any other's by many, on an empty cell and on either stone.
TEST(BoardDrawing, HelpsAndMarksDifferByShapeInGrey) {
  using Draw = void (*)(Canvas&, int, int);
  const Draw pickedBlack = [](Canvas& c, int x, int y) { 描画_石決(c, x, y, cellBlack); };
  const Draw pickedWhite = [](Canvas& c, int x, int y) { 描画_石決(c, x, y, cellWhite); };
  const Draw lastMove = [](Canvas& c, int x, int y) { 描画_打石印(c, x, y, markColour); };
  const std::pair<Code, std::vector<Draw>> cases[] = {
      {cellEmpty, {drawCursorFrame, drawHintFrame, drawDestinationMark}},
      {cellBlack, {drawCursorFrame, drawHintFrame, pickedBlack, lastMove}},
      {cellWhite, {drawCursorFrame, drawHintFrame, pickedWhite, lastMove}}};
  for (const auto& [under, helps] : cases) {
    std::vector<std::vector<bool>> shapes{std::vector<bool>(pitch * pitch)};  // none drawn
    for (const Draw draw : helps) {
      Canvas canvas;
      描画_桝(canvas, 5, 5);
      描画_石(canvas, 5, 5, under);
      const auto grey = [&](int i) {
        const Rgb c = canvas.pixel(cellPx(5) + i % pitch, cellPy(5) + i / pitch);
        return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
      };
      std::vector<double> before;
      for (int i = 0; i < pitch * pitch; ++i)
        before.push_back(grey(i));
      draw(canvas, 5, 5);
      std::vector<bool>& shape = shapes.emplace_back();
      for (int i = 0; i < pitch * pitch; ++i)
        shape.push_back(std::abs(grey(i) - before[i]) > 40);
    }
    for (std::size_t a = 0; a < shapes.size(); ++a) {
      for (std::size_t b = a + 1; b < shapes.size(); ++b) {
        const int differ = std::inner_product(shapes[a].begin(), shapes[a].end(), shapes[b].begin(),
                                              0, std::plus<>(), std::not_equal_to<>());
        EXPECT_GE(differ, 12) << "on " << under << ": " << a << " against " << b << " (0: none)";
      }
    }
  }
}

}  // namespace
}  // namespace zelkan
