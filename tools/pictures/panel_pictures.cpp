// The digits, the title plate and the window icon.
#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "tools/pictures/painters.h"
#include "tools/pictures/painting.h"

namespace zelkan::pictures {
namespace {

// Digits 7 pixels wide and 20 high, strokes two pixels thick, drawn pixel by pixel so they
// stay sharp at this size.
using Glyph = std::array<const char*, 20>;
// clang-format off
const std::array<Glyph, 10> glyphs{{
  {".#####.", "#######", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##",
   "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##",
   "##...##", "##...##", "#######", ".#####."},
  {"...##..", "..###..", ".####..", "##.##..", "...##..", "...##..", "...##..", "...##..",
   "...##..", "...##..", "...##..", "...##..", "...##..", "...##..", "...##..", "...##..",
   "...##..", "...##..", "#######", "#######"},
  {".#####.", "#######", "##...##", ".....##", ".....##", ".....##", ".....##", ".....##",
   "....###", "...###.", "..###..", ".###...", "###....", "##.....", "##.....", "##.....",
   "##.....", "##.....", "#######", "#######"},
  {".#####.", "#######", "##...##", ".....##", ".....##", ".....##", ".....##", ".....##",
   ".....##", "..####.", "..####.", ".....##", ".....##", ".....##", ".....##", ".....##",
   ".....##", "##...##", "#######", ".#####."},
  {"##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##",
   "##...##", "#######", "#######", ".....##", ".....##", ".....##", ".....##", ".....##",
   ".....##", ".....##", ".....##", ".....##"},
  {"#######", "#######", "##.....", "##.....", "##.....", "##.....", "##.....", "##.....",
   "##.....", "######.", "#######", ".....##", ".....##", ".....##", ".....##", ".....##",
   ".....##", "##...##", "#######", ".#####."},
  {".#####.", "#######", "##...##", "##.....", "##.....", "##.....", "##.....", "##.....",
   "##.....", "######.", "#######", "##...##", "##...##", "##...##", "##...##", "##...##",
   "##...##", "##...##", "#######", ".#####."},
  {"#######", "#######", "##...##", ".....##", ".....##", ".....##", ".....##", "....##.",
   "....##.", "...##..", "...##..", "...##..", "..##...", "..##...", "..##...", "..##...",
   "..##...", "..##...", "..##...", "..##..."},
  {".#####.", "#######", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##",
   "##...##", ".#####.", ".#####.", "##...##", "##...##", "##...##", "##...##", "##...##",
   "##...##", "##...##", "#######", ".#####."},
  {".#####.", "#######", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##",
   "##...##", "#######", ".######", ".....##", ".....##", ".....##", ".....##", ".....##",
   ".....##", "##...##", "#######", ".#####."},
}};
// clang-format on

constexpr int glyphTop = 3;  // the rows above stay background: the panel wipes from lower down
constexpr int glyphLeft = 1;

}  // namespace

SurfaceHolder paintDigit(int digit, int scale) {
  if (digit < 0 || digit > 9) throw std::out_of_range("digit");
  Sheet sheet = newPicture(9, 25, scale);
  cairo_t* cr = sheet.cr.get();
  fillPixels(cr, 0, 0, 9, 25, panelGrey);
  const Glyph& g = glyphs[static_cast<std::size_t>(digit)];
  auto inked = [&g](int row, int col) {
    return row >= 0 && row < 20 && col >= 0 && col < 7 &&
           g[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == '#';
  };
  // A dark drop shadow first, then the digit in white shading to pale grey at its foot, row by
  // row of the scale's pixels.
  for (int pass = 0; pass < 2; ++pass) {
    for (int row = 0; row < 20; ++row) {
      for (int col = 0; col < 7; ++col) {
        const int x = glyphLeft + col + (pass == 0);
        const int y = glyphTop + row + (pass == 0);
        auto addShape = [&] {
          if (inked(row, col)) {
            cairo_rectangle(cr, x, y, 1, 1);
            return;
          }
          if (scale == 1) return;
          // Finer pixels smooth the steps of the outline: an empty cell's corner between two
          // inked neighbours is filled up to its diagonal.
          for (const auto& [dx, dy] : {std::pair{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}) {
            if (!inked(row, col + dx) || !inked(row + dy, col)) continue;
            const int cx = x + (dx > 0);
            const int cy = y + (dy > 0);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, x + (dx < 0), cy);
            cairo_line_to(cr, cx, y + (dy < 0));
            cairo_close_path(cr);
          }
        };
        for (int k = 0; k < scale; ++k) {
          const double shade = std::clamp((row + (k + 0.5) / scale - 0.5) / 19.0, 0.0, 1.0);
          cairo_save(cr);
          cairo_rectangle(cr, x, y + static_cast<double>(k) / scale, 1, 1.0 / scale);
          cairo_clip(cr);
          addShape();
          setColour(
              cr, pass == 0 ? rgb(58, 58, 62) : mix(rgb(255, 255, 255), rgb(214, 220, 228), shade));
          cairo_fill(cr);
          cairo_restore(cr);
        }
      }
    }
  }
  return std::move(sheet.surface);
}

SurfaceHolder paintTitlePlate(int scale) {
  const int w = 120;
  const int h = 41;
  Sheet sheet = newPicture(w, h, scale);
  cairo_t* cr = sheet.cr.get();
  fillPixels(cr, 0, 0, w, h, panelGrey);

  // A lacquered plate with a gold rim.
  roundedRectangle(cr, 1.5, 1.5, w - 3, h - 3, 6);
  cairo_pattern_t* lacquer = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(lacquer, 0, 0.36, 0.13, 0.08);
  cairo_pattern_add_color_stop_rgb(lacquer, 1, 0.17, 0.05, 0.03);
  cairo_set_source(cr, lacquer);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(lacquer);
  setColour(cr, rgb(60, 30, 14));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  roundedRectangle(cr, 3.5, 3.5, w - 7, h - 7, 4);
  setColour(cr, rgb(222, 182, 92));
  cairo_stroke(cr);

  // A black and a white stone at the left.
  paintStone(cr, 16.5, 17.5, 6.3, true, 0.4, 0.8);
  paintStone(cr, 23.5, 24.5, 6.3, false, 0.4, 0.8);

  // The name, in the game's serif face, gold with a dark shadow.
  LayoutHolder layout(pango_cairo_create_layout(cr));
  FontDescriptionHolder font(pango_font_description_from_string("IPAPMincho Bold 17px"));
  pango_layout_set_font_description(layout.get(), font.get());
  pango_layout_set_text(layout.get(), "Zelkan", -1);
  PangoRectangle ink;
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout.get(), &ink, &logical);
  const double tx = 35 + (w - 35 - 6 - ink.width) / 2.0 - ink.x;
  const double ty = (h - ink.height) / 2.0 - ink.y;
  cairo_move_to(cr, tx + 1, ty + 1);
  setColour(cr, rgb(20, 6, 2), 0.9);
  pango_cairo_show_layout(cr, layout.get());
  cairo_move_to(cr, tx, ty);
  pango_cairo_layout_path(cr, layout.get());
  cairo_pattern_t* gold = cairo_pattern_create_linear(0, ty + ink.y, 0, ty + ink.y + ink.height);
  cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.93, 0.66);
  cairo_pattern_add_color_stop_rgb(gold, 0.55, 0.91, 0.72, 0.33);
  cairo_pattern_add_color_stop_rgb(gold, 1, 0.76, 0.55, 0.2);
  cairo_set_source(cr, gold);
  cairo_fill(cr);
  cairo_pattern_destroy(gold);
  return std::move(sheet.surface);
}

void drawIcon(cairo_t* cr) {
  const double s = iconSize;
  // Pixels per unit, from the context's scale; lines are a whole number of pixels wide, at
  // least one, and start on a pixel edge.
  double k = 1;
  double unused = 0;
  cairo_user_to_device_distance(cr, &k, &unused);
  const double line = std::max(1.0, std::round(k)) / k;
  const auto snap = [k](double at) { return std::round(at * k) / k; };

  // A small wooden board with a black and a white stone on its grid.
  roundedRectangle(cr, line / 2, line / 2, s - line, s - line, 5);
  setColour(cr, wood);
  cairo_fill_preserve(cr);
  setColour(cr, rgb(92, 54, 22));
  cairo_set_line_width(cr, line);
  cairo_stroke(cr);
  setColour(cr, gridLine);
  const double from = snap(3);
  const double to = snap(s - 3);
  for (const double centre : {11.5, 21.5}) {
    const double p = snap(centre - line / 2);
    cairo_rectangle(cr, from, p, to - from, line);
    cairo_rectangle(cr, p, from, line, to - from);
  }
  cairo_fill(cr);
  const double black = snap(11.5 - line / 2) + line / 2;
  const double white = snap(21.5 - line / 2) + line / 2;
  paintStone(cr, black, black, 7.4, true, 0.45, 1.0);
  paintStone(cr, white, white, 7.4, false, 0.45, 1.0);
}

SurfaceHolder paintIcon(int scale) {
  Sheet sheet = newPicture(iconSize, iconSize, scale, true);
  drawIcon(sheet.cr.get());
  return std::move(sheet.surface);
}

}  // namespace zelkan::pictures
