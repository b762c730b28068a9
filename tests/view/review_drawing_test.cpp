#include "view/review_drawing.h"

#include <gtest/gtest.h>

#include "canvas_checks.h"
#include "view/readings.h"

namespace zelkan {
namespace {

ReviewRow row(int index, int value, int loss) {
  ReviewRow r;
  r.index = index;
  r.played = {false, 1, 18, 1, 10};
  r.best = loss == 0 ? r.played : RecordMove{false, 2, 18, 2, 10};
  r.value = value;
  r.loss = loss;
  r.moveClass = classOfLoss(loss);
  return r;
}

// A game of five moves, the fourth not reviewed yet, at scales 1 and 2: the line joins the marks
// given, each mark has its class's colour, the move to play is marked, and a click on a column of
// the graph or a line of the list picks the move drawn there.
TEST(ReviewDrawing, DrawsTheMarksTheLineAndTheMoveToPlay) {
  ReviewPicture picture;
  picture.rows = {row(0, 0, 0), row(1, 40, 35), row(2, 20, 20), std::nullopt, row(4, -30, 2)};
  picture.current = 2;
  EXPECT_EQ(reviewRange(picture), 50);
  for (int scale = 1; scale <= 2; ++scale) {
    Canvas canvas(scale);
    drawReview(canvas, picture);
    const auto at = [&](int x, int y) { return canvas.pixel(x * scale, y * scale); };
    const int y0 = reviewValueY(0, 50);
    const int y1 = reviewValueY(40, 50);
    EXPECT_LT(y1, y0) << "black's advantage is drawn up";
    EXPECT_EQ(at(reviewMoveX(5, 1), y1), palette[moveClassColour(MoveClass::blunder)]);
    EXPECT_EQ(at(reviewMoveX(5, 4), reviewValueY(-30, 50)),
              palette[moveClassColour(MoveClass::good)]);
    const int midX = (reviewMoveX(5, 0) + reviewMoveX(5, 1)) / 2;
    EXPECT_EQ(at(midX, (y0 + y1) / 2), palette[reviewLineColour]);
    EXPECT_EQ(at(reviewMoveX(5, 3), reviewGraphTop + 1), palette[reviewPlotColour]);
    EXPECT_EQ(at(reviewMoveX(5, 2), reviewGraphTop + 1), palette[reviewCurrentColour]);
    EXPECT_EQ(at(reviewMoveX(5, 4) + 5, reviewGraphTop + 1), palette[reviewPlotColour]);
  }
  EXPECT_EQ(reviewMoveAt(picture, reviewMoveX(5, 1), reviewGraphBottom - 2), 1);
  EXPECT_EQ(reviewMoveAt(picture, reviewMoveX(5, 3), reviewGraphTop + 5), std::nullopt);
  EXPECT_EQ(reviewListed(picture), (std::vector<int>{1, 2}));
  EXPECT_EQ(reviewMoveAt(picture, 100, reviewListTop + reviewLineHeight + 3), 2);
  EXPECT_EQ(reviewMoveAt(picture, 100, reviewListTop + 2 * reviewLineHeight + 3), std::nullopt);
}

// The graph's course in words: each change of the side ahead (an even position changes nothing)
// and the biggest loss, the first of equals; nothing before the first row.
TEST(ReviewDrawing, TellsTheCourseInOneSentence) {
  EXPECT_EQ(reviewCourse({std::nullopt}), "");
  EXPECT_EQ(reviewCourse({row(0, 0, 0), row(1, 0, 3)}), "互角。最大の損は 2 手目の 3 点");
  EXPECT_EQ(
      reviewCourse({row(0, 0, 0), row(1, 40, 35), row(2, 0, 35), std::nullopt, row(4, -30, 2),
                    row(5, 10, 1)}),
      "2 手目から黒が優勢、5 手目から白が優勢、6 手目から黒が優勢。最大の損は 2 手目の 35 点");
}

}  // namespace
}  // namespace zelkan
