// The helps laid over the board for a player who is learning: where a picked-up stone may go, a
// hint, the moves of a reviewed position, and a cursor to play by keyboard. They lie on the image
// only between commands, so every step of the game draws on the board exactly as it would
// without them. The cells' names lie in the margins, where no step of the game draws.
#include <algorithm>
#include <utility>

#include "core/cell_names.h"
#include "core/movement.h"
#include "flow/game.h"
#include "view/board_drawing.h"
#include "view/panel_drawing.h"

namespace zelkan {

void Game::command(const std::function<void()>& handler) {
  liftHelps();
  // A key that only speaks leaves the hint and a review's moves marked.
  std::optional<ComMove> hint = std::exchange(hint_, std::nullopt);
  std::optional<ComMove> played = std::exchange(played_, std::nullopt);
  spokenOnly_ = false;
  handler();
  if (spokenOnly_) {
    hint_ = hint;
    played_ = played;
  }
  layHelps();
}

void Game::liftHelps() {
  for (auto patch = helps_.rbegin(); patch != helps_.rend(); ++patch)
    canvas_.restore(*patch);
  helps_.clear();
}

void Game::lay(int x, int y, void (*draw)(Canvas&, int, int)) {
  const CellBox b = cellBox(x, y);
  helps_.push_back(canvas_.save(b.x, b.y, b.width, b.height));
  draw(canvas_, x, y);
}

// A move from cell to cell along a row or a column; anything else is no move to mark.
void Game::layMove(const ComMove& m, void (*draw)(Canvas&, int, int, int, int)) {
  const auto onBoard = [](int c) { return c >= 1 && c <= boardSize; };
  if (!onBoard(m.fromX) || !onBoard(m.fromY) || !onBoard(m.toX) || !onBoard(m.toY) ||
      (m.fromX != m.toX) == (m.fromY != m.toY))
    return;
  const CellBox b = moveStrip(m.fromX, m.fromY, m.toX, m.toY);
  helps_.push_back(canvas_.save(b.x, b.y, b.width, b.height));
  draw(canvas_, m.fromX, m.fromY, m.toX, m.toY);
}

void Game::layHelps() {
  const bool playing = s_.gameMode == modeCom || s_.gameMode == modeMan;
  if (showDestinations && playing && s_.selState == 1) {
    for (int y = 1; y <= boardSize; ++y) {
      for (int x = 1; x <= boardSize; ++x) {
        if (移動チェック(s_.board, s_.selX, s_.selY, x, y, s_.turnColour) == flagYes)
          lay(x, y, drawDestinationMark);
      }
    }
  }
  if (played_) layMove(*played_, drawPlayedMove);
  if (hint_) layMove(*hint_, drawBetterMove);
  if (cursorShown_) lay(cursorX_, cursorY_, drawCursorFrame);
  if (!helps_.empty()) canvas_.refresh();
}

void Game::showCoordinates(bool on) {
  if (on == coordinatesShown_) return;
  coordinatesShown_ = on;
  if (on) {
    drawCoordinates(canvas_);
  } else {
    wipeCoordinates(canvas_);
  }
}

void Game::keyPressed(int keyCode) {
  switch (keyCode) {
    case keyEscape:
      window_.endAtOnce();
      return;
    case keyLeft:
    case keyRight:
    case keyUp:
    case keyDown:
      // The first arrow only shows the cursor where it stands.
      if (cursorShown_) {
        cursorX_ += keyCode == keyLeft ? -1 : keyCode == keyRight ? 1 : 0;
        cursorY_ += keyCode == keyUp ? -1 : keyCode == keyDown ? 1 : 0;
        cursorX_ = std::clamp(cursorX_, 1, static_cast<int>(boardSize));
        cursorY_ = std::clamp(cursorY_, 1, static_cast<int>(boardSize));
      }
      cursorShown_ = true;
      return;
    case keyReturn:
    case keySpace:
      if (!cursorShown_) return;
      cellPressed(cursorX_, cursorY_);
      return;
    case keyHint:
      HINTO();
      return;
    case keyTypeMove: {
      if (const std::optional<std::string> refusal = typingRefusal()) {
        window_.playSound(sounds.sndForbidden);
        say(*refusal);
        spokenOnly_ = true;
        return;
      }
      // TRANSLATORS: the one-line entry asking for a move to type: its text ("Type the cell of
      // the stone to move and the cell it goes to, e.g. D2 D5.") and its title ("Type a Move").
      const char* prompt = _("動かす石のます目と行き先のます目を入力して下さい（例：D2 D5）");
      // The entry comes back after each move for the next, until the player closes it or the
      // game leaves them no move; it opens again with what the move brought (the computer's
      // reply, or why a move was refused) before its question, so that is heard with it.
      std::string asked = prompt;
      while (const std::optional<std::string> line = window_.askLine(asked, _("手の入力"))) {
        playTyped(*line);
        if (typingRefusal()) break;
        asked = said_ + "\n" + prompt;
      }
      return;
    }
    default:
      break;
  }
  std::string said;
  switch (keyCode) {
    case keyLastMove:
      // TRANSLATORS: told to a screen reader asking for the last move before any is made: "No
      // move has been made yet."
      said = s_.moveNumber > 0 ? moveReading(s_.moveNumber) : _("まだ一手も指していません");
      break;
    case keyPosition:
      said = panelReading();
      break;
    case keyBlackStones:
    case keyWhiteStones:
      said = stonesReading(keyCode == keyBlackStones ? cellBlack : cellWhite);
      break;
    case keyDestinations:
      said = destinationsReading();
      break;
    default:
      return;
  }
  spokenOnly_ = true;
  say(said);
}

void Game::HINTO() {
  const bool playersTurn =
      s_.gameMode == modeMan || (s_.gameMode == modeCom && s_.turnColour == s_.humanColour);
  if (!playersTurn || s_.resumePending == flagYes) {
    window_.playSound(sounds.sndForbidden);
    return;
  }
  描画_文字列(canvas_, 21.5, 11.1, _("思考中"), 15, 12);
  canvas_.refresh();
  hint_ = strongOrNormalMove();
  描画_四角形(canvas_, 21.5, 11.1, 1000, 300, backColour);
  if (!hint_) {
    window_.playSound(sounds.sndForbidden);
    // TRANSLATORS: told to a screen reader when a hint is asked and no stone of the side to
    // move can move: "No stone can move."
    say(_("動かせる石がありません"));
    return;
  }
  // TRANSLATORS: the hint told to a screen reader: "Hint: K3 to K9".
  // xgettext:c-format
  say(fill(_("ヒント：%s→%s"),
           {cellName(hint_->fromX, hint_->fromY), cellName(hint_->toX, hint_->toY)}));
}

}  // namespace zelkan
