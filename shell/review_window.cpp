#include "shell/review_window.h"
#include "shell/described_area.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "core/cell_names.h"
#include "shell/window_look.h"
#include "view/fitting.h"
#include "view/pictures.h"
#include "view/readings.h"
#include "view/texts.h"

namespace zelkan {

ReviewWindow::ReviewWindow(EventGate& gate, Jump jump) : gate_(gate), jump_(std::move(jump)) {}

ReviewWindow::~ReviewWindow() {
  stop();
  if (window_ != nullptr) gtk_widget_destroy(window_);
}

void ReviewWindow::present(const std::vector<RecordMove>& moves, std::uint64_t budget,
                           std::optional<int> playerSide) {
  if (window_ == nullptr) build();
  budget_ = budget;
  playerSide_ = playerSide;
  if (stopped_ || moves != moves_) {
    stop();
    moves_ = moves;
    start(budget);
  }
  redraw();
  gtk_widget_show_all(window_);
  highlightCurrent();
  gtk_window_present(GTK_WINDOW(window_));
}

// The list's columns: the move's place (hidden), then what a line shows.
enum Column { cIndex, cNumber, cSide, cPlayed, cSign, cBest, cLoss, cClass, columnCount };

void ReviewWindow::build() {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  // TRANSLATORS: the review window's title: the game studied move by move.
  dressGameWindow(window_, _("検討"));
  gtk_window_set_default_size(GTK_WINDOW(window_), clientWidth, clientHeight + 100);
  g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(onKeyPress), this);

  // The graph and the list share what the window grows by; "Learn from your mistakes" takes
  // their place while it runs.
  GtkWidget* outer = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_container_add(GTK_CONTAINER(window_), outer);
  stack_ = gtk_stack_new();
  gtk_box_pack_start(GTK_BOX(outer), stack_, TRUE, TRUE, 0);
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_stack_add_named(GTK_STACK(stack_), box, "review");
  practice_ = std::make_unique<PracticePage>(
      gate_, [this] { gtk_stack_set_visible_child_name(GTK_STACK(stack_), "review"); });
  gtk_stack_add_named(GTK_STACK(stack_), practice_->widget(), "practice");
  // Read by a screen reader as the graph's course in one sentence.
  area_ = newDescribedArea(
      ATK_ROLE_IMAGE, [] { return std::string(_("検討")); },
      [this] { return reviewCourse(picture_.rows); });
  gtk_widget_set_size_request(area_, clientWidth, reviewOpeningHeight);
  gtk_widget_set_vexpand(area_, TRUE);
  gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK(onButtonPress), this);
  gtk_box_pack_start(GTK_BOX(box), area_, TRUE, TRUE, 0);
  for (GtkWidget*& summary : summary_) {
    summary = gtk_label_new(nullptr);
    gtk_label_set_xalign(GTK_LABEL(summary), 0);
    gtk_widget_set_margin_start(summary, 12);
    gtk_box_pack_start(GTK_BOX(box), summary, FALSE, FALSE, 2);
  }
  gtk_box_pack_start(GTK_BOX(box), buildList(), TRUE, TRUE, 0);
  progress_ = gtk_progress_bar_new();
  gtk_progress_bar_set_show_text(GTK_PROGRESS_BAR(progress_), TRUE);
  gtk_widget_set_margin_start(progress_, 6);
  gtk_widget_set_margin_end(progress_, 6);
  gtk_widget_set_margin_top(progress_, 4);
  gtk_widget_set_margin_bottom(progress_, 6);
  gtk_box_pack_start(GTK_BOX(outer), progress_, FALSE, FALSE, 0);

  // Its input answers at once, held by no handler of the game; a message box still blocks it.
  gate_.answerAtOnce(window_);
  gtk_widget_realize(window_);
  canvas_.setScale(std::clamp(gtk_widget_get_scale_factor(window_), 1, largestScale), {},
                   picture_.width, picture_.height);
}

// Which side's moves the list shows, and the list: a line a move, its class told by its sign
// and its name, a click or Return on a line stepping the board there.
GtkWidget* ReviewWindow::buildList() {
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 2);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
  GtkWidget* shown = gtk_combo_box_text_new();
  // TRANSLATORS: the choice of the moves the review's list shows: both sides', black's, white's.
  for (const char* side : {_("両者の手"), _("黒の手"), _("白の手")})
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(shown), side);
  gtk_combo_box_set_active(GTK_COMBO_BOX(shown), 0);
  gtk_widget_set_halign(shown, GTK_ALIGN_START);
  gtk_widget_set_margin_start(shown, 6);
  g_signal_connect(shown, "changed", G_CALLBACK(+[](GtkComboBox* combo, gpointer self) {
                     auto* w = static_cast<ReviewWindow*>(self);
                     w->gate_.guard(FALSE, [&]() -> gboolean {
                       w->shown_ = static_cast<ReviewShown>(gtk_combo_box_get_active(combo));
                       gtk_tree_model_filter_refilter(GTK_TREE_MODEL_FILTER(w->filter_));
                       w->highlightCurrent();
                       return TRUE;
                     });
                   }),
                   this);
  gtk_box_pack_start(GTK_BOX(row), shown, FALSE, FALSE, 0);
  // TRANSLATORS: the button that sets the board, one by one, to the positions before one side's
  // mistakes and blunders, for the player to find a better move.
  GtkWidget* learn = gtk_button_new_with_mnemonic(_("間違いから学ぶ(_L)"));
  g_signal_connect_swapped(learn, "clicked", G_CALLBACK(+[](ReviewWindow* w) {
                             w->gate_.guard(FALSE, [w]() -> gboolean {
                               w->learn();
                               return TRUE;
                             });
                           }),
                           this);
  gtk_box_pack_start(GTK_BOX(row), learn, FALSE, FALSE, 0);

  store_ = gtk_list_store_new(columnCount, G_TYPE_INT, G_TYPE_INT, G_TYPE_STRING, G_TYPE_STRING,
                              G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING);
  filter_ = gtk_tree_model_filter_new(GTK_TREE_MODEL(store_), nullptr);
  gtk_tree_model_filter_set_visible_func(
      GTK_TREE_MODEL_FILTER(filter_),
      [](GtkTreeModel* model, GtkTreeIter* iter, gpointer self) -> gboolean {
        int k = 0;
        gtk_tree_model_get(model, iter, cIndex, &k, -1);
        const ReviewShown shown = static_cast<ReviewWindow*>(self)->shown_;
        return shown == ReviewShown::both ||
               (shown == ReviewShown::black) == (sideOfMove(k) == cellBlack);
      },
      this, nullptr);
  list_ = gtk_tree_view_new_with_model(filter_);
  g_object_unref(filter_);  // the view keeps it
  // TRANSLATORS: the review list's column headings: the move's number, its side, the move
  // played, its sign ("?!", "?", "??"), the strong level's choice, the points given away, the
  // class.
  const char* headings[] = {_("手"),     _("手番"), _("着手"), _("記号"),
                            _("最善手"), _("損"),   _("分類")};
  for (int c = cNumber; c < columnCount; ++c) {
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    if (c == cNumber || c == cLoss) g_object_set(cell, "xalign", 1.0, nullptr);
    gtk_tree_view_append_column(
        GTK_TREE_VIEW(list_),
        gtk_tree_view_column_new_with_attributes(headings[c - cNumber], cell, "text", c, nullptr));
  }
  gtk_tree_view_set_activate_on_single_click(GTK_TREE_VIEW(list_), TRUE);
  g_signal_connect(
      list_, "row-activated",
      G_CALLBACK(+[](GtkTreeView* view, GtkTreePath* path, GtkTreeViewColumn*, gpointer self) {
        auto* w = static_cast<ReviewWindow*>(self);
        w->gate_.guard(FALSE, [&]() -> gboolean {
          GtkTreeIter iter;
          GtkTreeModel* model = gtk_tree_view_get_model(view);
          int k = 0;
          if (!gtk_tree_model_get_iter(model, &iter, path)) return FALSE;
          gtk_tree_model_get(model, &iter, cIndex, &k, -1);
          w->jumpTo(k);
          return TRUE;
        });
      }),
      this);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER,
                                 GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_min_content_height(GTK_SCROLLED_WINDOW(scrolled), 150);
  gtk_widget_set_vexpand(scrolled, TRUE);
  gtk_container_add(GTK_CONTAINER(scrolled), list_);
  gtk_box_pack_start(GTK_BOX(box), scrolled, TRUE, TRUE, 0);
  return box;
}

// The review runs on a thread of its own, which is one of its workers; the rows it hands over
// wait under the lock for the window's next tick.
void ReviewWindow::start(std::uint64_t budget) {
  const int width = picture_.width;
  const int height = picture_.height;
  picture_ = {};
  picture_.width = width;
  picture_.height = height;
  picture_.rows.resize(moves_.size());
  picture_.current = moveToPlay();
  gtk_list_store_clear(store_);
  for (int k = 0; k < static_cast<int>(moves_.size()); ++k) {
    gtk_list_store_insert_with_values(
        store_, nullptr, -1, cIndex, k, cNumber, k + 1, cSide,
        sideOfMove(k) == cellBlack ? _("黒") : _("白"), cPlayed,
        moveName(moves_[static_cast<std::size_t>(k)], _("パス")).c_str(), -1);
  }
  finished_ = false;
  failed_ = false;
  unmade_ = false;
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
  practice_->stop();
  gtk_stack_set_visible_child_name(GTK_STACK(stack_), "review");
  gtk_widget_hide(window_);
}

gboolean ReviewWindow::onTick(gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  // A tick that fails is the last: the review shows what it had, and is stopped when the window
  // closes or the review starts again.
  const gboolean more = w->gate_.guard(G_SOURCE_REMOVE, [&]() -> gboolean {
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
      if (row.index >= 0 && row.index < static_cast<int>(w->picture_.rows.size())) {
        w->picture_.rows[static_cast<std::size_t>(row.index)] = row;
        w->showRow(row);
      }
    }
    if (finished) {
      w->runner_.join();
      w->tick_ = 0;
      w->picture_.done = !failed;
      w->stopped_ = failed;
      w->unmade_ = failed;
    }
    if (!rows.empty() || finished) w->redraw(finished && !failed);
    return finished ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
  });
  if (more == G_SOURCE_REMOVE) w->tick_ = 0;
  return more;
}

void ReviewWindow::redraw(bool courseComplete) {
  if (window_ == nullptr) return;
  drawReview(canvas_, picture_);
  gtk_widget_queue_draw(area_);
  for (int side = 0; side < 2; ++side) {
    gtk_label_set_text(GTK_LABEL(summary_[side]),
                       reviewSummaryText(reviewSummary(picture_, side), side).c_str());
  }
  tellDescribedAreaChanged(area_, courseComplete);
  const auto total = static_cast<int>(picture_.rows.size());
  const auto given = static_cast<int>(std::ranges::count_if(
      picture_.rows, [](const std::optional<ReviewRow>& r) { return r.has_value(); }));
  gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(progress_),
                                total == 0 ? 1.0 : static_cast<double>(given) / total);
  const std::string text =
      // TRANSLATORS: the review's progress bar when the review could not be made (too little
      // memory).
      unmade_ ? std::string(_("検討できませんでした"))
              : std::to_string(given) + " / " + std::to_string(total);
  gtk_progress_bar_set_text(GTK_PROGRESS_BAR(progress_), text.c_str());
}

// A move's line, once its row has come: the strong level's choice, the loss, sign and class.
void ReviewWindow::showRow(const ReviewRow& row) {
  GtkTreeIter line;
  if (!gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(store_), &line, nullptr, row.index)) return;
  gtk_list_store_set(store_, &line, cSign, moveClassSign(row.moveClass), cBest,
                     moveName(row.best, _("パス")).c_str(), cLoss, std::to_string(row.loss).c_str(),
                     cClass, moveClassLabel(row.moveClass), -1);
}

// The line of the move to play from the game's position is the one selected, and in view.
void ReviewWindow::highlightCurrent() {
  GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(list_));
  GtkTreePath* path = gtk_tree_path_new_from_indices(picture_.current, -1);
  GtkTreePath* shown =
      gtk_tree_model_filter_convert_child_path_to_path(GTK_TREE_MODEL_FILTER(filter_), path);
  gtk_tree_path_free(path);
  if (shown == nullptr) {
    gtk_tree_selection_unselect_all(selection);
    return;
  }
  gtk_tree_selection_select_path(selection, shown);
  if (gtk_widget_get_realized(list_))
    gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(list_), shown, nullptr, FALSE, 0, 0);
  gtk_tree_path_free(shown);
}

// The player's side, or else the side the list shows: its mistakes and blunders given so far, one
// by one, on a copy of the game.
void ReviewWindow::learn() {
  const int side = playerSide_.value_or(shown_ == ReviewShown::white ? 1 : 0);
  practice_->start(moves_, practiceRows(picture_.rows, side), budget_, canvas_.scale());
  gtk_stack_set_visible_child_name(GTK_STACK(stack_), "practice");
}

// Steps the board to the position before move k, the strong level's choice framed where it
// differs from the move played.
void ReviewWindow::jumpTo(int k) {
  if (k < 0 || k >= static_cast<int>(picture_.rows.size())) return;
  const std::optional<ReviewRow>& row = picture_.rows[static_cast<std::size_t>(k)];
  std::optional<ComMove> frame;
  if (row && !row->best.pass && row->best != row->played)
    frame = ComMove{row->best.x1, row->best.y1, row->best.x2, row->best.y2};
  jump_(moves_, k, frame);
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
  highlightCurrent();
}

// The graph fills the area: a new size paints it afresh at that size.
gboolean ReviewWindow::onDraw(GtkWidget* area, cairo_t* cr, gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  return w->gate_.guard(TRUE, [&]() -> gboolean {
    const int width = gtk_widget_get_allocated_width(area);
    const int height = gtk_widget_get_allocated_height(area);
    const int scale = std::clamp(gtk_widget_get_scale_factor(area), 1, largestScale);
    if (width != w->picture_.width || height != w->picture_.height || scale != w->canvas_.scale()) {
      w->picture_.width = width;
      w->picture_.height = height;
      w->canvas_.setScale(scale, {}, width, height);
      drawReview(w->canvas_, w->picture_);
    }
    paintUnscaled(cr, w->canvas_);
    return TRUE;
  });
}

// A click on a column of the graph shows the position before that move.
gboolean ReviewWindow::onButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  return w->gate_.guard(TRUE, [&]() -> gboolean {
    if (event->type != GDK_BUTTON_PRESS || event->button != 1) return TRUE;
    if (const std::optional<int> k =
            reviewMoveAt(w->picture_, static_cast<int>(std::floor(event->x)),
                         static_cast<int>(std::floor(event->y))))
      w->jumpTo(*k);
    return TRUE;
  });
}

// Escape closes the window; the list takes the arrow keys.
gboolean ReviewWindow::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  return w->gate_.guard(TRUE, [&]() -> gboolean {
    if (event->keyval != GDK_KEY_Escape) return FALSE;
    w->close();
    return TRUE;
  });
}

gboolean ReviewWindow::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
  auto* w = static_cast<ReviewWindow*>(self);
  return w->gate_.guard(TRUE, [w] {
    w->close();
    return TRUE;
  });
}

}  // namespace zelkan
