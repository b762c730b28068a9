// The board click: the resume after history steps, picking a stone, choosing its destination,
// and the move with everything that follows it.
#include <cmath>
#include <utility>

#include "core/cell_names.h"
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
  if (gameOver()) {
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
    announcePick();
    return;
  }

  s_.destX = static_cast<Code>(cx);
  s_.destY = static_cast<Code>(cy);
  if (移動チェック(s_.board, s_.selX, s_.selY, s_.destX, s_.destY, s_.turnColour) == flagNo) {
    if (s_.board(cx, cy) != s_.turnColour) {
      say(fill(_("%s の石は %s へ動けません"), {cellName(s_.selX, s_.selY), cellName(cx, cy)}));
      return;
    }
    // Another own stone, or the selected one again: the selection moves to it.
    描画_石(canvas_, s_.selX, s_.selY, s_.selColour);
    s_.selX = s_.destX;
    s_.selY = s_.destY;
    s_.selColour = s_.board(s_.selX, s_.selY);
    描画_石決(canvas_, s_.selX, s_.selY, s_.selColour);
    announcePick();
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
  // The move is made: while it is shown, the other side is to move, unless it ended the game.
  if (r.end == GameEnd::none) std::swap(s_.turnColour, s_.otherColour);
  redrawMoveStone(movesBefore);
  replayMove(r);
  描画_手数(canvas_, s_.moveNumber);
  描画_石取得数(canvas_, stonesPerSide - r.white, stonesPerSide - r.black);
  drawInfluenceIfTicked();
  window_.keepGame(GameEnd::none);

  if (r.end != GameEnd::none) {
    say(moveReading(s_.moveNumber));
    終了(r.white, r.black);
    return;
  }
  // Against the computer the move is told with its thinking, in one sentence a screen reader
  // speaks whole.
  if (s_.gameMode == modeCom) {
    comTurn(moveReading(s_.moveNumber));
    return;
  }
  // TRANSLATORS: ends an announced move, before whose turn it is: ". "
  say(moveReading(s_.moveNumber) + _("。") + turnReading());
}

std::optional<std::string> Game::typingRefusal() const {
  if (s_.gameMode != modeCom && s_.gameMode != modeMan) return _("「対局」で始めて下さい");
  if (gameOver()) return _("この対局は終わっています");
  if (s_.gameMode == modeCom && s_.turnColour != s_.humanColour)
    // TRANSLATORS: told to a screen reader when a move is typed on the computer's turn (after
    // a step back): "It is the computer's move: press on the board and it plays."
    return _("ＣＯＭの番です。盤を押すとコンピュータが指します");
  return std::nullopt;
}

void Game::playTyped(const std::string& text) {
  const std::optional<RecordMove> m = parseMoveName(text);
  if (!m) {
    const char* howTo =
        // TRANSLATORS: told to a screen reader when a typed move cannot be read: "The move is
        // not understood. Type the stone's cell and the cell it goes to, like D2 D5."
        _("手が読み取れません。「D2 D5」のように、石のます目と行き先のます目を書いて下さい");
    say(howTo);
    return;
  }
  if (const std::optional<std::string> refusal = typingRefusal()) {
    say(*refusal);
    return;
  }
  const std::string from = cellName(m->x1, m->y1);
  if (s_.board(m->x1, m->y1) != s_.turnColour) {
    const char* none =
        // TRANSLATORS: told to a screen reader when a typed move starts on a cell without a
        // stone of the side to move: "There is no black stone on D2.", "There is no white stone
        // on D2."
        // xgettext:c-format
        s_.turnColour == cellBlack ? _("%s に黒石がありません") : _("%s に白石がありません");
    say(fill(none, {from}));
    return;
  }
  if (移動チェック(s_.board, m->x1, m->y1, m->x2, m->y2, s_.turnColour) == flagNo) {
    // TRANSLATORS: told to a screen reader when a typed move is not allowed: "The stone on D2
    // cannot move to D9."
    // xgettext:c-format
    say(fill(_("%s の石は %s へ動けません"), {from, cellName(m->x2, m->y2)}));
    return;
  }
  // Typed, a move is no click that only resumes play: it is played.
  s_.resumePending = flagNo;
  endPendingSelection();
  typing_ = true;
  cellPressed(m->x1, m->y1);
  typing_ = false;
  cellPressed(m->x2, m->y2);
}

void Game::say(const std::string& text) {
  said_ = text;
  window_.announce(text);
}

void Game::announcePick() {
  // A typed move says only the move.
  if (typing_) return;
  // TRANSLATORS: told to a screen reader as a stone is picked up: "Picked up D2."
  // xgettext:c-format
  say(fill(_("%s の石を選びました"), {cellName(s_.selX, s_.selY)}));
}

}  // namespace zelkan
