// Stepping back and forward through the moves of the game, and starting over.
#include "core/setup.h"
#include "flow/game.h"
#include "view/board_drawing.h"
#include "view/panel_drawing.h"

namespace zelkan {

// Brings the board and the loss tallies to history entry p, redrawing only the cells that
// change; stepping forward, every cell that becomes a stone gets the latest-move mark. The
// tallies come back with the board: a stone taken back is no longer counted as lost, so the
// panel's facts and the judgement score the position as its moves made it.
void Game::restorePosition(int p, bool marking) {
  restoreTallies(s_, p);
  const Board& snapshot = s_.snapshots[p];
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      const Code c = snapshot(x, y);
      if (s_.board(x, y) == c) continue;
      if (c == cellEmpty) {
        描画_桝(canvas_, x, y);
      } else {
        描画_石(canvas_, x, y, c);
        if (marking) 描画_打石印(canvas_, x, y, markColour);
      }
      s_.board(x, y) = c;
    }
  }
}

void Game::MODORU() {
  s_.resumePending = flagYes;
  if (s_.moveNumber == 0) {
    window_.playSound(sounds.sndForbidden);
    // TRANSLATORS: "Cannot go back".
    message(_("戻れません"),
            // TRANSLATORS: "Back", the title of the box that says one cannot go back.
            _("戻る"));
    return;
  }
  endPendingSelection();
  --s_.moveNumber;
  描画_手数(canvas_, s_.moveNumber);
  s_.turnColour = s_.moveLogColour[s_.moveNumber];
  s_.otherColour = opposite(s_.turnColour);
  restorePosition(s_.moveNumber, false);
  if (s_.moveNumber > 0) {
    const int k = s_.moveNumber - 1;
    描画_石(canvas_, s_.moveLogX[k], s_.moveLogY[k], s_.moveLogColour[k]);
    描画_打石印(canvas_, s_.moveLogX[k], s_.moveLogY[k], markColour);
  }
  window_.playSound(sounds.sndStone);
  refreshTakenCounts();
  drawInfluenceIfTicked();
  say(positionReading());
}

void Game::SUSUMU() {
  s_.resumePending = flagYes;
  if (s_.moveNumber >= s_.historyEnd) {
    window_.playSound(sounds.sndForbidden);
    // TRANSLATORS: "Cannot go forward".
    message(_("進めません"),
            // TRANSLATORS: "Forward", the title of the box that says one cannot go forward.
            _("進む"));
    return;
  }
  endPendingSelection();
  // The side to move after the replayed move is the other side of its mover. Without passes
  // that is a plain swap; after a pass of the computer only the log knows.
  s_.otherColour = s_.moveLogColour[s_.moveNumber];
  s_.turnColour = opposite(s_.otherColour);
  redrawMoveStone(s_.moveNumber);
  ++s_.moveNumber;
  描画_手数(canvas_, s_.moveNumber);
  restorePosition(s_.moveNumber, true);
  window_.playSound(sounds.sndStone);
  refreshTakenCounts();
  drawInfluenceIfTicked();
  say(positionReading());
}

void Game::showPosition(int moveNumber, std::optional<ComMove> played,
                        std::optional<ComMove> better) {
  if (moveNumber < 0 || moveNumber > s_.historyEnd) {
    window_.playSound(sounds.sndForbidden);
    return;
  }
  s_.resumePending = flagYes;
  endPendingSelection();
  redrawMoveStone(s_.moveNumber);
  s_.moveNumber = static_cast<Code>(moveNumber);
  描画_手数(canvas_, s_.moveNumber);
  // The side to move is the mover of the next move in the history, or else the other side of
  // the last one's.
  if (moveNumber < s_.historyEnd) {
    s_.turnColour = s_.moveLogColour[moveNumber];
  } else if (moveNumber > 0) {
    s_.turnColour = opposite(s_.moveLogColour[moveNumber - 1]);
  }
  s_.otherColour = opposite(s_.turnColour);
  restorePosition(moveNumber, false);
  if (moveNumber > 0) {
    const int k = moveNumber - 1;
    描画_石(canvas_, s_.moveLogX[k], s_.moveLogY[k], s_.moveLogColour[k]);
    描画_打石印(canvas_, s_.moveLogX[k], s_.moveLogY[k], markColour);
  }
  window_.playSound(sounds.sndStone);
  refreshTakenCounts();
  drawInfluenceIfTicked();
  played_ = played;
  hint_ = better;
  say(positionReading());
}

void Game::setUpAfresh() {
  endPendingSelection();
  初期設定(s_, canvas_);
  描画_盤(canvas_, s_.board);
  drawInfluenceIfTicked();
}

void Game::SAISYO() {
  setUpAfresh();
  // Told afresh, so nothing of the game before (a judgement) stays as the last word.
  say(positionReading());
}

}  // namespace zelkan
