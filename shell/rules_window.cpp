#include "shell/rules_window.h"
#include "shell/described_area.h"
#include "shell/window_look.h"

#include <algorithm>
#include <string>

#include "view/pictures.h"
#include "view/readings.h"
#include "view/rules_pages.h"
#include "view/texts.h"

namespace zelkan {

RulesWindow::RulesWindow(EventGate& gate) : gate_(gate) {}

RulesWindow::~RulesWindow() {
  if (window_ != nullptr) gtk_widget_destroy(window_);
}

void RulesWindow::present() {
  if (window_ == nullptr) build();
  gtk_window_present(GTK_WINDOW(window_));
}

void RulesWindow::build() {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  // TRANSLATORS: the rules window's title and its menu bar entry: "How to play".
  dressGameWindow(window_, _("遊び方"));
  // Closing only hides it, so it opens again at the page it was left on.
  g_signal_connect(window_, "delete-event", G_CALLBACK(gtk_widget_hide_on_delete), nullptr);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(onKeyPress), this);

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_container_add(GTK_CONTAINER(window_), box);
  // Read by a screen reader as the page's text, its diagrams in words.
  area_ = newDescribedArea(
      ATK_ROLE_DOCUMENT_TEXT, [this] { return rulesPage(page_).title; },
      [this] { return rulesPageReading(rulesPage(page_)); });
  gtk_widget_set_size_request(area_, clientWidth, clientHeight);
  g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
  gtk_box_pack_start(GTK_BOX(box), area_, TRUE, TRUE, 0);

  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  gtk_container_set_border_width(GTK_CONTAINER(row), 6);
  // TRANSLATORS: the rules window's buttons to the previous and the next page.
  back_ = gtk_button_new_with_label(_("前へ"));
  next_ = gtk_button_new_with_label(_("次へ"));
  counter_ = gtk_label_new("");
  g_signal_connect(back_, "clicked", G_CALLBACK(onBack), this);
  g_signal_connect(next_, "clicked", G_CALLBACK(onNext), this);
  gtk_box_pack_start(GTK_BOX(row), back_, FALSE, FALSE, 0);
  gtk_box_set_center_widget(GTK_BOX(row), counter_);
  gtk_box_pack_end(GTK_BOX(row), next_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);

  // Its input answers at once, held by no handler of the game; a message box still blocks it.
  gate_.answerAtOnce(window_);
  gtk_widget_realize(window_);
  canvas_.setScale(std::clamp(gtk_widget_get_scale_factor(window_), 1, largestScale));
  turnTo(page_);
  gtk_widget_show_all(window_);
}

void RulesWindow::turnTo(int page) {
  page_ = std::clamp(page, 0, rulesPageCount - 1);
  drawRulesPage(canvas_, rulesPage(page_));
  gtk_label_set_text(GTK_LABEL(counter_),
                     (std::to_string(page_ + 1) + " / " + std::to_string(rulesPageCount)).c_str());
  gtk_widget_set_sensitive(back_, page_ > 0);
  gtk_widget_set_sensitive(next_, page_ < rulesPageCount - 1);
  gtk_widget_queue_draw(area_);
  tellDescribedAreaChanged(area_, true);
}

// A larger window shows the page larger, its text wrapped to the window's width: the page is as
// wide as the area at the zoom its height allows, or the other way round.
void RulesWindow::refit() {
  const int width = gtk_widget_get_allocated_width(area_);
  const int height = gtk_widget_get_allocated_height(area_);
  const Fit fit = fitImage(width, height, gtk_widget_get_scale_factor(area_));
  const int pageWidth = std::max(clientWidth, static_cast<int>(width / fit.zoom));
  const int pageHeight = std::max(clientHeight, static_cast<int>(height / fit.zoom));
  fit_ = fitImage(width, height, gtk_widget_get_scale_factor(area_), pageWidth, pageHeight);
  if (fit.scale == canvas_.scale() && pageWidth * fit.scale == canvas_.width() &&
      pageHeight * fit.scale == canvas_.height())
    return;
  canvas_.setScale(fit.scale, {}, pageWidth, pageHeight);
  drawRulesPage(canvas_, rulesPage(page_));
}

gboolean RulesWindow::onDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* w = static_cast<RulesWindow*>(self);
  return w->gate_.guard(TRUE, [&] {
    w->refit();
    paintFitted(cr, w->canvas_, w->fit_);
    return TRUE;
  });
}

// Left and right turn the pages as the buttons do; Escape closes the window.
gboolean RulesWindow::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* w = static_cast<RulesWindow*>(self);
  return w->gate_.guard(TRUE, [&]() -> gboolean {
    switch (event->keyval) {
      case GDK_KEY_Left:
      case GDK_KEY_Page_Up:
        w->turnTo(w->page_ - 1);
        return TRUE;
      case GDK_KEY_Right:
      case GDK_KEY_Page_Down:
        w->turnTo(w->page_ + 1);
        return TRUE;
      case GDK_KEY_Escape:
        gtk_widget_hide(w->window_);
        return TRUE;
      default:
        return FALSE;
    }
  });
}

void RulesWindow::onBack(GtkButton*, gpointer self) {
  auto* w = static_cast<RulesWindow*>(self);
  w->gate_.guard(0, [w] {
    w->turnTo(w->page_ - 1);
    return 0;
  });
}

void RulesWindow::onNext(GtkButton*, gpointer self) {
  auto* w = static_cast<RulesWindow*>(self);
  w->gate_.guard(0, [w] {
    w->turnTo(w->page_ + 1);
    return 0;
  });
}

}  // namespace zelkan
