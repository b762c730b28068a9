// The persistent client-area image: everything the game draws lands here and stays until it is
// drawn over; the window only copies it to the screen. It needs no display. It keeps what was
// drawn on it as well as the pixels, so it can paint the same image again at another scale.
#pragma once

#include <cairo.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "view/cairo_holders.h"
#include "view/palette.h"
#include "view/picture_list.h"

namespace zelkan {

// The client area of the 613 x 533 pixel window, less its borders, title bar and menu bar.
// Everything the game draws lies inside it.
inline constexpr int clientWidth = 605;
inline constexpr int clientHeight = 487;

// The face of every text; the sizes are points at 96 dots per inch.
inline constexpr const char* textFace = "IPAPMincho";
inline constexpr double textDotsPerInch = 96.0;

// A box of image pixels, [x0, x1) x [y0, y1); empty when it holds no pixel.
struct PixelBox {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  bool empty() const { return x1 <= x0 || y1 <= y0; }
};

class Canvas {
 public:
  // A fresh image filled with the window background (palette index backColour), of the client
  // area's size times scale (1..largestScale) in each direction.
  explicit Canvas(int scale = 1);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Makes an RGB24 image surface of the given size in pixels, with a device scale of 1.
  using ImageMaker = std::function<cairo_surface_t*(int width, int height)>;

  // Starts afresh at another scale: a new image of the background, for the window to call once
  // it knows the desktop's scale and before anything is drawn. The window may make the image
  // itself, in memory its display shows from without a copy; otherwise it is a plain one. The
  // image is width x height scale-1 pixels, the client area's size unless told otherwise.
  void setScale(int scale, const ImageMaker& makeImage = {}, int width = clientWidth,
                int height = clientHeight);

  // Paints the image again at another scale (1..largestScale), everything on it as if it had
  // been drawn at that scale from the start, saved patches included; the image maker is the one
  // setScale was given. The whole image is then to be shown.
  void redrawAt(int scale);

  // All positions and sizes below are in twips; each is turned into whole pixels on its own,
  // as at scale 1, and then multiplied by the scale. So the layout is the same at every scale
  // and only what lies inside each box (lines, discs, text, pictures) gains resolution.

  // Copies a picture opaquely, at its natural size (the scale's picture), with its top-left
  // corner at (x, y).
  void copyPicture(Picture picture, double x, double y);

  // The same, showing only what falls inside the box from (left, top), width x height twips.
  void copyPicturePart(Picture picture, double x, double y, double left, double top, double width,
                       double height);

  // Fills the box from (x, y) to (x + width, y + height), outline and interior, in a palette
  // colour. Each corner is rounded to the nearest pixel boundary, so two boxes that share an
  // edge in twips share it in pixels too.
  void fillRectangle(double x, double y, double width, double height, int colour);

  // A filled circle, outline and interior in a palette colour, centred on the pixel nearest
  // to (x, y).
  void fillCircle(double x, double y, double radius, int colour);

  // A straight line from the centre of the pixel nearest (x0, y0) to that of the pixel nearest
  // (x1, y1), `width` scale-1 pixels wide, in a palette colour.
  void drawLine(double x0, double y0, double x1, double y1, double width, int colour);

  // Writes text with its top-left at (x, y): glyphs only, the background stays as it was. The
  // text is laid out in image pixels at scale x textDotsPerInch.
  void drawText(double x, double y, std::string_view text, int colour, double points);
  // The same with the middle of the text's box at (x, y).
  void drawCentredText(double x, double y, std::string_view text, int colour, double points);

  // The same, broken into lines at most width twips wide (between words, or between characters
  // where a word alone is wider). Gives the box the lines take, ink and spacing, in image pixels.
  PixelBox drawWrappedText(double x, double y, double width, std::string_view text, int colour,
                           double points);

  // The image's pixels under the box from (x, y), width by height twips (its corners rounded as
  // fillRectangle rounds them), kept so that restore puts back exactly what was there, also
  // after the image was painted again at another scale.
  struct Patch {
    PixelBox box;                           // in scale-1 pixels
    std::shared_ptr<SurfaceHolder> pixels;  // at the image's scale
  };
  Patch save(double x, double y, double width, double height);
  void restore(const Patch& patch);

  // Asks the window to show the image now (before a pause, say). The window fills in
  // repaintNow; without one, as in tests and tools, a refresh does nothing.
  void refresh();
  std::function<void()> repaintNow;

  // The box round everything drawn since the last call (or since the image was made), which
  // the window has yet to show; the next call starts empty again. Showing only this box keeps
  // each copy to the screen, and what the display connection holds for it, small.
  PixelBox takeChangedBox();

  // The image's size in its own pixels: its size in scale-1 pixels times the scale.
  int width() const { return width_; }
  int height() const { return height_; }
  // The number of drawings kept to paint the image again; those drawn over are let go.
  std::size_t keptDrawings() const { return drawn_.size(); }
  int scale() const { return scale_; }
  cairo_surface_t* surface() const { return surface_.get(); }

  // The colour of one pixel of the image, in the image's own pixels.
  Rgb pixel(int px, int py) const;

  // Writes the image as a PNG file; false if it could not be written.
  bool writePng(const std::string& path) const;

 private:
  // One drawing as kept: what it paints at the scale of the moment, the box of scale-1 pixels it
  // may touch, and whether it covers every pixel of that box. A save keeps its patch's pixels
  // as long as someone holds them (the caller, or a restore kept later).
  struct Drawn {
    Drawn(std::function<void(Canvas&)> p, PixelBox b = {}, bool c = false)
        : paint(std::move(p)), box(b), covers(c) {}
    std::function<void(Canvas&)> paint;
    PixelBox box;
    bool covers = false;
    bool text = false;  // its box was measured at one scale, not worked out
    bool save = false;  // a patch's pixels read, into `saved` while it is held
    std::weak_ptr<SurfaceHolder> saved;
  };
  void newImage();
  // Paints a drawing and keeps it: first letting go every earlier drawing it paints over, or,
  // for a restore, the save and everything after it when all of that lay inside the patch.
  void keep(Drawn drawn);
  bool undoesSince(const Patch& patch);
  PixelBox paintText(double x, double y, double width, std::string_view text, int colour,
                     double points, bool centred = false);
  SurfaceHolder capture(const PixelBox& box) const;
  void paintPatch(const PixelBox& box, cairo_surface_t* pixels);
  void setColour(int colour);
  // Adds a box in image pixels, taken out to whole pixels and cut to the image.
  void markChanged(double x0, double y0, double x1, double y1);
  // Adds what the current path covers when filled, and fills it.
  void fillMarked();

  int scale_ = 1;
  int baseWidth_ = clientWidth;  // scale-1 pixels
  int baseHeight_ = clientHeight;
  int width_ = 0;
  int height_ = 0;
  ImageMaker imageMaker_;
  std::vector<Drawn> drawn_;
  PixelBox lastText_;  // the last text's box in image pixels, ink and spacing
  PixelBox lastInk_;   // and its ink alone
  SurfaceHolder surface_;
  ContextHolder cr_;
  PangoContextHolder pango_;
  LayoutHolder layout_;
  FontDescriptionHolder font_;
  PixelBox changed_;
};

}  // namespace zelkan
