#include "shell/practice_page.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <utility>

#include "core/cell_names.h"
#include "core/move_completion.h"
#include "core/movement.h"
#include "view/board_drawing.h"
#include "view/coordinates.h"
#include "view/fitting.h"
#include "view/texts.h"

namespace zelkan {
namespace {

std::string named(const RecordMove& move) {
  return moveName(move, _("パス"));
}

GtkWidget* button(GtkWidget* row, const char* label, GCallback clicked, gpointer self) {
  GtkWidget* b = gtk_button_new_with_mnemonic(label);
  g_signal_connect_swapped(b, "clicked", clicked, self);
  gtk_box_pack_start(GTK_BOX(row), b, FALSE, FALSE, 0);
  return b;
}

}  // namespace

std::vector<ReviewRow> practiceRows(const std::vector<std::optional<ReviewRow>>& rows, int side) {
  std::vector<ReviewRow> chosen;
  const Code colour = side == 0 ? cellBlack : cellWhite;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (rows[k] && sideOfMove(static_cast<int>(k)) == colour && !rows[k]->best.pass &&
        rows[k]->moveClass >= MoveClass::mistake)
      chosen.push_back(*rows[k]);
  }
  return chosen;
}

PracticePage::PracticePage(EventGate& gate, std::function<void()> finished)
    : gate_(gate), finished_(std::move(finished)) {
  box_ = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
  g_object_ref_sink(box_);
  text_ = gtk_label_new(nullptr);
  gtk_label_set_line_wrap(GTK_LABEL(text_), TRUE);
  gtk_widget_set_size_request(text_, -1, 40);  // two lines: the board stays where it is
  gtk_label_set_xalign(GTK_LABEL(text_), 0);
  gtk_widget_set_margin_start(text_, 12);
  gtk_widget_set_margin_top(text_, 6);
  gtk_box_pack_start(GTK_BOX(box_), text_, FALSE, FALSE, 0);
  area_ = gtk_drawing_area_new();
  gtk_widget_set_size_request(area_, clientWidth, clientHeight);
  gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK(onButtonPress), this);
  gtk_box_pack_start(GTK_BOX(box_), area_, TRUE, TRUE, 0);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  gtk_widget_set_margin_start(row, 6);
  gtk_widget_set_margin_bottom(row, 6);
  // TRANSLATORS: the buttons of "Learn from your mistakes": try the position again, show the
  // better move, go to the next position, and leave for the review.
  retry_ = button(row, _("もう一度(_R)"),
                  G_CALLBACK(+[](PracticePage* p) { p->guarded([p] { p->retry(); }); }), this);
  answer_ =
      button(row, _("答えを見る(_S)"),
             G_CALLBACK(+[](PracticePage* p) { p->guarded([p] { p->showAnswer(); }); }), this);
  next_ = button(row, _("次へ(_N)"),
                 G_CALLBACK(+[](PracticePage* p) { p->guarded([p] { p->next(); }); }), this);
  button(row, _("検討に戻る(_B)"),
         G_CALLBACK(+[](PracticePage* p) { p->guarded([p] { p->finish(); }); }), this);
  gtk_box_pack_start(GTK_BOX(box_), row, FALSE, FALSE, 0);
}

PracticePage::~PracticePage() {
  stop();
  g_object_unref(box_);
}

void PracticePage::start(const std::vector<RecordMove>& moves, std::vector<ReviewRow> rows,
                         std::uint64_t budget, int scale) {
  stop();
  moves_ = moves;
  rows_ = std::move(rows);
  budget_ = budget;
  found_ = 0;
  canvas_.setScale(scale);
  drawBoardFrame(canvas_);
  position_ = std::make_unique<GameState>();
  placeStart(*position_, std::nullopt);
  redraw();
  show(0);
}

void PracticePage::stop() {
  stop_ = true;
  if (search_.joinable()) search_.join();
  stop_ = false;
  if (tick_ != 0) g_source_remove(tick_);
  tick_ = 0;
}

// Problem n: the position before that mistake, on a copy of the game replayed to it.
void PracticePage::show(int problem) {
  stop();
  problem_ = problem;
  picked_.reset();
  solved_ = false;
  if (problem_ >= static_cast<int>(rows_.size())) {
    for (GtkWidget* b : {retry_, answer_, next_})
      gtk_widget_set_sensitive(b, FALSE);
    tell(rows_.empty()
             ? std::string(_("悪手も大悪手もありません"))
             // TRANSLATORS: the end of "Learn from your mistakes": "You found %2$d of %1$d.".
             : fill(_("%d 問中 %d 問を見つけました。"), {rows_.size(), found_}));
    return;
  }
  const ReviewRow& row = rows_[static_cast<std::size_t>(problem_)];
  GameRecord before;
  before.moves.assign(moves_.begin(), moves_.begin() + row.index);
  GameEnd end = GameEnd::none;
  GameRecord replayed;
  position_ = std::make_unique<GameState>();
  if (readRecord(writeRecord(before), replayed, *position_, end)) {
    show(problem_ + 1);  // never so for a game the review could replay
    return;
  }
  redraw();
  // TRANSLATORS: "Position %d of %d: move %d, black (or white) to move. %s was played; find a
  // better move." The side is "黒" or "白"; the move is named as the board's coordinates name it.
  tell(fill(_("%d 問目（全 %d 問）　%d 手目、%s の番です。%s と打ちましたが、もっと良い手を"
              "探してください。"),
            {problem_ + 1, rows_.size(), row.index + 1,
             position_->turnColour == cellBlack ? _("黒") : _("白"), named(row.played)}));
  gtk_widget_set_sensitive(next_, FALSE);
  gtk_widget_set_sensitive(answer_, TRUE);
  gtk_widget_set_sensitive(retry_, FALSE);
}

void PracticePage::redraw() {
  描画_盤(canvas_, position_->board);
  if (picked_) 描画_石決(canvas_, picked_->first, picked_->second, position_->turnColour);
  gtk_widget_queue_draw(area_);
}

void PracticePage::tell(const std::string& text) {
  gtk_label_set_text(GTK_LABEL(text_), text.c_str());
}

// As on the game's board: a stone of the side to move is picked up, then a cell it may move to
// names the move; another stone of its own picks that one instead.
void PracticePage::clicked(int x, int y) {
  if (solved_ || search_.joinable() || !position_) return;
  const Code colour = position_->turnColour;
  if (position_->board(x, y) == colour) {
    picked_ = {x, y};
    redraw();
    return;
  }
  if (!picked_ ||
      移動チェック(position_->board, picked_->first, picked_->second, x, y, colour) == flagNo)
    return;
  const RecordMove tried{false, static_cast<Code>(picked_->first),
                         static_cast<Code>(picked_->second), static_cast<Code>(x),
                         static_cast<Code>(y)};
  picked_.reset();
  judge(tried);
}

// The try is searched as the review searches a move played, on a thread of its own.
void PracticePage::judge(const RecordMove& tried) {
  GameState copy = *position_;
  completeMove(copy, tried.x1, tried.y1, tried.x2, tried.y2);
  描画_盤(canvas_, copy.board);
  gtk_widget_queue_draw(area_);
  tried_ = tried;
  // TRANSLATORS: while the computer weighs the player's try.
  tell(_("考えています..."));
  gtk_widget_set_sensitive(answer_, FALSE);
  tryLoss_ = -1;
  search_ = std::thread([this, tried, start = std::make_unique<GameState>(*position_)] {
    ReviewOptions options;
    options.nodeBudget = budget_;
    options.stop = &stop_;
    try {
      const std::vector<RecordMove> moves{tried};
      const std::vector<ReviewRow> rows = reviewGame(*start, moves, options);
      tryLoss_ = rows.empty() ? -2 : rows.front().loss;
    } catch (const std::exception&) {
      tryLoss_ = -2;
    }
  });
  tick_ = g_timeout_add(50, onTick, this);
}

gboolean PracticePage::onTick(gpointer self) {
  auto* p = static_cast<PracticePage*>(self);
  return p->gate_.guard(G_SOURCE_REMOVE, [p] { return p->judged(); });
}

// The try's loss, once its search is over: praised, or to be tried again.
gboolean PracticePage::judged() {
  const int loss = tryLoss_;
  if (loss == -1) return G_SOURCE_CONTINUE;
  tick_ = 0;
  search_.join();
  const bool found = loss >= 0 && loss < inaccuracyLoss;
  // The try stays on the board: framed as a better move is when it was found, drawn as a move
  // played otherwise.
  (found ? drawBetterMove : drawPlayedMove)(canvas_, tried_.x1, tried_.y1, tried_.x2, tried_.y2);
  gtk_widget_queue_draw(area_);
  gtk_widget_set_sensitive(answer_, TRUE);
  gtk_widget_set_sensitive(retry_, !found);
  gtk_widget_set_sensitive(next_, found);
  if (found) {
    ++found_;
    solved_ = true;
    // TRANSLATORS: a try that loses no more than a good move; %d is the points it gives away.
    tell(fill(_("よい手です！（%d 点損）"), {loss}));
  } else if (loss >= 0) {
    // TRANSLATORS: a try that loses more: try again, or see the better move.
    tell(fill(_("その手は %d 点損です。もう一度打つか、答えを見てください。"), {loss}));
  } else {
    tell(_("検討できませんでした"));
  }
  return G_SOURCE_REMOVE;
}

void PracticePage::showAnswer() {
  if (!position_ || search_.joinable()) return;
  const ReviewRow& row = rows_[static_cast<std::size_t>(problem_)];
  picked_.reset();
  redraw();
  drawBetterMove(canvas_, row.best.x1, row.best.y1, row.best.x2, row.best.y2);
  solved_ = true;
  gtk_widget_set_sensitive(next_, TRUE);
  gtk_widget_set_sensitive(retry_, TRUE);
  // TRANSLATORS: the better move, framed on the board, and the points it keeps more than the
  // move played.
  tell(fill(_("よりよい手は %s です。打った手より %d 点多く残ります。"),
            {named(row.best), row.loss}));
}

void PracticePage::finish() {
  stop();
  if (finished_) finished_();
}

gboolean PracticePage::onDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* p = static_cast<PracticePage*>(self);
  return p->gate_.guard(TRUE, [&]() -> gboolean {
    paintUnscaled(cr, p->canvas_);
    return TRUE;
  });
}

gboolean PracticePage::onButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  auto* p = static_cast<PracticePage*>(self);
  return p->gate_.guard(TRUE, [&]() -> gboolean {
    if (event->type != GDK_BUTTON_PRESS || event->button != 1) return TRUE;
    const double cx = std::floor((event->x * twipsPerPixel - boardLeft) / cellWidth);
    const double cy = std::floor((event->y * twipsPerPixel - boardTop) / cellHeight);
    if (cx >= 1 && cx <= boardSize && cy >= 1 && cy <= boardSize)
      p->clicked(static_cast<int>(cx), static_cast<int>(cy));
    return TRUE;
  });
}

}  // namespace zelkan
