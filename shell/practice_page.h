// "Learn from your mistakes", a page of the review window: the board set, on a copy, to the
// position before each mistake and blunder of one side in turn, and the player asked for a better
// move. A move that loses no more than a good move is praised and the next position follows; any
// other may be tried again, or the better move shown. At the end, how many were found. The game
// and its record are never touched: the page plays on positions of its own.
#pragma once

#include <gtk/gtk.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "com/game_review.h"
#include "core/game_record.h"
#include "core/game_state.h"
#include "shell/event_gate.h"
#include "view/canvas.h"

namespace zelkan {

// The moves of `side` (0 black, 1 white) worth practising: its mistakes and blunders, in order.
std::vector<ReviewRow> practiceRows(const std::vector<std::optional<ReviewRow>>& rows, int side);

class PracticePage {
 public:
  // `finished` is called when the player leaves the page (at the end, or at any time). Its
  // callbacks are guarded by `gate`.
  PracticePage(EventGate& gate, std::function<void()> finished);
  ~PracticePage();
  PracticePage(const PracticePage&) = delete;
  PracticePage& operator=(const PracticePage&) = delete;

  GtkWidget* widget() const { return box_; }

  // Starts on `rows` of the game `moves`, each try searched within `budget` moves made, the board
  // drawn at `scale`.
  void start(const std::vector<RecordMove>& moves, std::vector<ReviewRow> rows,
             std::uint64_t budget, int scale);
  // Stops a try being searched, at once.
  void stop();

  // The buttons: the position again, the better move, the next position, back to the review.
  void retry() { show(problem_); }
  void showAnswer();
  void next() { show(problem_ + 1); }
  void finish();
  // Runs a button's work under the gate's guard.
  void guarded(const std::function<void()>& work) {
    gate_.guard(FALSE, [&]() -> gboolean {
      work();
      return TRUE;
    });
  }

 private:
  void show(int problem);
  void redraw();
  void tell(const std::string& text);
  void clicked(int x, int y);
  void judge(const RecordMove& tried);
  gboolean judged();

  static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean onTick(gpointer self);

  EventGate& gate_;
  std::function<void()> finished_;
  GtkWidget* box_ = nullptr;
  GtkWidget* text_ = nullptr;
  GtkWidget* area_ = nullptr;
  GtkWidget* retry_ = nullptr;
  GtkWidget* answer_ = nullptr;
  GtkWidget* next_ = nullptr;
  Canvas canvas_;

  std::vector<RecordMove> moves_;
  std::vector<ReviewRow> rows_;
  std::uint64_t budget_ = 0;
  int problem_ = 0;
  int found_ = 0;
  bool solved_ = false;  // the problem shown was found or answered
  std::unique_ptr<GameState> position_;
  std::optional<std::pair<int, int>> picked_;
  RecordMove tried_;

  // A try searched on a thread of its own; its loss waits for the page's tick.
  std::thread search_;
  std::atomic<bool> stop_ = false;
  std::atomic<int> tryLoss_ = -1;
  guint tick_ = 0;
};

}  // namespace zelkan
