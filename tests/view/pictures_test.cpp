#include "view/pictures.h"

#include <gtest/gtest.h>

#include "canvas_checks.h"

namespace zelkan {
namespace {

using test::picturePixel;

TEST(Pictures, EveryPictureIsBuiltInAtItsSizeAtEachScale) {
  for (int scale = 1; scale <= largestScale; ++scale) {
    for (const PictureInfo& info : pictureList) {
      cairo_surface_t* s = pictureSurface(info.picture, scale);
      ASSERT_NE(s, nullptr) << info.name;
      EXPECT_EQ(cairo_image_surface_get_width(s), info.width * scale) << info.name;
      EXPECT_EQ(cairo_image_surface_get_height(s), info.height * scale) << info.name;
    }
  }
  EXPECT_THROW(pictureSurface(Picture::KARA, largestScale + 1), std::out_of_range);
  cairo_surface_t* icon = iconSurface();
  EXPECT_EQ(cairo_image_surface_get_width(icon), iconSize);
  EXPECT_EQ(cairo_image_surface_get_height(icon), iconSize);
  EXPECT_EQ(cairo_image_surface_get_format(icon), CAIRO_FORMAT_ARGB32);
}

// Neighbouring cells overlap by one line and whichever is drawn later covers it. Pictures that
// stand on the grid therefore keep the empty cell's outer lines, so the board looks the same
// whatever order its cells are drawn in.
TEST(Pictures, CellPicturesShareTheEmptyCellsOuterLines) {
  const int last = cellPictureSize - 1;
  for (const Picture p : {Picture::KURO, Picture::SIRO, Picture::KUROKETU, Picture::SIROKETU,
                          Picture::KUROCYU, Picture::SIROCYU, Picture::PA}) {
    for (int i = 0; i < cellPictureSize; ++i) {
      for (const auto& [x, y] : {std::pair{i, 0}, {i, last}, {0, i}, {last, i}}) {
        EXPECT_EQ(picturePixel(p, x, y), picturePixel(Picture::KARA, x, y))
            << pictureInfo(p).name << " at (" << x << ", " << y << ")";
      }
    }
  }
}

TEST(Pictures, TintsKeepTheGridVisible) {
  const int mid = cellPictureSize / 2;
  for (const Picture p : {Picture::KARA, Picture::KARAKURO, Picture::KARASIRO}) {
    EXPECT_FALSE(picturePixel(p, 3, mid) == picturePixel(p, 3, 3)) << pictureInfo(p).name;
    EXPECT_FALSE(picturePixel(p, mid, 3) == picturePixel(p, 3, 3)) << pictureInfo(p).name;
  }
  EXPECT_FALSE(picturePixel(Picture::KARAKURO, 3, 3) == picturePixel(Picture::KARA, 3, 3));
  EXPECT_FALSE(picturePixel(Picture::KARASIRO, 3, 3) == picturePixel(Picture::KARA, 3, 3));
}

// The panel's pictures sit on the window background and must blend into it at their edges.
// The digits are drawn from row 5.8 but wiped only from row 5.9: their top rows must be
// background, or a wipe would leave part of an old digit behind.
TEST(Pictures, PanelPicturesBlendIntoTheBackground) {
  const int unwiped = test::cellPy(5.9) - test::cellPy(5.8);
  ASSERT_EQ(unwiped, 2);
  for (int d = 0; d <= 9; ++d) {
    for (int y = 0; y < unwiped + 1; ++y) {
      for (int x = 0; x < 9; ++x)
        EXPECT_EQ(picturePixel(suuji(d), x, y), test::background) << d << ": " << x << "," << y;
    }
  }
  for (const Picture p : {Picture::KUROSOTO, Picture::SIROSOTO, Picture::ROBO_0, Picture::ROBO_1,
                          Picture::ROBO_2, Picture::ROBO_3, Picture::ROBO_4, Picture::RABERU}) {
    const PictureInfo& info = pictureInfo(p);
    for (int x = 0; x < info.width; ++x) {
      EXPECT_EQ(picturePixel(p, x, 0), test::background) << info.name << " x " << x;
      EXPECT_EQ(picturePixel(p, x, info.height - 1), test::background) << info.name << " x " << x;
    }
    for (int y = 0; y < info.height; ++y) {
      EXPECT_EQ(picturePixel(p, 0, y), test::background) << info.name << " y " << y;
      EXPECT_EQ(picturePixel(p, info.width - 1, y), test::background) << info.name << " y " << y;
    }
  }
}

}  // namespace
}  // namespace zelkan
