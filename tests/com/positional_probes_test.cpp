// Openness, the four-neighbour value, the gap test and the line scans for the first
// non-computer cell.
#include <gtest/gtest.h>

#include <random>

#include "com/positional_probes.h"
#include "com/search.h"
#include "tests/com/com_test_board.h"

namespace zelkan::test {
namespace {

constexpr Code com = cellBlack;
constexpr Code human = cellWhite;

TEST(Openness, CountsEmptyCellsOfTheSquareByRepeatedAddition) {
  const Board empty = emptyBoard();
  EXPECT_EQ(調査_空数値(empty, 1, 1), addedHundredths(16));    // corner: 4 x 4
  EXPECT_EQ(調査_空数値(empty, 19, 10), addedHundredths(28));  // edge: 4 x 7
  EXPECT_EQ(調査_空数値(empty, 10, 10), addedHundredths(49));
  const Board start = startBoard();
  EXPECT_EQ(調査_空数値(start, 4, 3), addedHundredths(28));
  EXPECT_EQ(調査_空数値(start, 4, 18), addedHundredths(21));
  EXPECT_EQ(調査_空数値(start, 3, 18), addedHundredths(18));
  // Repeated addition is the value, and it is not k x 0.01.
  EXPECT_NE(調査_空数値(start, 4, 18), 21 * 0.01);
}

TEST(Openness, IsExactlyZeroWithNoEmptyCellAndCountsTheCellItself) {
  Board full = emptyBoard();
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y)
      full(x, y) = (x + y) % 2 ? cellBlack : cellWhite;
  }
  EXPECT_EQ(調査_空数値(full, 10, 10), 0.0);
  full(10, 10) = cellEmpty;
  EXPECT_EQ(調査_空数値(full, 10, 10), addedHundredths(1));
  EXPECT_EQ(調査_空数値(full, 13, 13), addedHundredths(1));  // (10, 10) is in its square
  EXPECT_EQ(調査_空数値(full, 14, 10), 0.0);                 // and not in this one
}

TEST(Openness, SearchGridMatchesTheProbeOnEveryCell) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    Board board = emptyBoard();
    const int density = round % 10;  // from empty to nine tenths full
    for (int x = 1; x <= boardSize; ++x) {
      for (int y = 1; y <= boardSize; ++y) {
        if (static_cast<int>(rng() % 10) < density) board(x, y) = rng() % 2 ? cellBlack : cellWhite;
      }
    }
    OpennessGrid grid;
    fillEmptyValue(board, grid);
    for (int x = 1; x <= boardSize; ++x) {
      for (int y = 1; y <= boardSize; ++y) {
        ASSERT_EQ(grid(x, y), 調査_空数値(board, x, y))
            << "round " << round << " at " << x << "," << y;
      }
    }
  }
}

TEST(FourNeighbourValue, CodesEmptyHumanAndComputerNeighbours) {
  Board b = emptyBoard();
  EXPECT_EQ(調査_四方数値(b, 1, 1, com, human), 200);  // no neighbour off the board
  EXPECT_EQ(調査_四方数値(b, 10, 19, com, human), 300);
  EXPECT_EQ(調査_四方数値(b, 10, 10, com, human), 400);
  put(b, com, {{10, 11}});
  EXPECT_EQ(調査_四方数値(b, 10, 10, com, human), 301);
  put(b, human, {{9, 10}});
  EXPECT_EQ(調査_四方数値(b, 10, 10, com, human), 211);
  put(b, com, {{10, 10}});  // the cell itself is not read
  EXPECT_EQ(調査_四方数値(b, 10, 10, com, human), 211);
  put(b, human, {{2, 1}});
  EXPECT_EQ(調査_四方数値(b, 1, 1, com, human), 110);
}

TEST(GapEntry, NeedsTwoStonesAcrossAndBothOtherSidesEmpty) {
  Board b = emptyBoard();
  put(b, human, {{9, 10}, {11, 10}});
  EXPECT_EQ(調査_間入(b, 10, 10, human), flagYes);
  put(b, com, {{10, 10}});  // the cell itself is not read
  EXPECT_EQ(調査_間入(b, 10, 10, human), flagYes);
  EXPECT_EQ(調査_間入(b, 10, 10, com), flagNo);
  put(b, com, {{10, 9}});  // a stone above spoils the first pattern, and the second fails alone
  EXPECT_EQ(調査_間入(b, 10, 10, human), flagNo);

  Board v = emptyBoard();
  put(v, human, {{10, 9}, {10, 11}});
  EXPECT_EQ(調査_間入(v, 10, 10, human), flagYes);
  put(v, human, {{9, 10}});
  EXPECT_EQ(調査_間入(v, 10, 10, human), flagNo);
}

TEST(GapEntry, IsNeverTrueOnTheOuterRowsAndColumns) {
  Board b = emptyBoard();
  put(b, human, {{4, 1}, {6, 1}, {4, 19}, {6, 19}, {1, 4}, {1, 6}, {19, 4}, {19, 6}});
  EXPECT_EQ(調査_間入(b, 5, 1, human), flagNo);
  EXPECT_EQ(調査_間入(b, 5, 19, human), flagNo);
  EXPECT_EQ(調査_間入(b, 1, 5, human), flagNo);
  EXPECT_EQ(調査_間入(b, 19, 5, human), flagNo);
  put(b, human, {{4, 2}, {6, 2}});
  EXPECT_EQ(調査_間入(b, 5, 2, human), flagYes);  // one row in, the same shape counts
}

TEST(LineScans, PassComputerStonesAndStopAtEmptyOrHuman) {
  Board b = emptyBoard();
  put(b, com, {{10, 9}, {10, 8}, {11, 10}});
  put(b, human, {{10, 11}, {5, 10}});
  Code cx = 0, cy = 0, kind = -1;
  ASSERT_EQ(調査_COM以外_上(b, 10, 10, cx, cy, kind, human), flagYes);
  EXPECT_EQ(cx, 10);
  EXPECT_EQ(cy, 7);
  EXPECT_EQ(kind, cellEmpty);
  ASSERT_EQ(調査_COM以外_下(b, 10, 10, cx, cy, kind, human), flagYes);
  EXPECT_EQ(cy, 11);
  EXPECT_EQ(kind, human);
  ASSERT_EQ(調査_COM以外_右(b, 10, 10, cx, cy, kind, human), flagYes);
  EXPECT_EQ(cx, 12);
  EXPECT_EQ(cy, 10);
  EXPECT_EQ(kind, cellEmpty);
  ASSERT_EQ(調査_COM以外_左(b, 10, 10, cx, cy, kind, human), flagYes);
  EXPECT_EQ(cx, 9);
  EXPECT_EQ(kind, cellEmpty);
}

TEST(LineScans, FindNothingPastComputerStonesToTheEdge) {
  Board b = emptyBoard();
  for (int x = 11; x <= boardSize; ++x)
    b(x, 10) = com;
  Code cx = 0, cy = 0, kind = 99;
  EXPECT_EQ(調査_COM以外_右(b, 10, 10, cx, cy, kind, human), flagNo);
  EXPECT_EQ(kind, 99);  // left as it was
  EXPECT_EQ(調査_COM以外_上(b, 5, 1, cx, cy, kind, human), flagNo);
  EXPECT_EQ(調査_COM以外_下(b, 5, 19, cx, cy, kind, human), flagNo);
  EXPECT_EQ(調査_COM以外_左(b, 1, 5, cx, cy, kind, human), flagNo);
  EXPECT_EQ(kind, 99);
}

}  // namespace
}  // namespace zelkan::test
