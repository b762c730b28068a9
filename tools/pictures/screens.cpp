// zelkan-screens: draws the start screen, a position in play and a sheet of every picture
// enlarged, as PNG files, so the drawing can be looked at without a window.
//
//   zelkan-screens folder [scale]     (scale 1..3, default 1: the desktop's scale factor)
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/counts.h"
#include "core/game_state.h"
#include "view/board_drawing.h"
#include "view/canvas.h"
#include "view/influence_map.h"
#include "view/panel_drawing.h"
#include "view/pictures.h"

using namespace zelkan;

namespace {

// Start-up: the frame, the board in its starting position, the title plate, nothing else.
void drawStartScreen(Canvas& canvas, GameState& s) {
  初期設定(s, canvas);
  drawBoardFrame(canvas);
  描画_盤(canvas, s.board);
  drawTitlePlate(canvas);
}

// A game against the computer some moves in: the influence shown, a stone picked up, the
// latest move marked and the computer thinking.
void drawPositionInPlay(Canvas& canvas, GameState& s) {
  drawStartScreen(canvas, s);
  Board& b = s.board;
  auto move = [&](int x0, int y0, int x1, int y1) {
    b(x1, y1) = b(x0, y0);
    b(x0, y0) = cellEmpty;
  };
  move(4, 18, 4, 12);
  move(16, 2, 16, 8);
  move(10, 18, 10, 11);
  move(10, 2, 10, 9);
  move(15, 18, 15, 9);
  b(15, 2) = cellEmpty;  // taken
  b(17, 2) = cellEmpty;
  move(7, 2, 7, 6);
  b(3, 19) = cellEmpty;  // taken
  move(12, 19, 12, 14);

  描画_盤(canvas, b);
  描画_勢力図(canvas, b);
  描画_石決(canvas, 7, 6, cellWhite);
  描画_打石印(canvas, 12, 14, markColour);

  Code white = 0;
  Code black = 0;
  調査_石数(b, white, black);
  描画_石手番(canvas, "MAN", "COM");
  描画_石取得数(canvas, stonesPerSide - white, stonesPerSide - black);
  描画_手数(canvas, 15);
  描画_文字列(canvas, 21.5, 11.1, "思考中", 15, 12);
  描画_ロボット(canvas, 2);
}

// Every picture at the scale, the small ones enlarged a whole number of times towards four times
// their natural size, in the order of the list. The result: how many times its natural size.
int sheetScale(Picture p, int scale) {
  return p == Picture::KARAYOKO || p == Picture::KARATATE ? scale : scale * std::max(1, 4 / scale);
}

bool writePictureSheet(const std::string& path, int scale) {
  const int gap = 8;
  const int sheetWidth = 1300 * scale;
  int x = gap;
  int y = gap;
  int rowHeight = 0;
  struct Place {
    int x, y;
  };
  // Lay out first to know the height, then paint.
  std::array<Place, pictureList.size()> places{};
  for (const PictureInfo& info : pictureList) {
    const int w = info.width * sheetScale(info.picture, scale);
    const int h = info.height * sheetScale(info.picture, scale);
    if (x + w + gap > sheetWidth) {
      x = gap;
      y += rowHeight + gap;
      rowHeight = 0;
    }
    places[static_cast<std::size_t>(info.picture)] = {x, y};
    x += w + gap;
    rowHeight = std::max(rowHeight, h);
  }
  const int sheetHeight = y + rowHeight + gap;
  SurfaceHolder surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetWidth, sheetHeight));
  ContextHolder cr(cairo_create(surface.get()));
  cairo_set_source_rgb(cr.get(), 0.25, 0.25, 0.28);
  cairo_paint(cr.get());
  for (const PictureInfo& info : pictureList) {
    const Place p = places[static_cast<std::size_t>(info.picture)];
    cairo_save(cr.get());
    cairo_translate(cr.get(), p.x, p.y);
    const int enlarge = sheetScale(info.picture, scale) / scale;
    cairo_scale(cr.get(), enlarge, enlarge);
    cairo_set_source_surface(cr.get(), pictureSurface(info.picture, scale), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_NEAREST);
    cairo_paint(cr.get());
    cairo_restore(cr.get());
  }
  return cairo_surface_write_to_png(surface.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  const int scale = argc == 3 ? std::atoi(argv[2]) : 1;
  if (argc < 2 || argc > 3 || scale < 1 || scale > largestScale) {
    std::fprintf(stderr, "usage: zelkan-screens folder [scale 1..%d]\n", largestScale);
    return 2;
  }
  const std::string folder = argv[1];
  auto state = std::make_unique<GameState>();
  bool ok = true;
  {
    Canvas canvas(scale);
    drawStartScreen(canvas, *state);
    ok = canvas.writePng(folder + "/start.png") && ok;
  }
  {
    Canvas canvas(scale);
    drawPositionInPlay(canvas, *state);
    ok = canvas.writePng(folder + "/in-play.png") && ok;
  }
  ok = writePictureSheet(folder + "/pictures.png", scale) && ok;
  if (!ok) std::fprintf(stderr, "zelkan-screens: cannot write to %s\n", folder.c_str());
  return ok ? 0 : 1;
}
