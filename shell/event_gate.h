// One event at a time, and one entrance for every command. While a handler runs (its animations,
// waits, the computer's reply, a file chooser included), clicks, keys and menu use aimed at the
// main window are held, and so is every command that comes from outside the window (an action
// over D-Bus, a file handed over); once it returns they are handled in the order they came. No
// handler ever runs inside another. Repaints go on. A message box is modal: it gets its own
// events, and input or commands aimed at any other window while it is open are dropped, together
// with whatever was held before it opened: the box is the player's next decision. A window that
// answers at once (the rules window) is held by no handler, only blocked by a box.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace zelkan {

class EventGate {
 public:
  EventGate();
  ~EventGate();
  EventGate(const EventGate&) = delete;
  EventGate& operator=(const EventGate&) = delete;

  // Every command enters here, whatever its source. It runs at once when it comes from an event
  // of the window (a click, a key, a menu item) and nothing else runs; it is dropped while a
  // message box is open; otherwise it waits its turn: behind the handler that runs, or, coming
  // from outside (D-Bus, a second start), until the main loop is idle, so its caller returns at
  // once. What a command throws ends it and is told (see guard).
  void submit(std::function<void()> command);

  // A notice of the program's own (a failure to tell): never dropped. It runs as a command once
  // nothing runs and no box is open, so a box opened before it is answered first.
  void notify(std::function<void()> notice);

  // A message box: its events pass while it is open, and other windows' input is dropped.
  void dialogOpened(GtkWidget* dialog);
  void dialogClosed(GtkWidget* dialog);
  // A dialog whose window is not ours to know (the desktop's file chooser): while one is open,
  // any dialog's input passes and the rest is dropped.
  void foreignDialogOpened() { ++foreignDialogs_; }
  void foreignDialogClosed() { --foreignDialogs_; }

  // A window whose input passes even while a handler runs; dropped still while a box is open.
  // It is forgotten when it is destroyed.
  void answerAtOnce(GtkWidget* window);

  // Every GTK callback that is not a command (a repaint, a timer, the input of a window that
  // answers at once) runs its body here, so nothing it throws unwinds through GTK's C frames:
  // the failure is told as a command's is, and the callback returns `failed`.
  template <typename Result, typename Body>
  Result guard(Result failed, Body&& body) noexcept {
    try {
      return body();
    } catch (...) {
      failure(std::current_exception());
      return failed;
    }
  }

  // Tells the player, in a box, that something failed (the text in the player's words); called
  // once, for the first failure, when the main loop is next free. Unset, or for every later
  // failure, the failure is only written to standard error; either way the program goes on.
  std::function<void(const std::string& text)> tellFailure;

  // Waits about seconds with the main loop turning, so the window repaints and answers the
  // window manager while input stays held. Spends no processor time while it waits.
  static void sleep(double seconds);

 private:
  enum class Fate { pass, hold, drop };
  // An event held, or a command waiting: one of the two.
  struct Waiting {
    GdkEvent* event = nullptr;
    std::function<void()> command;
  };

  static void filter(GdkEvent* event, gpointer self);
  static gboolean onIdle(gpointer self);
  Fate fateOf(GdkEvent* event) const;
  bool free() const;
  void run(const std::function<void()>& command);
  void failure(std::exception_ptr thrown) noexcept;
  void drain();
  void dropWaiting();

  int depth_ = 0;
  int foreignDialogs_ = 0;
  bool draining_ = false;
  bool failureTold_ = false;
  guint idle_ = 0;
  std::deque<Waiting> waiting_;
  std::deque<std::function<void()>> notices_;
  std::vector<GtkWidget*> dialogs_;
  std::vector<GtkWidget*> atOnce_;
};

}  // namespace zelkan
