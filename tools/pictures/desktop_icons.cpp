// zelkan-icons: paints the desktop's icons for the installed game, each size on its own pixels
// and a scalable one as SVG, in the folders of the hicolor icon theme. Run it by hand after
// changing the icon; the files it writes are committed under assets/icons and installed from
// there.
//
//   zelkan-icons [folder]     (default: the source tree's assets/icons)
#include <cairo-svg.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/pictures/painters.h"

using namespace zelkan;
using namespace zelkan::pictures;

namespace {

namespace fs = std::filesystem;

// The sizes desktops ask the hicolor theme for.
constexpr int sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

fs::path placeFor(const fs::path& folder, const std::string& size, const char* extension) {
  const fs::path apps = folder / size / "apps";
  fs::create_directories(apps);
  return apps / (std::string(ZELKAN_DESKTOP_ID) + extension);
}

bool writePng(const fs::path& folder, int size) {
  const fs::path file = placeFor(folder, std::to_string(size) + "x" + std::to_string(size), ".png");
  const SurfaceHolder surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size));
  const ContextHolder cr(cairo_create(surface.get()));
  cairo_scale(cr.get(), static_cast<double>(size) / iconSize, static_cast<double>(size) / iconSize);
  drawIcon(cr.get());
  cairo_surface_flush(surface.get());
  return cairo_surface_write_to_png(surface.get(), file.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool writeSvg(const fs::path& folder) {
  const fs::path file = placeFor(folder, "scalable", ".svg");
  const SurfaceHolder surface(cairo_svg_surface_create(file.c_str(), iconSize, iconSize));
  cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
  {
    const ContextHolder cr(cairo_create(surface.get()));
    drawIcon(cr.get());
  }
  cairo_surface_finish(surface.get());
  return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = argc > 1 ? argv[1] : ZELKAN_ICON_DIR;
  bool ok = writeSvg(folder);
  for (const int size : sizes)
    ok = writePng(folder, size) && ok;
  if (!ok) {
    std::fprintf(stderr, "zelkan-icons: cannot write every icon to %s\n", folder.c_str());
    return 1;
  }
  std::printf("zelkan-icons: wrote %zu icons to %s\n", std::size(sizes) + 1, folder.c_str());
  return 0;
}
