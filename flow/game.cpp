#include "flow/game.h"

#include <utility>

#include "core/counts.h"
#include "view/board_drawing.h"
#include "view/influence_map.h"
#include "view/panel_drawing.h"

namespace zelkan {

Game::Game(GameState& state, Canvas& canvas, GameWindow& window, WaitTools waits)
    : s_(state), canvas_(canvas), window_(window), waits_(std::move(waits)) {}

void Game::wait(double seconds) {
  待ち時間(waits_, seconds);
}

void Game::message(const std::string& text, const std::string& title) {
  window_.show(text, title, MessageBox::Buttons::ok, MessageBox::Icon::none);
}

void Game::refreshTakenCounts() {
  Code white = 0;
  Code black = 0;
  調査_石数(s_.board, white, black);
  描画_石取得数(canvas_, stonesPerSide - white, stonesPerSide - black);
}

void Game::drawInfluenceIfTicked() {
  if (window_.isTicked(MenuOption::SEIRYOKU)) 描画_勢力図(canvas_, s_.board);
}

// A stone picked up but not moved is put down again, drawn plainly.
void Game::endPendingSelection() {
  if (s_.selX > 0 && s_.selState == 1) {
    描画_石(canvas_, s_.selX, s_.selY, s_.selColour);
    s_.selState = 0;
  }
}

// Redraws the stone of the last of the first n moves plainly, which removes its latest-move
// mark; nothing when n is 0.
void Game::redrawMoveStone(int n) {
  if (n > 0) 描画_石(canvas_, s_.moveLogX[n - 1], s_.moveLogY[n - 1], s_.moveLogColour[n - 1]);
}

}  // namespace zelkan
