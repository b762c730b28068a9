// The computer's search and whole games of the computer against itself.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/allocation_counter.h"
#include "bench/midgame_positions.h"
#include "com/search.h"
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

}  // namespace
}  // namespace zelkan
