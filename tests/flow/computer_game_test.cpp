#include <gtest/gtest.h>

#include <random>

#include "core/movement.h"
#include "flow/scripted_window.h"

namespace zelkan {
namespace {

using test::GameFixture;

// The player's move: a seeded random legal move of the side to move.
bool randomMove(GameFixture& f, std::mt19937& rng) {
  const GameState& s = *f.state;
  std::vector<std::array<int, 4>> moves;
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y) {
      if (s.board(x, y) != s.turnColour) continue;
      for (int k = 1; k <= 19; ++k) {
        if (移動チェック(s.board, x, y, k, y, s.turnColour) == flagYes)
          moves.push_back({x, y, k, y});
        if (移動チェック(s.board, x, y, x, k, s.turnColour) == flagYes)
          moves.push_back({x, y, x, k});
      }
    }
  }
  if (moves.empty()) return false;
  const auto& m = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
  f.move(m[0], m[1], m[2], m[3]);
  return true;
}

// Whole games against the computer, player first and second, played to their end and answered
// Yes: the game comes back to the starting position with no mode. The last two are against the
// weak and the strong level; the strong one's thinking is cut short by the scripted clock.
TEST(ComputerGame, PlaysWholeGamesToTheirEnd) {
  std::mt19937 rng(7);
  for (int game = 0; game < 4; ++game) {
    GameFixture f;
    f.window.fixedSecond = 13 * game;
    f.game.level = game < 2 ? Level::normal : game == 2 ? Level::weak : Level::strong;
    const bool playerFirst = game % 2 == 0;
    if (playerFirst) {
      f.game.SENTE();
    } else {
      f.game.GOTE();
    }
    int clicks = 0;
    while (f.state->gameMode != modeNone && clicks < 200) {
      ASSERT_EQ(f.state->turnColour, f.state->humanColour);
      ASSERT_TRUE(randomMove(f, rng));
      ++clicks;
      for (int x = 1; x <= 19; ++x) {
        for (int y = 1; y <= 19; ++y) {
          const Code c = f.state->board(x, y);
          ASSERT_TRUE(c == cellEmpty || c == cellBlack || c == cellWhite);
        }
      }
    }
    EXPECT_EQ(f.state->gameMode, modeNone) << "game " << game << " ended";
    EXPECT_EQ(f.state->moveNumber, 0);
    EXPECT_LE(clicks, 50) << "the player makes at most half of the 100 moves";
    const auto boxes = f.window.boxes();
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_EQ(boxes.back(), "対局|           続けますか？");
    EXPECT_NE(boxes[boxes.size() - 2].find("黒：["), std::string::npos);
  }
}

TEST(ComputerGame, PassesWhenNoStoneCanMove) {
  GameFixture f;
  // Black's only stone sits in the corner behind full white lines.
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y)
      f.state->board(x, y) = cellEmpty;
  }
  for (int k = 2; k <= 19; ++k) {
    f.state->board(k, 1) = cellWhite;
    f.state->board(1, k) = cellWhite;
  }
  f.state->board(1, 1) = cellBlack;
  f.state->gameMode = modeCom;
  f.state->humanColour = cellWhite;
  f.state->comColour = cellBlack;
  f.state->turnColour = cellBlack;
  f.state->otherColour = cellWhite;
  f.game.com_打つ();
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_EQ(f.state->historyEnd, 0);
  EXPECT_EQ(f.state->turnColour, cellWhite);
  EXPECT_EQ(f.state->otherColour, cellBlack);
  EXPECT_TRUE(f.window.sounds().empty());
}

}  // namespace
}  // namespace zelkan
