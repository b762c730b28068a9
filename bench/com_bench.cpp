// The computer's search, whole games of the computer against itself, the strong level, and the
// review of a whole game.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "bench/allocation_counter.h"
#include "bench/crowded_positions.h"
#include "bench/midgame_positions.h"
#include "com/game_review.h"
#include "com/levels.h"
#include "com/search.h"
#include "com/strong_search.h"
#include "core/game_record.h"
#include "core/setup.h"

namespace zelkan {
namespace {

Code opponent(Code colour) {
  return colour == cellBlack ? cellWhite : cellBlack;
}

void searchBoard(benchmark::State& state, Board board, Code side) {
  FixedSecond clock(30);
  const long before = allocationCount();
  for (auto _ : state) {
    auto move = searchComMove(board, side, opponent(side), clock);
    benchmark::DoNotOptimize(move);
  }
  state.counters["allocations"] = static_cast<double>(allocationCount() - before);
}

void BM_SearchFromStart(benchmark::State& state) {
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  searchBoard(state, s->board, cellBlack);
}
BENCHMARK(BM_SearchFromStart);

void BM_SearchMidgame(benchmark::State& state) {
  const MidgamePosition& p = midgamePositions[state.range(0)];
  state.SetLabel(std::string(p.name));
  searchBoard(state, boardFromRows(p.rows), p.side);
}
BENCHMARK(BM_SearchMidgame)->DenseRange(0, midgamePositions.size() - 1);

// Whole games from the start, the computer playing both sides, the second moving on each move.
void BM_SelfPlayGame(benchmark::State& state) {
  auto s = std::make_unique<GameState>();
  long moves = 0;
  int game = 0;
  for (auto _ : state) {
    初期設定(*s);
    s->turnColour = cellBlack;
    s->otherColour = cellWhite;
    for (int turn = 0;; ++turn) {
      FixedSecond clock((game + turn) % 60);
      const ComTurn t = playComTurn(*s, clock);
      if (!t.passed) ++moves;
      if (t.passed || t.record.end != GameEnd::none) break;
    }
    ++game;
  }
  state.counters["games"] =
      benchmark::Counter(static_cast<double>(game), benchmark::Counter::kIsRate);
  state.counters["moves_per_game"] = static_cast<double>(moves) / game;
}
BENCHMARK(BM_SelfPlayGame)->Unit(benchmark::kMillisecond);

// The strong level at the engine's budget: time per move, the depth reached, and the memory of
// its transposition table.
void strongSearchOf(benchmark::State& state, const GameState& s) {
  StrongSearchResult r;
  std::size_t tableBytes = 0;
  for (auto _ : state) {
    TranspositionTable table = TranspositionTable::forBudget(defaultNodeBudget);
    tableBytes = table.bytes();
    r = strongSearch(s, defaultNodeBudget, {}, table);
    benchmark::DoNotOptimize(r);
  }
  state.counters["depth"] = r.depth;
  state.counters["nodes"] = static_cast<double>(r.nodes);
  state.counters["table_MB"] = static_cast<double>(tableBytes) / (1 << 20);
}

// On the midgame positions (their move number is in their name).
void BM_StrongSearchMidgame(benchmark::State& state) {
  const MidgamePosition& p = midgamePositions[state.range(0)];
  state.SetLabel(std::string(p.name));
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  s->board = boardFromRows(p.rows);
  s->turnColour = p.side;
  s->otherColour = opponent(p.side);
  s->moveNumber = static_cast<Code>(std::stoi(std::string(p.name.substr(4))));
  strongSearchOf(state, *s);
}
BENCHMARK(BM_StrongSearchMidgame)
    ->DenseRange(0, midgamePositions.size() - 1)
    ->Unit(benchmark::kMillisecond);

// On boards full of lines to capture, where the budget must bound the capture search too.
void BM_StrongSearchCrowded(benchmark::State& state) {
  const auto positions = readCrowdedPositions(ZELKAN_CROWDED_POSITIONS);
  if (positions.size() <= static_cast<std::size_t>(state.range(0))) {
    state.SkipWithError("the crowded positions cannot be read");
    return;
  }
  auto s = std::make_unique<GameState>();
  placeStart(*s, positions[state.range(0)]);
  strongSearchOf(state, *s);
}
BENCHMARK(BM_StrongSearchCrowded)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);

// A game of black's level against white's from the start, the first to run to the move limit
// among a few seeds of the weak level (the strong and the normal levels play alike every time).
std::vector<RecordMove> gameOf(Level black, Level white) {
  std::vector<RecordMove> moves;
  auto s = std::make_unique<GameState>();
  for (std::uint64_t seed = 1; seed <= 10 && s->moveNumber < moveLimit; ++seed) {
    placeStart(*s, std::nullopt);
    moves.clear();
    FixedSecond clock(0);
    LevelLimits limits;
    limits.seed = seed;
    for (bool over = false; !over;) {
      const ComTurn t = playComTurn(*s, clock, s->turnColour == cellBlack ? black : white, limits);
      const MoveRecord& r = t.record;
      moves.push_back({t.passed, r.fromX, r.fromY, r.toX, r.toY});
      over = !t.passed && r.end != GameEnd::none;
    }
  }
  return moves;
}

// The review at the strong level's budget with 1 or 2 workers, of a lopsided game (the strong
// level against the weak one) and of a balanced one (the normal level against itself): the whole
// of it, and the time until its first row is ready.
void BM_ReviewGame(benchmark::State& state) {
  static const std::vector<RecordMove> lopsided = gameOf(Level::strong, Level::weak);
  static const std::vector<RecordMove> balanced = gameOf(Level::normal, Level::normal);
  const std::vector<RecordMove>& moves = state.range(1) == 0 ? lopsided : balanced;
  auto start = std::make_unique<GameState>();
  placeStart(*start, std::nullopt);
  ReviewOptions options;
  options.workers = static_cast<int>(state.range(0));
  std::chrono::steady_clock::time_point began;
  double firstRow = 0;
  options.onRow = [&](const ReviewRow&) {
    if (firstRow == 0) {
      firstRow = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    }
  };
  std::size_t rows = 0;
  for (auto _ : state) {
    firstRow = 0;
    began = std::chrono::steady_clock::now();
    rows = reviewGame(*start, moves, options).size();
  }
  state.counters["moves"] = static_cast<double>(rows);
  state.counters["first_row_s"] = firstRow;
}
BENCHMARK(BM_ReviewGame)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->ArgNames({"workers", "balanced"})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zelkan
