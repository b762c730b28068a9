// The pictures as cairo surfaces, read once from the resources built into the program.
#pragma once

#include <cairo.h>

#include "view/picture_list.h"

namespace zelkan {

// The surface of a picture, at its natural size. The surfaces live until the program ends.
// Throws std::runtime_error if a picture is missing from the built-in resources or has the
// wrong size, which only a broken build can cause.
cairo_surface_t* pictureSurface(Picture picture);

// The window icon, 32 x 32 with transparency; same lifetime and failure as above.
cairo_surface_t* iconSurface();

}  // namespace zelkan
