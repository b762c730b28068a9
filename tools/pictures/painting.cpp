#include "tools/pictures/painting.h"

#include <cmath>

#include "view/picture_list.h"

namespace zelkan::pictures {

Colour mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void setColour(cairo_t* cr, Colour c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void fillPixels(cairo_t* cr, int x, int y, int w, int h, Colour c) {
  setColour(cr, c);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

Sheet newPicture(int width, int height, int scale, bool alpha) {
  Sheet c;
  c.surface.reset(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24,
                                             width * scale, height * scale));
  c.cr.reset(cairo_create(c.surface.get()));
  cairo_scale(c.cr.get(), scale, scale);
  return c;
}

void paintCell(cairo_t* cr, Colour surface, Colour line) {
  const int size = cellPictureSize;
  const int mid = size / 2;
  fillPixels(cr, 0, 0, size, size, surface);
  fillPixels(cr, 0, mid, size, 1, line);
  fillPixels(cr, mid, 0, 1, size, line);
}

void paintStone(cairo_t* cr, double cx, double cy, double radius, bool black, double shadowAlpha,
                double shadowOffset) {
  // Soft shadow, a little down and to the right.
  {
    const double sx = cx + shadowOffset;
    const double sy = cy + shadowOffset * 1.1;
    cairo_pattern_t* p = cairo_pattern_create_radial(sx, sy, radius * 0.6, sx, sy, radius + 1.4);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.12, 0.07, 0.02, shadowAlpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.12, 0.07, 0.02, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, sx, sy, radius + 1.4, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  // The body, lit from the upper left.
  const double hx = cx - radius * 0.35;
  const double hy = cy - radius * 0.4;
  cairo_pattern_t* body = cairo_pattern_create_radial(hx, hy, 0, cx, cy, radius);
  if (black) {
    cairo_pattern_add_color_stop_rgb(body, 0.0, 0.42, 0.42, 0.45);
    cairo_pattern_add_color_stop_rgb(body, 0.35, 0.16, 0.16, 0.18);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.02, 0.02, 0.03);
  } else {
    cairo_pattern_add_color_stop_rgb(body, 0.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(body, 0.45, 0.95, 0.94, 0.91);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.72, 0.71, 0.68);
  }
  cairo_set_source(cr, body);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(body);

  // A crisp edge so the stone reads against the wood.
  cairo_set_line_width(cr, 0.8);
  if (black) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  } else {
    cairo_set_source_rgba(cr, 0.38, 0.34, 0.30, 0.75);
  }
  cairo_arc(cr, cx, cy, radius - 0.4, 0, 2 * M_PI);
  cairo_stroke(cr);

  // The gloss.
  const double gr = radius * 0.32;
  cairo_pattern_t* gloss = cairo_pattern_create_radial(hx, hy, 0, hx, hy, gr);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, black ? 0.55 : 0.9);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
  cairo_set_source(cr, gloss);
  cairo_arc(cr, hx, hy, gr, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
}

void clipToCellInside(cairo_t* cr) {
  cairo_rectangle(cr, 1, 1, cellPictureSize - 2, cellPictureSize - 2);
  cairo_clip(cr);
}

double noise(int seed, double t) {
  // A sum of a few sines with unrelated periods: smooth, repeatable, not visibly periodic.
  const double s = seed * 12.9898;
  const double v = std::sin(t * 0.37 + s) * 0.5 + std::sin(t * 1.13 + s * 1.7) * 0.3 +
                   std::sin(t * 2.71 + s * 0.3) * 0.2;
  return 0.5 + 0.5 * v;
}

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

}  // namespace zelkan::pictures
