// The two drawings that run after every move: the whole board, and the influence map; and a
// turn of the rules window's page, its positions played and the page drawn, at scales 1 and 2;
// the review window's image of a 100-move game, redrawn as each batch of rows comes in.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/game_state.h"
#include "core/setup.h"
#include "view/board_drawing.h"
#include "view/canvas.h"
#include "view/influence_map.h"
#include "view/review_drawing.h"
#include "view/rules_pages.h"

namespace zelkan {
namespace {

// The starting position, and a middle game with stones spread over the board.
std::unique_ptr<GameState> position(bool middleGame) {
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  if (middleGame) {
    for (int x = 1; x <= boardSize; x += 2) {
      s->board(x, 10 - x % 4) = s->board(x, 2);
      s->board(x, 2) = cellEmpty;
      s->board(x, 12 + x % 3) = s->board(x, 18);
      s->board(x, 18) = cellEmpty;
    }
  }
  return s;
}

void BM_描画_盤(benchmark::State& state) {
  const auto s = position(state.range(0) != 0);
  Canvas canvas;
  for (auto _ : state) {
    描画_盤(canvas, s->board);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_描画_盤)->ArgName("middle")->Arg(0)->Arg(1);

void BM_描画_勢力図(benchmark::State& state) {
  const auto s = position(state.range(0) != 0);
  Canvas canvas;
  描画_盤(canvas, s->board);
  for (auto _ : state) {
    benchmark::DoNotOptimize(描画_勢力図(canvas, s->board));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_描画_勢力図)->ArgName("middle")->Arg(0)->Arg(1);

void BM_rulesPage(benchmark::State& state) {
  Canvas canvas(static_cast<int>(state.range(1)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(drawRulesPage(canvas, rulesPage(static_cast<int>(state.range(0)))));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_rulesPage)->ArgNames({"page", "scale"})->ArgsProduct({{0, 5, 6}, {1, 2}});

// The whole review image of a 100-move game, every move given, a fifth of them mistakes.
void BM_drawReview(benchmark::State& state) {
  ReviewPicture picture;
  for (int k = 0; k < 100; ++k) {
    ReviewRow row;
    row.index = k;
    row.played = {false, 1, 18, 1, 10};
    row.value = (k * 37) % 200 - 100;
    row.loss = k % 5 == 0 ? 20 : k % 3;
    row.moveClass = classOfLoss(row.loss);
    picture.rows.push_back(row);
  }
  picture.current = 40;
  Canvas canvas(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    drawReview(canvas, picture);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_drawReview)->ArgName("scale")->Arg(1)->Arg(2);

}  // namespace
}  // namespace zelkan
