// The painters of the picture set, one per kind of picture.
#pragma once

#include "view/cairo_holders.h"
#include "view/picture_list.h"

namespace zelkan::pictures {

SurfaceHolder paintCellPicture(Picture picture);  // every 23 x 23 picture
SurfaceHolder paintFrameBar(bool horizontal);     // KARAYOKO, KARATATE
SurfaceHolder paintDigit(int digit);              // SUUJI(0..9)
SurfaceHolder paintRobot(int frame);              // ROBO_0..ROBO_4
SurfaceHolder paintTitlePlate();                  // RABERU
SurfaceHolder paintIcon();                        // the window icon

}  // namespace zelkan::pictures
