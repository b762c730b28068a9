// The review window: a game's every move set against the strong level's choice, as the rows come
// in: the graph (drawn by view/review_drawing.h, filling the window's width), each side's summary,
// and the list of every move with its class, sign and loss, the move to play from the game's
// position highlighted. The review runs on worker threads; this window's thread only takes the
// rows they hand over. Like the rules window it is a window of its own beside the game's, whose
// input answers at once even while the game thinks; closing it stops the review at once.
#pragma once

#include <gtk/gtk.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "com/game_review.h"
#include "com/search.h"
#include "core/game_record.h"
#include "shell/event_gate.h"
#include "shell/practice_page.h"
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
  // `playerSide` is the side the player held against the computer (0 black, 1 white), whose
  // mistakes "Learn from your mistakes" goes through; without one, the side the list shows.
  void present(const std::vector<RecordMove>& moves, std::uint64_t budget,
               std::optional<int> playerSide = std::nullopt);

  // The game's position: after moveNumber moves of its history. Marks the move to play from it.
  void follow(int moveNumber);

 private:
  void build();
  GtkWidget* buildList();
  void start(std::uint64_t budget);
  void stop();
  void close();
  // Draws the review as it stands; `courseComplete`, the review has just finished and a screen
  // reader speaks the graph's course.
  void redraw(bool courseComplete = false);
  void showRow(const ReviewRow& row);
  void highlightCurrent();
  void jumpTo(int k);
  void learn();
  int moveToPlay() const;

  static gboolean onTick(gpointer self);
  static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean onKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
  static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);

  EventGate& gate_;
  Jump jump_;
  Canvas canvas_;
  ReviewPicture picture_;
  std::vector<RecordMove> moves_;  // under review
  int moveNumber_ = 0;
  bool stopped_ = true;  // the review of moves_ was cut short, or never started
  ReviewShown shown_ = ReviewShown::both;
  std::uint64_t budget_ = 0;
  std::optional<int> playerSide_;
  bool unmade_ = false;  // the review of moves_ failed: its working memory could not be had
  GtkWidget* window_ = nullptr;
  GtkWidget* stack_ = nullptr;  // the review, or "Learn from your mistakes"
  std::unique_ptr<PracticePage> practice_;
  GtkWidget* area_ = nullptr;
  GtkWidget* summary_[2] = {nullptr, nullptr};
  GtkListStore* store_ = nullptr;   // a line a move, filled in as its row comes
  GtkTreeModel* filter_ = nullptr;  // the lines of the side shown
  GtkWidget* list_ = nullptr;
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
