#include <gtest/gtest.h>

#include "core/movement.h"
#include "test_board.h"

namespace zelkan {
namespace {

bool legal(const GameState& s, int x1, int y1, int x2, int y2) {
  return 移動チェック(s.board, x1, y1, x2, y2, s.turnColour) == flagYes;
}

TEST(MoveCheck, StepsAndSlidesAlongRowsAndColumns) {
  auto s = test::emptyGame();
  test::put(*s, cellBlack, {{10, 10}});
  EXPECT_TRUE(legal(*s, 10, 10, 11, 10));
  EXPECT_TRUE(legal(*s, 10, 10, 9, 10));
  EXPECT_TRUE(legal(*s, 10, 10, 10, 9));
  EXPECT_TRUE(legal(*s, 10, 10, 10, 11));
  EXPECT_TRUE(legal(*s, 10, 10, 1, 10));
  EXPECT_TRUE(legal(*s, 10, 10, 19, 10));
  EXPECT_TRUE(legal(*s, 10, 10, 10, 1));
  EXPECT_TRUE(legal(*s, 10, 10, 10, 19));
  EXPECT_FALSE(legal(*s, 10, 10, 11, 11)) << "diagonal";
  EXPECT_FALSE(legal(*s, 10, 10, 12, 15)) << "both coordinates change";
}

TEST(MoveCheck, JumpsOneLineOfOneColourToTheFirstEmptyCellBehindIt) {
  auto s = test::emptyGame();
  test::put(*s, cellBlack, {{6, 10}, {7, 10}, {8, 10}});
  for (Code source : {cellBlack, cellWhite, cellEmpty}) {
    s->board(5, 10) = source;
    EXPECT_TRUE(legal(*s, 5, 10, 9, 10)) << "the source is not examined: " << source;
    EXPECT_FALSE(legal(*s, 5, 10, 10, 10)) << "passes black stones and an empty cell";
  }
  // The reverse mix: empty cells then stones.
  s->board(5, 10) = cellBlack;
  s->board(4, 10) = cellEmpty;
  EXPECT_FALSE(legal(*s, 3, 10, 9, 10));

  // A line of white and black stones cannot be jumped.
  test::put(*s, cellWhite, {{10, 3}});
  test::put(*s, cellBlack, {{10, 4}});
  EXPECT_FALSE(legal(*s, 10, 2, 10, 5));
  EXPECT_FALSE(legal(*s, 10, 5, 10, 2));
  // An enemy line jumps as well as an own one.
  test::put(*s, cellWhite, {{10, 4}});
  EXPECT_TRUE(legal(*s, 10, 2, 10, 5));
}

TEST(MoveCheck, RefusesAnyOccupiedDestinationButNotAnEmptySameCell) {
  auto s = test::emptyGame();
  test::put(*s, cellBlack, {{3, 3}, {3, 4}});
  test::put(*s, cellWhite, {{4, 3}});
  EXPECT_FALSE(legal(*s, 3, 3, 3, 4)) << "own stone";
  EXPECT_FALSE(legal(*s, 3, 3, 4, 3)) << "enemy stone";
  EXPECT_FALSE(legal(*s, 3, 3, 3, 3)) << "onto itself";
  EXPECT_TRUE(legal(*s, 9, 9, 9, 9)) << "an empty cell onto itself passes nothing";

  // A stone cornered by lines that run to the edge has no move; a gap at a line's end frees it.
  auto cornered = test::emptyGame();
  test::put(*cornered, cellWhite, {{1, 1}});
  for (int k = 2; k <= 19; ++k)
    test::put(*cornered, cellBlack, {{1, k}, {k, 1}});
  EXPECT_FALSE(hasLegalMove(cornered->board, cellWhite));
  EXPECT_TRUE(hasLegalMove(cornered->board, cellBlack));
  cornered->board(1, 19) = cellEmpty;
  EXPECT_TRUE(hasLegalMove(cornered->board, cellWhite));
}

TEST(MoveCheck, StartingPosition) {
  auto s = test::startGame();
  EXPECT_TRUE(hasLegalMove(s->board, cellBlack) && hasLegalMove(s->board, cellWhite));
  for (int x = 1; x <= 19; ++x) {
    for (int y = 3; y <= 17; ++y)
      EXPECT_TRUE(legal(*s, x, 18, x, y)) << x << "," << y;
    EXPECT_FALSE(legal(*s, x, 18, x, 2)) << "white holds the destination";
    EXPECT_TRUE(legal(*s, x, 19, x, 17)) << "jumps the stone in front";
    EXPECT_FALSE(legal(*s, x, 19, x, 16));
    for (int to = 1; to <= 19; ++to) {
      EXPECT_FALSE(legal(*s, x, 18, to, 18));
      EXPECT_FALSE(legal(*s, x, 19, to, 19));
    }
  }
}

TEST(StoneMove, EmptiesTheSourceAndPutsTheCodeOnTheDestination) {
  auto s = test::emptyGame();
  test::put(*s, cellWhite, {{2, 2}, {5, 2}});
  石移動(s->board, 2, 2, 5, 2, cellBlack);
  EXPECT_EQ(s->board(2, 2), cellEmpty);
  EXPECT_EQ(s->board(5, 2), cellBlack);
}

}  // namespace
}  // namespace zelkan
