// zelkan-pictures: paints the whole picture set and the window icon as PNG files.
// Run it by hand after changing a painter; the files it writes are committed under
// assets/pictures and built into the program from there.
//
//   zelkan-pictures [folder [scale]]
//
// folder defaults to the source tree's assets/pictures. With a scale, every picture is painted
// at that many times its size into the folder; without one, the set at each scale the program
// draws at: scale 1 into the folder, scale s into its subfolder "<s>x".
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/pictures/painters.h"

using namespace zelkan;
using namespace zelkan::pictures;

namespace {

SurfaceHolder paint(Picture p, int scale) {
  switch (p) {
    case Picture::KARAYOKO:
      return paintFrameBar(true, scale);
    case Picture::KARATATE:
      return paintFrameBar(false, scale);
    case Picture::RABERU:
      return paintTitlePlate(scale);
    default:
      break;
  }
  const int n = static_cast<int>(p);
  if (n >= static_cast<int>(Picture::SUUJI_0) && n <= static_cast<int>(Picture::SUUJI_9))
    return paintDigit(n - static_cast<int>(Picture::SUUJI_0), scale);
  if (n >= static_cast<int>(Picture::ROBO_0) && n <= static_cast<int>(Picture::ROBO_4))
    return paintRobot(n - static_cast<int>(Picture::ROBO_0), scale);
  return paintCellPicture(p, scale);
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

// Paints the set at one scale into the folder, with the window icon at scale 1 (the desktop's
// icons at their sizes come from zelkan-icons).
bool writeSet(const std::string& folder, int scale) {
  bool ok = true;
  for (const PictureInfo& info : pictureList) {
    ok = write(paint(info.picture, scale).get(), folder, info.name, info.width * scale,
               info.height * scale) &&
         ok;
  }
  if (scale == 1) ok = write(paintIcon(1).get(), folder, iconName, iconSize, iconSize) && ok;
  if (ok)
    std::printf("zelkan-pictures: wrote the pictures at scale %d to %s\n", scale, folder.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ZELKAN_PICTURE_DIR;
  const int scale = argc > 2 ? std::atoi(argv[2]) : 0;
  if (argc > 3 || (argc > 2 && (scale < 1 || scale > 16))) {
    std::fprintf(stderr, "usage: zelkan-pictures [folder [scale 1..16]]\n");
    return 2;
  }
  if (scale > 0) return writeSet(folder, scale) ? 0 : 1;
  bool ok = writeSet(folder, 1);
  for (int s = 2; s <= largestScale; ++s) {
    const std::string subfolder = folder + "/" + std::to_string(s) + "x";
    std::filesystem::create_directories(subfolder);
    ok = writeSet(subfolder, s) && ok;
  }
  return ok ? 0 : 1;
}
