// The board click: the resume after history steps, picking a stone, choosing its destination,
// and the move with everything that follows it.
#include <cmath>

#include "core/movement.h"
#include "flow/game.h"
#include "view/board_drawing.h"
#include "view/influence_map.h"
#include "view/panel_drawing.h"

namespace zelkan {

void Game::mousePressed(double x, double y) {
  if (s_.gameMode == modeNone) {
    window_.playSound(sounds.sndForbidden);
    // TRANSLATORS: "Start a game from the 対局 (Game) menu"; name the menu as you translated
    // 対局.
    message(_("「対局」で始めて下さい"),
            // TRANSLATORS: "Start", the title of the box above.
            _("開始"));
    return;
  }

  // The last position of a finished game (one opened from its record): nothing follows it.
  Code white = 0;
  Code black = 0;
  調査_石数(s_.board, white, black);
  if (endTest(s_.moveNumber, white, black) != GameEnd::none) {
    window_.playSound(sounds.sndForbidden);
    // TRANSLATORS: "This game is over" (step back with 戻 to play on from an earlier move).
    message(_("この対局は終わっています"), _("対局"));
    return;
  }

  if (s_.resumePending == flagYes) {
    s_.resumePending = flagNo;
    if (s_.gameMode == modeCom && s_.turnColour == s_.comColour) {
      com_打つ();
      // A move that ended the game and was answered with Yes left a fresh position: keep it.
      if (s_.gameMode != modeNone) s_.turnColour = s_.humanColour;
    } else if (s_.gameMode == modeMan) {
      // Named by the side to move: the players' colours may still be a computer game's.
      // TRANSLATORS: "Resume", the title of the box that says whose turn it is.
      const char* title = _("再開");
      if (s_.turnColour == cellBlack) message(_("先手の番です"), title);
      if (s_.turnColour == cellWhite) message(_("後手の番です"), title);
    }
    return;
  }

  const double cellX = std::floor((x - boardLeft) / cellWidth);
  const double cellY = std::floor((y - boardTop) / cellHeight);
  if (cellX < 1 || cellX > boardSize || cellY < 1 || cellY > boardSize) {
    window_.playSound(sounds.sndForbidden);
    return;
  }
  const int cx = static_cast<int>(cellX);
  const int cy = static_cast<int>(cellY);
  if (s_.gameMode != modeCom && s_.gameMode != modeMan) return;

  if (s_.selState == 0) {
    if (s_.board(cx, cy) == cellEmpty || s_.board(cx, cy) != s_.turnColour) return;
    s_.selX = static_cast<Code>(cx);
    s_.selY = static_cast<Code>(cy);
    s_.selColour = s_.board(cx, cy);
    s_.selState = 1;
    描画_石決(canvas_, s_.selX, s_.selY, s_.selColour);
    return;
  }

  s_.destX = static_cast<Code>(cx);
  s_.destY = static_cast<Code>(cy);
  if (移動チェック(s_.board, s_.selX, s_.selY, s_.destX, s_.destY, s_.turnColour) == flagNo) {
    if (s_.board(cx, cy) != s_.turnColour) return;
    // Another own stone, or the selected one again: the selection moves to it.
    描画_石(canvas_, s_.selX, s_.selY, s_.selColour);
    s_.selX = s_.destX;
    s_.selY = s_.destY;
    s_.selColour = s_.board(s_.selX, s_.selY);
    描画_石決(canvas_, s_.selX, s_.selY, s_.selColour);
    return;
  }
  completeHumanMove();
}

void Game::completeHumanMove() {
  const Code movesBefore = s_.moveNumber;
  const MoveRecord r = completeMove(s_, s_.selX, s_.selY, s_.destX, s_.destY);
  if (!r.done) {
    // The picked-up stone is no longer there: the selection ends and nothing moves.
    s_.selState = 0;
    return;
  }
  redrawMoveStone(movesBefore);
  replayMove(r);
  描画_手数(canvas_, s_.moveNumber);
  描画_石取得数(canvas_, stonesPerSide - r.white, stonesPerSide - r.black);
  drawInfluenceIfTicked();
  window_.keepGame(GameEnd::none);

  if (r.end != GameEnd::none) {
    announceMove(r, false);
    終了(r.white, r.black);
    return;
  }
  std::swap(s_.turnColour, s_.otherColour);
  // The computer's turn tells itself.
  announceMove(r, s_.gameMode != modeCom);
  if (s_.gameMode == modeCom) com_打つ();
}

}  // namespace zelkan
