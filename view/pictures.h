// The pictures as cairo surfaces, read once from the resources built into the program.
#pragma once

#include <cairo.h>

#include "view/picture_list.h"

namespace zelkan {

// The surface of a picture at scale 1..largestScale: scale times its natural size, painted at
// that size. Each is read on its first use and lives until the program ends. Throws
// std::runtime_error if a picture is missing from the built-in resources or has the wrong size,
// which only a broken build can cause, and std::out_of_range for a scale outside
// 1..largestScale.
cairo_surface_t* pictureSurface(Picture picture, int scale = 1);

// The window icon, 32 x 32 with transparency; same lifetime and failure as above.
cairo_surface_t* iconSurface();

}  // namespace zelkan
