// The game as the window's handlers play it: board clicks and keys, the computer's turn, the
// mode and history commands, the end of a game and the judgement. Each handler runs to its end,
// animations and the computer's reply included, drawing on the canvas as it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "com/levels.h"

#include "core/game_state.h"
#include "core/move_completion.h"
#include "flow/game_window.h"
#include "view/canvas.h"
#include "view/wait.h"

namespace zelkan {

class Game {
 public:
  Game(GameState& state, Canvas& canvas, GameWindow& window, WaitTools waits);

  SoundHandles sounds;  // filled in at start-up

  // The computer's strength, and the seed of the weak level's random choice.
  Level level = Level::normal;
  std::uint64_t seed = 0;
  // The strong level thinks until it has made this many moves, as the engine does, so it plays
  // the same move however busy the machine is. The safety stop ends a think that runs far past
  // anything a budget ever takes (a machine stalled, a budget set absurdly high).
  std::uint64_t strongBudget = defaultNodeBudget;
  double strongSafetyStop = 20;  // seconds

  // Window events. Mouse positions are in twips from the client area's top-left corner.
  void mousePressed(double x, double y);
  void keyPressed(int keyCode);

  // Menu commands.
  void TAIMAN();
  void SENTE();
  void GOTE();
  void MODORU();
  void SUSUMU();
  void SAISYO();
  void HANTEI();

  // The computer's whole turn: thinking, search, the move with its animation, the record, the
  // panel and the end test. Expects turnColour = comColour.
  void com_打つ();

  // The end of a game: the reason, the judgement, and the question whether to go on.
  void 終了(Code white, Code black);

  // The counting animation of the judgement, and its result.
  void 描画_判定(int blackStones, int whiteStones, int blackTerritory, int whiteTerritory,
                 int blackLost, int whiteLost);
  void 描画_判定メッセージ(int blackScore, int whiteScore);

 private:
  void completeHumanMove();
  void replayMove(const MoveRecord& record);
  void replayCaptures(const CaptureLog& captures);
  void redrawMoveStone(int n);
  void endPendingSelection();
  std::optional<ComMove> think();
  void refreshTakenCounts();
  void drawInfluenceIfTicked();
  void restorePosition(int p, bool marking);
  void judge(Code white, Code black, bool showMapFirst);
  void wait(double seconds);
  void message(const std::string& text, const std::string& title);

  GameState& s_;
  Canvas& canvas_;
  GameWindow& window_;
  WaitTools waits_;
  std::unique_ptr<TranspositionTable> table_;  // the strong level's, kept for the whole game
};

}  // namespace zelkan
