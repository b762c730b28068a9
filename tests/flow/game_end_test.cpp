#include <gtest/gtest.h>

#include "flow/scripted_window.h"
#include "view/canvas_checks.h"

namespace zelkan {
namespace {

using test::GameFixture;
using Strings = std::vector<std::string>;

TEST(GameEnd, ALeadOfTwoToOneEndsTheGameAndYesStartsAfresh) {
  GameFixture f;
  f.twentyWhiteStones();
  f.game.TAIMAN();
  f.window.events.clear();
  f.window.answers = {MessageBox::Answer::yes};
  f.move(5, 18, 5, 10);
  const Strings boxes = f.window.boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0], "対局|大差なので終了です");
  EXPECT_EQ(boxes[2], "対局|           続けますか？");
  EXPECT_TRUE(f.window.all("shutdown").empty());
  EXPECT_EQ(f.state->gameMode, modeNone);
  EXPECT_EQ(f.state->turnColour, modeNone);
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_EQ(f.state->whiteLost, 0);
  EXPECT_EQ(f.state->board(4, 2), cellWhite) << "the starting position";
  EXPECT_TRUE(test::showsCellInside(f.canvas, Picture::SIRO, 4, 2));
  f.window.events.clear();
  f.game.MODORU();
  f.game.SUSUMU();
  EXPECT_EQ(f.window.boxes(), (Strings{"戻る|戻れません", "進む|進めません"}));
}

TEST(GameEnd, TheHundredthMoveEndsTheGameAndNoShutsDown) {
  GameFixture f;
  f.twentyWhiteStones();  // the lead is reached too: the move limit is named
  f.game.TAIMAN();
  f.state->moveNumber = 99;
  f.state->historyEnd = 99;
  f.window.events.clear();
  f.window.answers = {MessageBox::Answer::no};
  f.move(5, 18, 5, 10);
  EXPECT_EQ(f.window.boxes().front(), "対局|100 手なので終了です");
  EXPECT_EQ(f.window.all("shutdown").size(), 1u);
  EXPECT_EQ(f.window.events.back().what, "shutdown");
  EXPECT_EQ(f.state->gameMode, modeMan) << "nothing runs after the shutdown";
}

TEST(GameEnd, AMoveThatEndsTheGameGetsNoReplyFromTheComputer) {
  GameFixture f;
  f.twentyWhiteStones();
  f.game.SENTE();
  f.window.answers = {MessageBox::Answer::yes};
  std::unique_ptr<GameState> finished;
  std::string reading;  // the panel's once the game is over, as the judgement scores it
  f.window.kept = [&](GameEnd end) {
    if (end == GameEnd::none) return;
    finished = std::make_unique<GameState>(*f.state);
    reading = f.game.panelReading();
  };
  f.move(5, 18, 5, 10);
  EXPECT_EQ(f.state->moveNumber, 0);
  EXPECT_EQ(f.state->gameMode, modeNone);
  for (const auto& b : f.window.boxes())
    EXPECT_EQ(b.find("ＣＯＭ"), std::string::npos);
  EXPECT_EQ(f.window.boxes()[2], "MANの勝ち！！|黒：[236]  白：[118]");
  const std::string over =
      "あなたは黒。対局は終わりました。黒 236 点、白 118 点で、あなたの勝ちです";
  EXPECT_TRUE(reading.ends_with(over)) << reading;
  ASSERT_TRUE(finished);  // opened as a record, then a step back
  GameRecord record;
  record.mode = modeCom;
  f.game.openRecord(*finished, record, GameEnd::lead);
  EXPECT_TRUE(f.window.all("say").back().ends_with(over + "。直前の手：黒 E2→E10、E11 を取る"));
  f.game.MODORU();
  EXPECT_TRUE(f.game.panelReading().ends_with("あなたは黒。あなたの番です"));
}

TEST(GameEnd, AResumedComputerMoveThatEndsTheGameLeavesTheFreshPositionAlone) {
  GameFixture f;
  f.game.GOTE();  // the computer is black and has moved
  f.state->moveNumber = 99;
  f.state->historyEnd = 99;
  f.state->turnColour = cellBlack;
  f.state->otherColour = cellWhite;
  f.state->resumePending = flagYes;
  f.window.answers = {MessageBox::Answer::yes};
  f.click(10, 10);  // resumes: the computer makes the 100th move
  EXPECT_EQ(f.state->gameMode, modeNone);
  EXPECT_EQ(f.state->turnColour, modeNone);
  f.window.events.clear();
  f.game.GOTE();
  EXPECT_EQ(f.state->moveNumber, 1) << "the computer, black, moves first again";
  EXPECT_EQ(f.state->turnColour, cellWhite);
}

}  // namespace
}  // namespace zelkan
