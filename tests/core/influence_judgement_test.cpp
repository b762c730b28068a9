#include <gtest/gtest.h>

#include "core/influence.h"
#include "core/judgement.h"
#include "test_board.h"

namespace zelkan {
namespace {

TEST(Influence, StartingPositionGivesEachSideThreeRows) {
  const auto s = test::startGame();
  const Influence inf = computeInfluence(s->board);
  EXPECT_EQ(inf.whiteArea, 57);
  EXPECT_EQ(inf.blackArea, 57);
  for (int x = 1; x <= 19; ++x) {
    EXPECT_EQ(inf.white(x, 3), 3);
    EXPECT_EQ(inf.white(x, 4), 2);
    EXPECT_EQ(inf.white(x, 5), 1);
    EXPECT_EQ(inf.black(x, 17), 3);
    EXPECT_EQ(inf.black(x, 16), 2);
    EXPECT_EQ(inf.black(x, 15), 1);
    for (int y = 1; y <= 19; ++y) {
      const Owner expected = y <= 2 || y >= 18 ? Owner::stone
                             : y <= 5          ? Owner::white
                             : y >= 15         ? Owner::black
                                               : Owner::none;
      EXPECT_EQ(inf.owner(x, y), expected) << x << "," << y;
    }
  }
}

TEST(Influence, ALoneStoneReachesThreeKingSteps) {
  auto s = test::emptyGame();
  s->board(10, 10) = cellBlack;
  Influence inf = computeInfluence(s->board);
  EXPECT_EQ(inf.blackArea, 48);
  EXPECT_EQ(inf.whiteArea, 0);
  int byWeight[4] = {};
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y)
      ++byWeight[inf.black(x, y)];
  }
  EXPECT_EQ(byWeight[3], 8);
  EXPECT_EQ(byWeight[2], 16);
  EXPECT_EQ(byWeight[1], 24);

  s->board(10, 10) = cellEmpty;
  s->board(1, 1) = cellWhite;
  inf = computeInfluence(s->board);
  EXPECT_EQ(inf.whiteArea, 15) << "the corner stone reaches only 1..4 x 1..4";
  EXPECT_EQ(inf.owner(4, 4), Owner::white);
  EXPECT_EQ(inf.owner(5, 1), Owner::none);
}

TEST(Influence, StrongestWeightWinsAndTiesCountForNobody) {
  auto s = test::emptyGame();
  // (10, 10) is one step from black (9, 10) and one from white (11, 10): 3 against 3.
  s->board(9, 10) = cellBlack;
  s->board(11, 10) = cellWhite;
  Influence inf = computeInfluence(s->board);
  EXPECT_EQ(inf.owner(10, 10), Owner::none);

  // (10, 5): black at distance 1 (3) beats three white stones at distance 2 (2 each, not 6).
  s = test::emptyGame();
  s->board(10, 4) = cellBlack;
  test::put(*s, cellWhite, {{12, 5}, {12, 7}, {8, 7}});
  inf = computeInfluence(s->board);
  EXPECT_EQ(inf.white(10, 5), 2);
  EXPECT_EQ(inf.owner(10, 5), Owner::black);
}

TEST(Judgement, StartingPositionIsADraw) {
  const auto s = test::startGame();
  const Scores sc = judgePosition(*s);
  EXPECT_EQ(sc.black, 171);
  EXPECT_EQ(sc.white, 171);
}

TEST(Judgement, StonesTalliesAndTerritoryWeighThreeTwoAndOne) {
  const Scores base = judgementScores(38, 38, 0, 0, 0, 0);
  // A sandwich of three white stones: whiteLost + 3 only.
  Scores sc = judgementScores(38, 35, 0, 0, 0, 3);
  EXPECT_EQ(sc.black - base.black, 6);
  EXPECT_EQ(sc.white - base.white, -9);
  // A surround of three white stones by black: whiteLost + 3 and blackLost + 3.
  sc = judgementScores(38, 35, 0, 0, 3, 3);
  EXPECT_EQ(sc.black - base.black, 6);
  EXPECT_EQ(sc.white - base.white, -3);
  sc = judgementScores(30, 0, 5, 7, 0, 2);
  EXPECT_EQ(sc.black, 30 * 3 + 2 * 2 + 5);
  EXPECT_EQ(sc.white, 7);
}

}  // namespace
}  // namespace zelkan
