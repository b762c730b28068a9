// zelkan-pictures: paints the whole picture set and the window icon as PNG files.
// Run it by hand after changing a painter; the files it writes are committed under
// assets/pictures and built into the program from there.
//
//   zelkan-pictures [folder]     (default: the source tree's assets/pictures)
#include <cstdio>
#include <string>

#include "tools/pictures/painters.h"

using namespace zelkan;
using namespace zelkan::pictures;

namespace {

SurfaceHolder paint(Picture p) {
  switch (p) {
    case Picture::KARAYOKO:
      return paintFrameBar(true);
    case Picture::KARATATE:
      return paintFrameBar(false);
    case Picture::RABERU:
      return paintTitlePlate();
    default:
      break;
  }
  const int n = static_cast<int>(p);
  if (n >= static_cast<int>(Picture::SUUJI_0) && n <= static_cast<int>(Picture::SUUJI_9))
    return paintDigit(n - static_cast<int>(Picture::SUUJI_0));
  if (n >= static_cast<int>(Picture::ROBO_0) && n <= static_cast<int>(Picture::ROBO_4))
    return paintRobot(n - static_cast<int>(Picture::ROBO_0));
  return paintCellPicture(p);
}

bool write(cairo_surface_t* surface, const std::string& folder, std::string_view name, int width,
           int height) {
  const std::string path = folder + "/" + std::string(name) + ".png";
  if (cairo_image_surface_get_width(surface) != width ||
      cairo_image_surface_get_height(surface) != height) {
    std::fprintf(stderr, "zelkan-pictures: %s came out at the wrong size\n", path.c_str());
    return false;
  }
  cairo_surface_flush(surface);
  if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "zelkan-pictures: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ZELKAN_PICTURE_DIR;
  bool ok = true;
  for (const PictureInfo& info : pictureList)
    ok = write(paint(info.picture).get(), folder, info.name, info.width, info.height) && ok;
  ok = write(paintIcon().get(), folder, iconName, iconSize, iconSize) && ok;
  if (ok)
    std::printf("zelkan-pictures: wrote %zu pictures to %s\n", pictureList.size() + 1,
                folder.c_str());
  return ok ? 0 : 1;
}
