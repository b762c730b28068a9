// The review window: a game's every move set against the strong level's choice, drawn by
// view/review_drawing.h as the rows come in. The review runs on worker threads; this window's
// thread only takes the rows they hand over. Like the rules window it is a window of its own
// beside the game's, whose input answers at once even while the game thinks; closing it stops the
// review at once.
#pragma once

#include <gtk/gtk.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "com/game_review.h"
#include "com/search.h"
#include "core/game_record.h"
#include "shell/event_gate.h"
#include "view/canvas.h"
#include "view/review_drawing.h"

namespace zelkan {

class ReviewWindow {
 public:
  // Asked for when the player picks move k: the game is to show the position before it, with the
  // strong level's choice framed where it differs from the move played.
  using Jump = std::function<void(const std::vector<RecordMove>& moves, int k,
                                  std::optional<ComMove> frame)>;

  ReviewWindow(EventGate& gate, Jump jump);
  ~ReviewWindow();
  ReviewWindow(const ReviewWindow&) = delete;
  ReviewWindow& operator=(const ReviewWindow&) = delete;

  // Shows the window (made on the first call at the desktop's scale) over the review of `moves`,
  // played from the starting position, each search making at most `budget` moves. The review
  // starts afresh unless it is of these moves and was not stopped.
  void present(const std::vector<RecordMove>& moves, std::uint64_t budget);

  // The game's position: after moveNumber moves of its history. Marks the move to play from it.
  void follow(int moveNumber);

 private:
  void build();
  void start(std::uint64_t budget);
  void stop();
  void close();
  void redraw();
  void scroll(int lines);
  int moveToPlay() const;

  static gboolean onTick(gpointer self);
  static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean onScroll(GtkWidget* widget, GdkEventScroll* event, gpointer self);
  static gboolean onKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
  static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);

  EventGate& gate_;
  Jump jump_;
  Canvas canvas_;
  ReviewPicture picture_;
  std::vector<RecordMove> moves_;  // under review
  int moveNumber_ = 0;
  bool stopped_ = true;  // the review of moves_ was cut short, or never started
  bool unmade_ = false;  // the review of moves_ failed: its working memory could not be had
  GtkWidget* window_ = nullptr;
  GtkWidget* area_ = nullptr;
  GtkWidget* progress_ = nullptr;
  guint tick_ = 0;

  // The review's thread, which runs the review with helpers of its own.
  std::thread runner_;
  std::atomic<bool> stop_ = false;
  std::mutex mutex_;  // guards what the workers hand over
  std::vector<ReviewRow> arrived_;
  bool finished_ = false;
  bool failed_ = false;
};

}  // namespace zelkan
