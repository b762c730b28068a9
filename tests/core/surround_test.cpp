#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/counts.h"
#include "core/surround.h"
#include "test_board.h"

namespace zelkan {
namespace {

std::vector<std::pair<int, int>> marked(const GameState& s) {
  std::vector<std::pair<int, int>> out;
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y) {
      if (s.markBoard(x, y) > 0) out.emplace_back(x, y);
    }
  }
  return out;
}

TEST(Surround, CornerStoneIsTakenAgainstTheEdges) {
  auto s = test::emptyGame();
  test::put(*s, cellWhite, {{1, 1}});
  test::put(*s, cellBlack, {{1, 2}, {2, 1}});  // black has just moved to (2, 1)
  ASSERT_EQ(調査_当たり(*s, 2, 1, cellBlack, cellWhite), flagYes);
  EXPECT_EQ(marked(*s), (std::vector<std::pair<int, int>>{{1, 1}}));
  CaptureLog log;
  当駒消去(*s, log);
  EXPECT_EQ(s->board(1, 1), cellEmpty);
  EXPECT_EQ(s->whiteLost, 1);
  EXPECT_EQ(s->blackLost, 0) << "the capturer's share is the move's, not the removal's";
  ASSERT_EQ(log.groupCount, 1);
  EXPECT_EQ(log.groups[0].count, 1);
  EXPECT_EQ(log.removals[0].kind, CaptureKind::surround);
  EXPECT_EQ(調査_取得数(s->markBoard), 1) << "the marks stay after the removal";
  EXPECT_EQ(調査_当たり(*s, 2, 1, cellBlack, cellWhite), flagNo);
}

TEST(Surround, AGroupWithOneLibertyAnywhereStays) {
  auto s = test::emptyGame();
  // A white snake from (2, 5) right along row 5 and down column 12 to row 15, walled in by black
  // everywhere except below its far end.
  for (int x = 2; x <= 12; ++x)
    s->board(x, 5) = cellWhite;
  for (int y = 6; y <= 15; ++y)
    s->board(12, y) = cellWhite;
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y) {
      if (s->board(x, y) != cellEmpty) continue;
      const bool touches = (x > 1 && s->board(x - 1, y) == cellWhite) ||
                           (x < 19 && s->board(x + 1, y) == cellWhite) ||
                           (y > 1 && s->board(x, y - 1) == cellWhite) ||
                           (y < 19 && s->board(x, y + 1) == cellWhite);
      if (touches) s->board(x, y) = cellBlack;
    }
  }
  s->board(12, 16) = cellEmpty;
  EXPECT_EQ(調査_当たり(*s, 1, 5, cellBlack, cellWhite), flagNo);
  s->board(12, 16) = cellBlack;
  EXPECT_EQ(調査_当たり(*s, 1, 5, cellBlack, cellWhite), flagYes);
  EXPECT_EQ(調査_取得数(s->markBoard), 21);
}

TEST(Surround, FirstGroupInTheOrderLeftRightUpDown) {
  auto s = test::emptyGame();
  // Black moved to (10, 10); single white stones above and to the right, both enclosed.
  test::put(*s, cellBlack, {{10, 10}, {10, 8}, {9, 9}, {11, 9}, {12, 10}, {11, 11}, {11, 9}});
  test::put(*s, cellWhite, {{10, 9}, {11, 10}});
  ASSERT_EQ(調査_当たり(*s, 10, 10, cellBlack, cellWhite), flagYes);
  EXPECT_EQ(marked(*s), (std::vector<std::pair<int, int>>{{11, 10}})) << "right before up";
  CaptureLog log;
  当駒消去(*s, log);
  ASSERT_EQ(調査_当たり(*s, 10, 10, cellBlack, cellWhite), flagYes);
  EXPECT_EQ(marked(*s), (std::vector<std::pair<int, int>>{{10, 9}}));
}

TEST(Surround, NeverLooksAtTheMoversOwnGroups) {
  auto s = test::emptyGame();
  // Black (1, 1) has no liberty, but black is the mover.
  test::put(*s, cellBlack, {{1, 1}});
  test::put(*s, cellWhite, {{1, 2}, {2, 1}});
  EXPECT_EQ(調査_当たり(*s, 2, 1, cellWhite, cellBlack), flagYes) << "white takes it";
  EXPECT_EQ(調査_当たり(*s, 1, 1, cellBlack, cellWhite), flagNo) << "black cannot take itself";
}

TEST(Surround, TestRestoresTheMovedCellAndQuickTestLeavesMarksAlone) {
  auto s = test::emptyGame();
  test::put(*s, cellWhite, {{5, 5}});
  s->markBoard(9, 9) = 1;
  // (5, 6) is empty: the test holds the mover there while it looks, then puts it back.
  EXPECT_EQ(調査_当たり(*s, 5, 6, cellBlack, cellWhite), flagNo);
  EXPECT_EQ(s->board(5, 6), cellEmpty);
  EXPECT_EQ(s->markBoard(9, 9), 1) << "a stone touching an empty cell answers at once";
}

TEST(FourNeighbourState, LooksOnlyInsideTheBoard) {
  auto s = test::emptyGame();
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y)
      s->board(x, y) = cellBlack;
  }
  EXPECT_EQ(調査_四方状態(s->board, 1, 1, cellEmpty), flagNo);
  EXPECT_EQ(調査_四方状態(s->board, 19, 19, cellEmpty), flagNo);
  s->board(2, 1) = cellWhite;
  EXPECT_EQ(調査_四方状態(s->board, 1, 1, cellWhite), flagYes);
  EXPECT_EQ(調査_四方状態(s->board, 3, 1, cellWhite), flagYes);
  EXPECT_EQ(調査_四方状態(s->board, 2, 2, cellWhite), flagYes);
  EXPECT_EQ(調査_四方状態(s->board, 3, 2, cellWhite), flagNo) << "diagonals do not count";
}

// The group test against a plain flood fill, on many random boards: same answer and, on
// flagYes, exactly the group marked.
TEST(Surround, GroupTestAgreesWithAFloodFill) {
  std::mt19937 rng(20261207);
  for (int round = 0; round < 400; ++round) {
    auto s = test::emptyGame();
    const int emptyPercent = 5 + round % 30;
    std::uniform_int_distribution<int> pct(0, 99);
    for (int x = 1; x <= 19; ++x) {
      for (int y = 1; y <= 19; ++y) {
        const int p = pct(rng);
        s->board(x, y) = p < emptyPercent                              ? cellEmpty
                         : p < emptyPercent + (100 - emptyPercent) / 2 ? cellBlack
                                                                       : cellWhite;
      }
    }
    std::uniform_int_distribution<int> coord(1, 19);
    const int x = coord(rng);
    const int y = coord(rng);
    const Code colour = s->board(x, y);
    if (colour == cellEmpty) continue;

    Grid<std::int8_t> group;
    bool liberty = false;
    std::vector<std::pair<int, int>> todo{{x, y}};
    group(x, y) = 1;
    while (!todo.empty()) {
      const auto [cx, cy] = todo.back();
      todo.pop_back();
      const int n[4][2] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
      for (const auto& [nx, ny] : n) {
        if (!onBoard(nx, ny)) continue;
        if (s->board(nx, ny) == cellEmpty) liberty = true;
        if (s->board(nx, ny) == colour && !group(nx, ny)) {
          group(nx, ny) = 1;
          todo.emplace_back(nx, ny);
        }
      }
    }

    const Flag f = 調査_当たり2(*s, x, y, colour);
    ASSERT_EQ(f == flagYes, !liberty) << "round " << round;
    if (f == flagYes) {
      for (int i = 1; i <= 19; ++i) {
        for (int j = 1; j <= 19; ++j)
          ASSERT_EQ(s->markBoard(i, j), group(i, j)) << i << "," << j;
      }
    }
  }
}

}  // namespace
}  // namespace zelkan
