#include "view/canvas.h"

#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "canvas_checks.h"
#include "view/board_drawing.h"
#include "view/fitting.h"
#include "view/palette.h"
#include "view/panel_drawing.h"

namespace zelkan {
namespace {

using test::allPixels;
using test::background;
using test::cellPx;
using test::cellPy;
using test::showsPicture;

constexpr Rgb red{255, 0, 0};
constexpr Rgb white{255, 255, 255};

TEST(Coordinates, CellsSitOnWholePixelsTwentyTwoApart) {
  EXPECT_EQ(twipsX(1), 380);
  EXPECT_EQ(twipsY(1), 230);
  EXPECT_EQ(twipsX(19), 6320);
  EXPECT_EQ(twipsY(19), 6170);
  EXPECT_EQ(pixelOf(twipsX(1)), 25);
  EXPECT_EQ(pixelOf(twipsY(1)), 15);
  for (int i = 1; i < 19; ++i) {
    EXPECT_EQ(pixelOf(twipsX(i + 1)) - pixelOf(twipsX(i)), 22) << i;
    EXPECT_EQ(pixelOf(twipsY(i + 1)) - pixelOf(twipsY(i)), 22) << i;
  }
}

TEST(Palette, IndexesInUseAndOutOfRange) {
  EXPECT_EQ(paletteColour(0), (Rgb{0, 0, 0}));
  EXPECT_EQ(paletteColour(backColour), (Rgb{128, 128, 128}));
  EXPECT_EQ(paletteColour(markColour), (Rgb{0, 255, 255}));
  EXPECT_EQ(paletteColour(cellWhite), (Rgb{255, 255, 255}));
  EXPECT_EQ(paletteColour(cellEmpty), (Rgb{255, 255, 0}));
  EXPECT_THROW(paletteColour(16), std::out_of_range);
  EXPECT_THROW(paletteColour(-1), std::out_of_range);
}

TEST(Canvas, StartsAsTheBackgroundAndRefreshCallsTheWindow) {
  Canvas canvas;
  EXPECT_EQ(canvas.width(), clientWidth);
  EXPECT_EQ(canvas.height(), clientHeight);
  EXPECT_TRUE(allPixels(canvas, 0, 0, canvas.width(), canvas.height(), background));

  canvas.refresh();  // no window yet: nothing happens
  int repaints = 0;
  canvas.repaintNow = [&] { ++repaints; };
  canvas.refresh();
  canvas.refresh();
  EXPECT_EQ(repaints, 2);
}

TEST(Canvas, RectangleCornersAreRoundedEachOnItsOwn) {
  Canvas canvas;
  // The move line wipe of the panel: (20.5, 9) is (6815, 2870) twips, pixel (454, 191);
  // 1000 x 300 twips later the far corner is (7815, 3170), pixel (521, 211).
  描画_四角形(canvas, 20.5, 9, 1000, 300, 12);
  EXPECT_TRUE(allPixels(canvas, 454, 191, 521, 211, red));
  EXPECT_EQ(canvas.pixel(453, 191), background);
  EXPECT_EQ(canvas.pixel(454, 190), background);
  EXPECT_EQ(canvas.pixel(521, 210), background);
  EXPECT_EQ(canvas.pixel(520, 211), background);

  // From 7 twips (pixel 0.47) to 44 (2.93): three pixels, where rounding the size (37 twips,
  // 2.47 pixels) would give two. The box after it starts exactly where this one ends.
  Canvas boxes;
  boxes.fillRectangle(7, 7, 37, 37, 12);
  boxes.fillRectangle(44, 7, 37, 37, 15);
  EXPECT_TRUE(allPixels(boxes, 0, 0, 3, 3, red));
  EXPECT_TRUE(allPixels(boxes, 3, 0, 5, 3, white));
  EXPECT_EQ(boxes.pixel(5, 0), background);
  EXPECT_EQ(boxes.pixel(0, 3), background);
}

TEST(Canvas, CircleIsCentredOnItsPixel) {
  Canvas canvas;
  // 50 twips is 3.3 pixels.
  canvas.fillCircle(1500, 1500, 50, markColour);
  const Rgb cyan{0, 255, 255};
  EXPECT_EQ(canvas.pixel(100, 100), cyan);
  for (const auto& [dx, dy] : {std::pair{3, 0}, {-3, 0}, {0, 3}, {0, -3}, {2, 2}, {-2, -2}})
    EXPECT_EQ(canvas.pixel(100 + dx, 100 + dy), cyan) << dx << "," << dy;
  for (const auto& [dx, dy] : {std::pair{5, 0}, {-5, 0}, {0, 5}, {0, -5}, {4, 4}})
    EXPECT_EQ(canvas.pixel(100 + dx, 100 + dy), background) << dx << "," << dy;
}

// The ink of the canvas inside a box: pixels that are no longer the given colour.
struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};
Ink inkIn(const Canvas& canvas, int x0, int y0, int x1, int y1, Rgb paper) {
  Ink ink;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (canvas.pixel(x, y) == paper) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

TEST(Canvas, TextPaintsOnlyItsGlyphsFromItsTopLeft) {
  Canvas canvas;
  canvas.fillRectangle(0, 0, 3000, 1500, 12);
  canvas.drawText(300, 300, "手目", 15, 11);  // pixel (20, 20)
  const Ink ink = inkIn(canvas, 0, 0, 200, 100, red);
  ASSERT_GT(ink.count, 20);
  EXPECT_GE(ink.left, 20);
  EXPECT_GE(ink.top, 20);
  // 11 points at 96 dots per inch is an em of 14.7 pixels.
  EXPECT_LE(ink.right, 20 + 2 * 15 + 1);
  EXPECT_GE(ink.bottom - ink.top + 1, 10);
  EXPECT_LE(ink.bottom - ink.top + 1, 16);
  // Between the strokes the red stays: only glyphs are painted.
  EXPECT_GT((ink.right - ink.left + 1) * (ink.bottom - ink.top + 1) - ink.count, ink.count / 2);
  // The ink is white shading into red at its edges: nothing else is painted.
  for (int y = ink.top; y <= ink.bottom; ++y) {
    for (int x = ink.left; x <= ink.right; ++x) {
      const Rgb c = canvas.pixel(x, y);
      EXPECT_EQ(c.r, 255);
      EXPECT_EQ(c.g, c.b);
    }
  }
}

// The window repaints only the box the canvas reports, so every pixel a drawing changes must lie
// in it; the box stays near the drawing, not the whole image, and is empty once taken.
TEST(Canvas, ReportsTheBoxOfEverythingDrawn) {
  const std::vector<std::pair<const char*, std::function<void(Canvas&)>>> drawings{
      {"rectangle", [](Canvas& c) { c.fillRectangle(6815, 2870, 1000, 300, 12); }},
      {"circle", [](Canvas& c) { c.fillCircle(1500, 1500, 50, markColour); }},
      {"line", [](Canvas& c) { drawPlayedMove(c, 4, 18, 4, 12); }},
      {"text", [](Canvas& c) { 描画_手数(c, 15); }},
      {"picture", [](Canvas& c) { 描画_ロボット(c, 2); }},
      {"stone", [](Canvas& c) { 描画_石(c, 19, 19, cellBlack); }},
      {"restored patch",
       [](Canvas& c) {
         描画_ロボット(c, 2);
         const Canvas::Patch patch = c.save(twipsX(21.5), twipsY(12.5), 51 * 15, 65 * 15);
         c.fillRectangle(twipsX(21.5), twipsY(12.5), 51 * 15, 65 * 15, backColour);
         c.takeChangedBox();
         c.restore(patch);
       }},
  };
  for (const int scale : {1, 2}) {
    for (const auto& [name, draw] : drawings) {
      Canvas canvas(scale);
      EXPECT_FALSE(canvas.takeChangedBox().empty()) << "a new image is all to be shown";
      EXPECT_TRUE(canvas.takeChangedBox().empty());
      draw(canvas);
      const PixelBox box = canvas.takeChangedBox();
      EXPECT_TRUE(canvas.takeChangedBox().empty());
      int changed = 0, outside = 0;
      for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
          if (canvas.pixel(x, y) == background) continue;
          ++changed;
          outside += x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1 ? 0 : 1;
        }
      }
      EXPECT_EQ(outside, 0) << name << " at scale " << scale;
      EXPECT_GT(changed, 0) << name;
      EXPECT_LT((box.x1 - box.x0) * (box.y1 - box.y0), canvas.width() * canvas.height() / 20)
          << name;
    }
  }
}

// The same drawing at the larger scales: every picture at scale times its scale-1 place and
// painted at that scale, text from the same origin and as wide give or take a pixel a character,
// and detail of its own rather than scale-1 pixels enlarged.
TEST(Canvas, LargerScalesKeepTheLayoutAndPaintFinerDetail) {
  auto s = std::make_unique<GameState>();
  const auto draw = [&s](Canvas& c) {
    初期設定(*s, c);
    drawBoardFrame(c);
    描画_盤(c, s->board);
    drawTitlePlate(c);
    描画_打石印(c, 4, 18, markColour);
    描画_手数(c, 15);
    描画_ロボット(c, 2);
    c.drawLine(twipsX(20.5) + 60, twipsY(5.5) + 60, twipsX(20.5) + 2400, twipsY(5.5) + 900, 2,
               markColour);  // drawn over by the panel's next start
    wipeCoordinates(c);
    drawCoordinates(c);
  };
  const auto marks = [](Canvas& c) {
    drawPlayedMove(c, 6, 18, 6, 10);
    drawBetterMove(c, 7, 18, 7, 14);
  };
  Canvas one;
  draw(one);
  const std::size_t kept = one.keptDrawings();
  draw(one);
  EXPECT_EQ(one.keptDrawings(), kept) << "what was drawn over is let go";
  for (const int scale : {2, 3}) {
    Canvas big(scale);
    draw(big);
    marks(big);
    // Drawn at scale 1 and painted again at this scale, a help laid over it whose patch is put
    // back after the change: the image drawn at this scale, pixel for pixel.
    Canvas grown;
    draw(grown);
    marks(grown);
    const CellBox b = cellBox(4, 18);
    const Canvas::Patch help = grown.save(b.x, b.y, b.width, b.height);
    drawHintFrame(grown, 4, 18);
    grown.redrawAt(scale);
    grown.restore(help);
    EXPECT_TRUE(test::sameImage(grown, big)) << scale;
    EXPECT_TRUE(showsPicture(big, Picture::KARATATE, 17, 7, 8, 0, scale));
    EXPECT_TRUE(showsPicture(big, Picture::KURO, cellPx(19), cellPy(19), 0, 0, scale));
    EXPECT_TRUE(showsPicture(big, Picture::RABERU, pixelOf(7000), pixelOf(200), 0, 0, scale));
    const int markX = pixelOf(twipsX(4) + 150) * scale + scale / 2;
    EXPECT_EQ(big.pixel(markX, pixelOf(twipsY(18) + 150) * scale + scale / 2), palette[markColour]);
    // Move lines ending in 2 and 6 characters, whose advances scale 1 rounds each on its own.
    for (const auto& [row, characters] : {std::pair{9, 2}, {10, 6}}) {
      const Ink small =
          inkIn(one, cellPx(20.5), cellPy(row), clientWidth, cellPy(row + 1), background);
      const Ink large = inkIn(big, cellPx(20.5) * scale, cellPy(row) * scale, big.width(),
                              cellPy(row + 1) * scale, background);
      EXPECT_NEAR(large.left, small.left * scale, scale) << row;
      EXPECT_NEAR(large.top, small.top * scale, scale) << row;
      EXPECT_NEAR(large.right + 1, (small.right + 1) * scale, characters * (scale + 1) / 2) << row;
      EXPECT_NEAR(large.bottom + 1, (small.bottom + 1) * scale, scale) << row;
    }
    int finer = 0;
    for (int y = 0; y < big.height(); ++y) {
      for (int x = 0; x < big.width(); ++x)
        finer += big.pixel(x, y) == one.pixel(x / scale, y / scale) ? 0 : 1;
    }
    EXPECT_GT(finer, big.width() * big.height() / 20);
  }
}

// The image fitted to drawing areas of several sizes and desktop scales: as large as it fits,
// centred, at most three screen pixels to an image pixel, drawn at the scale that needs. Each area
// pixel that clearly shows a cell's part picks that cell, and none that shows another.
TEST(Fit, ShowsTheImageAsLargeAsItFitsAndEveryPixelOfACellPicksIt) {
  const struct {
    int width, height, device;
    double zoom;
    int x, y, scale;
  } cases[] = {
      {605, 487, 1, 1, 0, 0, 1},
      {605, 487, 2, 1, 0, 0, 2},
      {907, 730, 1, 730 / 487.0, 0, 0, 2},
      {1210, 974, 1, 2, 0, 0, 2},
      {1920, 1056, 1, 1056 / 487.0, 304, 0, 3},
      {960, 516, 2, 516 / 487.0, 159, 0, 3},
      {4000, 3000, 1, 3, 1092, 769, 3},
  };
  for (const auto& c : cases) {
    const Fit fit = fitImage(c.width, c.height, c.device);
    EXPECT_DOUBLE_EQ(fit.zoom, c.zoom) << c.width;
    EXPECT_EQ(fit.x, c.x) << c.width;
    EXPECT_EQ(fit.y, c.y) << c.width;
    EXPECT_EQ(fit.scale, c.scale) << c.width;
    if (c.width > 1920) continue;
    // The part of a few cells a click picks, red on the background, shown as the window shows it.
    Canvas canvas(fit.scale);
    const std::pair<int, int> cells[] = {{1, 1}, {10, 18}, {19, 19}};
    const auto firstPixel = [](double twips) { return std::ceil(twips / twipsPerPixel); };
    for (const auto& [x, y] : cells)
      canvas.fillRectangle(firstPixel(boardLeft + x * cellWidth) * twipsPerPixel,
                           firstPixel(boardTop + y * cellHeight) * twipsPerPixel, cellWidth,
                           cellHeight, 12);
    SurfaceHolder area(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, c.width * c.device, c.height * c.device));
    cairo_surface_set_device_scale(area.get(), c.device, c.device);
    paintFitted(ContextHolder(cairo_create(area.get())).get(), canvas, fit);
    for (const auto& [x, y] : cells) {
      int red = 0;
      const int left = static_cast<int>(fit.x + (pixelOf(twipsX(x)) - 2) * fit.zoom);
      const int top = static_cast<int>(fit.y + (pixelOf(twipsY(y)) - 2) * fit.zoom);
      const int d = c.device;
      for (int py = top * d; py < (top + 27 * fit.zoom) * d; ++py) {
        for (int px = left * d; px < (left + 27 * fit.zoom) * d; ++px) {
          const Rgb shown = test::surfacePixel(area.get(), px, py);
          const TwipsPoint at =
              twipsAt(fit, static_cast<double>(px) / d, static_cast<double>(py) / d);
          const bool picks = std::floor((at.x - boardLeft) / cellWidth) == x &&
                             std::floor((at.y - boardTop) / cellHeight) == y;
          if (shown.r > 224 && shown.g < 32) {
            ++red;
            EXPECT_TRUE(picks) << c.width << ": (" << px << ", " << py << ") for " << x << "," << y;
          } else if (shown.r < 160) {
            EXPECT_FALSE(picks) << c.width << ": (" << px << ", " << py << ") for " << x << ","
                                << y;
          }
        }
      }
      EXPECT_GE(red, 21 * 21 * fit.zoom * fit.zoom * d * d) << c.width;
    }
  }
  // The margin is the background; a click there lies outside the image.
  EXPECT_LT(twipsAt(fitImage(1920, 1056, 1), 300, 10).x, 0);
}

TEST(Canvas, TextFaceIsInstalled) {
  PangoFontMap* map = pango_cairo_font_map_get_default();
  PangoContextHolder context(pango_font_map_create_context(map));
  FontDescriptionHolder wanted(pango_font_description_from_string(textFace));
  pango_font_description_set_size(wanted.get(), 11 * PANGO_SCALE);
  std::unique_ptr<PangoFont, GObjectRelease> font(
      pango_font_map_load_font(map, context.get(), wanted.get()));
  ASSERT_NE(font, nullptr);
  FontDescriptionHolder got(pango_font_describe(font.get()));
  EXPECT_STREQ(pango_font_description_get_family(got.get()), "IPAPMincho")
      << "install fonts-ipafont-mincho";
}

}  // namespace
}  // namespace zelkan
