// The two drawings that run after every move: the whole board, and the influence map; a turn of
// the rules window's page, its positions played and the page drawn, at scales 1 and 2; the review
// window's image of a 100-move game, redrawn as each batch of rows comes in; and the window
// resized to a full 1920 x 1080 screen: the image painted again at the scale it needs and the
// whole window repainted from it.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/game_state.h"
#include "core/setup.h"
#include "view/board_drawing.h"
#include "view/canvas.h"
#include "view/fitting.h"
#include "view/influence_map.h"
#include "view/panel_drawing.h"
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

// A whole game's drawing on one canvas: the start, then a hundred turns of the board, the
// influence map, the move lines, the robot and a destination mark laid and lifted.
void drawAGame(Canvas& canvas) {
  const auto start = position(false);
  const auto middle = position(true);
  GameState s = *start;
  初期設定(s, canvas);
  drawBoardFrame(canvas);
  drawTitlePlate(canvas);
  for (int move = 1; move <= moveLimit; ++move) {
    const Board& board = (move % 2 == 0 ? middle : start)->board;
    描画_盤(canvas, board);
    描画_勢力図(canvas, board);
    描画_手数(canvas, move);
    描画_ロボット(canvas, 1 + move % 2);
    描画_石取得数(canvas, move % 10, move % 7);
    const CellBox b = cellBox(1 + move % 19, 10);
    const Canvas::Patch patch = canvas.save(b.x, b.y, b.width, b.height);
    drawDestinationMark(canvas, 1 + move % 19, 10);
    canvas.restore(patch);
  }
}

// The window at the specified size on a desktop of scale 1 or 2, resized to fill a 1920 x 1080
// screen less its menu bar: the image painted again at its new scale, then the whole window
// painted from it. The counters are the drawings the canvas keeps after a whole game, and the
// image's bytes before and after.
void BM_resizeToFullScreen(benchmark::State& state) {
  const int desktop = static_cast<int>(state.range(0));
  constexpr int screenWidth = 1920, screenHeight = 1080, menuBar = 24;
  Canvas canvas(desktop);
  drawAGame(canvas);
  const Fit fit = fitImage(screenWidth / desktop, screenHeight / desktop - menuBar, desktop);
  SurfaceHolder window(cairo_image_surface_create(CAIRO_FORMAT_RGB24, screenWidth,
                                                  screenHeight - menuBar * desktop));
  cairo_surface_set_device_scale(window.get(), desktop, desktop);
  const ContextHolder cr(cairo_create(window.get()));
  const double before = canvas.width() * canvas.height() * 4.0;
  for (auto _ : state) {
    state.PauseTiming();
    canvas.redrawAt(desktop);
    state.ResumeTiming();
    canvas.redrawAt(fit.scale);
    paintFitted(cr.get(), canvas, fit);
    cairo_surface_flush(window.get());
    benchmark::ClobberMemory();
  }
  state.counters["kept"] = static_cast<double>(canvas.keptDrawings());
  state.counters["scale"] = fit.scale;
  state.counters["imageMiB"] = canvas.width() * canvas.height() * 4.0 / (1 << 20);
  state.counters["imageMiBBefore"] = before / (1 << 20);
}
BENCHMARK(BM_resizeToFullScreen)->ArgName("desktop")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The repaint alone, the image already at its scale: what every later full repaint costs.
void BM_repaintFullScreen(benchmark::State& state) {
  const int desktop = static_cast<int>(state.range(0));
  constexpr int screenWidth = 1920, screenHeight = 1080, menuBar = 24;
  const Fit fit = fitImage(screenWidth / desktop, screenHeight / desktop - menuBar, desktop);
  Canvas canvas(fit.scale);
  drawAGame(canvas);
  SurfaceHolder window(cairo_image_surface_create(CAIRO_FORMAT_RGB24, screenWidth,
                                                  screenHeight - menuBar * desktop));
  cairo_surface_set_device_scale(window.get(), desktop, desktop);
  const ContextHolder cr(cairo_create(window.get()));
  for (auto _ : state) {
    paintFitted(cr.get(), canvas, fit);
    cairo_surface_flush(window.get());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_repaintFullScreen)->ArgName("desktop")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelkan
