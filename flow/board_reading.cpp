// The game in words, for a player who cannot see the board: each cell as a screen reader speaks
// it, the panel's facts, and each move as it is announced.
#include "core/cell_names.h"
#include "core/movement.h"
#include "flow/game.h"

namespace zelkan {

std::string Game::cellReading(int x, int y) const {
  if (!onBoard(x, y)) return {};
  const std::string name = cellName(x, y);
  const Code cell = s_.board(x, y);
  // TRANSLATORS: a cell as a screen reader speaks it: "K10, black stone", "K10, white stone",
  // "K10, empty"; K10 is the cell's name.
  // xgettext:c-format
  std::string text = fill(cell == cellBlack   ? _("%s、黒石")
                          : cell == cellWhite ? _("%s、白石")
                                              : _("%s、空き"),
                          {name});
  const bool playing = s_.gameMode == modeCom || s_.gameMode == modeMan;
  // TRANSLATORS: added to a cell's reading: ", picked up" (the stone chosen to move).
  if (pickedAt(x, y)) text += _("、選択中");
  if (showDestinations && playing && s_.selState == 1 &&
      移動チェック(s_.board, s_.selX, s_.selY, x, y, s_.turnColour) == flagYes)
    // TRANSLATORS: added to a cell's reading: ", can move here" (the picked stone may go there).
    text += _("、移動先");
  if (hint_ && ((hint_->fromX == x && hint_->fromY == y) || (hint_->toX == x && hint_->toY == y)))
    // TRANSLATORS: added to a cell's reading: ", hint" (one of the hint's two cells).
    text += _("、ヒント");
  const int n = s_.moveNumber;
  if (n > 0 && s_.moveLogX[n - 1] == x && s_.moveLogY[n - 1] == y)
    // TRANSLATORS: added to a cell's reading: ", last move" (the stone moved last).
    text += _("、直前の手");
  return text;
}

std::string Game::turnReading() const {
  if (s_.gameMode == modeCom)
    return s_.turnColour == s_.humanColour ? _("あなたの番です") : _("ＣＯＭの番です");
  return s_.turnColour == cellBlack ? _("先手の番です") : _("後手の番です");
}

std::string Game::panelReading() const {
  if (s_.gameMode != modeCom && s_.gameMode != modeMan) return _("「対局」で始めて下さい");
  // TRANSLATORS: the side panel's facts as a screen reader reads them: "Move 12, 88 to go.
  // Lost: black 3, white 5."
  // xgettext:c-format
  std::string text = fill(_("手数 %d、残り %d 手。取られた石 黒 %d、白 %d。"),
                          {s_.moveNumber, moveLimit - s_.moveNumber, s_.blackLost, s_.whiteLost});
  if (s_.gameMode == modeMan)
    // TRANSLATORS: the side panel's facts: "Two players."
    text += _("二人対局。");
  else
    // TRANSLATORS: the side panel's facts: "You play black.", "You play white."
    text += s_.humanColour == cellBlack ? _("あなたは黒。") : _("あなたは白。");
  return text + turnReading();
}

std::optional<std::pair<int, int>> Game::cursorCell() const {
  if (!cursorShown_) return std::nullopt;
  return std::pair{cursorX_, cursorY_};
}

bool Game::pickedAt(int x, int y) const {
  const bool playing = s_.gameMode == modeCom || s_.gameMode == modeMan;
  return playing && s_.selState == 1 && s_.selX == x && s_.selY == y;
}

void Game::cellPressed(int x, int y) {
  mousePressed(boardLeft + cellWidth * (x + 0.5), boardTop + cellHeight * (y + 0.5));
}

void Game::announceMove(const MoveRecord& r, bool turnToo) {
  // TRANSLATORS: a move as a screen reader announces it: "Black K3 to K9", "White K3 to K9".
  // xgettext:c-format
  std::string text = fill(r.colour == cellBlack ? _("黒 %s→%s") : _("白 %s→%s"),
                          {cellName(r.fromX, r.fromY), cellName(r.toX, r.toY)});
  if (r.captures.removalCount > 0)
    // TRANSLATORS: added to an announced move: ", takes 2" (stones taken).
    // xgettext:c-format
    text += fill(P_("、%d 個取る", r.captures.removalCount), {r.captures.removalCount});
  // TRANSLATORS: ends an announced move, before whose turn it is: ". "
  if (turnToo) text += _("。") + turnReading();
  window_.announce(text);
}

}  // namespace zelkan
