#include "view/canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "core/game_state.h"
#include "view/coordinates.h"
#include "view/pictures.h"

namespace zelkan {

Canvas::Canvas(int scale) {
  setScale(scale);
}

void Canvas::setScale(int scale, const ImageMaker& makeImage, int width, int height) {
  if (scale < 1 || scale > largestScale) throw std::out_of_range("drawing scale out of range");
  scale_ = scale;
  baseWidth_ = width;
  baseHeight_ = height;
  imageMaker_ = makeImage;
  drawn_.clear();
  newImage();
}

// A drawing log would do for the window as well as pixels, but the pixels make every repaint a
// plain copy; the log is only read when the scale changes, and holds only what still shows.
void Canvas::redrawAt(int scale) {
  if (scale < 1 || scale > largestScale) throw std::out_of_range("drawing scale out of range");
  scale_ = scale;
  newImage();
  for (const Drawn& d : drawn_)
    d.paint(*this);
}

void Canvas::newImage() {
  width_ = baseWidth_ * scale_;
  height_ = baseHeight_ * scale_;
  // Only the window's own image will do: the same pixel format, the image's size, unscaled.
  SurfaceHolder made(imageMaker_ ? imageMaker_(width_, height_) : nullptr);
  const bool usable = made && cairo_surface_status(made.get()) == CAIRO_STATUS_SUCCESS &&
                      cairo_surface_get_type(made.get()) == CAIRO_SURFACE_TYPE_IMAGE &&
                      cairo_image_surface_get_format(made.get()) == CAIRO_FORMAT_RGB24 &&
                      cairo_image_surface_get_width(made.get()) == width_ &&
                      cairo_image_surface_get_height(made.get()) == height_;
  surface_ = usable
                 ? std::move(made)
                 : SurfaceHolder(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_));
  cr_.reset(cairo_create(surface_.get()));
  if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot make the drawing image");

  // Text is laid out at a fixed resolution with fixed rendering options, so it comes out the
  // same in tests, tools and on screen whatever the desktop's settings.
  pango_.reset(pango_cairo_create_context(cr_.get()));
  pango_cairo_context_set_resolution(pango_.get(), textDotsPerInch * scale_);
  FontOptionsHolder options(cairo_font_options_create());
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(pango_.get(), options.get());
  layout_.reset(pango_layout_new(pango_.get()));
  font_.reset(pango_font_description_from_string(textFace));

  setColour(backColour);
  cairo_paint(cr_.get());
  changed_ = {};
  markChanged(0, 0, width_, height_);
}

namespace {

bool inside(const PixelBox& inner, const PixelBox& outer) {
  return inner.x0 >= outer.x0 && inner.y0 >= outer.y0 && inner.x1 <= outer.x1 &&
         inner.y1 <= outer.y1;
}

// A box in scale-1 pixels from one in image pixels, taken out to whole scale-1 pixels.
PixelBox unscaled(double x0, double y0, double x1, double y1, int scale) {
  return {static_cast<int>(std::floor(x0 / scale)), static_cast<int>(std::floor(y0 / scale)),
          static_cast<int>(std::ceil(x1 / scale)), static_cast<int>(std::ceil(y1 / scale))};
}

}  // namespace

void Canvas::keep(Drawn drawn) {
  drawn.paint(*this);
  if (drawn.text) drawn.box = unscaled(lastInk_.x0, lastInk_.y0, lastInk_.x1, lastInk_.y1, scale_);
  if (drawn.box.empty()) return;  // it painted nothing
  if (drawn.covers) {
    // Back to the last patch still held, whose pixels may be read again: everything inside the
    // new box is gone for good.
    std::size_t from = drawn_.size();
    while (from > 0 && !(drawn_[from - 1].save && !drawn_[from - 1].saved.expired()))
      --from;
    const auto gone =
        std::remove_if(drawn_.begin() + static_cast<std::ptrdiff_t>(from), drawn_.end(),
                       [&](const Drawn& d) { return d.save || inside(d.box, drawn.box); });
    drawn_.erase(gone, drawn_.end());
  }
  drawn_.push_back(std::move(drawn));
}

void Canvas::setColour(int colour) {
  const Rgb c = paletteColour(colour);
  cairo_set_source_rgb(cr_.get(), c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void Canvas::markChanged(double x0, double y0, double x1, double y1) {
  const PixelBox box{std::max(0, static_cast<int>(std::floor(x0))),
                     std::max(0, static_cast<int>(std::floor(y0))),
                     std::min(width_, static_cast<int>(std::ceil(x1))),
                     std::min(height_, static_cast<int>(std::ceil(y1)))};
  if (box.empty()) return;
  if (changed_.empty()) {
    changed_ = box;
    return;
  }
  changed_ = {std::min(changed_.x0, box.x0), std::min(changed_.y0, box.y0),
              std::max(changed_.x1, box.x1), std::max(changed_.y1, box.y1)};
}

void Canvas::fillMarked() {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  cairo_fill_extents(cr_.get(), &x0, &y0, &x1, &y1);
  markChanged(x0, y0, x1, y1);
  cairo_fill(cr_.get());
}

PixelBox Canvas::takeChangedBox() {
  const PixelBox box = changed_;
  changed_ = {};
  return box;
}

void Canvas::copyPicture(Picture picture, double x, double y) {
  const PictureInfo& info = pictureInfo(picture);
  copyPicturePart(picture, x, y, x, y, info.width * twipsPerPixel, info.height * twipsPerPixel);
}

void Canvas::copyPicturePart(Picture picture, double x, double y, double left, double top,
                             double width, double height) {
  const PictureInfo& info = pictureInfo(picture);
  const int px = pixelOf(x);
  const int py = pixelOf(y);
  const int x0 = std::max(px, pixelOf(left));
  const int y0 = std::max(py, pixelOf(top));
  const int x1 = std::min(px + info.width, pixelOf(left + width));
  const int y1 = std::min(py + info.height, pixelOf(top + height));
  if (x0 >= x1 || y0 >= y1) return;
  const PixelBox box{x0, y0, x1, y1};
  keep({[picture, px, py, box](Canvas& c) {
          cairo_t* cr = c.cr_.get();
          const int s = c.scale_;
          cairo_save(cr);
          cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
          cairo_set_source_surface(cr, pictureSurface(picture, s), px * s, py * s);
          cairo_rectangle(cr, box.x0 * s, box.y0 * s, (box.x1 - box.x0) * s, (box.y1 - box.y0) * s);
          c.fillMarked();
          cairo_restore(cr);
        },
        box, true});
}

void Canvas::fillRectangle(double x, double y, double width, double height, int colour) {
  const int x0 = pixelOf(x);
  const int x1 = pixelOf(x + width);
  const int y0 = pixelOf(y);
  const int y1 = pixelOf(y + height);
  const PixelBox box{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
  keep({[box, colour](Canvas& c) {
          const int s = c.scale_;
          c.setColour(colour);
          cairo_rectangle(c.cr_.get(), box.x0 * s, box.y0 * s, (box.x1 - box.x0) * s,
                          (box.y1 - box.y0) * s);
          c.fillMarked();
        },
        box, true});
}

void Canvas::fillCircle(double x, double y, double radius, int colour) {
  // The outline is one pixel wide and centred on the radius, so the filled disc reaches half
  // a pixel beyond it.
  const double r = std::abs(radius) / twipsPerPixel + 0.5;
  const double cx = pixelOf(x) + 0.5;
  const double cy = pixelOf(y) + 0.5;
  keep({[cx, cy, r, colour](Canvas& c) {
          const int s = c.scale_;
          c.setColour(colour);
          cairo_arc(c.cr_.get(), cx * s, cy * s, r * s, 0, 2 * G_PI);
          c.fillMarked();
        },
        unscaled(cx - r, cy - r, cx + r, cy + r, 1)});
}

void Canvas::drawLine(double x0, double y0, double x1, double y1, double width, int colour) {
  const double ax = pixelOf(x0) + 0.5, ay = pixelOf(y0) + 0.5;
  const double bx = pixelOf(x1) + 0.5, by = pixelOf(y1) + 0.5;
  // The round caps reach half the width past each end.
  const double r = width / 2 + 1;
  keep({[ax, ay, bx, by, width, colour](Canvas& c) {
          cairo_t* cr = c.cr_.get();
          const int s = c.scale_;
          c.setColour(colour);
          cairo_set_line_width(cr, width * s);
          cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
          cairo_move_to(cr, ax * s, ay * s);
          cairo_line_to(cr, bx * s, by * s);
          double ex0 = 0, ey0 = 0, ex1 = 0, ey1 = 0;
          cairo_stroke_extents(cr, &ex0, &ey0, &ex1, &ey1);
          c.markChanged(ex0, ey0, ex1, ey1);
          cairo_stroke(cr);
        },
        unscaled(std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r,
                 std::max(ay, by) + r, 1)});
}

void Canvas::drawText(double x, double y, std::string_view text, int colour, double points) {
  paintText(x, y, -1, text, colour, points);
}

void Canvas::drawCentredText(double x, double y, std::string_view text, int colour, double points) {
  paintText(x, y, -1, text, colour, points, true);
}

PixelBox Canvas::drawWrappedText(double x, double y, double width, std::string_view text,
                                 int colour, double points) {
  paintText(x, y, width, text, colour, points);
  return lastText_;
}

// Text, broken into lines at most width twips wide when width is not negative, its top-left at
// (x, y) or, centred, its middle there. Its box is measured each time it is painted, at the scale
// of the moment.
PixelBox Canvas::paintText(double x, double y, double width, std::string_view text, int colour,
                           double points, bool centred) {
  Drawn drawn{[x, y, width, words = std::string(text), colour, points, centred](Canvas& c) {
    const int s = c.scale_;
    PangoLayout* layout = c.layout_.get();
    pango_layout_set_width(layout, width < 0 ? -1 : pixelOf(width) * s * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_font_description_set_size(c.font_.get(), static_cast<gint>(points * PANGO_SCALE));
    pango_layout_set_font_description(layout, c.font_.get());
    pango_layout_set_text(layout, words.data(), static_cast<int>(words.size()));
    c.setColour(colour);
    // Glyphs may reach past their layout box; their ink, a pixel wider for the
    // smoothing, does not.
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    int px = pixelOf(x) * s;
    int py = pixelOf(y) * s;
    if (centred) {
      px -= logical.x + logical.width / 2;
      py -= logical.y + logical.height / 2;
    }
    c.lastText_ = {px + std::min(ink.x, logical.x), py + std::min(ink.y, logical.y),
                   px + std::max(ink.x + ink.width, logical.x + logical.width),
                   py + std::max(ink.y + ink.height, logical.y + logical.height)};
    c.lastInk_ = {px + ink.x, py + ink.y, px + ink.x + ink.width, py + ink.y + ink.height};
    c.markChanged(c.lastText_.x0 - 1, c.lastText_.y0 - 1, c.lastText_.x1 + 1, c.lastText_.y1 + 1);
    cairo_move_to(c.cr_.get(), px, py);
    pango_cairo_show_layout(c.cr_.get(), layout);
    pango_layout_set_width(layout, -1);
  }};
  drawn.text = true;
  keep(std::move(drawn));
  return lastText_;
}

Canvas::Patch Canvas::save(double x, double y, double width, double height) {
  Patch patch{{pixelOf(x), pixelOf(y), pixelOf(x + width), pixelOf(y + height)},
              std::make_shared<SurfaceHolder>()};
  Drawn drawn{[box = patch.box, held = std::weak_ptr(patch.pixels)](Canvas& c) {
                if (const auto pixels = held.lock()) *pixels = c.capture(box);
              },
              patch.box};
  drawn.save = true;
  drawn.saved = patch.pixels;
  keep(std::move(drawn));
  return patch;
}

SurfaceHolder Canvas::capture(const PixelBox& box) const {
  const int s = scale_;
  SurfaceHolder pixels(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, (box.x1 - box.x0) * s, (box.y1 - box.y0) * s));
  ContextHolder cr(cairo_create(pixels.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr.get(), surface_.get(), -box.x0 * s, -box.y0 * s);
  cairo_paint(cr.get());
  return pixels;
}

void Canvas::restore(const Patch& patch) {
  if (!patch.pixels || !*patch.pixels) return;
  if (undoesSince(patch)) {
    paintPatch(patch.box, patch.pixels->get());
    return;
  }
  keep({[box = patch.box, pixels = patch.pixels](Canvas& c) { c.paintPatch(box, pixels->get()); },
        patch.box, true});
}

// Whether everything kept since the patch was saved lies inside it, so that putting it back
// leaves the image as it was before the save, at every scale: then none of it is kept any more.
bool Canvas::undoesSince(const Patch& patch) {
  for (std::size_t i = drawn_.size(); i-- > 0;) {
    const Drawn& d = drawn_[i];
    if (d.save && d.saved.lock() == patch.pixels) {
      drawn_.erase(drawn_.begin() + static_cast<std::ptrdiff_t>(i), drawn_.end());
      return true;
    }
    if (d.save ? !d.saved.expired() : d.text || !inside(d.box, patch.box)) return false;
  }
  return false;
}

void Canvas::paintPatch(const PixelBox& box, cairo_surface_t* pixels) {
  const int s = scale_;
  cairo_t* cr = cr_.get();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, pixels, box.x0 * s, box.y0 * s);
  cairo_rectangle(cr, box.x0 * s, box.y0 * s, (box.x1 - box.x0) * s, (box.y1 - box.y0) * s);
  fillMarked();
  cairo_restore(cr);
}

void Canvas::refresh() {
  if (repaintNow) repaintNow();
}

Rgb Canvas::pixel(int px, int py) const {
  if (px < 0 || py < 0 || px >= width_ || py >= height_)
    throw std::out_of_range("pixel outside the image");
  cairo_surface_flush(surface_.get());
  const unsigned char* data = cairo_image_surface_get_data(surface_.get());
  const int stride = cairo_image_surface_get_stride(surface_.get());
  std::uint32_t v = 0;
  std::memcpy(&v, data + py * stride + px * 4, sizeof v);
  return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
             static_cast<std::uint8_t>(v)};
}

bool Canvas::writePng(const std::string& path) const {
  cairo_surface_flush(surface_.get());
  return cairo_surface_write_to_png(surface_.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace zelkan
