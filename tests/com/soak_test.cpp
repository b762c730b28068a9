// Whole games of the computer against itself from random openings, checking the position after
// every move, and the strong search's own board against the game's rules on every move.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>

#include "com/levels.h"
#include "com/search.h"
#include "com/search_position.h"
#include "core/counts.h"
#include "core/judgement.h"
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

// The strong search's board, made from the position before a move, gives the same legal moves as
// the game's move check, and after the move the same board, tallies, end and judgement as the
// game; taking the move back restores its key.
void checkSearchPosition(SearchPosition p, const std::array<Move, 38 * 36>& moves, int n,
                         const MoveRecord& r, const GameState& after) {
  std::array<PackedMove, SearchPosition::maxMoves> mine;
  ASSERT_EQ(p.generateMoves(mine), n);
  std::sort(mine.begin(), mine.begin() + n);
  const auto packed = [](int x1, int y1, int x2, int y2) {
    return SearchPosition::pack(SearchPosition::index(x1, y1), SearchPosition::index(x2, y2));
  };
  for (int i = 0; i < n; ++i) {
    const Move& m = moves[i];
    ASSERT_TRUE(std::binary_search(mine.begin(), mine.begin() + n, packed(m.x1, m.y1, m.x2, m.y2)));
  }
  const std::uint64_t key = p.key();
  SearchPosition::Undo u;
  p.make(packed(r.fromX, r.fromY, r.toX, r.toY), u);
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      const Code c = after.board(x, y);
      ASSERT_EQ(p.at(x, y), c == cellBlack ? 0 : c == cellWhite ? 1 : 2) << x << "," << y;
    }
  }
  ASSERT_EQ(p.blackLost(), after.blackLost);
  ASSERT_EQ(p.whiteLost(), after.whiteLost);
  ASSERT_EQ(p.gameOver(), r.end != GameEnd::none);
  const Scores scores = judgePosition(after);
  ASSERT_EQ(p.judgementMargin(), scores.black - scores.white);
  p.undo(u);
  ASSERT_EQ(p.key(), key);
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
      const SearchPosition before(*s);
      const int n = legalMoves(*s, mover, moves);
      MoveRecord r;
      if (s->moveNumber < opening) {
        ASSERT_GT(n, 0);
        const Move m = moves[rng() % n];
        r = completeMove(*s, m.x1, m.y1, m.x2, m.y2);
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
        r = t.record;
        over = t.record.end != GameEnd::none;
        ASSERT_EQ(s->turnColour, over ? mover : (mover == cellBlack ? cellWhite : cellBlack));
      }
      passesInARow = 0;
      ASSERT_EQ(s->moveNumber, moveNumber + 1);
      ASSERT_NO_FATAL_FAILURE(checkPosition(*s, blackLost, whiteLost));
      ASSERT_NO_FATAL_FAILURE(checkSearchPosition(before, moves, n, r, *s));
    }
    if (over) ++ended;
  }
  // A game that stops on two passes in a row is possible but would be worth a look.
  EXPECT_EQ(ended, gamesPerShard);
}

INSTANTIATE_TEST_SUITE_P(Shards, SelfPlaySoak, ::testing::Range(0, 4));

// The weak level against the strong one on a small budget, each colour in turn: every move is
// legal (completeMove refuses any other) and a side passes only when it has no legal move.
TEST(LevelSoak, WeakAndStrongPlayOnlyLegalMoves) {
  auto s = std::make_unique<GameState>();
  std::array<Move, 38 * 36> moves;
  for (unsigned game = 0; game < 4; ++game) {
    SCOPED_TRACE(::testing::Message() << "game " << game);
    std::mt19937 rng(game);
    初期設定(*s);
    s->turnColour = cellBlack;
    s->otherColour = cellWhite;
    FixedSecond clock(static_cast<int>(rng() % 60));
    LevelLimits limits;
    limits.seed = game;
    limits.nodeBudget = 3000;
    for (int passes = 0; passes < 2;) {
      const Code mover = s->turnColour;
      const int n = legalMoves(*s, mover, moves);
      const bool strong = (mover == cellBlack) == (game % 2 == 0);
      if (s->moveNumber < 6) {
        const Move m = moves[rng() % n];
        ASSERT_TRUE(completeMove(*s, m.x1, m.y1, m.x2, m.y2).done);
        std::swap(s->turnColour, s->otherColour);
        continue;
      }
      const ComTurn t = playComTurn(*s, clock, strong ? Level::strong : Level::weak, limits);
      ASSERT_EQ(t.passed, n == 0);
      passes = t.passed ? passes + 1 : 0;
      if (t.passed) continue;
      ASSERT_TRUE(t.record.done);
      ASSERT_EQ(t.record.colour, mover);
      if (t.record.end != GameEnd::none) break;
    }
    EXPECT_GT(s->moveNumber, 6);
  }
}

}  // namespace
}  // namespace zelkan::test
