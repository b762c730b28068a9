// A game record opened in the window: its whole history, its last position, and its mode.
#include <memory>

#include "core/judgement.h"
#include "flow/game.h"
#include "view/board_drawing.h"
#include "view/panel_drawing.h"

namespace zelkan {

void Game::openRecord(const GameState& replayed, const GameRecord& record, GameEnd end) {
  showRecord(replayed, record);
  // A finished game tells how it ended, as the judgement told it.
  if (end != GameEnd::none) {
    const Scores scores = judgePosition(s_);
    描画_判定メッセージ(scores.black, scores.white);
  }
  say(positionReading());
}

bool Game::bringBack(const GameRecord& finished) {
  GameRecord record;
  GameEnd end = GameEnd::none;
  const auto replayed = std::make_unique<GameState>();
  if (readRecord(writeRecord(finished), record, *replayed, end)) return false;
  showRecord(*replayed, record);
  say(positionReading());
  return true;
}

void Game::showRecord(const GameState& replayed, const GameRecord& record) {
  endPendingSelection();
  s_ = replayed;
  s_.selState = 0;
  s_.resumePending = flagNo;
  table_.reset();  // a new game for the strong level

  描画_四角形(canvas_, 20.5, 5.5, 2500, 3500, backColour);  // the panel's message area
  描画_盤(canvas_, s_.board);
  drawInfluenceIfTicked();
  if (s_.moveNumber > 0) {
    const int k = s_.moveNumber - 1;
    描画_打石印(canvas_, s_.moveLogX[k], s_.moveLogY[k], markColour);
  }
  描画_手数(canvas_, s_.moveNumber);

  if (record.mode == modeCom) {
    s_.gameMode = modeCom;
    s_.comColour = record.comColour;
    s_.humanColour = opposite(record.comColour);
    描画_ロボット(canvas_, 1);
    if (s_.comColour == cellWhite) {
      描画_石手番(canvas_, C_("side", "MAN"), C_("side", "COM"));
    } else {
      描画_石手番(canvas_, C_("side", "COM"), C_("side", "MAN"));
    }
    // The computer's turn: the next click sets it thinking, as after "進".
    if (s_.turnColour == s_.comColour) s_.resumePending = flagYes;
  } else {
    s_.gameMode = modeMan;
    s_.humanColour = cellBlack;
    s_.comColour = cellWhite;
    描画_ロボット(canvas_, 0);
    描画_石手番(canvas_, C_("side", "先手"), C_("side", "後手"));
  }
  refreshTakenCounts();
}

}  // namespace zelkan
