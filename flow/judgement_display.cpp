// The judgement: the counting animation, the scores and who won.
#include <string>

#include "core/counts.h"
#include "core/judgement.h"
#include "flow/game.h"
#include "view/board_drawing.h"
#include "view/coordinates.h"
#include "view/influence_map.h"
#include "view/panel_drawing.h"

namespace zelkan {

void Game::HANTEI() {
  Code white = 0;
  Code black = 0;
  調査_石数(s_.board, white, black);
  // In a game that goes on, the judgement is only how the position stands.
  judge(white, black, false, s_.gameMode != modeNone && !gameOver());
  描画_石取得数(canvas_, stonesPerSide - white, stonesPerSide - black);
}

// The judgement of a position with these stone counts: the influence map counts the territory,
// the animation counts everything, the message names the winner, and the board is left showing
// the influence map. At the end of a game the map is shown before the animation starts.
void Game::judge(Code white, Code black, bool showMapFirst, bool interim) {
  const InfluenceAreas areas = 描画_勢力図(canvas_, s_.board);
  if (showMapFirst) canvas_.refresh();
  描画_四角形(canvas_, 20.5, 8, 2500, 1500, backColour);
  描画_判定(black, white, areas.blackArea, areas.whiteArea, s_.blackLost, s_.whiteLost);
  const Scores sc =
      judgementScores(black, white, areas.blackArea, areas.whiteArea, s_.blackLost, s_.whiteLost);
  描画_判定メッセージ(sc.black, sc.white, interim);
  描画_盤(canvas_, s_.board);
  描画_勢力図(canvas_, s_.board);
}

namespace {

// What one side lays down at step n: its stones, then its taken-stone markers, then its
// territory; nothing once all are laid.
enum class Piece { none, stone, taken, territory };

Piece pieceAt(int n, int stones, int opponentLost, int territory) {
  if (n <= stones) return Piece::stone;
  if (n <= stones + opponentLost) return Piece::taken;
  if (n <= stones + opponentLost + territory) return Piece::territory;
  return Piece::none;
}

}  // namespace

void Game::描画_判定(int blackStones, int whiteStones, int blackTerritory, int whiteTerritory,
                     int blackLost, int whiteLost) {
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y)
      描画_桝(canvas_, x, y);
  }
  int blackTotal = 0;
  int whiteTotal = 0;
  int n = 0;
  // Draws one side's piece at (col, row) and adds its points; labels are in the opposite
  // colour of the piece.
  const auto lay = [&](Piece piece, int col, int row, Code colour, int& total) {
    const Code label = colour == cellBlack ? cellWhite : cellBlack;
    switch (piece) {
      case Piece::stone:
        描画_石(canvas_, col, row, colour);
        描画_文字列(canvas_, col + 0.1, row + 0.1, "3", label, 12);
        total += 3;
        break;
      case Piece::taken:
        canvas_.copyPicture(colour == cellBlack ? Picture::KUROTORI : Picture::SIROTORI,
                            twipsX(col), twipsY(row));
        total += 2;
        break;
      case Piece::territory:
        canvas_.copyPicture(colour == cellBlack ? Picture::KARAKURO : Picture::KARASIRO,
                            twipsX(col), twipsY(row));
        描画_文字列(canvas_, col + 0.1, row + 0.1, "1", label, 12);
        total += 1;
        break;
      case Piece::none:
        break;
    }
  };
  for (int i = 1; i <= boardSize; ++i) {
    for (int j = 1; j <= boardSize; ++j) {
      ++n;
      const Piece blackPiece = pieceAt(n, blackStones, whiteLost, blackTerritory);
      const Piece whitePiece = pieceAt(n, whiteStones, blackLost, whiteTerritory);
      lay(blackPiece, i, 20 - j, cellBlack, blackTotal);
      lay(whitePiece, 20 - i, j, cellWhite, whiteTotal);
      if (blackPiece != Piece::none || whitePiece != Piece::none) {
        描画_石取得数(canvas_, blackTotal, whiteTotal);
        window_.playSound(sounds.sndStone);
        canvas_.refresh();
        wait(0.1);
      }
    }
  }
}

void Game::描画_判定メッセージ(int blackScore, int whiteScore, bool interim) {
  // TRANSLATORS: the judgement's title when nobody wins: "A draw!!".
  const char* title = _("引き分け！！");
  if (interim) {
    // TRANSLATORS: the title of "Judge Now" in a game that goes on: "Judged now: even", "Judged
    // now: black leads", "Judged now: white leads". Nobody has won yet.
    title = blackScore == whiteScore  ? _("途中判定：互角")
            : blackScore > whiteScore ? _("途中判定：黒がリード")
                                      : _("途中判定：白がリード");
  }
  const auto setWinner = [&](Code winningColour) {
    const bool black = winningColour == cellBlack;
    if (s_.gameMode == modeMan) {
      // TRANSLATORS: the judgement's titles: "The first player (black) wins!!" and "The second
      // player (white) wins!!".
      title = black ? _("先手の勝ち！！") : _("後手の勝ち！！");
    } else if (s_.humanColour == cellBlack) {
      // TRANSLATORS: the judgement's titles: "The player wins!!" (MAN: the person at the
      // mouse) and "The computer wins!!".
      title = black ? _("MANの勝ち！！") : _("COMの勝ち！！");
      描画_ロボット(canvas_, black ? 4 : 3);
    } else if (s_.comColour == cellBlack) {
      title = black ? _("COMの勝ち！！") : _("MANの勝ち！！");
      描画_ロボット(canvas_, black ? 3 : 4);
    } else {
      // TRANSLATORS: the judgement's title with no winner named, "... wins!!", for a position
      // judged before any game was started; the context tells who is ahead.
      title = black ? C_("black ahead", "の勝ち！！") : C_("white ahead", "の勝ち！！");
    }
  };
  if (!interim && blackScore > whiteScore) setWinner(cellBlack);
  if (!interim && blackScore < whiteScore) setWinner(cellWhite);
  // TRANSLATORS: the judgement's scores: "Black: [%d]  White: [%d]".
  // xgettext:c-format
  const std::string scores = fill(_("黒：[%d]  白：[%d]"), {blackScore, whiteScore});
  say(title + (" " + scores));
  window_.show(scores, title, MessageBox::Buttons::ok, MessageBox::Icon::none,
               MessageBox::Heading::title);
}

}  // namespace zelkan
