#include "shell/event_gate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

namespace zelkan {

EventGate::EventGate() {
  gdk_event_handler_set(&EventGate::filter, this, nullptr);
}

EventGate::~EventGate() {
  gdk_event_handler_set([](GdkEvent* e, gpointer) { gtk_main_do_event(e); }, nullptr, nullptr);
  for (GdkEvent* e : held_)
    gdk_event_free(e);
}

void EventGate::run(const std::function<void()>& handler) {
  ++depth_;
  // Nothing thrown may unwind through GTK's C frames: a handler that fails is told on the
  // terminal, and the window goes on.
  try {
    handler();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zelkan: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zelkan: an unknown failure\n");
  }
  --depth_;
  if (depth_ == 0 && !draining_) drain();
}

void EventGate::dialogClosed(GtkWidget* dialog) {
  dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
}

void EventGate::drain() {
  draining_ = true;
  while (!held_.empty()) {
    GdkEvent* e = held_.front();
    held_.pop_front();
    gtk_main_do_event(e);
    gdk_event_free(e);
  }
  draining_ = false;
}

void EventGate::filter(GdkEvent* event, gpointer self) {
  auto* gate = static_cast<EventGate*>(self);
  switch (gate->fateOf(event)) {
    case Fate::pass:
      gtk_main_do_event(event);
      break;
    case Fate::hold:
      gate->held_.push_back(gdk_event_copy(event));
      break;
    case Fate::drop:
      break;
  }
}

EventGate::Fate EventGate::fateOf(GdkEvent* event) const {
  if (depth_ == 0 && dialogs_.empty()) return Fate::pass;
  switch (event->type) {
    case GDK_BUTTON_PRESS:
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
    case GDK_BUTTON_RELEASE:
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE:
    case GDK_MOTION_NOTIFY:
    case GDK_SCROLL:
    case GDK_ENTER_NOTIFY:
    case GDK_LEAVE_NOTIFY:
    case GDK_TOUCH_BEGIN:
    case GDK_TOUCH_UPDATE:
    case GDK_TOUCH_END:
    case GDK_DELETE:
      break;
    default:
      return Fate::pass;  // repaints, configuration, focus and the like go on
  }
  GtkWidget* widget = gtk_get_event_widget(event);
  GtkWidget* top = widget != nullptr ? gtk_widget_get_toplevel(widget) : nullptr;
  if (top != nullptr && std::find(dialogs_.begin(), dialogs_.end(), top) != dialogs_.end())
    return Fate::pass;
  return dialogs_.empty() ? Fate::hold : Fate::drop;
}

void EventGate::sleep(double seconds) {
  if (!(seconds > 0)) return;
  bool done = false;
  const guint ms = static_cast<guint>(std::ceil(seconds * 1000));
  g_timeout_add(
      ms,
      [](gpointer flag) -> gboolean {
        *static_cast<bool*>(flag) = true;
        return G_SOURCE_REMOVE;
      },
      &done);
  while (!done)
    g_main_context_iteration(nullptr, TRUE);
}

}  // namespace zelkan
