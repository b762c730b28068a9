#include "view/pictures.h"

#include <gio/gio.h>

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>

#include "view/cairo_holders.h"

// Made by glib-compile-resources from view/pictures.gresource.xml.
extern "C" GResource* zelkan_pictures_get_resource(void);

namespace zelkan {
namespace {

// Feeds a byte buffer to cairo's PNG reader.
struct ByteReader {
  const unsigned char* data;
  std::size_t size;
  std::size_t offset = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* out, unsigned int length) {
  auto* reader = static_cast<ByteReader*>(closure);
  if (length > reader->size - reader->offset) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, reader->data + reader->offset, length);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

// The resource path of a picture: the scale-1 set at the prefix, the others in "<s>x/".
std::string resourcePath(std::string_view name, int scale) {
  std::string path(pictureResourcePrefix);
  if (scale > 1) path += std::to_string(scale) + "x/";
  return path + std::string(name) + ".png";
}

SurfaceHolder loadPng(std::string_view name, int scale, int width, int height) {
  const std::string path = resourcePath(name, scale);
  BytesHolder bytes(g_resource_lookup_data(zelkan_pictures_get_resource(), path.c_str(),
                                           G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr));
  if (!bytes) throw std::runtime_error("picture missing from the resources: " + path);
  gsize size = 0;
  const auto* data = static_cast<const unsigned char*>(g_bytes_get_data(bytes.get(), &size));
  ByteReader reader{data, size};
  SurfaceHolder surface(cairo_image_surface_create_from_png_stream(readBytes, &reader));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("picture cannot be read: " + path);
  if (cairo_image_surface_get_width(surface.get()) != width * scale ||
      cairo_image_surface_get_height(surface.get()) != height * scale)
    throw std::runtime_error("picture has the wrong size: " + path);
  return surface;
}

}  // namespace

cairo_surface_t* pictureSurface(Picture picture, int scale) {
  if (scale < 1 || scale > largestScale) throw std::out_of_range("picture scale out of range");
  // Each picture of each scale is read when first asked for: a window uses one scale, and its
  // start-up only the board's pictures.
  static std::array<std::array<SurfaceHolder, pictureList.size()>, largestScale> sets;
  SurfaceHolder& surface =
      sets[static_cast<std::size_t>(scale - 1)].at(static_cast<std::size_t>(picture));
  if (!surface) {
    const PictureInfo& info = pictureInfo(picture);
    surface = loadPng(info.name, scale, info.width, info.height);
  }
  return surface.get();
}

cairo_surface_t* iconSurface() {
  static const SurfaceHolder icon = loadPng(iconName, 1, iconSize, iconSize);
  return icon.get();
}

}  // namespace zelkan
