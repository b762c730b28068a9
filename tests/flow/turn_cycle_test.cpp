#include <gtest/gtest.h>

#include <memory>

#include "core/cell_names.h"
#include "core/movement.h"
#include "flow/scripted_window.h"
#include "view/board_drawing.h"
#include "view/canvas_checks.h"

namespace zelkan {
namespace {

using test::GameFixture;
using Strings = std::vector<std::string>;

// Moves the stone on (x1, y1) to (x2, y2) on the board and in the history's entry 0, as if the
// game had started from there.
void arrange(GameFixture& f, std::initializer_list<std::array<int, 4>> moves) {
  for (const auto& [x1, y1, x2, y2] : moves) {
    f.state->board(x2, y2) = f.state->board(x1, y1);
    f.state->board(x1, y1) = cellEmpty;
  }
  調査_保存(*f.state, 0);
  描画_盤(f.canvas, f.state->board);
}

TEST(BoardClick, BeforeAnyGameIsRefusedWithAMessage) {
  GameFixture f;
  f.click(4, 18);
  EXPECT_EQ(f.window.sounds(), Strings{test::forbidden});
  EXPECT_EQ(f.window.boxes(), Strings{"開始|「対局」で始めて下さい"});
  EXPECT_EQ(f.state->selState, 0);
}

TEST(BoardClick, MapsTwipsToCellsWithFloor) {
  GameFixture f;
  f.game.TAIMAN();
  f.clearLog();
  const double row19 = boardTop + cellHeight * 19 + 1;
  f.game.mousePressed(379, row19);
  EXPECT_EQ(f.window.sounds(), Strings{test::forbidden}) << "column 0 is off the board";
  f.game.mousePressed(380, row19);
  EXPECT_EQ(f.state->selX, 1);
  EXPECT_EQ(f.state->selY, 19);
  f.game.mousePressed(6649, row19);
  EXPECT_EQ(f.state->selX, 19) << "reselected";
  f.game.mousePressed(6650, row19);
  f.game.mousePressed(500, 229);
  EXPECT_EQ(f.window.sounds(), Strings(3, test::forbidden)) << "column 20 and row 0";
  f.game.mousePressed(500, 230);  // row 1: a white stone, not a destination
  EXPECT_EQ(f.window.sounds().size(), 3u);
  EXPECT_EQ(f.state->selState, 1) << "no click ends a selection";
}

TEST(BoardClick, SelectsReselectsAndIgnoresWhatIsNotAMove) {
  GameFixture f;
  f.game.TAIMAN();
  f.clearLog();
  f.click(10, 10);  // empty
  f.click(10, 2);   // white
  EXPECT_EQ(f.state->selState, 0);
  f.click(10, 18);
  EXPECT_EQ(f.state->selState, 1);
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KUROKETU, 10, 18));
  f.click(11, 19);
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KURO, 10, 18)) << "put down plainly";
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KUROKETU, 11, 19));
  f.click(11, 19);
  EXPECT_EQ(f.state->selX, 11);
  EXPECT_EQ(f.state->selY, 19);
  f.click(11, 16);  // beyond the first empty cell behind the stone in front
  f.click(12, 2);   // an enemy stone
  EXPECT_EQ(f.state->selState, 1);
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_TRUE(f.window.sounds().empty()) << "illegal destinations sound nothing";
  EXPECT_EQ(f.window.all("say"),
            (Strings{"K2 の石を選びました", "L1 の石を選びました", "L1 の石を選びました",
                     "L1 の石は L4 へ動けません", "L1 の石は M18 へ動けません"}))
      << "but a screen reader hears each stone picked up and why a move is refused";
  f.click(11, 17);
  EXPECT_EQ(f.state->moveNumber, 1);
  EXPECT_EQ(f.state->board(11, 17), cellBlack);
  EXPECT_EQ(f.state->turnColour, cellWhite);
  EXPECT_EQ(f.state->selState, 0);
}

// Checks at each repaint that cell (x, y) shows the next picture of a list, and notes the time.
class FrameWatch {
 public:
  explicit FrameWatch(GameFixture& f) : f_(f) {
    f_.canvas.repaintNow = [this] {
      times.push_back(f_.window.clock);
      readings.push_back(f_.game.panelReading());
      if (times.size() <= frames_.size()) {
        EXPECT_TRUE(test::showsCellInside(f_.canvas, frames_[times.size() - 1], x_, y_))
            << "frame " << times.size();
      }
    };
  }
  void expect(int x, int y, std::vector<Picture> frames) {
    x_ = x;
    y_ = y;
    frames_ = std::move(frames);
    times.clear();
    readings.clear();
  }
  std::vector<double> times;
  std::vector<std::string> readings;  // what the panel read at each repaint

 private:
  GameFixture& f_;
  int x_ = 0;
  int y_ = 0;
  std::vector<Picture> frames_;
};

TEST(TwoPlayerGame, SandwichAndSurroundCapturesAreShownHeardAndCounted) {
  GameFixture f;
  // White (5, 9) stands between black's (5, 8) and the column black can slide up; black (1, 10)
  // sits on the left edge between white (1, 9) and (1, 11).
  arrange(f, {{5, 1, 5, 9}, {6, 18, 5, 8}, {7, 18, 1, 10}, {6, 1, 1, 9}, {7, 1, 1, 11}});
  f.game.TAIMAN();
  f.clearLog();
  FrameWatch watch(f);
  watch.expect(5, 9, {Picture::SIROCYU, Picture::PA, Picture::KARA});

  f.move(5, 18, 5, 10);  // black sandwiches (5, 9)
  EXPECT_EQ(f.window.sounds(), (Strings{test::stone, test::vanish}));
  ASSERT_EQ(watch.times.size(), 3u);
  EXPECT_NEAR(watch.times[0], 0.0, 1e-9);
  EXPECT_NEAR(watch.times[1], 0.3, 1e-9);
  EXPECT_NEAR(watch.times[2], 0.6, 1e-9);
  EXPECT_NEAR(f.window.clock, 0.9, 1e-9);
  EXPECT_EQ(f.window.all("say"),
            (Strings{"E2 の石を選びました", "黒 E2→E10、E11 を取る。後手の番です"}));
  EXPECT_EQ(watch.readings,
            Strings(3, "手数 1、残り 99 手。取られた石 黒 0、白 1。二人対局。後手の番です"))
      << "the turn has passed while the capture is shown";
  ASSERT_EQ(f.window.events.size(), 4u);
  EXPECT_NEAR(f.window.events[2].time, 0.3, 1e-9) << "the vanish sound comes after one wait";
  EXPECT_EQ(f.state->whiteLost, 1);

  f.clearLog();
  watch.expect(1, 10, {Picture::KUROCYU, Picture::PA, Picture::KARA});
  f.window.clock = 0;
  f.move(2, 2, 2, 10);  // white surrounds (1, 10) against the edge
  EXPECT_EQ(f.window.sounds(), Strings{test::stone}) << "a surround capture is silent";
  EXPECT_EQ(f.window.all("say"),
            (Strings{"B18 の石を選びました", "白 B18→B10、A10 を取る。先手の番です"}));
  ASSERT_EQ(watch.times.size(), 3u);
  EXPECT_NEAR(watch.times[2], 0.6, 1e-9);
  EXPECT_NEAR(f.window.clock, 0.9, 1e-9);
  EXPECT_EQ(f.state->board(1, 10), cellEmpty);
  EXPECT_EQ(f.state->blackLost, 1);
  EXPECT_EQ(f.state->whiteLost, 2) << "the surrounding side's tally grows too";

  // The panel shows stones lost from the board (1 each), not the tallies; two moves made.
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_1, test::cellPx(24.8), test::cellPy(5.8)));
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_1, test::cellPx(24.8), test::cellPy(6.9)));
  // Only the latest move carries the mark; every other cell shows what the board holds.
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y) {
      if (x == 2 && y == 10) continue;
      const Code c = f.state->board(x, y);
      const Picture p = c == cellBlack   ? Picture::KURO
                        : c == cellWhite ? Picture::SIRO
                                         : Picture::KARA;
      ASSERT_TRUE(test::showsCellInside(f.canvas, p, x, y));
    }
  }
  EXPECT_EQ(f.canvas.pixel(test::cellPx(2) + 10, test::cellPy(10) + 10), (Rgb{0, 255, 255}));
}

TEST(Keys, EscapeEndsTheProgramAtOnceAndOtherKeysDoNothing) {
  GameFixture f;
  f.game.keyPressed(13);
  f.game.keyPressed(65);
  EXPECT_TRUE(f.window.events.empty());
  f.game.keyPressed(27);
  EXPECT_EQ(f.window.all("end").size(), 1u);
  EXPECT_TRUE(f.window.all("shutdown").empty());
}

// Each speaking key tells what it asks, before a game and in one, and changes nothing: not the
// position, not a picked-up stone.
TEST(Keys, TheSpeakingKeysTellWhatTheyAskAndChangeNothing) {
  GameFixture f;
  arrange(f, {{5, 1, 5, 9}, {6, 18, 5, 8}});
  const auto said = [&](int key) {
    const auto before = std::make_unique<GameState>(*f.state);
    f.game.command([&] { f.game.keyPressed(key); });
    EXPECT_EQ(f.state->board, before->board);
    EXPECT_EQ(f.state->selState, before->selState);
    const Strings all = f.window.all("say");
    return all.empty() ? std::string() : all.back();
  };
  EXPECT_EQ(said(Game::keyLastMove), "まだ一手も指していません");
  EXPECT_EQ(said(Game::keyDestinations), "石を選んでいません");
  EXPECT_EQ(said(Game::keyTypeMove), "「対局」で始めて下さい");
  EXPECT_TRUE(
      said(Game::keyBlackStones).starts_with("黒の石 38 個：E12、A2、B2、C2、D2、E2、G2、"));
  f.game.TAIMAN();
  f.move(5, 18, 5, 10);
  EXPECT_EQ(said(Game::keyLastMove), "黒 E2→E10、E11 を取る");
  EXPECT_TRUE(said(Game::keyWhiteStones).starts_with("白の石 37 個：A19、B19、C19、D19、F19"));
  f.game.command([&] { f.click(5, 2); });
  EXPECT_EQ(said(Game::keyDestinations), "E18 の石の行き先 6 か所：E19、E17、E16、E15、E14、E13");
  EXPECT_TRUE(said(Game::keyPosition).ends_with("白 1。二人対局。後手の番です"));
}

// The helps over the board, each command run as the window runs it.
Rgb centreOf(const Canvas& canvas, int x, int y) {
  return canvas.pixel(test::cellPx(x) + 11, test::cellPy(y) + 11);
}
Rgb edgeOf(const Canvas& canvas, int x, int y) {
  return canvas.pixel(test::cellPx(x) + 11, test::cellPy(y));
}
std::unique_ptr<Canvas> snapshot(const Canvas& from) {
  auto copy = std::make_unique<Canvas>();
  ContextHolder cr(cairo_create(copy->surface()));
  cairo_set_source_surface(cr.get(), from.surface(), 0, 0);
  cairo_paint(cr.get());
  return copy;
}

// A picked-up stone marks every cell the move check allows it and no other; whatever the player
// then does, the image is byte for byte the one drawn without the marks.
TEST(BoardHelps, DestinationMarksShowWhereAPickedStoneMayGoAndLeaveNoTrace) {
  GameFixture with, without;
  with.game.showDestinations = true;
  for (GameFixture* f : {&with, &without})
    f->game.command([f] { f->game.TAIMAN(); });
  const auto both = [&](int x1, int y1, int x2, int y2) {
    for (GameFixture* f : {&with, &without}) {
      f->game.command([f, x1, y1] { f->click(x1, y1); });
      f->game.command([f, x2, y2] { f->click(x2, y2); });
    }
  };
  const Rgb mark = paletteColour(destinationColour);
  // Slides, jumps over both colours, and at last a sandwich.
  for (const auto& [x1, y1, x2, y2] : {std::array{4, 18, 4, 5},
                                       {5, 2, 5, 6},
                                       {4, 19, 4, 17},
                                       {6, 1, 6, 3},
                                       {3, 18, 3, 6},
                                       {7, 2, 7, 6},
                                       {5, 18, 5, 7},
                                       {8, 2, 8, 6},
                                       {4, 5, 5, 5}}) {
    const GameState& s = *with.state;
    for (int x = 1; x <= 19; ++x) {
      for (int y = 1; y <= 19; ++y) {
        if (s.board(x, y) != s.turnColour) continue;
        with.game.command([&] { with.click(x, y); });
        for (int tx = 1; tx <= 19; ++tx) {
          for (int ty = 1; ty <= 19; ++ty) {
            const bool allowed = 移動チェック(s.board, x, y, tx, ty, s.turnColour) == flagYes;
            ASSERT_EQ(centreOf(with.canvas, tx, ty) == mark, allowed)
                << x << "," << y << " -> " << tx << "," << ty;
            ASSERT_EQ(with.game.cellReading(tx, ty).ends_with("、移動先"), allowed);
          }
        }
      }
    }
    both(x1, y1, x2, y2);
    ASSERT_EQ(with.state->board(x2, y2), with.state->otherColour);
    ASSERT_TRUE(test::sameImage(with.canvas, without.canvas));
  }
  EXPECT_EQ(with.state->board(5, 6), cellEmpty);
}

// A hint marks the strong level's move for the side to move, the engine's at the same budget,
// and goes at the next command; before a game there is none. The cells' names stay through
// every command, and switched off leave the image as it was.
TEST(BoardHelps, AHintMarksTheStrongMoveUntilTheNextCommand) {
  GameFixture f;
  f.game.strongBudget = 3000;
  f.game.strongSafetyStop = 1e9;
  f.game.command([&] { f.game.keyPressed(Game::keyHint); });
  EXPECT_EQ(f.window.sounds(), Strings{test::forbidden});
  f.game.command([&] { f.game.TAIMAN(); });
  f.game.command([&] { f.move(4, 18, 4, 5); });
  const auto before = std::make_unique<GameState>(*f.state);
  FixedSecond clock(0);
  LevelLimits limits;
  limits.nodeBudget = 3000;
  const auto expected = chooseComMove(*before, Level::strong, clock, limits);
  ASSERT_TRUE(expected);
  const auto plain = snapshot(f.canvas);
  f.game.command([&] { f.game.showCoordinates(true); });
  EXPECT_FALSE(test::allPixels(f.canvas, 0, 15, 17, 433, test::background));
  f.game.command([&] { f.game.HINTO(); });
  const Rgb hint = paletteColour(hintColour);
  EXPECT_EQ(edgeOf(f.canvas, expected->fromX, expected->fromY), hint);
  EXPECT_EQ(edgeOf(f.canvas, expected->toX, expected->toY), hint);
  EXPECT_EQ(f.state->board, before->board);
  EXPECT_TRUE(f.game.cellReading(expected->toX, expected->toY).ends_with("、空き、ヒント"));
  EXPECT_TRUE(f.window.all("say").back().starts_with("ヒント：" +
                                                     cellName(expected->fromX, expected->fromY)));
  f.game.command([&] { f.game.keyPressed(Game::keyLastMove); });
  EXPECT_EQ(edgeOf(f.canvas, expected->toX, expected->toY), hint) << "a key that speaks keeps it";
  f.game.command([] {});
  EXPECT_FALSE(test::allPixels(f.canvas, 25, 441, 444, 460, test::background));
  f.game.command([&] { f.game.showCoordinates(false); });
  EXPECT_TRUE(test::sameImage(f.canvas, *plain));
}

// The arrow keys bring up a cursor and move it, held at the edges; Return and space click its
// cell. Before the first arrow nothing is drawn.
TEST(BoardHelps, TheKeyboardPlaysAMove) {
  GameFixture f;
  f.game.command([&] { f.game.TAIMAN(); });
  const auto plain = snapshot(f.canvas);
  f.game.command([&] { f.game.keyPressed(Game::keySpace); });
  EXPECT_TRUE(test::sameImage(f.canvas, *plain));
  const auto press = [&](int key, int times) {
    for (int i = 0; i < times; ++i)
      f.game.command([&] { f.game.keyPressed(key); });
  };
  press(Game::keyDown, 1);  // the cursor appears on the middle cell, (10, 10)
  EXPECT_EQ(edgeOf(f.canvas, 10, 10), paletteColour(cursorColour));
  press(Game::keyLeft, 6);
  press(Game::keyDown, 12);  // to (4, 19): the edge holds it
  press(Game::keyUp, 1);
  press(Game::keyReturn, 1);
  EXPECT_EQ(f.state->selState, 1);
  EXPECT_EQ(f.game.cellReading(4, 18), "D2、黒石、選択中");
  EXPECT_EQ(f.game.cursorCell(), (std::pair{4, 18}));
  press(Game::keyUp, 13);
  press(Game::keySpace, 1);
  EXPECT_EQ(f.state->board(4, 5), cellBlack);
  EXPECT_EQ(f.state->board(4, 18), cellEmpty);
  EXPECT_EQ(f.game.cellReading(4, 5), "D15、黒石、直前の手");
  EXPECT_EQ(f.game.panelReading(),
            "手数 1、残り 99 手。取られた石 黒 0、白 0。二人対局。後手の番です");
  EXPECT_EQ(edgeOf(f.canvas, 4, 5), paletteColour(cursorColour));
}

}  // namespace
}  // namespace zelkan
