// Owning holders for the cairo, Pango and GLib objects the drawing uses, so every one is
// released exactly once whatever path the code takes.
#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace zelkan {

struct SurfaceRelease {
  void operator()(cairo_surface_t* p) const { cairo_surface_destroy(p); }
};
struct ContextRelease {
  void operator()(cairo_t* p) const { cairo_destroy(p); }
};
struct FontOptionsRelease {
  void operator()(cairo_font_options_t* p) const { cairo_font_options_destroy(p); }
};
struct FontDescriptionRelease {
  void operator()(PangoFontDescription* p) const { pango_font_description_free(p); }
};
struct GObjectRelease {
  void operator()(gpointer p) const { g_object_unref(p); }
};
struct BytesRelease {
  void operator()(GBytes* p) const { g_bytes_unref(p); }
};

using SurfaceHolder = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using ContextHolder = std::unique_ptr<cairo_t, ContextRelease>;
using FontOptionsHolder = std::unique_ptr<cairo_font_options_t, FontOptionsRelease>;
using FontDescriptionHolder = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;
using PangoContextHolder = std::unique_ptr<PangoContext, GObjectRelease>;
using LayoutHolder = std::unique_ptr<PangoLayout, GObjectRelease>;
using BytesHolder = std::unique_ptr<GBytes, BytesRelease>;

}  // namespace zelkan
