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

SurfaceHolder loadPng(std::string_view name, int width, int height) {
  const std::string path = std::string(pictureResourcePrefix) + std::string(name) + ".png";
  BytesHolder bytes(g_resource_lookup_data(zelkan_pictures_get_resource(), path.c_str(),
                                           G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr));
  if (!bytes) throw std::runtime_error("picture missing from the resources: " + path);
  gsize size = 0;
  const auto* data = static_cast<const unsigned char*>(g_bytes_get_data(bytes.get(), &size));
  ByteReader reader{data, size};
  SurfaceHolder surface(cairo_image_surface_create_from_png_stream(readBytes, &reader));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("picture cannot be read: " + path);
  if (cairo_image_surface_get_width(surface.get()) != width ||
      cairo_image_surface_get_height(surface.get()) != height)
    throw std::runtime_error("picture has the wrong size: " + path);
  return surface;
}

struct LoadedPictures {
  std::array<SurfaceHolder, pictureList.size()> pictures;
  SurfaceHolder icon;

  LoadedPictures() {
    for (const PictureInfo& info : pictureList) {
      pictures[static_cast<std::size_t>(info.picture)] =
          loadPng(info.name, info.width, info.height);
    }
    icon = loadPng(iconName, iconSize, iconSize);
  }
};

const LoadedPictures& loaded() {
  static const LoadedPictures all;
  return all;
}

}  // namespace

cairo_surface_t* pictureSurface(Picture picture) {
  return loaded().pictures.at(static_cast<std::size_t>(picture)).get();
}

cairo_surface_t* iconSurface() {
  return loaded().icon.get();
}

}  // namespace zelkan
