#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>

#include "bench/allocation_counter.h"
#include "core/cell_names.h"
#include "core/move_completion.h"
#include "core/movement.h"
#include "flow/scripted_window.h"

namespace zelkan {
namespace {

using test::GameFixture;

using Move = std::array<int, 4>;

// A seeded random legal move of the side to move.
std::optional<Move> randomMove(const GameState& s, std::mt19937& rng) {
  std::vector<Move> moves;
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
  if (moves.empty()) return std::nullopt;
  return moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
}

// The player's move: a random one, clicked.
bool randomMove(GameFixture& f, std::mt19937& rng) {
  const auto m = randomMove(*f.state, rng);
  if (m) f.move((*m)[0], (*m)[1], (*m)[2], (*m)[3]);
  return m.has_value();
}

// The board after the player's move m and the computer's reply chosen as by chooseComMove.
Board afterReply(const GameState& s, const Move& m, Level level, const LevelLimits& limits,
                 int second) {
  auto after = std::make_unique<GameState>(s);
  completeMove(*after, m[0], m[1], m[2], m[3]);
  std::swap(after->turnColour, after->otherColour);
  FixedSecond clock(second);
  const auto reply = chooseComMove(*after, level, clock, limits);
  if (reply) completeMove(*after, reply->fromX, reply->fromY, reply->toX, reply->toY);
  return after->board;
}

// Whole games against the computer, player first and second, played to their end and answered
// Yes: the game comes back to the starting position with no mode. The last two are against the
// weak and the strong level; the strong one's thinking is cut short by its safety stop, as the
// scripted clock races ahead while it thinks.
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
      // The player's move is told with the computer's thinking, in one sentence; the reply with
      // its destination, then the player's turn.
      const int n = f.state->moveNumber;
      const std::string said = f.window.all("say").back();
      if (f.state->gameMode != modeNone) {
        ASSERT_TRUE(f.window.all("say").rbegin()[1].ends_with("。コンピュータが考えています"));
        ASSERT_NE(said.find("→" + cellName(f.state->moveLogX[n - 1], f.state->moveLogY[n - 1])),
                  std::string::npos);
        ASSERT_TRUE(said.ends_with("。あなたの番です")) << said;
      }
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
    // The judgement is told, then the fresh position in its place.
    const std::vector<std::string> says = f.window.all("say");
    EXPECT_NE(says[says.size() - 2].find("黒：["), std::string::npos);
    EXPECT_EQ(says.back(), "手数 0、残り 100 手。取られた石 黒 0、白 0。「対局」で始めて下さい");
  }
}

// The strong level's reply in the window is the engine's for the same position and budget, move
// after move with one table for the game; when its table cannot be had, the normal level's.
TEST(ComputerGame, TheStrongLevelPlaysTheEnginesMoveOrElseTheNormalOne) {
  std::mt19937 rng(11);
  GameFixture f;
  f.game.level = Level::strong;
  f.game.strongBudget = 3000;
  f.game.strongSafetyStop = 1e9;
  f.window.fixedSecond = 17;
  f.game.SENTE();
  LevelLimits limits;
  limits.nodeBudget = f.game.strongBudget;
  for (int turn = 0; turn < 8; ++turn) {
    const bool failing = turn >= 6;
    const auto m = randomMove(*f.state, rng);
    ASSERT_TRUE(m);
    const Board expected =
        afterReply(*f.state, *m, failing ? Level::normal : Level::strong, limits, 17);
    failAllocationsFrom(failing ? 1 << 20 : 0);
    f.move((*m)[0], (*m)[1], (*m)[2], (*m)[3]);
    failAllocationsFrom(0);
    ASSERT_EQ(f.state->board, expected) << "turn " << turn;
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
  EXPECT_TRUE(f.window.all("say").back().starts_with("コンピュータはパスです。"));
}

// A move typed is played as clicked, and answered; one that cannot be played changes nothing and
// says why. The entry stays for the next move until it is closed.
TEST(ComputerGame, TypedMovesArePlayedAsClickedOrRefusedWithTheReason) {
  GameFixture f;
  f.game.SENTE();
  f.click(1, 19);  // picked up, to be put down for the typed move
  // What is typed, and what is said first: the refusal, or the move with the thinking.
  const struct {
    const char *typed, *said;
  } rows[] = {
      {"K2 K", "手が読み取れません。「D2 D5」のように、石のます目と行き先のます目を書いて下さい"},
      {"K10-K11", "K10 に黒石がありません"},
      {"A1 → B1", "A1 の石は B1 へ動けません"},
      {"k2 to k8", "黒 K2→K8。コンピュータが考えています"},
  };
  for (const auto& row : rows) {
    const Code moves = f.state->moveNumber;
    f.window.lines = {row.typed};
    f.window.events.clear();
    f.game.command([&] { f.game.keyPressed(Game::keyTypeMove); });
    const std::vector<std::string> says = f.window.all("say");
    ASSERT_FALSE(says.empty());
    EXPECT_EQ(says.front(), row.said) << row.typed;
    EXPECT_EQ(f.state->moveNumber, moves + (says.size() > 1 ? 2 : 0)) << row.typed;
    // The entry comes back for the next move, with the last thing said before its question.
    const std::vector<std::string> asks = f.window.all("ask");
    ASSERT_EQ(asks.size(), 2u);
    EXPECT_TRUE(asks[1].starts_with("手の入力|" + says.back() + "\n")) << asks[1];
  }
  EXPECT_EQ(f.state->board(10, 12), cellBlack);
  f.game.MODORU();  // the computer's turn: no move is asked for
  f.window.events.clear();
  f.game.keyPressed(Game::keyTypeMove);
  EXPECT_EQ(f.window.events.back().detail, "ＣＯＭの番です。盤を押すとコンピュータが指します");
  EXPECT_EQ(f.window.sounds(), std::vector<std::string>{test::forbidden});
  f.game.MODORU();  // the player's: the move needs no click to resume first
  f.game.playTyped("d2d5");
  EXPECT_EQ(f.state->board(4, 15), cellBlack);
  EXPECT_EQ(f.state->moveNumber, 2);
}

}  // namespace
}  // namespace zelkan
