// Whole games of the computer against itself from random openings, checking the position after
// every move.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>

#include "com/search.h"
#include "core/counts.h"
#include "core/move_completion.h"
#include "core/movement.h"
#include "core/setup.h"

namespace zelkan::test {
namespace {

constexpr int gamesPerShard = 75;  // four shards, run side by side by CTest
constexpr int maxOpeningMoves = 8;

// A clock that starts at a random second and moves on by one every `period` readings, so that
// some searches span a change of second (and the wrap from 59 to 0).
class DriftingClock final : public SecondSource {
 public:
  DriftingClock(int start, int period) : second_(start), period_(period) {}
  int second() override {
    if (++readings_ % period_ == 0) second_ = (second_ + 1) % 60;
    return second_;
  }

 private:
  int second_;
  int period_;
  long readings_ = 0;
};

struct Move {
  int x1, y1, x2, y2;
};

// Every legal move of colour's stones; none when they are walled in.
int legalMoves(const GameState& s, Code colour, std::array<Move, 38 * 36>& moves) {
  int n = 0;
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      if (s.board(x, y) != colour) continue;
      for (int k = 1; k <= boardSize; ++k) {
        if (移動チェック(s.board, x, y, k, y, colour) == flagYes) moves[n++] = {x, y, k, y};
        if (移動チェック(s.board, x, y, x, k, colour) == flagYes) moves[n++] = {x, y, x, k};
      }
    }
  }
  return n;
}

// What must hold after every move, given the tallies before it.
void checkPosition(const GameState& s, Code blackLostBefore, Code whiteLostBefore) {
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      const Code c = s.board(x, y);
      ASSERT_TRUE(c == cellEmpty || c == cellBlack || c == cellWhite)
          << "cell " << x << "," << y << " holds " << c;
    }
  }
  Code white = 0;
  Code black = 0;
  調査_石数(s.board, white, black);
  ASSERT_LE(white, stonesPerSide);
  ASSERT_LE(black, stonesPerSide);
  ASSERT_GE(s.blackLost, blackLostBefore);
  ASSERT_GE(s.whiteLost, whiteLostBefore);
  // Every stone lost is counted; surround captures count more.
  ASSERT_GE(s.blackLost, stonesPerSide - black);
  ASSERT_GE(s.whiteLost, stonesPerSide - white);
  ASSERT_LE(s.moveNumber, moveLimit);
}

class SelfPlaySoak : public ::testing::TestWithParam<int> {};

TEST_P(SelfPlaySoak, GamesRunToTheirEndWithASoundPosition) {
  auto s = std::make_unique<GameState>();
  std::array<Move, 38 * 36> moves;
  int ended = 0;
  for (int game = 0; game < gamesPerShard; ++game) {
    const unsigned seed = static_cast<unsigned>(GetParam() * gamesPerShard + game);
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    初期設定(*s);
    s->turnColour = cellBlack;
    s->otherColour = cellWhite;
    DriftingClock clock(static_cast<int>(rng() % 60), 50 + static_cast<int>(rng() % 2000));
    const int opening = static_cast<int>(rng() % (maxOpeningMoves + 1));

    bool over = false;
    int passesInARow = 0;
    while (!over && passesInARow < 2) {
      const Code blackLost = s->blackLost;
      const Code whiteLost = s->whiteLost;
      const Code moveNumber = s->moveNumber;
      const Code mover = s->turnColour;
      if (s->moveNumber < opening) {
        const int n = legalMoves(*s, mover, moves);
        ASSERT_GT(n, 0);
        const Move m = moves[rng() % n];
        const MoveRecord r = completeMove(*s, m.x1, m.y1, m.x2, m.y2);
        ASSERT_TRUE(r.done);
        over = r.end != GameEnd::none;
        if (!over) std::swap(s->turnColour, s->otherColour);
      } else {
        const ComTurn t = playComTurn(*s, clock);
        if (t.passed) {
          ASSERT_EQ(legalMoves(*s, mover, moves), 0) << "passed with a legal move";
          ASSERT_EQ(s->turnColour, mover == cellBlack ? cellWhite : cellBlack);
          ASSERT_EQ(s->moveNumber, moveNumber);
          ++passesInARow;
          continue;
        }
        ASSERT_TRUE(t.record.done);
        ASSERT_EQ(t.record.colour, mover);
        over = t.record.end != GameEnd::none;
        ASSERT_EQ(s->turnColour, over ? mover : (mover == cellBlack ? cellWhite : cellBlack));
      }
      passesInARow = 0;
      ASSERT_EQ(s->moveNumber, moveNumber + 1);
      ASSERT_NO_FATAL_FAILURE(checkPosition(*s, blackLost, whiteLost));
    }
    if (over) ++ended;
  }
  // A game that stops on two passes in a row is possible but would be worth a look.
  EXPECT_EQ(ended, gamesPerShard);
}

INSTANTIATE_TEST_SUITE_P(Shards, SelfPlaySoak, ::testing::Range(0, 4));

}  // namespace
}  // namespace zelkan::test
