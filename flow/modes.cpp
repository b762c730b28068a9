// Choosing who plays: two players at one mouse, or the player against the computer moving
// first or second. The board, the history and the tallies stay as they are.
#include "flow/game.h"
#include "view/panel_drawing.h"

namespace zelkan {

namespace {
constexpr const char* modeTitle = " ";
}

void Game::TAIMAN() {
  endPendingSelection();
  s_.resumePending = flagNo;
  描画_ロボット(canvas_, 0);
  描画_石手番(canvas_, "先手", "後手");
  refreshTakenCounts();
  if (s_.gameMode == modeNone) {
    s_.humanColour = cellBlack;
    s_.comColour = cellWhite;
    s_.turnColour = cellBlack;
    s_.otherColour = cellWhite;
    message("先手の番です", modeTitle);
  } else if (s_.turnColour == cellBlack) {
    message("先手の番です", modeTitle);
  } else if (s_.turnColour == cellWhite) {
    message("後手の番です", modeTitle);
  }
  s_.gameMode = modeMan;
}

void Game::SENTE() {
  endPendingSelection();
  描画_ロボット(canvas_, 1);
  s_.resumePending = flagNo;
  s_.gameMode = modeCom;
  s_.humanColour = cellBlack;
  s_.comColour = cellWhite;
  描画_石手番(canvas_, "MAN", "COM");
  refreshTakenCounts();
  if (s_.historyEnd == 0) s_.turnColour = s_.humanColour;
  const Code t = s_.turnColour;
  if (t == modeNone || t == s_.humanColour) {
    s_.turnColour = s_.humanColour;
    s_.otherColour = s_.comColour;
    message("あなたの番です", modeTitle);
  } else if (t == s_.comColour) {
    s_.turnColour = s_.comColour;
    s_.otherColour = s_.humanColour;
    message("ＣＯＭの番です", modeTitle);
    com_打つ();
  }
}

void Game::GOTE() {
  endPendingSelection();
  描画_ロボット(canvas_, 1);
  s_.resumePending = flagNo;
  s_.gameMode = modeCom;
  s_.humanColour = cellWhite;
  s_.comColour = cellBlack;
  描画_石手番(canvas_, "COM", "MAN");
  refreshTakenCounts();
  const Code t = s_.turnColour;
  if (t == modeNone || t == s_.comColour) {
    s_.turnColour = s_.comColour;
    s_.otherColour = s_.humanColour;
    com_打つ();
  } else if (t == s_.humanColour) {
    s_.turnColour = s_.humanColour;
    s_.otherColour = s_.comColour;
    message("あなたの番です", modeTitle);
  }
}

}  // namespace zelkan
