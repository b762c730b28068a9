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

void Canvas::setScale(int scale, const ImageMaker& makeImage) {
  if (scale < 1 || scale > largestScale) throw std::out_of_range("drawing scale out of range");
  scale_ = scale;
  width_ = clientWidth * scale;
  height_ = clientHeight * scale;
  // Only the window's own image will do: the same pixel format, the image's size, unscaled.
  SurfaceHolder made(makeImage ? makeImage(width_, height_) : nullptr);
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
  pango_cairo_context_set_resolution(pango_.get(), textDotsPerInch * scale);
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
  cairo_t* cr = cr_.get();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, pictureSurface(picture, scale_), px * scale_, py * scale_);
  cairo_rectangle(cr, x0 * scale_, y0 * scale_, (x1 - x0) * scale_, (y1 - y0) * scale_);
  fillMarked();
  cairo_restore(cr);
}

void Canvas::fillRectangle(double x, double y, double width, double height, int colour) {
  const int x0 = pixelOf(x) * scale_;
  const int x1 = pixelOf(x + width) * scale_;
  const int y0 = pixelOf(y) * scale_;
  const int y1 = pixelOf(y + height) * scale_;
  setColour(colour);
  cairo_rectangle(cr_.get(), std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0),
                  std::abs(y1 - y0));
  fillMarked();
}

void Canvas::fillCircle(double x, double y, double radius, int colour) {
  // The outline is one pixel wide and centred on the radius, so the filled disc reaches half
  // a pixel beyond it.
  const double r = (std::abs(radius) / twipsPerPixel + 0.5) * scale_;
  setColour(colour);
  cairo_arc(cr_.get(), (pixelOf(x) + 0.5) * scale_, (pixelOf(y) + 0.5) * scale_, r, 0, 2 * G_PI);
  fillMarked();
}

void Canvas::drawLine(double x0, double y0, double x1, double y1, double width, int colour) {
  cairo_t* cr = cr_.get();
  setColour(colour);
  cairo_set_line_width(cr, width * scale_);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, (pixelOf(x0) + 0.5) * scale_, (pixelOf(y0) + 0.5) * scale_);
  cairo_line_to(cr, (pixelOf(x1) + 0.5) * scale_, (pixelOf(y1) + 0.5) * scale_);
  double ex0 = 0, ey0 = 0, ex1 = 0, ey1 = 0;
  cairo_stroke_extents(cr, &ex0, &ey0, &ex1, &ey1);
  markChanged(ex0, ey0, ex1, ey1);
  cairo_stroke(cr);
}

void Canvas::drawText(double x, double y, std::string_view text, int colour, double points) {
  pango_font_description_set_size(font_.get(), static_cast<gint>(points * PANGO_SCALE));
  pango_layout_set_font_description(layout_.get(), font_.get());
  pango_layout_set_text(layout_.get(), text.data(), static_cast<int>(text.size()));
  setColour(colour);
  const int px = pixelOf(x) * scale_;
  const int py = pixelOf(y) * scale_;
  // Glyphs may reach past their layout box; their ink, a pixel wider for the smoothing, does not.
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout_.get(), &ink, &logical);
  markChanged(px + std::min(ink.x, logical.x) - 1, py + std::min(ink.y, logical.y) - 1,
              px + std::max(ink.x + ink.width, logical.x + logical.width) + 1,
              py + std::max(ink.y + ink.height, logical.y + logical.height) + 1);
  cairo_move_to(cr_.get(), px, py);
  pango_cairo_show_layout(cr_.get(), layout_.get());
}

PixelBox Canvas::drawWrappedText(double x, double y, double width, std::string_view text,
                                 int colour, double points) {
  pango_layout_set_width(layout_.get(), pixelOf(width) * scale_ * PANGO_SCALE);
  pango_layout_set_wrap(layout_.get(), PANGO_WRAP_WORD_CHAR);
  drawText(x, y, text, colour, points);
  PangoRectangle ink;
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout_.get(), &ink, &logical);
  pango_layout_set_width(layout_.get(), -1);
  const int px = pixelOf(x) * scale_;
  const int py = pixelOf(y) * scale_;
  return {px + std::min(ink.x, logical.x), py + std::min(ink.y, logical.y),
          px + std::max(ink.x + ink.width, logical.x + logical.width),
          py + std::max(ink.y + ink.height, logical.y + logical.height)};
}

Canvas::Patch Canvas::save(double x, double y, double width, double height) const {
  Patch patch;
  patch.px = pixelOf(x) * scale_;
  patch.py = pixelOf(y) * scale_;
  const int w = pixelOf(x + width) * scale_ - patch.px;
  const int h = pixelOf(y + height) * scale_ - patch.py;
  patch.pixels.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
  ContextHolder cr(cairo_create(patch.pixels.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr.get(), surface_.get(), -patch.px, -patch.py);
  cairo_paint(cr.get());
  return patch;
}

void Canvas::restore(const Patch& patch) {
  cairo_t* cr = cr_.get();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, patch.pixels.get(), patch.px, patch.py);
  cairo_rectangle(cr, patch.px, patch.py, cairo_image_surface_get_width(patch.pixels.get()),
                  cairo_image_surface_get_height(patch.pixels.get()));
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
