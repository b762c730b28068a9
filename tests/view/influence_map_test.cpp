#include "view/influence_map.h"

#include <gtest/gtest.h>

#include <memory>

#include "canvas_checks.h"
#include "core/setup.h"
#include "view/board_drawing.h"

namespace zelkan {
namespace {

using test::sameImage;

// Tints cover the lines they share with their neighbours, stones included, so only the inside
// of each cell is compared.
bool showsCell(const Canvas& canvas, Picture p, int x, int y) {
  return test::showsCellInside(canvas, p, x, y);
}

TEST(InfluenceMap, StartPositionTintsThreeRowsForEachSide) {
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  const Board board = s->board;
  Canvas canvas;
  描画_盤(canvas, s->board);
  const InfluenceAreas areas = 描画_勢力図(canvas, s->board);
  EXPECT_EQ(areas.whiteArea, 57);
  EXPECT_EQ(areas.blackArea, 57);
  int tinted = 0;
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y) {
      const Picture expected = y <= 2    ? Picture::SIRO
                               : y >= 18 ? Picture::KURO
                               : y <= 5  ? Picture::KARASIRO
                               : y >= 15 ? Picture::KARAKURO
                                         : Picture::KARA;
      EXPECT_TRUE(showsCell(canvas, expected, x, y)) << x << "," << y;
      tinted += expected == Picture::KARASIRO || expected == Picture::KARAKURO;
    }
  }
  EXPECT_EQ(tinted, 114);
  EXPECT_EQ(s->board, board);

  // A second run changes nothing.
  Canvas again;
  描画_盤(again, s->board);
  描画_勢力図(again, s->board);
  const InfluenceAreas second = 描画_勢力図(again, s->board);
  EXPECT_EQ(second.whiteArea, 57);
  EXPECT_EQ(second.blackArea, 57);
  EXPECT_TRUE(sameImage(again, canvas));
}

TEST(InfluenceMap, CountsComeWhiteFirstAndStonesAreNotDrawn) {
  auto s = std::make_unique<GameState>();
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y)
      s->board(x, y) = cellEmpty;
  }
  s->board(10, 10) = cellBlack;
  s->board(2, 2) = cellWhite;
  Canvas canvas;
  描画_盤(canvas, s->board);
  描画_打石印(canvas, 10, 10, markColour);
  Canvas marked;
  描画_盤(marked, s->board);
  描画_打石印(marked, 10, 10, markColour);

  const InfluenceAreas areas = 描画_勢力図(canvas, s->board);
  EXPECT_EQ(areas.blackArea, 48);
  EXPECT_EQ(areas.whiteArea, 24);  // 1..5 x 1..5 but its own cell
  // The stone keeps its mark: cells with stones are left alone.
  const int mx = pixelOf(twipsX(10) + 150);
  const int my = pixelOf(twipsY(10) + 150);
  EXPECT_EQ(canvas.pixel(mx, my), marked.pixel(mx, my));
  EXPECT_TRUE(showsCell(canvas, Picture::KARAKURO, 13, 13));
  EXPECT_TRUE(showsCell(canvas, Picture::KARA, 14, 10));
  EXPECT_TRUE(showsCell(canvas, Picture::KARASIRO, 5, 5));
  EXPECT_TRUE(showsCell(canvas, Picture::KARA, 6, 2));

  // Tints that no longer hold are taken away by the next run.
  s->board(10, 10) = cellEmpty;
  描画_桝(canvas, 10, 10);
  const InfluenceAreas after = 描画_勢力図(canvas, s->board);
  EXPECT_EQ(after.blackArea, 0);
  EXPECT_EQ(after.whiteArea, 24);
  EXPECT_TRUE(showsCell(canvas, Picture::KARA, 13, 13));
}

}  // namespace
}  // namespace zelkan
