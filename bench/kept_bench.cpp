// Keeping a game as it is played: the window's part for one move of a 100-move game (the record
// made from the history and handed over), and the store's (the record written whole and flushed).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "com/levels.h"
#include "core/game_record.h"
#include "files/atomic_file.h"
#include "shell/kept_games.h"

namespace zelkan {
namespace {

// A game of the weak level against itself, played to its 100th move or its end.
std::unique_ptr<GameState> playedGame() {
  auto s = std::make_unique<GameState>();
  placeStart(*s, std::nullopt);
  s->gameMode = modeMan;
  FixedSecond clock(30);
  for (bool over = false; !over && s->moveNumber < moveLimit;)
    over = playComTurn(*s, clock, Level::weak, LevelLimits{}).record.end != GameEnd::none;
  return s;
}

// The record text the window makes after a move.
std::string recordText(const GameState& s) {
  GameRecord record;
  record.date = "2026-12-08 09:15";
  record.mode = modeMan;
  record.moves = movesFromHistory(s);
  return writeRecord(record);
}

std::filesystem::path benchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelkan-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data()) != nullptr ? pattern : "";
}

void BM_KeepOneMove(benchmark::State& state) {
  const auto s = playedGame();
  const std::filesystem::path folder = benchFolder();
  {
    KeptGames kept(folder);
    kept.startGame();
    for (auto _ : state)
      kept.keep(recordText(*s));
    state.counters["moves"] = s->moveNumber;
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_KeepOneMove)->Unit(benchmark::kMicrosecond);

void BM_WriteWithFlush(benchmark::State& state) {
  const auto s = playedGame();
  const std::string text = recordText(*s);
  const std::filesystem::path folder = benchFolder();
  AtomicWriteOptions options;
  options.rewriteInPlace = false;
  for (auto _ : state)
    benchmark::DoNotOptimize(writeFileAtomically(folder / "game.zelkan", text, options));
  state.counters["bytes"] = static_cast<double>(text.size());
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteWithFlush)->Unit(benchmark::kMicrosecond);

// What opening the "対局" menu asks of the store: the ten newest of a hundred kept games, from
// what it knows, with a write going on.
void BM_RecentGames(benchmark::State& state) {
  const auto s = playedGame();
  const std::filesystem::path folder = benchFolder();
  {
    KeptGames kept(folder);
    for (int game = 0; game < 100; ++game) {
      kept.startGame(1796731200 + game);
      kept.keep(recordText(*s));
    }
    kept.flushNow();
    for (auto _ : state) {
      kept.keep(recordText(*s));
      benchmark::DoNotOptimize(kept.recent(10));
    }
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecentGames)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelkan
