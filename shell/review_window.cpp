#include "shell/review_window.h"
#include "shell/described_area.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "shell/window_look.h"
#include "view/pictures.h"
#include "view/readings.h"
#include "view/texts.h"

namespace zelkan {

ReviewWindow::ReviewWindow(EventGate& gate, Jump jump) : gate_(gate), jump_(std::move(jump)) {}

ReviewWindow::~ReviewWindow() {
  stop();
  if (window_ != nullptr) gtk_widget_destroy(window_);
}

void ReviewWindow::present(const std::vector<RecordMove>& moves, std::uint64_t budget) {
  if (window_ == nullptr) build();
  if (stopped_ || moves != moves_) {
    stop();
    moves_ = moves;
    start(budget);
  }
  redraw();
  gtk_widget_show_all(window_);
  gtk_window_present(GTK_WINDOW(window_));
}

void ReviewWindow::build() {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  // TRANSLATORS: the review window's title: the game studied move by move.
  dressGameWindow(window_, _("検討"));
  g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(onKeyPress), this);

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_container_add(GTK_CONTAINER(window_), box);
  // Read by a screen reader as the graph's course in one sentence.
  area_ = newDescribedArea(
      ATK_ROLE_IMAGE, [] { return std::string(_("検討")); },
      [this] { return reviewCourse(picture_.rows); });
  gtk_widget_set_size_request(area_, clientWidth, clientHeight);
  gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK | GDK_SCROLL_MASK);
  g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK(onButtonPress), this);
  g_signal_connect(area_, "scroll-event", G_CALLBACK(onScroll), this);
  gtk_box_pack_start(GTK_BOX(box), area_, FALSE, FALSE, 0);
  progress_ = gtk_progress_bar_new();
  gtk_progress_bar_set_show_text(GTK_PROGRESS_BAR(progress_), TRUE);
  gtk_container_set_border_width(GTK_CONTAINER(box), 0);
  gtk_widget_set_margin_start(progress_, 6);
  gtk_widget_set_margin_end(progress_, 6);
  gtk_widget_set_margin_top(progress_, 4);
  gtk_widget_set_margin_bottom(progress_, 6);
  gtk_box_pack_start(GTK_BOX(box), progress_, FALSE, FALSE, 0);

  // Its input answers at once, held by no handler of the game; a message box still blocks it.
  gate_.answerAtOnce(window_);
  gtk_widget_realize(window_);
  canvas_.setScale(std::clamp(gtk_widget_get_scale_factor(window_), 1, largestScale));
}

// The review runs on a thread of its own, which is one of its workers; the rows it hands over
// wait under the lock for the window's next tick.
void ReviewWindow::start(std::uint64_t budget) {
  picture_ = {};
  picture_.rows.resize(moves_.size());
  picture_.current = moveToPlay();
  finished_ = false;
  failed_ = false;
  stopped_ = false;
  auto start = std::make_unique<GameState>();
  placeStart(*start, std::nullopt);
  const int workers = std::max(1u, std::thread::hardware_concurrency());
  runner_ = std::thread([this, budget, workers, start = std::move(start), moves = moves_] {
    ReviewOptions options;
    options.nodeBudget = budget;
    options.workers = workers;
    options.stop = &stop_;
    options.onRow = [this](const ReviewRow& row) {
      std::lock_guard lock(mutex_);
      arrived_.push_back(row);
    };
    bool failed = false;
    try {
      reviewGame(*start, moves, options);
    } catch (const std::exception&) {
      failed = true;  // its working memory could not be had
    }
    std::lock_guard lock(mutex_);
    finished_ = true;
    failed_ = failed;
  });
  tick_ = g_timeout_add(50, onTick, this);
}

// Stops the review at once: every search sees the flag within a few moves made.
void ReviewWindow::stop() {
  stop_ = true;
  if (runner_.joinable()) runner_.join();
  stop_ = false;
  if (tick_ != 0) g_source_remove(tick_);
  tick_ = 0;
  arrived_.clear();
  if (!picture_.done) stopped_ = true;
}

void ReviewWindow::close() {
  stop();
  gtk_widget_hide(window_);
}

gboolean ReviewWindow::onTick(gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  std::vector<ReviewRow> rows;
  bool finished = false;
  bool failed = false;
  {
    std::lock_guard lock(w->mutex_);
    rows.swap(w->arrived_);
    finished = w->finished_;
    failed = w->failed_;
  }
  for (const ReviewRow& row : rows) {
    if (row.index >= 0 && row.index < static_cast<int>(w->picture_.rows.size()))
      w->picture_.rows[static_cast<std::size_t>(row.index)] = row;
  }
  if (finished) {
    w->runner_.join();
    w->tick_ = 0;
    w->picture_.done = !failed;
    w->stopped_ = failed;
  }
  if (!rows.empty() || finished) w->redraw();
  return finished ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

void ReviewWindow::redraw() {
  if (window_ == nullptr) return;
  drawReview(canvas_, picture_);
  gtk_widget_queue_draw(area_);
  tellDescribedAreaChanged(area_);
  const auto total = static_cast<int>(picture_.rows.size());
  const auto given = static_cast<int>(std::ranges::count_if(
      picture_.rows, [](const std::optional<ReviewRow>& r) { return r.has_value(); }));
  gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(progress_),
                                total == 0 ? 1.0 : static_cast<double>(given) / total);
  const std::string text =
      // TRANSLATORS: the review's progress bar when the review could not be made (too little
      // memory).
      failed_ && finished_ ? std::string(_("検討できませんでした"))
                           : std::to_string(given) + " / " + std::to_string(total);
  gtk_progress_bar_set_text(GTK_PROGRESS_BAR(progress_), text.c_str());
}

// The move to play from the game's position: the first of the moves made from it, or the end.
int ReviewWindow::moveToPlay() const {
  int made = 0;
  for (std::size_t k = 0; k < moves_.size(); ++k) {
    if (made == moveNumber_) return static_cast<int>(k);
    made += moves_[k].pass ? 0 : 1;
  }
  return static_cast<int>(moves_.size());
}

void ReviewWindow::follow(int moveNumber) {
  moveNumber_ = moveNumber;
  if (window_ == nullptr || !gtk_widget_get_visible(window_)) return;
  const int current = moveToPlay();
  if (current == picture_.current) return;
  picture_.current = current;
  redraw();
}

void ReviewWindow::scroll(int lines) {
  const int listed = static_cast<int>(reviewListed(picture_).size());
  const int first =
      std::clamp(picture_.listFirst + lines, 0, std::max(0, listed - reviewListLines));
  if (first == picture_.listFirst) return;
  picture_.listFirst = first;
  redraw();
}

gboolean ReviewWindow::onDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  const double toWindow = 1.0 / w->canvas_.scale();
  cairo_scale(cr, toWindow, toWindow);
  cairo_set_source_surface(cr, w->canvas_.surface(), 0, 0);
  cairo_paint(cr);
  return TRUE;
}

// A click on a mark of the graph, or on a line of the list, shows the position before that move.
gboolean ReviewWindow::onButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  if (event->type != GDK_BUTTON_PRESS || event->button != 1) return TRUE;
  const std::optional<int> k = reviewMoveAt(w->picture_, static_cast<int>(std::floor(event->x)),
                                            static_cast<int>(std::floor(event->y)));
  if (!k) return TRUE;
  const ReviewRow& row = *w->picture_.rows[static_cast<std::size_t>(*k)];
  std::optional<ComMove> frame;
  if (!row.best.pass && row.best != row.played)
    frame = ComMove{row.best.x1, row.best.y1, row.best.x2, row.best.y2};
  w->jump_(w->moves_, *k, frame);
  return TRUE;
}

gboolean ReviewWindow::onScroll(GtkWidget*, GdkEventScroll* event, gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  if (event->direction == GDK_SCROLL_UP) w->scroll(-3);
  if (event->direction == GDK_SCROLL_DOWN) w->scroll(3);
  return TRUE;
}

// Up and down scroll the list, Page Up and Page Down a page of it; Escape closes the window.
gboolean ReviewWindow::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  switch (event->keyval) {
    case GDK_KEY_Up:
      w->scroll(-1);
      return TRUE;
    case GDK_KEY_Down:
      w->scroll(1);
      return TRUE;
    case GDK_KEY_Page_Up:
      w->scroll(-reviewListLines);
      return TRUE;
    case GDK_KEY_Page_Down:
      w->scroll(reviewListLines);
      return TRUE;
    case GDK_KEY_Escape:
      w->close();
      return TRUE;
    default:
      return FALSE;
  }
}

gboolean ReviewWindow::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<ReviewWindow*>(self)->close();
  return TRUE;
}

}  // namespace zelkan
