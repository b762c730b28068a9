// Shared colours and brushes of the picture generator.
#pragma once

#include <cairo.h>

#include <string>

#include "view/cairo_holders.h"

namespace zelkan::pictures {

struct Colour {
  double r, g, b;
};

// Byte values 0..255 to a colour.
constexpr Colour rgb(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}
Colour mix(Colour a, Colour b, double t);  // t = 0 gives a, 1 gives b

void setColour(cairo_t* cr, Colour c, double alpha = 1.0);
void fillPixels(cairo_t* cr, int x, int y, int w, int h, Colour c);

// The colours every picture shares.
inline constexpr Colour panelGrey = rgb(128, 128, 128);  // palette index 8, the window background
inline constexpr Colour wood = rgb(222, 178, 108);
inline constexpr Colour gridLine = rgb(84, 56, 28);

// A picture to paint on: opaque unless alpha is asked for. The surface is scale x width by
// scale x height pixels and the context is scaled to match, so painters draw in the picture's
// own units whatever the scale.
struct Sheet {
  SurfaceHolder surface;
  ContextHolder cr;
};
Sheet newPicture(int width, int height, int scale, bool alpha = false);

// Empty cell: wood with the grid lines meeting at the centre pixel, in given colours.
void paintCell(cairo_t* cr, Colour surface, Colour line);

// A glossy stone centred at (cx, cy), with its soft shadow.
void paintStone(cairo_t* cr, double cx, double cy, double radius, bool black,
                double shadowAlpha = 0.35, double shadowOffset = 0.9);

// Limits painting to the inside of a cell picture, leaving the rows and columns it shares
// with its neighbours as the empty cell has them.
void clipToCellInside(cairo_t* cr);

// Adds a rectangle with corners rounded to radius r to the path.
void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r);

// Repeatable noise in 0..1 for wood grain and the like.
double noise(int seed, double t);

}  // namespace zelkan::pictures
