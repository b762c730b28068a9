#include <gtest/gtest.h>

#include "flow/scripted_window.h"
#include "view/canvas_checks.h"

namespace zelkan {
namespace {

using test::GameFixture;
using Strings = std::vector<std::string>;

TEST(Modes, TwoPlayersOnAFreshPositionBlackMovesFirst) {
  GameFixture f;
  f.game.TAIMAN();
  EXPECT_EQ(f.window.boxes(), Strings{" |先手の番です"});
  EXPECT_EQ(f.state->gameMode, modeMan);
  EXPECT_EQ(f.state->turnColour, cellBlack);
  EXPECT_EQ(f.state->humanColour, cellBlack);
  EXPECT_EQ(f.state->comColour, cellWhite);
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::ROBO_0, test::cellPx(21.5), test::cellPy(12.5)));
  EXPECT_TRUE(test::showsPicture(f.canvas, Picture::KUROSOTO, test::cellPx(21), test::cellPy(6)));
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::SUUJI_0, test::cellPx(24.8), test::cellPy(5.8)));
}

TEST(Modes, PlayerFirstOnAFreshPositionWaitsForThePlayer) {
  GameFixture f;
  f.game.SENTE();
  EXPECT_EQ(f.window.boxes(), Strings{" |あなたの番です"});
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_EQ(f.state->turnColour, cellBlack);
  EXPECT_EQ(f.state->otherColour, cellWhite);
  EXPECT_TRUE(
      test::showsPicture(f.canvas, Picture::ROBO_1, test::cellPx(21.5), test::cellPy(12.5)));
}

TEST(Modes, ComputerFirstOnAFreshPositionMovesAtOnceWithoutAMessage) {
  GameFixture f;
  f.game.GOTE();
  EXPECT_TRUE(f.window.boxes().empty());
  EXPECT_EQ(f.state->moveNumber, 1);
  EXPECT_EQ(f.state->moveLogColour[0], cellBlack);
  EXPECT_EQ(f.state->board(4, 3), cellBlack) << "the first of the tied opening moves";
  EXPECT_EQ(f.state->turnColour, cellWhite);
  EXPECT_EQ(f.state->humanColour, cellWhite);
}

TEST(Modes, SwitchingInTheMiddleOfAGameKeepsThePositionAndTheSideToMove) {
  GameFixture f;
  f.game.TAIMAN();
  f.move(4, 18, 4, 3);
  ASSERT_EQ(f.state->turnColour, cellWhite);
  f.window.events.clear();

  // Player first: the computer is white, and white is to move, so it moves at once.
  f.game.SENTE();
  EXPECT_EQ(f.window.boxes(), Strings{" |ＣＯＭの番です"});
  EXPECT_EQ(f.state->moveNumber, 2);
  EXPECT_EQ(f.state->moveLogColour[1], cellWhite);
  EXPECT_EQ(f.state->turnColour, cellBlack);

  // Player second with black to move: the computer (black) moves at once, no message.
  f.window.events.clear();
  f.game.GOTE();
  EXPECT_TRUE(f.window.boxes().empty());
  EXPECT_EQ(f.state->moveNumber, 3);
  EXPECT_EQ(f.state->turnColour, cellWhite);

  // Player second with white to move: it is the player's turn.
  f.game.GOTE();
  EXPECT_EQ(f.window.boxes(), Strings{" |あなたの番です"});
  EXPECT_EQ(f.state->moveNumber, 3);

  // Two players in the middle of a computer game: the side to move is named, the colours stay.
  f.window.events.clear();
  f.game.TAIMAN();
  EXPECT_EQ(f.window.boxes(), Strings{" |後手の番です"});
  EXPECT_EQ(f.state->humanColour, cellWhite);
  EXPECT_EQ(f.state->comColour, cellBlack);
  EXPECT_EQ(f.state->gameMode, modeMan);
}

TEST(Modes, PlayerFirstRightAfterTwoPlayersOnAFreshPositionIsBlack) {
  GameFixture f;
  f.game.TAIMAN();
  f.game.GOTE();  // moves for black
  f.game.SAISYO();
  f.game.TAIMAN();
  f.state->turnColour = cellWhite;  // whoever is to move, no move is recorded yet
  f.game.SENTE();
  EXPECT_EQ(f.state->turnColour, cellBlack);
  EXPECT_EQ(f.state->moveNumber, 0);
}

TEST(Modes, AModeCommandPutsAPickedUpStoneDown) {
  GameFixture f;
  f.game.TAIMAN();
  f.click(4, 18);
  ASSERT_EQ(f.state->selState, 1);
  f.game.TAIMAN();
  EXPECT_EQ(f.state->selState, 0);
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::KURO, 4, 18));
  // Starting over with a stone picked up: the next click picks a stone afresh.
  f.click(4, 18);
  f.game.SAISYO();
  f.game.TAIMAN();
  f.click(4, 3);  // an empty cell: with a stale selection this would have moved (4, 18)
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_EQ(f.state->board(4, 18), cellBlack);
  EXPECT_EQ(f.state->board(4, 3), cellEmpty);
}

}  // namespace
}  // namespace zelkan
