// The score of single candidate moves: which terms apply, and in which exact arithmetic.
#include <gtest/gtest.h>

#include "com/danger_probes.h"
#include "com/positional_probes.h"
#include "com/scoring.h"
#include "com/search.h"
#include "tests/com/com_test_board.h"

namespace zelkan::test {
namespace {

constexpr Code com = cellBlack;
constexpr Code human = cellWhite;
constexpr int second = 30;

struct Candidate {
  int fromX, fromY, toX, toY;
};

Board afterMove(Board board, const Candidate& m) {
  board(m.fromX, m.fromY) = cellEmpty;
  board(m.toX, m.toY) = com;
  return board;
}

// Scores m as the search does: openness from the position before the move, the move made.
double scoreOf(const Board& before, const Candidate& m) {
  OpennessGrid emptyValue;
  fillEmptyValue(before, emptyValue);
  Board board = afterMove(before, m);
  FixedSecond clock(second);
  const ScoringContext context{board, emptyValue, com, human, clock};
  const double score = 調査_得点(context, m.fromX, m.fromY, m.toX, m.toY);
  EXPECT_EQ(board, afterMove(before, m)) << "the scoring must leave the position after the move";
  return score;
}

// The clock base with the openness gain, the first two terms of every score.
double baseAndGain(const Board& before, const Candidate& m) {
  double score = second / 100.0;
  const double to = 調査_空数値(before, m.toX, m.toY);
  const double from = 調査_空数値(before, m.fromX, m.fromY);
  if (to > from) score = (score + to) - from;
  return score;
}

TEST(Score, CaptureGetsTwoPerStoneAndSkipsThePositionalTerms) {
  Board before = emptyBoard();
  put(before, com, {{3, 10}, {13, 10}});
  put(before, human, {{11, 10}, {12, 10}});
  put(before, human, {{10, 9}, {10, 15}});  // the capturing stone would be exposed
  const Candidate m{3, 10, 10, 10};
  ASSERT_EQ(調査_移動先_危険値(afterMove(before, m), 10, 10, com, human), -2);
  EXPECT_EQ(scoreOf(before, m), baseAndGain(before, m) + 4);
}

TEST(Score, ExposedDestinationCostsTwoEvenWhenBothAxesAreThreatened) {
  Board before = emptyBoard();
  put(before, com, {{13, 10}});
  put(before, human, {{10, 9}, {10, 15}, {9, 10}, {15, 10}});
  EXPECT_EQ(scoreOf(before, {13, 10, 10, 10}), baseAndGain(before, {13, 10, 10, 10}) - 2);
}

TEST(Score, FlightToOpenGroundAndRescueAddUp) {
  // (10, 10) is threatened from above: a human stone on (10, 9) and one that can slide up to
  // (10, 11). Fleeing to the open cell (5, 10) earns the flight bonus, and because the human
  // stone stays next to the abandoned cell, the rescue bonus as well.
  Board rescue = emptyBoard();
  put(rescue, com, {{10, 10}, {10, 8}});
  put(rescue, human, {{10, 9}, {10, 16}});
  const Candidate m{10, 10, 5, 10};
  EXPECT_EQ(scoreOf(rescue, m), (baseAndGain(rescue, m) + 2) + 2);

  // The same threat through a run of two stones: no human stone next to the origin, so only the
  // flight bonus.
  Board flight = emptyBoard();
  put(flight, com, {{10, 10}, {10, 9}});
  put(flight, human, {{10, 8}, {10, 16}});
  EXPECT_EQ(scoreOf(flight, m), baseAndGain(flight, m) + 2);
}

TEST(Score, LeavingAnAnchorCostsOneAndForfeitsTheRescue) {
  // (5, 10) heads two human stones that end in an empty cell; a human stone is next to it.
  Board before = emptyBoard();
  put(before, com, {{5, 10}});
  put(before, human, {{6, 10}, {7, 10}});
  const Candidate m{5, 10, 5, 14};
  EXPECT_EQ(scoreOf(before, m), baseAndGain(before, m) - 1);
}

TEST(Score, GapEntryAddsOne) {
  Board before = emptyBoard();
  put(before, com, {{10, 14}});
  put(before, human, {{9, 10}, {11, 10}});
  const Candidate m{10, 14, 10, 10};
  EXPECT_EQ(scoreOf(before, m), baseAndGain(before, m) + 1);
}

TEST(Score, ApproachNeedsThreeEmptyNeighboursAndOneHuman) {
  Board before = emptyBoard();
  put(before, com, {{10, 16}});
  put(before, human, {{10, 2}});
  EXPECT_EQ(scoreOf(before, {10, 16, 10, 3}), baseAndGain(before, {10, 16, 10, 3}) + 0.5);
  // Next to the origin, one neighbour is the computer's own stone before the move.
  put(before, human, {{10, 14}});
  EXPECT_EQ(scoreOf(before, {10, 16, 10, 15}), baseAndGain(before, {10, 16, 10, 15}));
}

TEST(Score, OpennessGainOnlyWhenTheDestinationIsMoreOpen) {
  Board before = emptyBoard();
  put(before, com, {{1, 1}});
  const Candidate m{1, 1, 1, 5};
  EXPECT_EQ(scoreOf(before, m),
            (second / 100.0 + 調査_空数値(before, 1, 5)) - 調査_空数値(before, 1, 1));
  Board back = emptyBoard();
  put(back, com, {{1, 5}});
  EXPECT_EQ(scoreOf(back, {1, 5, 1, 1}), second / 100.0);
}

}  // namespace
}  // namespace zelkan::test
