// The painters of the picture set, one per kind of picture. Each paints its picture at `scale`
// (1, 2, 3, ...) times its size in the picture list: the same drawing, in finer pixels.
#pragma once

#include "view/cairo_holders.h"
#include "view/picture_list.h"

namespace zelkan::pictures {

SurfaceHolder paintCellPicture(Picture picture, int scale);  // every 23 x 23 picture
SurfaceHolder paintFrameBar(bool horizontal, int scale);     // KARAYOKO, KARATATE
SurfaceHolder paintDigit(int digit, int scale);              // SUUJI(0..9)
SurfaceHolder paintRobot(int frame, int scale);              // ROBO_0..ROBO_4
SurfaceHolder paintTitlePlate(int scale);                    // RABERU
SurfaceHolder paintIcon(int scale);                          // the window icon

// The icon's drawing in its own iconSize units on a context of any scale, whole or not: the
// window icon, the desktop's icons at each size and the scalable one. The edge and the grid
// lines fall on whole pixels at every size.
void drawIcon(cairo_t* cr);

}  // namespace zelkan::pictures
