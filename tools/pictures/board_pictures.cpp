// The cell pictures and the frame of the board.
#include <cmath>
#include <stdexcept>

#include "tools/pictures/painters.h"
#include "tools/pictures/painting.h"

namespace zelkan::pictures {
namespace {

constexpr double centre = cellPictureSize / 2.0;  // 11.5: the middle of the centre pixel
constexpr double stoneRadius = 9.9;

// Territory tints keep the grid but shade the wood towards black or white.
const Colour blackTint = mix(wood, rgb(40, 34, 30), 0.45);
const Colour blackTintLine = mix(gridLine, rgb(0, 0, 0), 0.5);
const Colour whiteTint = mix(wood, rgb(255, 255, 255), 0.5);
const Colour whiteTintLine = mix(gridLine, whiteTint, 0.35);

const Colour selectRing = rgb(255, 96, 16);
const Colour selectGlow = rgb(255, 214, 90);

void paintSelected(cairo_t* cr, bool black) {
  paintCell(cr, wood, gridLine);
  clipToCellInside(cr);
  // A warm glow under the lifted stone, ringed in bright orange.
  cairo_pattern_t* glow = cairo_pattern_create_radial(centre, centre, 4, centre, centre, 10.3);
  cairo_pattern_add_color_stop_rgba(glow, 0, selectGlow.r, selectGlow.g, selectGlow.b, 0.95);
  cairo_pattern_add_color_stop_rgba(glow, 1, selectGlow.r, selectGlow.g, selectGlow.b, 0.55);
  cairo_set_source(cr, glow);
  cairo_arc(cr, centre, centre, 10.3, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  setColour(cr, rgb(120, 30, 0), 0.8);
  cairo_set_line_width(cr, 2.6);
  cairo_arc(cr, centre, centre, 9.5, 0, 2 * M_PI);
  cairo_stroke(cr);
  setColour(cr, selectRing);
  cairo_set_line_width(cr, 1.7);
  cairo_arc(cr, centre, centre, 9.5, 0, 2 * M_PI);
  cairo_stroke(cr);
  // Picked up: a little smaller, raised towards the light, with a longer shadow.
  paintStone(cr, centre - 0.6, centre - 0.7, 7.6, black, 0.55, 1.6);
}

// The stone splitting along its cracks: four shards drift apart, chips fly off.
void paintBreaking(cairo_t* cr, bool black) {
  paintCell(cr, wood, gridLine);
  clipToCellInside(cr);
  // Wedges between crack angles (degrees), each pushed out along its middle.
  const double cracks[] = {-70, 28, 118, 212, 290};
  const double kx = centre + 0.7;  // where the cracks meet
  const double ky = centre - 0.4;
  for (int i = 0; i < 4; ++i) {
    const double a0 = cracks[i] * M_PI / 180;
    const double a1 = cracks[i + 1] * M_PI / 180;
    const double mid = (a0 + a1) / 2;
    const double drift = i % 2 == 0 ? 1.7 : 1.2;
    cairo_save(cr);
    cairo_translate(cr, drift * std::cos(mid), drift * std::sin(mid));
    // Each crack edge kinks once on its way out.
    cairo_move_to(cr, kx, ky);
    cairo_line_to(cr, kx + 5 * std::cos(a0 + 0.3), ky + 5 * std::sin(a0 + 0.3));
    cairo_line_to(cr, kx + 14 * std::cos(a0), ky + 14 * std::sin(a0));
    cairo_arc(cr, kx, ky, 14, a0, a1);
    cairo_line_to(cr, kx + 5 * std::cos(a1 + 0.3), ky + 5 * std::sin(a1 + 0.3));
    cairo_close_path(cr);
    cairo_clip(cr);
    paintStone(cr, centre, centre, stoneRadius - 1.0, black, 0.3, 0.8);
    cairo_restore(cr);
  }
  // Chips flying off.
  const double chips[][3] = {
      {3.0, 4.5, 1.1}, {16.5, 2.4, 0.9}, {20.2, 13.0, 1.0}, {12.0, 20.6, 0.9}, {2.6, 15.5, 0.8}};
  for (const auto& c : chips) {
    setColour(cr, black ? rgb(36, 36, 40) : rgb(246, 244, 238));
    cairo_arc(cr, c[0], c[1], c[2], 0, 2 * M_PI);
    cairo_fill_preserve(cr);
    setColour(cr, black ? rgb(0, 0, 0) : rgb(120, 112, 100), 0.6);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
  }
}

// The stone gone in a puff: a fading cloud and a burst of sparks.
void paintVanishing(cairo_t* cr) {
  paintCell(cr, wood, gridLine);
  clipToCellInside(cr);
  cairo_pattern_t* cloud = cairo_pattern_create_radial(centre, centre, 0, centre, centre, 9.5);
  cairo_pattern_add_color_stop_rgba(cloud, 0, 1, 1, 0.92, 0.95);
  cairo_pattern_add_color_stop_rgba(cloud, 0.45, 0.92, 0.90, 0.86, 0.6);
  cairo_pattern_add_color_stop_rgba(cloud, 1, 0.85, 0.82, 0.78, 0);
  cairo_set_source(cr, cloud);
  cairo_arc(cr, centre, centre, 9.5, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(cloud);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4 + M_PI / 8;
    const double inner = i % 2 == 0 ? 5.5 : 6.5;
    const double outer = i % 2 == 0 ? 10.0 : 8.6;
    cairo_set_line_width(cr, i % 2 == 0 ? 1.4 : 1.0);
    setColour(cr, rgb(255, 250, 200));
    cairo_move_to(cr, centre + inner * std::cos(a), centre + inner * std::sin(a));
    cairo_line_to(cr, centre + outer * std::cos(a), centre + outer * std::sin(a));
    cairo_stroke(cr);
  }
  setColour(cr, rgb(255, 255, 255));
  cairo_arc(cr, centre, centre, 2.2, 0, 2 * M_PI);
  cairo_fill(cr);
}

// A small captured stone of the other colour on the capturer's tint.
void paintTaken(cairo_t* cr, bool forBlack) {
  paintCell(cr, forBlack ? blackTint : whiteTint, forBlack ? blackTintLine : whiteTintLine);
  paintStone(cr, centre, centre, 6.2, !forBlack, 0.45, 0.7);
}

void paintPanelStone(cairo_t* cr, bool black) {
  fillPixels(cr, 0, 0, cellPictureSize, cellPictureSize, panelGrey);
  // The two icons stand one above the other on a pitch of 22 pixels, like the cells.
  clipToCellInside(cr);
  paintStone(cr, centre, centre, stoneRadius, black, 0.45, 0.9);
}

}  // namespace

SurfaceHolder paintCellPicture(Picture picture, int scale) {
  Sheet sheet = newPicture(cellPictureSize, cellPictureSize, scale);
  cairo_t* cr = sheet.cr.get();
  switch (picture) {
    case Picture::KARA:
      paintCell(cr, wood, gridLine);
      break;
    case Picture::KURO:
    case Picture::SIRO:
      paintCell(cr, wood, gridLine);
      clipToCellInside(cr);
      paintStone(cr, centre, centre, stoneRadius, picture == Picture::KURO);
      break;
    case Picture::KUROKETU:
    case Picture::SIROKETU:
      paintSelected(cr, picture == Picture::KUROKETU);
      break;
    case Picture::KUROCYU:
    case Picture::SIROCYU:
      paintBreaking(cr, picture == Picture::KUROCYU);
      break;
    case Picture::PA:
      paintVanishing(cr);
      break;
    case Picture::KARAKURO:
      paintCell(cr, blackTint, blackTintLine);
      break;
    case Picture::KARASIRO:
      paintCell(cr, whiteTint, whiteTintLine);
      break;
    case Picture::KUROTORI:
    case Picture::SIROTORI:
      paintTaken(cr, picture == Picture::KUROTORI);
      break;
    case Picture::KUROSOTO:
    case Picture::SIROSOTO:
      paintPanelStone(cr, picture == Picture::KUROSOTO);
      break;
    default:
      throw std::logic_error("not a cell picture");
  }
  return std::move(sheet.surface);
}

// The frame bars. Across its width a bar shows, from the outside in: a dark edge, a lit bevel,
// the wood, and a thin groove where it meets the grid. The same bar serves both sides, so it
// carries the outer look on both long edges; only the part outside the grid stays visible. The
// bands are whole pixels of the scale-1 bar; the grain runs at the finest pixels of the scale.
SurfaceHolder paintFrameBar(bool horizontal, int scale) {
  const int length = 433;
  const int depth = 21;
  const Colour edge = rgb(48, 27, 10);
  const Colour lit = rgb(214, 160, 96);
  const Colour body = rgb(163, 104, 50);
  const Colour groove = rgb(104, 62, 26);
  const Colour shade = rgb(118, 72, 32);
  const Colour joint = rgb(82, 48, 20);

  // The colour at band `across` (0..20) of the profile, `along` the bar for the grain.
  auto profile = [&](int across, double along, int seed) {
    if (across == 0 || across == depth - 1) return edge;
    if (across == 1) return lit;
    if (across == depth - 2) return shade;
    if (across == 7 || across == 14) return groove;
    const double grain = noise(seed * 31 + across, along * 0.45);
    return mix(body, rgb(128, 78, 34), grain * 0.6);
  };

  Sheet sheet = newPicture(horizontal ? length : depth, horizontal ? depth : length, scale);
  cairo_t* cr = sheet.cr.get();
  cairo_identity_matrix(cr);  // painted pixel by pixel of the scale
  // A pixel's place in units of the scale-1 bar: its whole pixel, and its centre for the grain.
  auto unit = [scale](int pixel) { return pixel / scale; };
  auto centre = [scale](int pixel) { return (pixel + 0.5) / scale - 0.5; };
  for (int along = 0; along < length * scale; ++along) {
    for (int across = 0; across < depth * scale; ++across) {
      int x = horizontal ? along : across;
      int y = horizontal ? across : along;
      Colour c = profile(unit(across), centre(along), horizontal ? 1 : 2);
      if (!horizontal) {
        // The ends of the side bars show past the top and bottom bars: give them the top and
        // bottom bars' look. The same end serves the left and the right corner, so its side
        // edges are one seam for both: outside as the frame's edge, inside as the joint with
        // the top or bottom bar.
        const int topRow = unit(along);           // 0..7 above the grid
        const int bottomRow = unit(along) - 413;  // 14..19 below it
        if (topRow <= 7 || bottomRow >= 14) {
          const int row = topRow <= 7 ? topRow : bottomRow;
          const int side = unit(across);
          c = (side == 0 || side == depth - 1) && row > 0 ? joint : profile(row, centre(across), 3);
        }
      }
      fillPixels(cr, x, y, 1, 1, c);
    }
  }
  return std::move(sheet.surface);
}

}  // namespace zelkan::pictures
