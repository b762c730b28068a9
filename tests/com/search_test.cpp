// The search over every candidate, the choice of the move, the pass, and the computer's turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "bench/allocation_counter.h"
#include "bench/crowded_positions.h"
#include "bench/midgame_positions.h"
#include "com/game_review.h"
#include "com/levels.h"
#include "com/positional_probes.h"
#include "com/search.h"
#include "com/strong_search.h"
#include "core/judgement.h"
#include "core/setup.h"
#include "tests/com/com_test_board.h"

namespace zelkan::test {
namespace {

std::vector<ComMove> candidatesOf(Board& board, Code com, SecondSource& clock) {
  std::vector<ComMove> all;
  forEachCandidate(board, com, com == cellBlack ? cellWhite : cellBlack, clock,
                   [&](const ComMove& m) { all.push_back(m); });
  return all;
}

bool isMove(const ComMove& m, int fromX, int fromY, int toX, int toY) {
  return m.fromX == fromX && m.fromY == fromY && m.toX == toX && m.toY == toY;
}

std::size_t indexOf(const std::vector<ComMove>& all, int fromX, int fromY, int toX, int toY) {
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (isMove(all[i], fromX, fromY, toX, toY)) return i;
  }
  return all.size();
}

// Black's one stone in the corner is walled in by white stones up to both edges.
Board blackWalledIn() {
  Board b = emptyBoard();
  b(1, 1) = cellBlack;
  for (int k = 2; k <= boardSize; ++k)
    b(k, 1) = b(1, k) = cellWhite;
  return b;
}

TEST(Search, FromTheStartThirteenMovesTieAndTheFirstIsPlayed) {
  for (const int second : {0, 30, 59}) {
    SCOPED_TRACE(second);
    Board board = startBoard();
    FixedSecond clock(second);
    const std::vector<ComMove> all = candidatesOf(board, cellBlack, clock);
    ASSERT_EQ(all.size(), 304u);

    // Openness 28 at (x, 3) against 21 at (x, 18), and the approach to the white stone on (x, 2).
    const double best =
        ((second / 100.0 + 調査_空数値(board, 4, 3)) - 調査_空数値(board, 4, 18)) + 0.5;
    EXPECT_NEAR(best, second / 100.0 + 0.57, 1e-12);
    int ties = 0;
    for (const ComMove& m : all) {
      EXPECT_LE(m.score, best);
      if (m.score == best) {
        ++ties;
        EXPECT_TRUE(m.fromX == m.toX && m.fromY == 18 && m.toY == 3 && m.fromX >= 4 &&
                    m.fromX <= 16)
            << m.fromX << "," << m.fromY << " -> " << m.toX << "," << m.toY;
      }
    }
    EXPECT_EQ(ties, 13);
    for (const int x : {3, 17}) {
      EXPECT_NEAR(all[indexOf(all, x, 18, x, 3)].score, second / 100.0 + 0.56, 1e-12);
    }

    const std::optional<ComMove> chosen = searchComMove(board, cellBlack, cellWhite, clock);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(isMove(*chosen, 4, 18, 4, 3));
    EXPECT_EQ(chosen->score, best);
    EXPECT_EQ(board, startBoard());
  }
}

TEST(Search, WhiteFromTheStartMirrorsBlack) {
  Board board = startBoard();
  FixedSecond clock(12);
  const auto chosen = searchComMove(board, cellWhite, cellBlack, clock);
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(isMove(*chosen, 4, 2, 4, 17));
}

TEST(Search, ReadsTheClockForEveryCandidateSoANewSecondCanChangeTheChoice) {
  Board board = startBoard();
  FixedSecond fixed(10);
  const std::vector<ComMove> all = candidatesOf(board, cellBlack, fixed);
  const long first = static_cast<long>(indexOf(all, 4, 18, 4, 3));

  // The second moves on just after (4, 18) -> (4, 3): the next tying move scores 0.01 more.
  SteppingClock ticks(10, first + 1, 11);
  auto chosen = searchComMove(board, cellBlack, cellWhite, ticks);
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(isMove(*chosen, 5, 18, 5, 3));
  EXPECT_EQ(ticks.readings(), static_cast<long>(all.size()));

  // The second wraps from 59 to 0 just before it: every tying move loses 0.59, and column 3's
  // move, scored before the wrap, wins.
  SteppingClock wraps(59, first, 0);
  chosen = searchComMove(board, cellBlack, cellWhite, wraps);
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(isMove(*chosen, 3, 18, 3, 3));
}

TEST(Search, NoLegalMoveGivesNothingAndReadsNoClock) {
  Board board = blackWalledIn();
  SteppingClock clock(0, 0, 0);
  EXPECT_FALSE(searchComMove(board, cellBlack, cellWhite, clock));
  EXPECT_EQ(clock.readings(), 0);
  EXPECT_EQ(board, blackWalledIn());
}

TEST(Search, MidgamePositionsChooseTheFirstBestLegalMoveAndKeepTheBoard) {
  for (const MidgamePosition& p : midgamePositions) {
    SCOPED_TRACE(p.name);
    Board board = boardFromRows(p.rows);
    const Board original = board;
    const Code other = p.side == cellBlack ? cellWhite : cellBlack;
    FixedSecond clock(45);
    const std::vector<ComMove> all = candidatesOf(board, p.side, clock);
    ASSERT_FALSE(all.empty());
    std::size_t best = 0;
    for (std::size_t i = 1; i < all.size(); ++i) {
      if (all[i].score > all[best].score) best = i;
    }
    const auto chosen = searchComMove(board, p.side, other, clock);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(isMove(*chosen, all[best].fromX, all[best].fromY, all[best].toX, all[best].toY));
    EXPECT_EQ(board(chosen->fromX, chosen->fromY), p.side);
    EXPECT_EQ(移動チェック(board, chosen->fromX, chosen->fromY, chosen->toX, chosen->toY, p.side),
              flagYes);
    EXPECT_EQ(board, original);
  }
}

TEST(Search, AllocatesNothing) {
  const long probe = allocationCount();
  // A call of the function, not a new-expression, which an optimiser may leave out.
  ::operator delete(::operator new(1));
  ASSERT_GT(allocationCount(), probe) << "the allocation counter is not in this program";

  Board start = startBoard();
  Board midgame = boardFromRows(midgamePositions.back().rows);
  FixedSecond clock(20);
  const long before = allocationCount();
  const auto a = searchComMove(start, cellBlack, cellWhite, clock);
  const auto b = searchComMove(midgame, midgamePositions.back().side, cellWhite, clock);
  EXPECT_EQ(allocationCount(), before);
  EXPECT_TRUE(a && b);
}

std::unique_ptr<GameState> startGame() {
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  s->turnColour = cellBlack;
  s->otherColour = cellWhite;
  return s;
}

TEST(ComTurn, PlaysTheChosenMoveAndHandsOverTheTurn) {
  auto s = startGame();
  FixedSecond clock(5);
  const ComTurn turn = playComTurn(*s, clock);
  ASSERT_FALSE(turn.passed);
  EXPECT_TRUE(isMove(turn.chosen, 4, 18, 4, 3));
  EXPECT_TRUE(turn.record.done);
  EXPECT_EQ(s->board(4, 3), cellBlack);
  EXPECT_EQ(s->board(4, 18), cellEmpty);
  EXPECT_EQ(s->moveNumber, 1);
  EXPECT_EQ(s->snapshots[1], s->board);
  EXPECT_EQ(s->turnColour, cellWhite);
  EXPECT_EQ(s->otherColour, cellBlack);
}

TEST(ComTurn, KeepsTheTurnWhenTheMoveEndsTheGame) {
  auto s = startGame();
  s->moveNumber = moveLimit - 1;
  FixedSecond clock(5);
  const ComTurn turn = playComTurn(*s, clock);
  EXPECT_EQ(turn.record.end, GameEnd::limit);
  EXPECT_EQ(s->moveNumber, moveLimit);
  EXPECT_EQ(s->turnColour, cellBlack);
}

TEST(ComTurn, WithNoLegalMoveThePlayerPassesAndNothingElseChanges) {
  auto s = startGame();
  s->board = blackWalledIn();
  s->moveNumber = 7;
  s->historyEnd = 7;
  s->blackLost = 37;
  s->whiteLost = 2;
  const auto before = std::make_unique<GameState>(*s);
  FixedSecond clock(5);
  const ComTurn turn = playComTurn(*s, clock);
  EXPECT_TRUE(turn.passed);
  EXPECT_FALSE(turn.record.done);
  EXPECT_EQ(s->turnColour, cellWhite);
  EXPECT_EQ(s->otherColour, cellBlack);
  s->turnColour = before->turnColour;
  s->otherColour = before->otherColour;
  EXPECT_EQ(s->board, before->board);
  EXPECT_EQ(s->moveNumber, 7);
  EXPECT_EQ(s->historyEnd, 7);
  EXPECT_EQ(s->blackLost, 37);
  EXPECT_EQ(s->whiteLost, 2);
  EXPECT_EQ(s->snapshots, before->snapshots);
  EXPECT_EQ(s->moveLogX, before->moveLogX);
}

// Black's (3, 5) -> (10, 5) sandwiches three white stones, but (3, 5) bars white's (3, 1) from
// (3, 9), above the black line (3, 10)-(3, 16) that white's (3, 17) closes: white then takes
// seven. (15, 19) -> (15, 9) takes two and keeps them (and saves (15, 6) from (15, 1) -> (15, 5)).
TEST(StrongLevel, DeclinesTheCaptureThatLosesMoreAndTakesTheOneThatKeeps) {
  auto s = startGame();
  s->board = emptyBoard();
  for (int x = 1; x <= boardSize; ++x) {
    if (x != 14) s->board(x, 1) = cellWhite;
    if (x != 3 && x != 10) s->board(x, 19) = cellBlack;
  }
  put(s->board, cellBlack, {{3, 5}, {3, 10}, {3, 11}, {3, 12}, {3, 13}, {3, 14}, {3, 15}});
  put(s->board, cellBlack, {{3, 16}, {14, 5}, {15, 6}});
  put(s->board, cellWhite, {{3, 17}, {11, 5}, {12, 5}, {13, 5}, {15, 7}, {15, 8}});
  s->moveNumber = 30;
  FixedSecond clock(0);
  LevelLimits limits;
  limits.nodeBudget = 20000;
  const auto normal = chooseComMove(*s, Level::normal, clock, limits);
  ASSERT_TRUE(normal);
  EXPECT_TRUE(isMove(*normal, 3, 5, 10, 5))
      << normal->fromX << "," << normal->fromY << " -> " << normal->toX << "," << normal->toY;
  const auto strong = chooseComMove(*s, Level::strong, clock, limits);
  ASSERT_TRUE(strong);
  EXPECT_TRUE(isMove(*strong, 15, 19, 15, 9))
      << strong->fromX << "," << strong->fromY << " -> " << strong->toX << "," << strong->toY;
}

// On the hundredth move every move ends the game: the strong level plays the move with the best
// judgement for its side, and values it as the finished game.
TEST(StrongLevel, ScoresTheGameEndingMoveByTheJudgement) {
  for (const MidgamePosition& p : midgamePositions) {
    SCOPED_TRACE(p.name);
    auto s = startGame();
    s->board = boardFromRows(p.rows);
    s->turnColour = p.side;
    s->otherColour = p.side == cellBlack ? cellWhite : cellBlack;
    s->moveNumber = moveLimit - 1;
    const int sign = p.side == cellBlack ? 1 : -1;
    int best = -100000;
    FixedSecond clock(0);
    forEachCandidate(s->board, p.side, s->otherColour, clock, [&](const ComMove& m) {
      auto after = std::make_unique<GameState>(*s);
      ASSERT_EQ(completeMove(*after, m.fromX, m.fromY, m.toX, m.toY).end, GameEnd::limit);
      const Scores sc = judgePosition(*after);
      best = std::max(best, sign * (sc.black - sc.white));
    });
    TranspositionTable table(12);
    const StrongSearchResult r = strongSearch(*s, 20000, {}, table);
    ASSERT_TRUE(r.move);
    EXPECT_EQ(r.value, finalValue(best));
    const auto chosen = completeMove(*s, r.move->fromX, r.move->fromY, r.move->toX, r.move->toY);
    ASSERT_TRUE(chosen.done);
    const Scores sc = judgePosition(*s);
    EXPECT_EQ(sign * (sc.black - sc.white), best);
  }
}

// A stop check that says yes at once still leaves a legal move: the game's own best.
TEST(StrongLevel, StoppedAtOnceItPlaysTheGamesOwnChoice) {
  auto s = startGame();
  FixedSecond clock(0);
  LevelLimits limits;
  limits.stop = [] { return true; };
  const auto strong = chooseComMove(*s, Level::strong, clock, limits);
  ASSERT_TRUE(strong);
  EXPECT_TRUE(isMove(*strong, 4, 18, 4, 3));
}

// On boards full of lines to capture the budget bounds the first iteration and its capture search
// too (they once made millions of moves whatever the budget), and the move played is legal.
TEST(StrongLevel, TheBudgetBoundsEverySearchOnCrowdedBoards) {
  const std::vector<RecordStart> positions = readCrowdedPositions(ZELKAN_CROWDED_POSITIONS);
  ASSERT_EQ(positions.size(), 9u);
  auto s = std::make_unique<GameState>();
  constexpr std::uint64_t budget = defaultNodeBudget / 4;  // quick under the sanitizers
  TranspositionTable table = TranspositionTable::forBudget(budget);
  for (const RecordStart& start : positions) {
    placeStart(*s, start);
    table.newSearch();
    const StrongSearchResult r = strongSearch(*s, budget, {}, table);
    EXPECT_LE(r.nodes, budget);
    ASSERT_TRUE(r.move);
    EXPECT_TRUE(completeMove(*s, r.move->fromX, r.move->fromY, r.move->toX, r.move->toY).done);
  }
}

// A review of a game of the strong level's moves but one, which gives a stone away: the same
// rows from one worker or four, each handed over once as it is ready; the strong level's moves
// best, the stone given away the mover's largest loss, a mistake at least; the losses add up to
// the change of value; the colours swapped, the same losses. A stop asked at the first row ends it
// short.
TEST(GameReview, SinglesOutAStoneGivenAwayTheSameForOneWorkerOrFour) {
  auto s = startGame();
  const auto start = std::make_unique<GameState>(*s);
  std::vector<RecordMove> moves;
  FixedSecond clock(0);
  LevelLimits limits;
  limits.nodeBudget = 2000;
  // Black's 15th move, from (5, 19) to (5, 14), leaves white one stone more to take at once than
  // the strong level's choice does.
  constexpr std::size_t givenAway = 14;
  for (bool over = false; !over && moves.size() < 24;) {
    RecordMove m{false, 5, 19, 5, 14};
    const auto choice = chooseComMove(*s, Level::strong, clock, limits);
    if (moves.size() == givenAway) {
      // Valued in the search that chose: its choice and the choice's value as without it, the
      // move played at the same depths.
      TranspositionTable table(12);
      const ComMove played{m.x1, m.y1, m.x2, m.y2, 0};
      PlayedValues v;
      const StrongSearchResult r = strongSearch(*s, limits.nodeBudget, {}, table, &played, &v);
      EXPECT_TRUE(isMove(*r.move, choice->fromX, choice->fromY, choice->toX, choice->toY));
      EXPECT_GE(v.depth, r.depth);
      EXPECT_LT(v.played[0], v.best[0]);
      EXPECT_EQ(v.best[0], r.value);
    } else {
      m = choice ? RecordMove{false, choice->fromX, choice->fromY, choice->toX, choice->toY}
                 : RecordMove{true};
    }
    const MoveRecord r = m.pass ? MoveRecord{} : completeMove(*s, m.x1, m.y1, m.x2, m.y2);
    over = !m.pass && r.end != GameEnd::none;
    if (!over) std::swap(s->turnColour, s->otherColour);
    moves.push_back(m);
  }
  ReviewOptions options;
  options.nodeBudget = limits.nodeBudget;
  std::vector<int> handed;
  options.onRow = [&](const ReviewRow& row) { handed.push_back(row.index); };
  const std::vector<ReviewRow> one = reviewGame(*start, moves, options);
  ASSERT_EQ(one.size(), moves.size());
  std::sort(handed.begin(), handed.end());
  int losses[2] = {0, 0};
  for (std::size_t i = 0; i < one.size(); ++i) {
    EXPECT_EQ(handed[i], static_cast<int>(i));
    EXPECT_TRUE(i == givenAway || (one[i].best == one[i].played && one[i].loss == 0)) << i;
    losses[i % 2] += one[i].loss;
  }
  EXPECT_GE(one[givenAway].moveClass, MoveClass::mistake);
  // The rest is the drift of a search a few moves deep from one position to the next, here a
  // few points; where both sides lose points it stays within a quarter of them.
  const int change = one.back().value - one.front().bestValue;
  EXPECT_LE(std::abs(losses[1] - losses[0] - change) * 4, losses[0] + losses[1]);
  options.workers = 4;
  EXPECT_EQ(reviewGame(*start, moves, options), one);

  // The same game with the colours swapped, white first: every loss and class the same.
  const auto mirror = std::make_unique<GameState>(*start);
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      Code& c = mirror->board(x, y);
      c = c == cellBlack ? cellWhite : c == cellWhite ? cellBlack : c;
    }
  }
  std::swap(mirror->turnColour, mirror->otherColour);
  const std::vector<ReviewRow> mirrored = reviewGame(*mirror, moves, options);
  ASSERT_EQ(mirrored.size(), one.size());
  for (std::size_t i = 0; i < one.size(); ++i)
    EXPECT_EQ(std::pair(mirrored[i].loss, mirrored[i].moveClass),
              std::pair(one[i].loss, one[i].moveClass))
        << i;

  std::atomic<bool> stop = false;
  options.stop = &stop;
  options.onRow = [&](const ReviewRow&) { stop = true; };
  EXPECT_LT(reviewGame(*start, moves, options).size(), moves.size());

  // Stopped from outside at any moment, four workers give some of the same rows.
  options.onRow = {};
  std::mt19937 random(7);
  for (int i = 0; i < 8; ++i) {
    stop = false;
    std::thread stopper([&, wait = random() % 20000] {
      std::this_thread::sleep_for(std::chrono::microseconds(wait));
      stop = true;
    });
    for (const ReviewRow& row : reviewGame(*start, moves, options))
      EXPECT_EQ(row, one[static_cast<std::size_t>(row.index)]);
    stopper.join();
  }
}

}  // namespace
}  // namespace zelkan::test
