#include <gtest/gtest.h>

#include "flow/scripted_window.h"
#include "view/canvas_checks.h"

namespace zelkan {
namespace {

using test::GameFixture;
using Strings = std::vector<std::string>;

// The bottom rows of a cell, below where the counting labels are written.
bool bottomRowsShow(const GameFixture& f, Picture p, int x, int y) {
  for (int j = 18; j < cellPictureSize - 1; ++j) {
    for (int i = 1; i < cellPictureSize - 1; ++i) {
      if (!(f.canvas.pixel(test::cellPx(x) + i, test::cellPy(y) + j) ==
            test::picturePixel(p, i, j)))
        return false;
    }
  }
  return true;
}

bool robotShows(const GameFixture& f, Picture p) {
  return test::showsPicture(f.canvas, p, test::cellPx(21.5), test::cellPy(12.5));
}

TEST(Judgement, TheStartingPositionIsADrawAndChangesNothing) {
  GameFixture f;
  const auto before = std::make_unique<GameState>(*f.state);
  f.game.HANTEI();
  EXPECT_EQ(f.window.boxes(), Strings{"引き分け！！|黒：[171]  白：[171]"});
  // 38 stones and 57 territory cells each: 95 steps, each with a sound and a 0.1 s wait.
  EXPECT_EQ(f.window.sounds(), Strings(95, test::stone));
  EXPECT_NEAR(f.window.clock, 9.5, 1e-6);
  EXPECT_EQ(f.state->board, before->board);
  EXPECT_EQ(f.state->gameMode, before->gameMode);
  EXPECT_EQ(f.state->moveNumber, before->moveNumber);
  // The board ends showing the influence map, the panel its counts.
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KARASIRO, 1, 3));
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KARAKURO, 1, 17));
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KARA, 1, 10));
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_0, test::cellPx(24.8), test::cellPy(5.8)));
  // In a game that goes on, the judgement names no winner.
  f.game.TAIMAN();
  f.window.events.clear();
  f.game.HANTEI();
  EXPECT_EQ(f.window.boxes(), Strings{"途中判定：互角|黒：[171]  白：[171]"});
  EXPECT_EQ(f.window.all("say"), Strings{"途中判定：互角 黒：[171]  白：[171]"});
}

TEST(Judgement, CountingLaysStonesThenTakenMarkersThenTerritory) {
  GameFixture f;
  // Black: 30 stones, white's tally 2, 5 territory cells; white has nothing to lay.
  int refreshes = 0;
  f.canvas.repaintNow = [&] {
    ++refreshes;
    if (refreshes == 30) {
      EXPECT_TRUE(bottomRowsShow(f, Picture::KURO, 2, 9));
    } else if (refreshes == 31) {
      EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KUROTORI, 2, 8));
    } else if (refreshes == 33) {
      EXPECT_TRUE(bottomRowsShow(f, Picture::KARAKURO, 2, 6));
    }
  };
  f.game.描画_判定(30, 0, 5, 0, 0, 2);
  EXPECT_EQ(refreshes, 37);
  EXPECT_NEAR(f.window.clock, 3.7, 1e-6);
  EXPECT_EQ(f.window.sounds().size(), 37u);
  EXPECT_TRUE(bottomRowsShow(f, Picture::KARAKURO, 2, 2));
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KARA, 2, 1)) << "only 37 pieces";
  // The running total 30 x 3 + 2 x 2 + 5 = 99 is left in the upper count field.
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_9, test::cellPx(24.3), test::cellPy(5.8)));
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_9, test::cellPx(24.8), test::cellPy(5.8)));
  // White fills from the top-right corner down: nothing was laid there.
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KARA, 19, 1));
}

TEST(Judgement, WhiteLaysFromTheTopRightAndTheLongerSideKeepsWaiting) {
  GameFixture f;
  f.game.描画_判定(1, 3, 0, 0, 0, 0);
  EXPECT_TRUE(bottomRowsShow(f, Picture::SIRO, 19, 1));
  EXPECT_TRUE(bottomRowsShow(f, Picture::SIRO, 19, 3));
  EXPECT_TRUE(bottomRowsShow(f, Picture::KURO, 1, 19));
  EXPECT_TRUE(bottomRowsShow(f, Picture::KARA, 1, 18));
  EXPECT_EQ(f.window.sounds().size(), 3u) << "steps 2 and 3 lay only white's pieces";
  EXPECT_NEAR(f.window.clock, 0.3, 1e-6);
}

TEST(Judgement, WinnerTitlesAndRobotFaces) {
  GameFixture f;
  f.state->gameMode = modeMan;
  f.game.描画_判定メッセージ(10, 9);
  f.game.描画_判定メッセージ(9, 10);
  EXPECT_EQ(f.window.boxes(),
            (Strings{"先手の勝ち！！|黒：[10]  白：[9]", "後手の勝ち！！|黒：[9]  白：[10]"}));
  EXPECT_EQ(f.canvas.pixel(test::cellPx(21.5) + 25, test::cellPy(12.5) + 30), test::background)
      << "no robot in a two-player game";

  f.window.events.clear();
  f.state->gameMode = modeCom;
  f.state->humanColour = cellBlack;  // player first
  f.state->comColour = cellWhite;
  f.game.描画_判定メッセージ(200, 100);
  EXPECT_TRUE(robotShows(f, Picture::ROBO_4));
  f.game.描画_判定メッセージ(100, 200);
  EXPECT_TRUE(robotShows(f, Picture::ROBO_3));
  f.state->humanColour = cellWhite;  // player second, black ahead: the computer won
  f.state->comColour = cellBlack;
  f.game.描画_判定メッセージ(200, 100);
  EXPECT_TRUE(robotShows(f, Picture::ROBO_3));
  f.game.描画_判定メッセージ(150, 150);
  EXPECT_TRUE(robotShows(f, Picture::ROBO_3)) << "a draw leaves the robot as it was";
  f.state->humanColour = cellBlack;
  f.state->comColour = cellWhite;
  f.game.描画_判定メッセージ(200, 100, true);
  f.game.描画_判定メッセージ(100, 200, true);
  EXPECT_TRUE(robotShows(f, Picture::ROBO_3)) << "who leads mid-game moves no robot";
  EXPECT_EQ(f.window.boxes(),
            (Strings{"MANの勝ち！！|黒：[200]  白：[100]", "COMの勝ち！！|黒：[100]  白：[200]",
                     "COMの勝ち！！|黒：[200]  白：[100]", "引き分け！！|黒：[150]  白：[150]",
                     "途中判定：黒がリード|黒：[200]  白：[100]",
                     "途中判定：白がリード|黒：[100]  白：[200]"}));
}

}  // namespace
}  // namespace zelkan
