// One event at a time: while a handler runs (its animations, waits and the computer's reply
// included), clicks, keys and menu use aimed at the main window are held, and handled in order
// once it returns. Repaints go on. A message box is modal: it gets its own events, and input
// aimed at any other window (the main window, its menus) while it is open is dropped. A window
// that answers at once (the rules window) is held by no handler, only blocked by a box.
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
  // A dialog whose window is not ours to know (the desktop's file chooser): while one is open,
  // any dialog's input passes and the rest is dropped.
  void foreignDialogOpened() { ++foreignDialogs_; }
  void foreignDialogClosed() { --foreignDialogs_; }

  // Runs `work` at once when no handler runs and no box is open, or else once the handler that
  // runs has ended and its held input has been handled: for what comes from outside the window
  // (a file handed over by a second start).
  void whenFree(std::function<void()> work);

  // A window whose input passes even while a handler runs; dropped still while a box is open.
  // It is forgotten when it is destroyed.
  void answerAtOnce(GtkWidget* window);

  // Waits about seconds with the main loop turning, so the window repaints and answers the
  // window manager while input stays held. Spends no processor time while it waits.
  static void sleep(double seconds);

 private:
  enum class Fate { pass, hold, drop };

  static void filter(GdkEvent* event, gpointer self);
  Fate fateOf(GdkEvent* event) const;
  void drain();

  int depth_ = 0;
  int foreignDialogs_ = 0;
  std::deque<std::function<void()>> waiting_;
  bool draining_ = false;
  std::deque<GdkEvent*> held_;
  std::vector<GtkWidget*> dialogs_;
  std::vector<GtkWidget*> atOnce_;
};

}  // namespace zelkan
