// The reach test, the threat test and the sandwich probes of the computer.
#include <gtest/gtest.h>

#include "com/danger_probes.h"
#include "tests/com/com_test_board.h"

namespace zelkan::test {
namespace {

constexpr Code com = cellBlack;
constexpr Code human = cellWhite;

TEST(ReachTest, AnOwnStoneHidesTheEnemyBehindItAndTheOtherLinesStillCount) {
  Board b = emptyBoard();
  put(b, human, {{10, 5}});
  put(b, com, {{10, 7}});
  EXPECT_EQ(調査危険_座標(b, 10, 10, com, human), flagNo);
  put(b, human, {{15, 10}});  // a free line from the right
  EXPECT_EQ(調査危険_座標(b, 10, 10, com, human), flagYes);
  put(b, com, {{12, 10}});
  EXPECT_EQ(調査危険_座標(b, 10, 10, com, human), flagNo);
  put(b, human, {{10, 19}});  // from below, over empty cells to the edge row
  EXPECT_EQ(調査危険_座標(b, 10, 10, com, human), flagYes);
}

TEST(ReachTest, EmptyLinesToTheEdgeGiveNothing) {
  const Board b = emptyBoard();
  EXPECT_EQ(調査危険_座標(b, 1, 1, com, human), flagNo);
  EXPECT_EQ(調査危険_座標(b, 19, 19, com, human), flagNo);
}

// A computer stone on (10, 10) with a human stone directly above and (10, 11) empty below.
Board humanAbove() {
  Board b = emptyBoard();
  put(b, com, {{10, 10}});
  put(b, human, {{10, 9}});
  return b;
}

TEST(ThreatTest, HumanAboveAndEmptyBelowNeedsAHumanThatCanSlideThere) {
  Board b = humanAbove();
  EXPECT_EQ(調査_挟まれていたか(b, 10, 10, com, human), flagNo);
  put(b, human, {{10, 3}});  // behind the run: the computer stones block its line
  EXPECT_EQ(調査_挟まれていたか(b, 10, 10, com, human), flagNo);

  Board fromBelow = humanAbove();
  put(fromBelow, human, {{10, 16}});
  EXPECT_EQ(調査_挟まれていたか(fromBelow, 10, 10, com, human), flagYes);
  Board fromLeft = humanAbove();
  put(fromLeft, human, {{2, 11}});
  EXPECT_EQ(調査_挟まれていたか(fromLeft, 10, 10, com, human), flagYes);
  put(fromLeft, com, {{5, 11}});
  EXPECT_EQ(調査_挟まれていたか(fromLeft, 10, 10, com, human), flagNo);
}

TEST(ThreatTest, EmptyAboveAndHumanBelowLooksAtTheCellAbove) {
  Board b = emptyBoard();
  put(b, com, {{10, 10}});
  put(b, human, {{10, 11}});
  EXPECT_EQ(調査_挟まれていたか(b, 10, 10, com, human), flagNo);
  put(b, human, {{3, 9}});
  EXPECT_EQ(調査_挟まれていたか(b, 10, 10, com, human), flagYes);
}

TEST(ThreatTest, CoversTheWholeRunOfComputerStones) {
  Board b = emptyBoard();
  put(b, com, {{10, 10}, {10, 11}, {10, 12}});
  put(b, human, {{10, 9}, {10, 17}});
  EXPECT_EQ(調査_挟まれていたか(b, 10, 10, com, human), flagYes);
  EXPECT_EQ(調査_挟まれていたか(b, 10, 12, com, human), flagYes);
}

TEST(ThreatTest, RunToTheEdgeOrEqualEndsIsSafe) {
  Board edge = emptyBoard();
  put(edge, com, {{10, 18}, {10, 19}});
  put(edge, human, {{10, 17}, {4, 10}});
  EXPECT_EQ(調査_挟まれていたか(edge, 10, 18, com, human), flagNo);

  Board bothEmpty = emptyBoard();
  put(bothEmpty, com, {{10, 10}});
  put(bothEmpty, human, {{10, 2}, {10, 18}, {2, 10}, {18, 10}});
  EXPECT_EQ(調査_挟まれていたか(bothEmpty, 10, 10, com, human), flagNo);

  Board bothHuman = emptyBoard();
  put(bothHuman, com, {{10, 10}});
  put(bothHuman, human, {{10, 9}, {10, 11}, {9, 10}, {11, 10}});
  EXPECT_EQ(調査_挟まれていたか(bothHuman, 10, 10, com, human), flagNo);
}

TEST(ThreatTest, HorizontalAxisCountsWhenTheVerticalOneIsSafe) {
  Board b = emptyBoard();
  put(b, com, {{10, 10}});
  put(b, human, {{9, 10}, {15, 10}});
  EXPECT_EQ(調査_挟まれていたか(b, 10, 10, com, human), flagYes);
}

// Threatened along both axes: human stones above and to the left, and human stones that can
// slide into the empty cells below and to the right.
Board threatenedTwice() {
  Board b = emptyBoard();
  put(b, com, {{10, 10}});
  put(b, human, {{10, 9}, {10, 15}, {9, 10}, {15, 10}});
  return b;
}

TEST(DestinationDanger, IsMinusTwoForOneOrBothAxesNeverMinusFour) {
  const Board twice = threatenedTwice();
  EXPECT_EQ(調査_移動先_危険値(twice, 10, 10, com, human), -2);
  Board once = threatenedTwice();
  put(once, com, {{13, 10}});  // blocks the slide from the right
  EXPECT_EQ(調査_移動先_危険値(once, 10, 10, com, human), -2);
  put(once, com, {{10, 13}});
  EXPECT_EQ(調査_移動先_危険値(once, 10, 10, com, human), 0);
}

TEST(OriginDanger, TestsBeforeTheMoveAndLeavesTheBoardAfterIt) {
  // Before the move the stone stood on (10, 10), threatened on both axes; it moved to (3, 3).
  Board b = threatenedTwice();
  b(10, 10) = cellEmpty;
  b(3, 3) = com;
  const Board after = b;
  EXPECT_EQ(調査_移動元_危険値(b, 10, 10, 3, 3, com, human), 2);
  EXPECT_EQ(b, after);

  // Called on the position before the move, it still leaves the position after it.
  Board before = threatenedTwice();
  EXPECT_EQ(調査_移動元_危険値(before, 10, 10, 3, 3, com, human), 2);
  EXPECT_EQ(before, after);

  Board safe = emptyBoard();
  put(safe, com, {{3, 3}});
  EXPECT_EQ(調査_移動元_危険値(safe, 10, 10, 3, 3, com, human), 0);
}

TEST(AdjacentEnemy, FindsTheFirstNeighbourLeftRightUpDown) {
  Board b = emptyBoard();
  put(b, human, {{10, 11}, {10, 9}, {11, 10}});
  Code nx = 0, ny = 0;
  ASSERT_EQ(調査_隣敵(b, 10, 10, nx, ny, human), flagYes);
  EXPECT_EQ(nx, 11);
  EXPECT_EQ(ny, 10);
  put(b, human, {{9, 10}});
  ASSERT_EQ(調査_隣敵(b, 10, 10, nx, ny, human), flagYes);
  EXPECT_EQ(nx, 9);
  b(9, 10) = b(11, 10) = cellEmpty;
  ASSERT_EQ(調査_隣敵(b, 10, 10, nx, ny, human), flagYes);
  EXPECT_EQ(ny, 9);
}

TEST(AdjacentEnemy, StaysOnTheBoardAndLeavesTheOutputsWhenNothingIsFound) {
  const Board b = emptyBoard();  // row 0 and column 0 hold black's code
  Code nx = 7, ny = 7;
  EXPECT_EQ(調査_隣敵(b, 1, 1, nx, ny, cellBlack), flagNo);
  EXPECT_EQ(nx, 7);
  EXPECT_EQ(ny, 7);
}

TEST(SandwichCount, CountsOnlyTowardTheFirstAdjacentEnemy) {
  Board b = emptyBoard();
  put(b, com, {{10, 10}, {7, 10}, {10, 6}});
  put(b, human, {{9, 10}, {8, 10}, {10, 9}, {10, 8}, {10, 7}});
  EXPECT_EQ(調査_挟める数(b, 10, 10, human), 2);  // left, though up would take 3
  b(7, 10) = cellEmpty;
  EXPECT_EQ(調査_挟める数(b, 10, 10, human), 0);  // left is first and open
}

TEST(SandwichCount, CountsEachDirection) {
  Board down = emptyBoard();
  put(down, com, {{10, 10}, {10, 13}});
  put(down, human, {{10, 11}, {10, 12}});
  EXPECT_EQ(調査_挟める数(down, 10, 10, human), 2);
  Board right = emptyBoard();
  put(right, com, {{10, 10}, {12, 10}});
  put(right, human, {{11, 10}});
  EXPECT_EQ(調査_挟める数(right, 10, 10, human), 1);
  Board up = emptyBoard();
  put(up, com, {{10, 10}, {10, 5}});
  put(up, human, {{10, 9}, {10, 8}, {10, 7}, {10, 6}});
  EXPECT_EQ(調査_挟める数(up, 10, 10, human), 4);
}

TEST(SandwichCount, IsZeroWithoutAClosingStone) {
  Board b = emptyBoard();
  put(b, com, {{16, 10}});
  put(b, human, {{17, 10}, {18, 10}, {19, 10}});
  EXPECT_EQ(調査_挟める数(b, 16, 10, human), 0);  // the edge does not close
  EXPECT_EQ(調査_挟める数(b, 5, 5, human), 0);    // no enemy next to it
}

TEST(SandwichPossible, HumanLineEndingInAnEmptyCell) {
  Board b = emptyBoard();
  put(b, com, {{5, 10}});
  put(b, human, {{6, 10}, {7, 10}});
  EXPECT_EQ(調査_挟み可能(b, 5, 10, com, human), flagYes);
  put(b, com, {{8, 10}});
  EXPECT_EQ(調査_挟み可能(b, 5, 10, com, human), flagNo);

  Board edge = emptyBoard();
  put(edge, com, {{17, 10}});
  put(edge, human, {{18, 10}, {19, 10}});
  EXPECT_EQ(調査_挟み可能(edge, 17, 10, com, human), flagNo);
  put(edge, human, {{17, 11}});  // down: one human stone, then an empty cell
  EXPECT_EQ(調査_挟み可能(edge, 17, 10, com, human), flagYes);
}

TEST(SandwichPossible, AnEmptyNeighbourIsNoLine) {
  Board b = emptyBoard();
  put(b, com, {{1, 10}});  // column 0 holds black's code: the walk must not reach it
  put(b, human, {{3, 10}});
  EXPECT_EQ(調査_挟み可能(b, 1, 10, com, human), flagNo);
}

}  // namespace
}  // namespace zelkan::test
