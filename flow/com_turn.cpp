// The computer's turn, shown as it happens: thinking, the chosen stone picked up, the move and
// its captures, the record and the panel.
#include <atomic>
#include <chrono>
#include <exception>
#include <future>
#include <memory>

#include "com/levels.h"
#include "com/search.h"
#include "flow/game.h"
#include "view/board_drawing.h"
#include "view/influence_map.h"
#include "view/panel_drawing.h"

namespace zelkan {

// The strong level's move for the side to move, thought on a worker thread over a copy of the
// state while the window waits as during a pause: it repaints, and input is held. Throws when
// the search's memory or its thread cannot be had.
std::optional<ComMove> Game::strongMove() {
  LevelLimits limits;
  limits.nodeBudget = strongBudget;
  limits.table = &tableFor(table_, strongBudget);
  std::atomic<bool> stop = false;
  limits.stop = [&stop] { return stop.load(std::memory_order_relaxed); };
  const auto copy = std::make_unique<GameState>(s_);
  FixedSecond clock(0);  // the strong level reads no clock
  std::future<std::optional<ComMove>> reply = std::async(
      std::launch::async, [&] { return chooseComMove(*copy, Level::strong, clock, limits); });
  const double deadline = waits_.now() + strongSafetyStop;
  while (reply.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    if (waits_.now() >= deadline) stop = true;
    waits_.sleep(waits_.step);
  }
  return reply.get();
}

// The strong level's move, or, should it fail, the normal level's: nothing thrown here ever
// reaches the window's event loop.
std::optional<ComMove> Game::strongOrNormalMove() {
  try {
    return strongMove();
  } catch (const std::exception&) {
    table_.reset();
  }
  return searchComMove(s_.board, s_.turnColour, opposite(s_.turnColour), window_);
}

// The computer's choice at its level.
std::optional<ComMove> Game::think() {
  switch (level) {
    case Level::normal:
      break;
    case Level::weak: {
      LevelLimits limits;
      limits.seed = seed;
      return chooseComMove(s_, Level::weak, window_, limits);
    }
    case Level::strong:
      return strongOrNormalMove();
  }
  return searchComMove(s_.board, s_.comColour, s_.humanColour, window_);
}

void Game::com_打つ() {
  comTurn({});
}

// The computer's turn, `moveSaid` the player's move it answers, told with its thinking (none
// when it moves first, or on a resume).
void Game::comTurn(const std::string& moveSaid) {
  endPendingSelection();
  // TRANSLATORS: "Thinking", shown under the panel's move lines while the computer chooses its
  // move; it must fit in about 65 pixels at 12 points.
  描画_文字列(canvas_, 21.5, 11.1, _("思考中"), 15, 12);
  描画_ロボット(canvas_, 2);
  canvas_.refresh();
  // TRANSLATORS: told to a screen reader as the computer starts choosing: "The computer is
  // thinking".
  const char* thinking = _("コンピュータが考えています");
  say(moveSaid.empty() ? std::string(thinking) : moveSaid + _("。") + thinking);

  const std::optional<ComMove> chosen = think();
  描画_四角形(canvas_, 21.5, 11.1, 1000, 300, backColour);

  if (!chosen) {
    // No stone of the computer can move: it passes, and the turn goes back to the player.
    描画_ロボット(canvas_, 1);
    std::swap(s_.turnColour, s_.otherColour);
    // TRANSLATORS: told to a screen reader when the computer has no move: "The computer
    // passes. "
    say(_("コンピュータはパスです。") + turnReading());
    return;
  }

  redrawMoveStone(s_.moveNumber);
  描画_石決(canvas_, chosen->fromX, chosen->fromY, s_.comColour);
  canvas_.refresh();
  const MoveRecord r = completeMove(s_, chosen->fromX, chosen->fromY, chosen->toX, chosen->toY);
  if (!r.done) return;  // only with a full history, which the move limit never allows
  // While the move is shown, the player is to move, unless it ended the game.
  if (r.end == GameEnd::none) std::swap(s_.turnColour, s_.otherColour);
  replayMove(r);
  描画_手数(canvas_, s_.moveNumber);

  描画_ロボット(canvas_, 1);
  drawInfluenceIfTicked();
  描画_石取得数(canvas_, stonesPerSide - r.white, stonesPerSide - r.black);
  window_.keepGame(GameEnd::none);

  if (r.end != GameEnd::none) {
    say(moveReading(s_.moveNumber));
    終了(r.white, r.black);
    return;
  }
  say(moveReading(s_.moveNumber) + _("。") + turnReading());
}

}  // namespace zelkan
