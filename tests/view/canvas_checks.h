// Pixel checks for the drawing tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "view/canvas.h"
#include "view/coordinates.h"
#include "view/pictures.h"

namespace zelkan::test {

inline constexpr Rgb background{128, 128, 128};

// The pixel at which cell position (cx, cy) is drawn.
inline int cellPx(double cx) {
  return pixelOf(twipsX(cx));
}
inline int cellPy(double cy) {
  return pixelOf(twipsY(cy));
}

inline Rgb surfacePixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  std::uint32_t v = 0;
  std::memcpy(&v, data + y * cairo_image_surface_get_stride(s) + x * 4, sizeof v);
  return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
             static_cast<std::uint8_t>(v)};
}

inline Rgb picturePixel(Picture p, int x, int y, int scale = 1) {
  return surfacePixel(pictureSurface(p, scale), x, y);
}

// Whether the canvas shows the picture with its top-left at (px, py), over the part
// width x height of the picture (all of it by default). At a larger scale, all of these are
// scale-1 pixels: the canvas shows the picture of that scale at scale times the place.
inline ::testing::AssertionResult showsPicture(const Canvas& canvas, Picture p, int px, int py,
                                               int width = 0, int height = 0, int scale = 1) {
  const PictureInfo& info = pictureInfo(p);
  if (width == 0) width = info.width;
  if (height == 0) height = info.height;
  for (int y = 0; y < height * scale; ++y) {
    for (int x = 0; x < width * scale; ++x) {
      if (!(canvas.pixel(px * scale + x, py * scale + y) == picturePixel(p, x, y, scale))) {
        return ::testing::AssertionFailure() << info.name << " at (" << px << ", " << py
                                             << ") differs at its pixel (" << x << ", " << y << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Whether the canvas shows the inside of a cell picture (all but the outer lines it shares with
// its neighbours) at cell (x, y).
inline ::testing::AssertionResult showsCellInside(const Canvas& canvas, Picture p, int x, int y) {
  const int px = cellPx(x);
  const int py = cellPy(y);
  for (int j = 1; j < cellPictureSize - 1; ++j) {
    for (int i = 1; i < cellPictureSize - 1; ++i) {
      if (!(canvas.pixel(px + i, py + j) == picturePixel(p, i, j))) {
        return ::testing::AssertionFailure()
               << "cell (" << x << ", " << y << ") is not " << pictureInfo(p).name
               << " at its pixel (" << i << ", " << j << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Whether two canvases hold the same image, naming the first pixel that differs.
inline ::testing::AssertionResult sameImage(const Canvas& a, const Canvas& b) {
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (!(a.pixel(x, y) == b.pixel(x, y)))
        return ::testing::AssertionFailure()
               << "first difference at pixel (" << x << ", " << y << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

// Whether every pixel of the box [x0, x1) x [y0, y1) has the colour.
inline ::testing::AssertionResult allPixels(const Canvas& canvas, int x0, int y0, int x1, int y1,
                                            Rgb colour) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const Rgb c = canvas.pixel(x, y);
      if (!(c == colour))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << int(c.r)
                                             << "," << int(c.g) << "," << int(c.b);
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace zelkan::test
