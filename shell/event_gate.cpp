#include "shell/event_gate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <new>

#include "view/texts.h"

namespace zelkan {

EventGate::EventGate() {
  gdk_event_handler_set(&EventGate::filter, this, nullptr);
}

EventGate::~EventGate() {
  gdk_event_handler_set([](GdkEvent* e, gpointer) { gtk_main_do_event(e); }, nullptr, nullptr);
  if (idle_ != 0) g_source_remove(idle_);
  dropWaiting();
}

bool EventGate::free() const {
  return depth_ == 0 && !draining_ && dialogs_.empty() && foreignDialogs_ == 0;
}

void EventGate::submit(std::function<void()> command) {
  if (!dialogs_.empty()) return;
  // A command from an event of the window runs now when nothing else does; a replayed event's
  // command runs in its place in the line, between the events held before and after it.
  const bool fromWindow = gtk_get_current_event_time() != GDK_CURRENT_TIME;
  if (fromWindow && depth_ == 0 && dialogs_.empty() && foreignDialogs_ == 0) {
    run(command);
    return;
  }
  waiting_.push_back({nullptr, std::move(command)});
  if (idle_ == 0) idle_ = g_idle_add(&EventGate::onIdle, this);
}

void EventGate::notify(std::function<void()> notice) {
  notices_.push_back(std::move(notice));
  if (idle_ == 0) idle_ = g_idle_add(&EventGate::onIdle, this);
}

gboolean EventGate::onIdle(gpointer self) {
  auto* gate = static_cast<EventGate*>(self);
  gate->idle_ = 0;
  // Inside a handler's wait the line stays as it is: the handler drains it when it returns.
  if (gate->free()) gate->drain();
  return G_SOURCE_REMOVE;
}

void EventGate::run(const std::function<void()>& command) {
  ++depth_;
  guard(0, [&] {
    command();
    return 0;
  });
  --depth_;
  if (depth_ == 0 && !draining_) drain();
}

void EventGate::failure(std::exception_ptr thrown) noexcept {
  const char* text = nullptr;
  try {
    std::rethrow_exception(thrown);
  } catch (const std::bad_alloc& e) {
    std::fprintf(stderr, "zelkan: %s\n", e.what());
    // TRANSLATORS: a box's text when the game ran out of memory in the middle of something.
    text = _("メモリが足りないため、操作を一つ取りやめました。対局はこのまま続けられます。");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zelkan: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zelkan: an unknown failure\n");
  }
  if (failureTold_ || !tellFailure) return;
  failureTold_ = true;
  if (text == nullptr)
    // TRANSLATORS: a box's text when something failed in the middle of the game.
    text = _("問題が起きたため、操作を一つ取りやめました。対局はこのまま続けられます。");
  // Never from inside the callback that failed (a repaint, say): as a notice, which a box that
  // opens first does not drop.
  try {
    notify([this, text] { tellFailure(text); });
  } catch (...) {
    std::fprintf(stderr, "zelkan: the failure could not be told\n");
  }
}

void EventGate::drain() {
  draining_ = true;
  while (!waiting_.empty() || !notices_.empty()) {
    if (!notices_.empty()) {
      const std::function<void()> notice = std::move(notices_.front());
      notices_.pop_front();
      run(notice);
      continue;
    }
    Waiting next = std::move(waiting_.front());
    waiting_.pop_front();
    if (next.event != nullptr) {
      gtk_main_do_event(next.event);
      gdk_event_free(next.event);
    } else {
      run(next.command);
    }
  }
  draining_ = false;
}

void EventGate::dropWaiting() {
  for (Waiting& w : waiting_) {
    if (w.event != nullptr) gdk_event_free(w.event);
  }
  waiting_.clear();
}

void EventGate::dialogOpened(GtkWidget* dialog) {
  dialogs_.push_back(dialog);
  dropWaiting();
}

void EventGate::dialogClosed(GtkWidget* dialog) {
  dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
  if (!notices_.empty() && idle_ == 0) idle_ = g_idle_add(&EventGate::onIdle, this);
}

void EventGate::answerAtOnce(GtkWidget* window) {
  atOnce_.push_back(window);
  g_signal_connect(window, "destroy", G_CALLBACK(+[](GtkWidget* gone, gpointer self) {
                     auto& list = static_cast<EventGate*>(self)->atOnce_;
                     list.erase(std::remove(list.begin(), list.end(), gone), list.end());
                   }),
                   this);
}

void EventGate::filter(GdkEvent* event, gpointer self) {
  auto* gate = static_cast<EventGate*>(self);
  switch (gate->fateOf(event)) {
    case Fate::pass:
      gtk_main_do_event(event);
      break;
    case Fate::hold:
      gate->waiting_.push_back({gdk_event_copy(event), {}});
      break;
    case Fate::drop:
      break;
  }
}

EventGate::Fate EventGate::fateOf(GdkEvent* event) const {
  if (depth_ == 0 && dialogs_.empty() && foreignDialogs_ == 0) return Fate::pass;
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
  if (foreignDialogs_ > 0) return top != nullptr && GTK_IS_DIALOG(top) ? Fate::pass : Fate::drop;
  if (dialogs_.empty() && std::find(atOnce_.begin(), atOnce_.end(), top) != atOnce_.end())
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
