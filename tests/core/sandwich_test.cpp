#include <gtest/gtest.h>

#include <vector>

#include "core/sandwich.h"
#include "test_board.h"

namespace zelkan {
namespace {

using Removed = std::vector<std::pair<int, int>>;

Removed removed(const CaptureLog& log) {
  Removed out;
  for (int i = 0; i < log.removalCount; ++i) {
    EXPECT_EQ(log.removals[i].kind, CaptureKind::sandwich);
    out.emplace_back(log.removals[i].x, log.removals[i].y);
  }
  return out;
}

TEST(Sandwich, TakesTheClosedLineFromTheCapturingStoneOutward) {
  auto s = test::emptyGame();
  test::put(*s, cellBlack, {{5, 10}, {8, 10}});
  test::put(*s, cellWhite, {{6, 10}, {7, 10}});
  CaptureLog log;
  挟み処理(*s, 5, 10, log);
  EXPECT_EQ(removed(log), (Removed{{6, 10}, {7, 10}}));
  EXPECT_EQ(s->board(6, 10), cellEmpty);
  EXPECT_EQ(s->board(7, 10), cellEmpty);
  EXPECT_EQ(s->board(8, 10), cellBlack);
  EXPECT_EQ(s->whiteLost, 2);
  EXPECT_EQ(s->blackLost, 0);

  // Leftward from the far end, the order runs the other way.
  test::put(*s, cellWhite, {{6, 10}, {7, 10}});
  CaptureLog back;
  挟み処理(*s, 8, 10, back);
  EXPECT_EQ(removed(back), (Removed{{7, 10}, {6, 10}}));
}

TEST(Sandwich, OpenLinesTheEdgeAndAdjacentOwnStonesTakeNothing) {
  auto s = test::emptyGame();
  test::put(*s, cellBlack, {{5, 10}});
  test::put(*s, cellWhite, {{6, 10}, {7, 10}});
  CaptureLog log;
  挟み処理(*s, 5, 10, log);  // (8, 10) empty
  test::put(*s, cellWhite,
            {{8, 10},
             {9, 10},
             {10, 10},
             {11, 10},
             {12, 10},
             {13, 10},
             {14, 10},
             {15, 10},
             {16, 10},
             {17, 10},
             {18, 10},
             {19, 10}});
  挟み処理(*s, 5, 10, log);  // white runs to the edge
  test::put(*s, cellBlack, {{5, 9}});
  test::put(*s, cellWhite, {{5, 8}});
  test::put(*s, cellBlack, {{5, 7}});
  挟み処理(*s, 5, 10, log);  // own stone directly above stops the walk
  EXPECT_EQ(log.removalCount, 0);
  EXPECT_EQ(s->whiteLost, 0);
  EXPECT_EQ(s->board(5, 8), cellWhite);
}

TEST(Sandwich, ProbesReportTheClosingStoneAndLeaveItUnsetOtherwise) {
  auto s = test::emptyGame();
  test::put(*s, cellWhite, {{1, 1}, {1, 19}, {19, 1}, {19, 19}});
  test::put(*s, cellBlack, {{1, 2}, {2, 1}, {18, 19}, {19, 18}});
  test::put(*s, cellWhite, {{1, 3}});
  Code fx = -5;
  Code fy = -5;
  // Stones on the edge are never probed towards it.
  EXPECT_EQ(調査挟み_上(s->board, 1, 1, fx, fy), flagNo);
  EXPECT_EQ(調査挟み_左(s->board, 1, 1, fx, fy), flagNo);
  EXPECT_EQ(調査挟み_下(s->board, 19, 19, fx, fy), flagNo);
  EXPECT_EQ(調査挟み_右(s->board, 19, 19, fx, fy), flagNo);
  EXPECT_EQ(fx, -5);
  EXPECT_EQ(fy, -5);
  EXPECT_EQ(調査挟み_下(s->board, 1, 1, fx, fy), flagYes);
  EXPECT_EQ(fx, 1);
  EXPECT_EQ(fy, 3);
  EXPECT_EQ(調査挟み_右(s->board, 1, 1, fx, fy), flagNo) << "black (2,1) then empty";
  test::put(*s, cellWhite, {{3, 1}});
  EXPECT_EQ(調査挟み_右(s->board, 1, 1, fx, fy), flagYes);
  EXPECT_EQ(fx, 3);
  EXPECT_EQ(fy, 1);
  EXPECT_EQ(調査挟み_上(s->board, 19, 19, fx, fy), flagNo) << "black then empty";
  test::put(*s, cellWhite, {{19, 17}});
  EXPECT_EQ(調査挟み_上(s->board, 19, 19, fx, fy), flagYes);
  EXPECT_EQ(fx, 19);
  EXPECT_EQ(fy, 17);
}

TEST(Sandwich, TakesEveryClosedDirectionUpDownLeftRight) {
  auto s = test::emptyGame();
  // Black moved to (10, 10); white lines closed in all four directions.
  test::put(*s, cellBlack, {{10, 10}, {10, 7}, {10, 12}, {6, 10}, {13, 10}});
  test::put(*s, cellWhite,
            {{10, 9}, {10, 8}, {10, 11}, {9, 10}, {8, 10}, {7, 10}, {11, 10}, {12, 10}});
  CaptureLog log;
  挟み処理(*s, 10, 10, log);
  EXPECT_EQ(removed(log),
            (Removed{{10, 9}, {10, 8}, {10, 11}, {9, 10}, {8, 10}, {7, 10}, {11, 10}, {12, 10}}));
  EXPECT_EQ(s->whiteLost, 8);
}

TEST(Sandwich, WhiteTakesBlackIntoBlacksTally) {
  auto s = test::emptyGame();
  test::put(*s, cellWhite, {{3, 19}, {3, 16}});
  test::put(*s, cellBlack, {{3, 18}, {3, 17}});
  CaptureLog log;
  挟み処理(*s, 3, 19, log);
  EXPECT_EQ(removed(log), (Removed{{3, 18}, {3, 17}}));
  EXPECT_EQ(log.removals[0].colour, cellBlack);
  EXPECT_EQ(s->blackLost, 2);
  EXPECT_EQ(s->whiteLost, 0);
}

TEST(Sandwich, OnlyTheMovedStoneCaptures) {
  auto s = test::emptyGame();
  // A closed line elsewhere on the board stays.
  test::put(*s, cellBlack, {{2, 2}, {5, 2}, {10, 10}});
  test::put(*s, cellWhite, {{3, 2}, {4, 2}});
  CaptureLog log;
  挟み処理(*s, 10, 10, log);
  EXPECT_EQ(log.removalCount, 0);
  EXPECT_EQ(s->board(3, 2), cellWhite);
}

}  // namespace
}  // namespace zelkan
