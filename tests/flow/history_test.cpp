#include <gtest/gtest.h>

#include "flow/record_model.h"
#include "flow/scripted_window.h"
#include "view/canvas_checks.h"

namespace zelkan {
namespace {

using test::GameFixture;
using Strings = std::vector<std::string>;

bool marked(const GameFixture& f, int x, int y) {
  return f.canvas.pixel(test::cellPx(x) + 10, test::cellPy(y) + 10) == Rgb{0, 255, 255};
}

TEST(History, RefusesBackAndForwardOnAFreshGameButStillWaitsForTheResumeClick) {
  GameFixture f;
  f.game.TAIMAN();
  f.window.events.clear();
  f.game.MODORU();
  f.game.SUSUMU();
  EXPECT_EQ(f.window.boxes(), (Strings{"戻る|戻れません", "進む|進めません"}));
  EXPECT_EQ(f.window.sounds(), (Strings{test::forbidden, test::forbidden}));
  EXPECT_EQ(f.state->resumePending, flagYes);
  f.click(4, 18);
  EXPECT_EQ(f.state->selState, 0) << "the click only resumes";
  EXPECT_EQ(f.window.boxes().back(), "再開|先手の番です");
  f.click(4, 18);
  EXPECT_EQ(f.state->selState, 1);
}

TEST(History, StepsBackAndForwardThroughTheMovesWithTheirMarks) {
  GameFixture f;
  f.game.TAIMAN();
  f.move(4, 18, 4, 3);  // 1 black
  f.move(5, 2, 5, 17);  // 2 white
  f.move(6, 18, 6, 3);  // 3 black
  f.window.events.clear();

  f.game.MODORU();
  f.game.MODORU();
  EXPECT_EQ(f.state->moveNumber, 1);
  EXPECT_EQ(f.state->historyEnd, 3);
  EXPECT_EQ(f.state->turnColour, cellWhite) << "the side that made move 2 moves again";
  EXPECT_EQ(f.state->otherColour, cellBlack);
  EXPECT_EQ(f.state->board(5, 17), cellEmpty);
  EXPECT_EQ(f.state->board(5, 2), cellWhite);
  EXPECT_TRUE(marked(f, 4, 3));
  EXPECT_EQ(f.window.sounds(), (Strings{test::stone, test::stone}));
  EXPECT_TRUE(
      f.window.all("say").back().ends_with("白 0。二人対局。後手の番です。直前の手：黒 D2→D17"));

  f.game.SUSUMU();
  EXPECT_EQ(f.state->moveNumber, 2);
  EXPECT_EQ(f.state->turnColour, cellBlack);
  EXPECT_TRUE(marked(f, 5, 17));
  EXPECT_FALSE(marked(f, 4, 3));
  EXPECT_EQ(f.state->historyEnd, 3);

  // A review's jump: straight to any position, one mark on its last move, the move played and the
  // better one marked until the next command (a line, and framed cells with beads between); past
  // the history only the refusal.
  f.game.showPosition(3, std::nullopt, std::nullopt);
  EXPECT_TRUE(f.window.all("say").back().ends_with("後手の番です。直前の手：黒 F2→F17"));
  EXPECT_TRUE(marked(f, 6, 3));
  EXPECT_FALSE(marked(f, 5, 17));
  EXPECT_EQ(f.state->turnColour, cellWhite);
  const auto middle = [&](int x, int y) {
    return f.canvas.pixel(test::cellPx(x) + 11, test::cellPy(y) + 11);
  };
  f.game.command([&] { f.game.showPosition(0, ComMove{4, 18, 4, 3}, ComMove{3, 18, 3, 4}); });
  EXPECT_EQ(f.state->board, f.state->snapshots[0]);
  EXPECT_FALSE(marked(f, 6, 3));
  EXPECT_EQ(f.state->turnColour, cellBlack);
  EXPECT_EQ(f.canvas.pixel(test::cellPx(3) + 11, test::cellPy(4) + 1), palette[hintColour]);
  EXPECT_EQ(middle(3, 10), palette[cellWhite]);
  EXPECT_EQ(middle(4, 10), palette[playedColour]);
  f.window.events.clear();
  f.game.command([&] { f.game.showPosition(4, ComMove{4, 18, 4, 3}, std::nullopt); });
  EXPECT_EQ(f.window.sounds(), Strings{test::forbidden});
  EXPECT_NE(f.canvas.pixel(test::cellPx(3) + 11, test::cellPy(4) + 1), palette[hintColour]);
  EXPECT_NE(middle(4, 10), palette[playedColour]);
  f.game.showPosition(2, std::nullopt, std::nullopt);

  // A new move here replaces move 3.
  f.click(1, 1);  // resumes
  f.move(7, 18, 7, 3);
  EXPECT_EQ(f.state->historyEnd, 3);
  EXPECT_EQ(f.state->moveNumber, 3);
  EXPECT_EQ(f.state->board(6, 3), cellEmpty);
  f.window.events.clear();
  f.game.SUSUMU();
  EXPECT_EQ(f.window.boxes(), Strings{"進む|進めません"});
}

TEST(History, StepsBackAcrossACaptureWithItsTallies) {
  GameFixture f;
  f.state->board(5, 9) = cellWhite;
  f.state->board(5, 1) = cellEmpty;
  f.state->board(5, 8) = cellBlack;
  f.state->board(6, 18) = cellEmpty;
  調査_保存(*f.state, 0);
  f.game.TAIMAN();
  f.move(5, 18, 5, 10);
  ASSERT_EQ(f.state->whiteLost, 1);
  f.game.MODORU();
  EXPECT_EQ(f.state->board(5, 9), cellWhite) << "the taken stone is back";
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::SIRO, 5, 9));
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_0, test::cellPx(24.8), test::cellPy(5.8)));
  EXPECT_EQ(f.state->whiteLost, 0) << "the stone taken back is no longer counted as lost";
}

// F10 sandwiches E10 (move 3), B10 surrounds A10 (move 10, a stone in each tally). Steps (Back
// when negative) bring back tallies lb, lw and scores b, w; the kept result is the moves' own.
TEST(History, EachPositionHasItsTalliesAndAGameIsKeptAsItsMovesJudgeIt) {
  GameFixture f;
  const auto end = std::make_unique<GameState>();
  f.window.kept = [&](GameEnd) { *end = *f.state; };
  f.game.TAIMAN();
  for (const char* m : {"D2D11", "E18E11", "F2F11", "A18A11", "D11D10", "C18C9", "K2K8", "C9A9",
                        "D10A10", "B18B10"})
    f.game.playTyped(m);
  const int rows[][5] = {
      {-1, 0, 1, 244, 187}, {1, 1, 2, 238, 201}, {-8, 0, 0, 187, 187}, {1, 0, 1, 236, 169}};
  for (const auto& [steps, lb, lw, b, w] : rows) {
    for (int i = 0; i < std::abs(steps); ++i)
      steps < 0 ? f.game.MODORU() : f.game.SUSUMU();
    EXPECT_NE(f.game.panelReading().find(fill("黒 %d、白 %d。", {lb, lw})), std::string::npos);
    f.game.HANTEI();
    EXPECT_TRUE(f.window.boxes().back().ends_with(fill("[%d]  白：[%d]", {b, w}))) << steps;
  }
  for (int n = 3; n < moveLimit; ++n)  // K2 and T18 step to and fro to the end
    f.game.playTyped(n % 2 ? (n % 4 == 3 ? "T18T17" : "T17T18") : (n % 4 ? "K3K2" : "K2K3"));
  GameRecord kept = recordOfGame(*end, "");
  finishRecord(kept, *end, GameEnd::limit);
  EXPECT_EQ(resultOfMoves(kept), kept.result);
  f.window.events.clear();
  ASSERT_TRUE(f.game.bringBack(kept));  // as "検討..." studies it after the Yes
  EXPECT_EQ(f.state->moveNumber, moveLimit);
  EXPECT_TRUE(f.window.boxes().empty()) << "its end was told as it ended";
  f.game.openRecord(*end, kept, GameEnd::limit);
  f.game.SENTE();  // a new game: the computer, white, does not play on
  EXPECT_EQ(end->moveNumber + f.state->moveNumber, moveLimit);
}

TEST(History, ResumeAgainstTheComputerLetsItMoveWhenItIsItsTurn) {
  GameFixture f;
  f.game.SENTE();
  f.move(4, 18, 4, 3);  // the computer replies: move 2
  ASSERT_EQ(f.state->moveNumber, 2);
  f.game.MODORU();
  EXPECT_EQ(f.state->turnColour, cellWhite) << "the computer's move was taken back";
  EXPECT_EQ(f.state->moveNumber, 1);
  f.click(10, 10);
  EXPECT_EQ(f.state->moveNumber, 2) << "the resume click lets the computer move";
  EXPECT_EQ(f.state->turnColour, cellBlack);
  // With the player to move, the resume click does nothing more.
  f.game.MODORU();
  f.game.MODORU();
  ASSERT_EQ(f.state->turnColour, cellBlack);
  f.click(10, 10);
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_EQ(f.state->resumePending, flagNo);
}

TEST(History, TwoPlayerResumeNamesTheSideToMoveWhateverTheComputerGameLeft) {
  GameFixture f;
  f.game.GOTE();  // the player is white, the computer black; the computer moves
  f.game.TAIMAN();
  f.move(5, 2, 5, 17);  // white
  f.game.MODORU();
  ASSERT_EQ(f.state->turnColour, cellWhite);
  f.game.SUSUMU();
  ASSERT_EQ(f.state->turnColour, cellBlack);
  f.window.events.clear();
  f.click(1, 1);
  EXPECT_EQ(f.window.boxes(), Strings{"再開|先手の番です"});
}

TEST(History, ForwardTakesTheSideToMoveFromTheLogSoAPassStaysRight) {
  GameFixture f;
  f.game.TAIMAN();
  f.move(4, 18, 4, 3);  // 1 black
  // White passes: black moves again.
  f.state->turnColour = cellBlack;
  f.state->otherColour = cellWhite;
  f.move(6, 18, 6, 3);  // 2 black
  f.move(5, 2, 5, 17);  // 3 white
  for (int i = 0; i < 3; ++i)
    f.game.MODORU();
  EXPECT_EQ(f.state->turnColour, cellBlack);
  f.game.SUSUMU();
  EXPECT_EQ(f.state->turnColour, cellWhite);
  f.game.SUSUMU();
  EXPECT_EQ(f.state->turnColour, cellWhite) << "after move 2, by black, white is to move";
  f.game.SUSUMU();
  EXPECT_EQ(f.state->turnColour, cellBlack);
}

TEST(History, StartOverGoesBackToTheStartingPositionWithNoGame) {
  GameFixture f;
  f.game.TAIMAN();
  f.move(4, 18, 4, 3);
  f.game.SAISYO();
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_EQ(f.state->historyEnd, 0);
  EXPECT_EQ(f.state->gameMode, modeNone);
  EXPECT_EQ(f.window.all("say").back(),
            "手数 0、残り 100 手。取られた石 黒 0、白 0。「対局」で始めて下さい");
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KURO, 4, 18));
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KARA, 4, 3));
  EXPECT_EQ(f.canvas.pixel(test::cellPx(21.5) + 25, test::cellPy(12.5) + 30), test::background)
      << "the panel's message area is wiped";
  f.window.events.clear();
  f.click(4, 18);
  EXPECT_EQ(f.window.boxes(), Strings{"開始|「対局」で始めて下さい"});
}

}  // namespace
}  // namespace zelkan
