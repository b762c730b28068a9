// Choosing who plays: two players at one mouse, or the player against the computer moving
// first or second. The board, the history and the tallies stay as they are, unless the board
// shows the last position of a finished game (a record opened at its end): nothing is ever
// played after a game's end, so the mode starts a game of its own on the board set up anew.
#include "flow/game.h"
#include "view/panel_drawing.h"

namespace zelkan {

namespace {
constexpr const char* modeTitle = " ";
}

void Game::TAIMAN() {
  if (gameOver()) setUpAfresh();
  endPendingSelection();
  s_.resumePending = flagNo;
  描画_ロボット(canvas_, 0);
  // TRANSLATORS: the panel's labels of the two sides in a game for two: "first player" (black)
  // and "second player" (white). Each must fit in about 35 pixels at 11 points.
  描画_石手番(canvas_, C_("side", "先手"), C_("side", "後手"));
  refreshTakenCounts();
  if (s_.gameMode == modeNone) {
    s_.humanColour = cellBlack;
    s_.comColour = cellWhite;
    s_.turnColour = cellBlack;
    s_.otherColour = cellWhite;
    // TRANSLATORS: "It is the first player's (black's) turn".
    message(_("先手の番です"), modeTitle);
  } else if (s_.turnColour == cellBlack) {
    message(_("先手の番です"), modeTitle);
  } else if (s_.turnColour == cellWhite) {
    // TRANSLATORS: "It is the second player's (white's) turn".
    message(_("後手の番です"), modeTitle);
  }
  s_.gameMode = modeMan;
}

void Game::SENTE() {
  if (gameOver()) setUpAfresh();
  endPendingSelection();
  描画_ロボット(canvas_, 1);
  s_.resumePending = flagNo;
  s_.gameMode = modeCom;
  s_.humanColour = cellBlack;
  s_.comColour = cellWhite;
  // TRANSLATORS: the panel's labels of the player (a person) and the computer, as the two
  // sides; each must fit in about 35 pixels at 11 points.
  描画_石手番(canvas_, C_("side", "MAN"), C_("side", "COM"));
  refreshTakenCounts();
  if (s_.historyEnd == 0) s_.turnColour = s_.humanColour;
  const Code t = s_.turnColour;
  if (t == modeNone || t == s_.humanColour) {
    s_.turnColour = s_.humanColour;
    s_.otherColour = s_.comColour;
    // TRANSLATORS: "It is your turn".
    message(_("あなたの番です"), modeTitle);
  } else if (t == s_.comColour) {
    s_.turnColour = s_.comColour;
    s_.otherColour = s_.humanColour;
    // TRANSLATORS: "It is the computer's turn".
    message(_("ＣＯＭの番です"), modeTitle);
    com_打つ();
  }
}

void Game::GOTE() {
  if (gameOver()) setUpAfresh();
  endPendingSelection();
  描画_ロボット(canvas_, 1);
  s_.resumePending = flagNo;
  s_.gameMode = modeCom;
  s_.humanColour = cellWhite;
  s_.comColour = cellBlack;
  描画_石手番(canvas_, C_("side", "COM"), C_("side", "MAN"));
  refreshTakenCounts();
  const Code t = s_.turnColour;
  if (t == modeNone || t == s_.comColour) {
    s_.turnColour = s_.comColour;
    s_.otherColour = s_.humanColour;
    com_打つ();
  } else if (t == s_.humanColour) {
    s_.turnColour = s_.humanColour;
    s_.otherColour = s_.comColour;
    // TRANSLATORS: "It is your turn".
    message(_("あなたの番です"), modeTitle);
  }
}

}  // namespace zelkan
