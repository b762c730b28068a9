// The rules window: the pages of view/rules_pages.h one at a time, with buttons to turn them. It
// is a window of its own beside the game's, not a box: the game goes on while it is open, and its
// input answers at once even while the game pauses, animates or thinks, though not while a
// message box is open.
#pragma once

#include <gtk/gtk.h>

#include "shell/event_gate.h"
#include "view/canvas.h"
#include "view/fitting.h"

namespace zelkan {

class RulesWindow {
 public:
  explicit RulesWindow(EventGate& gate);
  ~RulesWindow();
  RulesWindow(const RulesWindow&) = delete;
  RulesWindow& operator=(const RulesWindow&) = delete;

  // Shows the window, made on the first call at the desktop's scale; later calls bring it to the
  // front at the page it was left on.
  void present();

 private:
  void build();
  void turnTo(int page);
  // Lays the page out again for the area's size and scale as they are now, if they changed.
  void refit();

  static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean onKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
  static void onBack(GtkButton* button, gpointer self);
  static void onNext(GtkButton* button, gpointer self);

  EventGate& gate_;
  Canvas canvas_;
  Fit fit_;
  int page_ = 0;
  GtkWidget* window_ = nullptr;
  GtkWidget* area_ = nullptr;
  GtkWidget* back_ = nullptr;
  GtkWidget* next_ = nullptr;
  GtkWidget* counter_ = nullptr;
};

}  // namespace zelkan
