// An image shown in a window of any size: as large as the window allows with its proportions
// kept, centred on the window's background, never larger than the finest picture set; drawn at
// the smallest whole scale at least as fine as it is shown, and scaled down from there.
#pragma once

#include <cairo.h>

#include "view/canvas.h"

namespace zelkan {

struct Fit {
  int areaWidth = clientWidth;  // the window's drawing area, in its own (logical) pixels
  int areaHeight = clientHeight;
  double zoom = 1;  // area pixels to a scale-1 pixel of the image
  int x = 0;        // the image's top-left corner in the area
  int y = 0;
  int scale = 1;   // the scale to draw the image at
  int device = 1;  // screen pixels to an area pixel
};

// The fit of an image of width x height scale-1 pixels into an area of the given size, on a
// display of `deviceScale` screen pixels to an area pixel.
Fit fitImage(int areaWidth, int areaHeight, int deviceScale, int width = clientWidth,
             int height = clientHeight);

// Paints the area, as far as the clip reaches: the image where the fit puts it, the margin round
// it in the background colour. The canvas is best drawn at the fit's scale.
void paintFitted(cairo_t* cr, const Canvas& canvas, const Fit& fit);
// Paints the image at its own size, from the area's top-left corner: one area pixel to a
// scale-1 pixel.
void paintUnscaled(cairo_t* cr, const Canvas& canvas);

// The area's box that shows a box of the image's own pixels, with the pixel round it that
// scaling down blends in.
PixelBox shownBox(const Canvas& canvas, const Fit& fit, const PixelBox& pixels);

// The point, in twips from the image's top-left, under the screen pixel holding the area's point
// (x, y): the scale-1 pixel under that pixel's middle, so every screen pixel that shows part of
// a cell picks that cell, and one in the margin lies outside the image.
struct TwipsPoint {
  double x, y;
};
TwipsPoint twipsAt(const Fit& fit, double x, double y);

}  // namespace zelkan
