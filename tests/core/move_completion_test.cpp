#include <gtest/gtest.h>

#include "core/move_completion.h"
#include "test_board.h"

namespace zelkan {
namespace {

// Fills the board with stones of colour up to count, away from the rows the tests use.
void fill(GameState& s, Code colour, int count, int fromRow) {
  for (int y = fromRow; y <= 19 && count > 0; ++y) {
    for (int x = 1; x <= 19 && count > 0; ++x) {
      if (s.board(x, y) == cellEmpty) {
        s.board(x, y) = colour;
        --count;
      }
    }
  }
}

TEST(MoveCompletion, RecordsTheMoveInTheLogHistoryAndCounters) {
  auto s = test::startGame();
  s->selState = 1;
  const MoveRecord r = completeMove(*s, 4, 18, 4, 3);
  ASSERT_TRUE(r.done);
  EXPECT_EQ(r.fromX, 4);
  EXPECT_EQ(r.fromY, 18);
  EXPECT_EQ(r.toX, 4);
  EXPECT_EQ(r.toY, 3);
  EXPECT_EQ(r.colour, cellBlack);
  EXPECT_EQ(r.captures.removalCount, 0);
  EXPECT_EQ(r.white, 38);
  EXPECT_EQ(r.black, 38);
  EXPECT_EQ(r.end, GameEnd::none);
  EXPECT_EQ(s->board(4, 18), cellEmpty);
  EXPECT_EQ(s->board(4, 3), cellBlack);
  EXPECT_EQ(s->selState, 0);
  EXPECT_EQ(s->moveLogX[0], 4);
  EXPECT_EQ(s->moveLogY[0], 3);
  EXPECT_EQ(s->moveLogColour[0], cellBlack);
  EXPECT_EQ(s->moveNumber, 1);
  EXPECT_EQ(s->historyEnd, 1);
  EXPECT_EQ(s->snapshots[1], s->board);
  EXPECT_NE(s->snapshots[0], s->board);
  EXPECT_EQ(s->turnColour, cellBlack) << "passing the turn is the caller's";
}

TEST(MoveCompletion, AMoveAfterSteppingBackAbandonsTheLaterHistory) {
  auto s = test::startGame();
  s->moveNumber = 3;
  s->historyEnd = 7;
  ASSERT_TRUE(completeMove(*s, 4, 18, 4, 3).done);
  EXPECT_EQ(s->moveNumber, 4);
  EXPECT_EQ(s->historyEnd, 4);
  EXPECT_EQ(s->moveLogX[3], 4);
}

TEST(MoveCompletion, RefusesWithoutChangingAnything) {
  auto s = test::startGame();
  const auto before = std::make_unique<GameState>(*s);
  const auto unchanged = [&] {
    EXPECT_EQ(s->board, before->board);
    EXPECT_EQ(s->moveNumber, before->moveNumber);
    EXPECT_EQ(s->snapshots[1], before->snapshots[1]);
  };
  EXPECT_FALSE(completeMove(*s, 4, 10, 4, 9).done) << "empty source";
  unchanged();
  EXPECT_FALSE(completeMove(*s, 4, 2, 4, 3).done) << "white's stone on black's turn";
  unchanged();
  EXPECT_FALSE(completeMove(*s, 4, 19, 4, 16).done) << "illegal destination";
  unchanged();
  EXPECT_FALSE(completeMove(*s, 0, 18, 4, 3).done) << "off the board";
  EXPECT_FALSE(completeMove(*s, 4, 18, 4, 20).done) << "off the board";
  unchanged();
  s->turnColour = modeNone;
  EXPECT_FALSE(completeMove(*s, 4, 18, 4, 3).done) << "no game";
  s->turnColour = cellBlack;
  s->moveNumber = historySize - 1;
  EXPECT_FALSE(completeMove(*s, 4, 18, 4, 3).done) << "the history is full";
  s->moveNumber = 0;
  unchanged();
}

TEST(MoveCompletion, SandwichesBeforeSurroundsAndTalliesEachTheirWay) {
  auto s = test::emptyGame();
  // Black moves (18, 15) -> (18, 10). Up: white (18, 9) closed by black (18, 8): a sandwich.
  // Right: white (19, 10) against the edge, walled by black (19, 9) and (19, 11): a surround.
  test::put(*s, cellBlack, {{18, 15}, {18, 8}, {19, 9}, {19, 11}});
  test::put(*s, cellWhite, {{18, 9}, {19, 10}, {1, 1}});
  const MoveRecord r = completeMove(*s, 18, 15, 18, 10);
  ASSERT_TRUE(r.done);
  ASSERT_EQ(r.captures.removalCount, 2);
  EXPECT_EQ(r.captures.removals[0].kind, CaptureKind::sandwich);
  EXPECT_EQ(r.captures.removals[0].x, 18);
  EXPECT_EQ(r.captures.removals[0].y, 9);
  EXPECT_EQ(r.captures.removals[1].kind, CaptureKind::surround);
  EXPECT_EQ(r.captures.removals[1].x, 19);
  EXPECT_EQ(r.captures.removals[1].y, 10);
  ASSERT_EQ(r.captures.groupCount, 1);
  EXPECT_EQ(r.captures.groups[0].first, 1);
  EXPECT_EQ(r.captures.groups[0].count, 1);
  EXPECT_EQ(s->whiteLost, 2) << "both stones are white's losses";
  EXPECT_EQ(s->blackLost, 1) << "the surrounded stone counts in the mover's tally too";
  EXPECT_EQ(r.white, 1);
}

TEST(MoveCompletion, SurroundOfThreeAddsThreeToBothTallies) {
  auto s = test::emptyGame();
  s->turnColour = cellWhite;
  s->otherColour = cellBlack;
  // Black group (1, 1), (2, 1), (3, 1) against the top edge; white closes (4, 1) last.
  test::put(*s, cellBlack, {{1, 1}, {2, 1}, {3, 1}});
  test::put(*s, cellWhite, {{1, 2}, {2, 2}, {3, 2}, {4, 5}});
  const MoveRecord r = completeMove(*s, 4, 5, 4, 1);
  ASSERT_TRUE(r.done);
  EXPECT_EQ(r.captures.removalCount, 3);
  EXPECT_EQ(s->blackLost, 3);
  EXPECT_EQ(s->whiteLost, 3);
  EXPECT_EQ(s->moveLogColour[0], cellWhite);
}

TEST(MoveCompletion, TwoGroupsGoOneAfterTheOther) {
  auto s = test::emptyGame();
  // Black moves (2, 10) -> (2, 2). Left: white (1, 2) against the edge; up: white (2, 1)
  // against the edge; both walled in by black, neither closed into a sandwich line.
  test::put(*s, cellBlack, {{2, 10}, {1, 1}, {1, 3}, {3, 1}});
  test::put(*s, cellWhite, {{1, 2}, {2, 1}});
  const MoveRecord r = completeMove(*s, 2, 10, 2, 2);
  ASSERT_TRUE(r.done);
  ASSERT_EQ(r.captures.groupCount, 2);
  EXPECT_EQ(r.captures.removals[0].x, 1) << "left is examined before up";
  EXPECT_EQ(r.captures.removals[0].y, 2);
  EXPECT_EQ(r.captures.removals[1].x, 2);
  EXPECT_EQ(r.captures.removals[1].y, 1);
  EXPECT_EQ(r.captures.groups[1].first, 1);
  EXPECT_EQ(s->whiteLost, 2);
  EXPECT_EQ(s->blackLost, 2);
}

TEST(MoveCompletion, ACellEmptiedBySandwichIsALibertyForTheSurroundTest) {
  auto s = test::emptyGame();
  // Black moves (2, 10) -> (2, 2) and sandwiches white (3, 2) against (4, 2). Together with
  // (3, 2), white (2, 1), (3, 1) would have no liberty; without it, (3, 2) is one.
  test::put(*s, cellBlack, {{2, 10}, {4, 2}, {1, 1}, {4, 1}, {3, 3}});
  test::put(*s, cellWhite, {{3, 2}, {2, 1}, {3, 1}});
  const MoveRecord r = completeMove(*s, 2, 10, 2, 2);
  ASSERT_TRUE(r.done);
  EXPECT_EQ(r.captures.removalCount, 1);
  EXPECT_EQ(r.captures.groupCount, 0);
  EXPECT_EQ(s->board(2, 1), cellWhite);
  EXPECT_EQ(s->board(3, 1), cellWhite);
  EXPECT_EQ(s->whiteLost, 1);
  EXPECT_EQ(s->blackLost, 0);
}

TEST(MoveCompletion, AStoneMovingBetweenTwoEnemiesIsNotTaken) {
  auto s = test::emptyGame();
  test::put(*s, cellWhite, {{9, 10}, {11, 10}});
  test::put(*s, cellBlack, {{10, 15}});
  const MoveRecord r = completeMove(*s, 10, 15, 10, 10);
  ASSERT_TRUE(r.done);
  EXPECT_EQ(r.captures.removalCount, 0);
  EXPECT_EQ(s->board(10, 10), cellBlack);
}

TEST(MoveCompletion, EndTest) {
  // 19 white against 38 black ends the game; 20 against 38 does not.
  for (const int whites : {19, 20}) {
    auto s = test::emptyGame();
    fill(*s, cellBlack, 38, 15);
    fill(*s, cellWhite, whites, 1);
    s->board(1, 14) = cellBlack;
    s->board(1, 15) = cellEmpty;  // keep 38 black: move (1, 14) back down
    const MoveRecord r = completeMove(*s, 1, 14, 1, 15);
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.white, whites);
    EXPECT_EQ(r.black, 38);
    EXPECT_EQ(r.end, whites == 19 ? GameEnd::lead : GameEnd::none);
  }
  // The 100th move ends the game, and the limit is named when both reasons hold.
  auto s = test::startGame();
  s->moveNumber = 99;
  EXPECT_EQ(completeMove(*s, 4, 18, 4, 3).end, GameEnd::limit);
  EXPECT_EQ(s->moveNumber, 100);
  EXPECT_EQ(endTest(100, 19, 38), GameEnd::limit);
  EXPECT_EQ(endTest(99, 38, 19), GameEnd::lead);
  EXPECT_EQ(endTest(99, 1, 1), GameEnd::none);
}

}  // namespace
}  // namespace zelkan
