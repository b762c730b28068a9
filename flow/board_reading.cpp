// The game in words, for a player who cannot see the board: each cell as a screen reader speaks
// it, the panel's facts, and each move as it is announced.
#include <vector>

#include "core/cell_names.h"
#include "core/judgement.h"
#include "core/movement.h"
#include "flow/game.h"

namespace zelkan {

namespace {

// "D3、D4、D5": the cells' names in a list read to a screen reader.
std::string cellList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names)
    list += (list.empty() ? "" : _("、")) + name;
  return list;
}

}  // namespace

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
  if (gameOver()) {
    const Scores sc = judgePosition(s_);
    const bool human = (sc.black > sc.white) == (s_.humanColour == cellBlack);
    // TRANSLATORS: the result of a finished game as a screen reader reads it, after "The game
    // is over. ": "Black 201, white 150: black wins." (the scores of the judgement); in a game
    // against the computer "you win." or "the computer wins.".
    // xgettext:c-format
    const char* result = sc.black == sc.white ? _("黒 %d 点、白 %d 点で、引き分けです")
                         : s_.gameMode == modeMan ? sc.black > sc.white
                                                        ? _("黒 %d 点、白 %d 点で、黒の勝ちです")
                                                        : _("黒 %d 点、白 %d 点で、白の勝ちです")
                         : human ? _("黒 %d 点、白 %d 点で、あなたの勝ちです")
                                 : _("黒 %d 点、白 %d 点で、コンピュータの勝ちです");
    // TRANSLATORS: the side panel's facts once the last move of a game is made: "The game is
    // over. ", then its result.
    return _("対局は終わりました。") + fill(result, {sc.black, sc.white});
  }
  if (s_.gameMode == modeCom)
    return s_.turnColour == s_.humanColour ? _("あなたの番です") : _("ＣＯＭの番です");
  return s_.turnColour == cellBlack ? _("先手の番です") : _("後手の番です");
}

std::string Game::panelReading() const {
  // TRANSLATORS: the side panel's facts as a screen reader reads them: "Move 12, 88 to go.
  // Lost: black 3, white 5."
  // xgettext:c-format
  std::string text = fill(_("手数 %d、残り %d 手。取られた石 黒 %d、白 %d。"),
                          {s_.moveNumber, moveLimit - s_.moveNumber, s_.blackLost, s_.whiteLost});
  if (s_.gameMode != modeCom && s_.gameMode != modeMan) return text + _("「対局」で始めて下さい");
  if (s_.gameMode == modeMan)
    // TRANSLATORS: the side panel's facts: "Two players."
    text += _("二人対局。");
  else
    // TRANSLATORS: the side panel's facts: "You play black.", "You play white."
    text += s_.humanColour == cellBlack ? _("あなたは黒。") : _("あなたは白。");
  return text + turnReading();
}

std::string Game::positionReading() const {
  if (s_.moveNumber <= 0) return panelReading();
  // TRANSLATORS: where a step through the game's moves has come, told to a screen reader: the
  // side panel's facts, then "Last move: " and the move, e.g. "... White to move. Last move:
  // Black K3 to K9."
  // xgettext:c-format
  return fill(_("%s。直前の手：%s"), {panelReading(), moveReading(s_.moveNumber)});
}

std::string Game::moveReading(int n) const {
  const Board& before = s_.snapshots[n - 1];
  const Board& after = s_.snapshots[n];
  const Code mover = s_.moveLogColour[n - 1];
  // The one cell of the mover's colour the move emptied is where the stone came from; every
  // other cell it emptied held a stone it took.
  std::string from;
  std::vector<std::string> taken;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      if (after(x, y) != cellEmpty || before(x, y) == cellEmpty) continue;
      if (before(x, y) == mover) {
        from = cellName(x, y);
      } else {
        taken.push_back(cellName(x, y));
      }
    }
  }
  // TRANSLATORS: a move as a screen reader announces it: "Black K3 to K9", "White K3 to K9".
  // xgettext:c-format
  std::string text = fill(mover == cellBlack ? _("黒 %s→%s") : _("白 %s→%s"),
                          {from, cellName(s_.moveLogX[n - 1], s_.moveLogY[n - 1])});
  if (!taken.empty())
    // TRANSLATORS: added to an announced move: ", taking E5, F5" (the cells of the stones it
    // took).
    // xgettext:c-format
    text += fill(_("、%s を取る"), {cellList(taken)});
  return text;
}

std::string Game::stonesReading(Code colour) const {
  std::vector<std::string> cells;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      if (s_.board(x, y) == colour) cells.push_back(cellName(x, y));
    }
  }
  const int n = static_cast<int>(cells.size());
  // TRANSLATORS: one side's stones read to a screen reader, from the top row down: "No black
  // stones.", "No white stones."
  if (n == 0) return colour == cellBlack ? _("黒の石はありません") : _("白の石はありません");
  // TRANSLATORS: one side's stones read to a screen reader, from the top row down: "38 black
  // stones: A2, B2, ...".
  // xgettext:c-format
  return fill(colour == cellBlack ? P_("黒の石 %d 個：%s", n) : P_("白の石 %d 個：%s", n),
              {n, cellList(cells)});
}

std::string Game::destinationsReading() const {
  const bool playing = s_.gameMode == modeCom || s_.gameMode == modeMan;
  // TRANSLATORS: told to a screen reader asking where the picked-up stone may go, when no stone
  // is picked up: "No stone is picked up."
  if (!playing || s_.selState != 1) return _("石を選んでいません");
  std::vector<std::string> cells;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      if (移動チェック(s_.board, s_.selX, s_.selY, x, y, s_.turnColour) == flagYes)
        cells.push_back(cellName(x, y));
    }
  }
  const int n = static_cast<int>(cells.size());
  const std::string stone = cellName(s_.selX, s_.selY);
  // TRANSLATORS: where the picked-up stone may go, told to a screen reader: "The stone on D2
  // cannot move."
  // xgettext:c-format
  if (n == 0) return fill(_("%s の石は動けません"), {stone});
  // TRANSLATORS: where the picked-up stone may go, told to a screen reader: "The stone on D2 can
  // go to 3 cells: D3, D4, D5."
  // xgettext:c-format
  return fill(P_("%s の石の行き先 %d か所：%s", n), {stone, n, cellList(cells)});
}

bool Game::gameOver() const {
  Code white = 0;
  Code black = 0;
  調査_石数(s_.board, white, black);
  return endTest(s_.moveNumber, white, black) != GameEnd::none;
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

}  // namespace zelkan
