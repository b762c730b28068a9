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

// A game of five moves, the fourth not reviewed yet, at scales 1 and 2 and at two sizes: the line
// joins the marks given, each mark has its class's colour and the worse ones their sign, the move
// to play is marked, the plot fills the width, and a click on a column picks the move drawn there.
// Each side's summary counts its classes and average loss; the list shows one side or both.
TEST(ReviewDrawing, DrawsTheMarksTheLineAndTheMoveToPlay) {
  ReviewPicture picture;
  picture.rows = {row(0, 0, 0), row(1, 40, 35), row(2, 20, 25), std::nullopt, row(4, -30, 2)};
  picture.current = 2;
  EXPECT_EQ(reviewRange(picture), 50);
  for (const auto& size : {std::pair{1, clientWidth}, std::pair{2, 1100}}) {
    const int scale = size.first;
    const int width = size.second;
    picture.width = width;
    Canvas canvas(scale);
    canvas.setScale(scale, {}, picture.width, picture.height);
    drawReview(canvas, picture);
    const auto at = [&](int x, int y) { return canvas.pixel(x * scale, y * scale); };
    const ReviewPlot plot = reviewPlot(picture);
    EXPECT_EQ(plot.right, width - 12) << "the plot fills the width";
    const int y0 = reviewValueY(picture, 0, 50);
    const int y1 = reviewValueY(picture, 40, 50);
    EXPECT_LT(y1, y0) << "black's advantage is drawn up";
    EXPECT_EQ(at(reviewMoveX(picture, 1), y1), palette[moveClassColour(MoveClass::blunder)]);
    EXPECT_EQ(at(reviewMoveX(picture, 4), reviewValueY(picture, -30, 50)),
              palette[moveClassColour(MoveClass::good)]);
    const int midX = (reviewMoveX(picture, 0) + reviewMoveX(picture, 1)) / 2;
    EXPECT_EQ(at(midX, (y0 + y1) / 2), palette[reviewLineColour]);
    EXPECT_EQ(at(reviewMoveX(picture, 3), plot.top + 1), palette[reviewPlotColour]);
    EXPECT_EQ(at(reviewMoveX(picture, 2), plot.top + 1), palette[reviewCurrentColour]);
    EXPECT_EQ(at(reviewMoveX(picture, 4) + 5, plot.top + 1), palette[reviewPlotColour]);
    int signInk = 0;  // the blunder's "??" above its mark, in its red
    for (int y = y1 - 16; y < y1 - 4; ++y) {
      for (int x = reviewMoveX(picture, 1) - 6; x < reviewMoveX(picture, 1) + 6; ++x)
        signInk += at(x, y).r > 2 * at(x, y).g + 40;
    }
    EXPECT_GT(signInk, 0);
    EXPECT_EQ(reviewMoveAt(picture, reviewMoveX(picture, 1), plot.bottom - 2), 1);
    EXPECT_EQ(reviewMoveAt(picture, reviewMoveX(picture, 3), plot.top + 5), std::nullopt);
  }
  const ReviewSummary black = reviewSummary(picture, 0);
  EXPECT_EQ(black.moves, 3);
  EXPECT_EQ(black.mistakes, 1);
  EXPECT_DOUBLE_EQ(reviewSummary(picture, 1).averageLoss, 35);
  EXPECT_EQ(reviewSummaryText(reviewSummary(picture, 1), 1),
            "白　緩手 ?! 0　悪手 ? 0　大悪手 ?? 1　平均 35.0 点損");
  EXPECT_EQ(reviewListed(picture, ReviewShown::white), (std::vector<int>{1}));
  EXPECT_EQ(reviewListed(picture, ReviewShown::both), (std::vector<int>{0, 1, 2, 4}));
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
