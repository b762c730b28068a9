#include <gtest/gtest.h>

#include "flow/scripted_window.h"
#include "view/canvas_checks.h"

namespace zelkan {
namespace {

using test::GameFixture;
using Strings = std::vector<std::string>;

// Moves the stone on (x1, y1) to (x2, y2) on the board and in the history's entry 0, as if the
// game had started from there.
void arrange(GameFixture& f, std::initializer_list<std::array<int, 4>> moves) {
  for (const auto& [x1, y1, x2, y2] : moves) {
    f.state->board(x2, y2) = f.state->board(x1, y1);
    f.state->board(x1, y1) = cellEmpty;
  }
  調査_保存(*f.state, 0);
  描画_盤(f.canvas, f.state->board);
}

TEST(BoardClick, BeforeAnyGameIsRefusedWithAMessage) {
  GameFixture f;
  f.click(4, 18);
  EXPECT_EQ(f.window.sounds(), Strings{test::forbidden});
  EXPECT_EQ(f.window.boxes(), Strings{"開始|「対局」で始めて下さい"});
  EXPECT_EQ(f.state->selState, 0);
}

TEST(BoardClick, MapsTwipsToCellsWithFloor) {
  GameFixture f;
  f.game.TAIMAN();
  f.clearLog();
  const double row19 = boardTop + cellHeight * 19 + 1;
  f.game.mousePressed(379, row19);
  EXPECT_EQ(f.window.sounds(), Strings{test::forbidden}) << "column 0 is off the board";
  f.game.mousePressed(380, row19);
  EXPECT_EQ(f.state->selX, 1);
  EXPECT_EQ(f.state->selY, 19);
  f.game.mousePressed(6649, row19);
  EXPECT_EQ(f.state->selX, 19) << "reselected";
  f.game.mousePressed(6650, row19);
  f.game.mousePressed(500, 229);
  EXPECT_EQ(f.window.sounds(), Strings(3, test::forbidden)) << "column 20 and row 0";
  f.game.mousePressed(500, 230);  // row 1: a white stone, not a destination
  EXPECT_EQ(f.window.sounds().size(), 3u);
  EXPECT_EQ(f.state->selState, 1) << "no click ends a selection";
}

TEST(BoardClick, SelectsReselectsAndIgnoresWhatIsNotAMove) {
  GameFixture f;
  f.game.TAIMAN();
  f.clearLog();
  f.click(10, 10);  // empty
  f.click(10, 2);   // white
  EXPECT_EQ(f.state->selState, 0);
  f.click(10, 18);
  EXPECT_EQ(f.state->selState, 1);
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KUROKETU, 10, 18));
  f.click(11, 19);
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KURO, 10, 18)) << "put down plainly";
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KUROKETU, 11, 19));
  f.click(11, 19);
  EXPECT_EQ(f.state->selX, 11);
  EXPECT_EQ(f.state->selY, 19);
  f.click(11, 16);  // beyond the first empty cell behind the stone in front
  f.click(12, 2);   // an enemy stone
  EXPECT_EQ(f.state->selState, 1);
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_TRUE(f.window.events.empty()) << "illegal destinations are silent";
  f.click(11, 17);
  EXPECT_EQ(f.state->moveNumber, 1);
  EXPECT_EQ(f.state->board(11, 17), cellBlack);
  EXPECT_EQ(f.state->turnColour, cellWhite);
  EXPECT_EQ(f.state->selState, 0);
}

// Checks at each repaint that cell (x, y) shows the next picture of a list, and notes the time.
class FrameWatch {
 public:
  explicit FrameWatch(GameFixture& f) : f_(f) {
    f_.canvas.repaintNow = [this] {
      times.push_back(f_.window.clock);
      if (times.size() <= frames_.size()) {
        EXPECT_TRUE(test::showsCellInside(f_.canvas, frames_[times.size() - 1], x_, y_))
            << "frame " << times.size();
      }
    };
  }
  void expect(int x, int y, std::vector<Picture> frames) {
    x_ = x;
    y_ = y;
    frames_ = std::move(frames);
    times.clear();
  }
  std::vector<double> times;

 private:
  GameFixture& f_;
  int x_ = 0;
  int y_ = 0;
  std::vector<Picture> frames_;
};

TEST(TwoPlayerGame, SandwichAndSurroundCapturesAreShownHeardAndCounted) {
  GameFixture f;
  // White (5, 9) stands between black's (5, 8) and the column black can slide up; black (1, 10)
  // sits on the left edge between white (1, 9) and (1, 11).
  arrange(f, {{5, 1, 5, 9}, {6, 18, 5, 8}, {7, 18, 1, 10}, {6, 1, 1, 9}, {7, 1, 1, 11}});
  f.game.TAIMAN();
  f.clearLog();
  FrameWatch watch(f);
  watch.expect(5, 9, {Picture::SIROCYU, Picture::PA, Picture::KARA});

  f.move(5, 18, 5, 10);  // black sandwiches (5, 9)
  EXPECT_EQ(f.window.sounds(), (Strings{test::stone, test::vanish}));
  ASSERT_EQ(watch.times.size(), 3u);
  EXPECT_NEAR(watch.times[0], 0.0, 1e-9);
  EXPECT_NEAR(watch.times[1], 0.3, 1e-9);
  EXPECT_NEAR(watch.times[2], 0.6, 1e-9);
  EXPECT_NEAR(f.window.clock, 0.9, 1e-9);
  ASSERT_EQ(f.window.events.size(), 2u);
  EXPECT_NEAR(f.window.events[1].time, 0.3, 1e-9) << "the vanish sound comes after one wait";
  EXPECT_EQ(f.state->whiteLost, 1);

  f.clearLog();
  watch.expect(1, 10, {Picture::KUROCYU, Picture::PA, Picture::KARA});
  f.window.clock = 0;
  f.move(2, 2, 2, 10);  // white surrounds (1, 10) against the edge
  EXPECT_EQ(f.window.sounds(), Strings{test::stone}) << "a surround capture is silent";
  ASSERT_EQ(watch.times.size(), 3u);
  EXPECT_NEAR(watch.times[2], 0.6, 1e-9);
  EXPECT_NEAR(f.window.clock, 0.9, 1e-9);
  EXPECT_EQ(f.state->board(1, 10), cellEmpty);
  EXPECT_EQ(f.state->blackLost, 1);
  EXPECT_EQ(f.state->whiteLost, 2) << "the surrounding side's tally grows too";

  // The panel shows stones lost from the board (1 each), not the tallies; two moves made.
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_1, test::cellPx(24.8), test::cellPy(5.8)));
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_1, test::cellPx(24.8), test::cellPy(6.9)));
  // Only the latest move carries the mark; every other cell shows what the board holds.
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y) {
      if (x == 2 && y == 10) continue;
      const Code c = f.state->board(x, y);
      const Picture p = c == cellBlack   ? Picture::KURO
                        : c == cellWhite ? Picture::SIRO
                                         : Picture::KARA;
      ASSERT_TRUE(test::showsCellInside(f.canvas, p, x, y));
    }
  }
  EXPECT_EQ(f.canvas.pixel(test::cellPx(2) + 10, test::cellPy(10) + 10), (Rgb{0, 255, 255}));
}

TEST(Keys, EscapeEndsTheProgramAtOnceAndOtherKeysDoNothing) {
  GameFixture f;
  f.game.keyPressed(13);
  f.game.keyPressed(65);
  EXPECT_TRUE(f.window.events.empty());
  f.game.keyPressed(27);
  EXPECT_EQ(f.window.all("end").size(), 1u);
  EXPECT_TRUE(f.window.all("shutdown").empty());
}

}  // namespace
}  // namespace zelkan
