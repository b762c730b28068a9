// One event at a time: while a handler runs (its animations, waits and the computer's reply
// included), clicks, keys and menu use aimed at the main window are held, and handled in order
// once it returns. Repaints go on. A message box is modal: it gets its own events, and input
// aimed at any other window (the main window, its menus) while it is open is dropped.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <functional>
#include <vector>

namespace zelkan {

class EventGate {
 public:
  EventGate();
  ~EventGate();
  EventGate(const EventGate&) = delete;
  EventGate& operator=(const EventGate&) = delete;

  // Runs a handler to its end with input held, then handles what was held, in order. What the
  // handler throws ends it and is written to standard error.
  void run(const std::function<void()>& handler);

  // A message box: its events pass while it is open, and other windows' input is dropped.
  void dialogOpened(GtkWidget* dialog) { dialogs_.push_back(dialog); }
  void dialogClosed(GtkWidget* dialog);

  // Waits about seconds with the main loop turning, so the window repaints and answers the
  // window manager while input stays held. Spends no processor time while it waits.
  static void sleep(double seconds);

 private:
  enum class Fate { pass, hold, drop };

  static void filter(GdkEvent* event, gpointer self);
  Fate fateOf(GdkEvent* event) const;
  void drain();

  int depth_ = 0;
  bool draining_ = false;
  std::deque<GdkEvent*> held_;
  std::vector<GtkWidget*> dialogs_;
};

}  // namespace zelkan
