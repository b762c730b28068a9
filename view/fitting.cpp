#include "view/fitting.h"

#include <algorithm>
#include <cmath>

#include "view/coordinates.h"
#include "view/palette.h"
#include "view/picture_list.h"

namespace zelkan {

Fit fitImage(int areaWidth, int areaHeight, int deviceScale, int width, int height) {
  Fit fit;
  fit.areaWidth = areaWidth;
  fit.areaHeight = areaHeight;
  const int device = std::max(deviceScale, 1);
  fit.device = device;
  fit.zoom =
      std::min({static_cast<double>(areaWidth) / width, static_cast<double>(areaHeight) / height,
                static_cast<double>(largestScale) / device});
  fit.zoom = std::max(fit.zoom, 1.0 / device);  // an area not yet given its size
  fit.x = static_cast<int>(std::floor((areaWidth - width * fit.zoom) / 2));
  fit.y = static_cast<int>(std::floor((areaHeight - height * fit.zoom) / 2));
  fit.x = std::max(fit.x, 0);
  fit.y = std::max(fit.y, 0);
  // A hair under a whole scale is that scale: a zoom worked out from whole pixels.
  fit.scale = std::clamp(static_cast<int>(std::ceil(fit.zoom * device - 1e-9)), 1, largestScale);
  return fit;
}

void paintUnscaled(cairo_t* cr, const Canvas& canvas) {
  cairo_save(cr);
  const double toArea = 1.0 / canvas.scale();
  cairo_scale(cr, toArea, toArea);
  cairo_set_source_surface(cr, canvas.surface(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

void paintFitted(cairo_t* cr, const Canvas& canvas, const Fit& fit) {
  cairo_save(cr);
  const double toArea = fit.zoom / canvas.scale();
  const double shownWidth = canvas.width() * toArea;
  const double shownHeight = canvas.height() * toArea;
  // The margin, where there is one: the whole area first, so the image's edge, which may fall
  // inside a pixel, blends with the margin's colour and nothing else.
  if (shownWidth < fit.areaWidth || shownHeight < fit.areaHeight) {
    const Rgb c = paletteColour(backColour);
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    cairo_paint(cr);
  }
  cairo_translate(cr, fit.x, fit.y);
  cairo_scale(cr, toArea, toArea);
  cairo_set_source_surface(cr, canvas.surface(), 0, 0);
  cairo_pattern_t* image = cairo_get_source(cr);
  // Screen pixels to an image pixel lie between 1/2 and 1 (the image is drawn at the smallest
  // whole scale as fine as it is shown): bilinear filtering, which cairo's GOOD is from 3/4 on,
  // then blends every image pixel in. Below 3/4 GOOD turns to a convolution that takes twice a
  // frame's time for a full screen here (bench_view). At one to one it is a plain copy.
  cairo_pattern_set_filter(image, CAIRO_FILTER_BILINEAR);
  cairo_pattern_set_extend(image, CAIRO_EXTEND_PAD);
  cairo_rectangle(cr, 0, 0, canvas.width(), canvas.height());
  cairo_fill(cr);
  cairo_restore(cr);
}

PixelBox shownBox(const Canvas& canvas, const Fit& fit, const PixelBox& pixels) {
  if (pixels.empty()) return {};
  const double toArea = fit.zoom / canvas.scale();
  return {static_cast<int>(std::floor(fit.x + pixels.x0 * toArea)) - 1,
          static_cast<int>(std::floor(fit.y + pixels.y0 * toArea)) - 1,
          static_cast<int>(std::ceil(fit.x + pixels.x1 * toArea)) + 1,
          static_cast<int>(std::ceil(fit.y + pixels.y1 * toArea)) + 1};
}

TwipsPoint twipsAt(const Fit& fit, double x, double y) {
  const auto along = [&fit](double at, int origin) {
    const double middle = (std::floor(at * fit.device) + 0.5) / fit.device;
    return std::floor((middle - origin) / fit.zoom) * twipsPerPixel;
  };
  return {along(x, fit.x), along(y, fit.y)};
}

}  // namespace zelkan
