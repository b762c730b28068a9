// The event gate in a real GTK window on a virtual screen: input that arrives while a handler
// runs is held and handled in order after it, while the window goes on repainting.
#include "shell/event_gate.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/e2e/virtual_screen.h"

namespace zelkan::test {
namespace {

struct Log {
  std::vector<std::string> lines;
  int draws = 0;
};

gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer log) {
  static_cast<Log*>(log)->lines.push_back(gdk_keyval_name(event->keyval));
  return TRUE;
}

gboolean onDraw(GtkWidget*, cairo_t*, gpointer log) {
  ++static_cast<Log*>(log)->draws;
  return FALSE;
}

// A key press as the X server would deliver it to the window.
void putKey(GtkWidget* window, guint keyval) {
  GdkEvent* e = gdk_event_new(GDK_KEY_PRESS);
  e->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
  e->key.keyval = keyval;
  e->key.time = GDK_CURRENT_TIME;
  GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
  gdk_event_set_device(e, gdk_seat_get_keyboard(seat));
  gdk_display_put_event(gdk_display_get_default(), e);
  gdk_event_free(e);
}

TEST(EventGate, HoldsInputDuringAHandlerAndReplaysItInOrderWhileRepaintsGoOn) {
  VirtualScreen screen;
  for (const std::string& change : screen.environment()) {
    const std::size_t eq = change.find('=');
    if (eq == std::string::npos) {
      unsetenv(change.c_str());
    } else {
      setenv(change.substr(0, eq).c_str(), change.substr(eq + 1).c_str(), 1);
    }
  }
  ASSERT_TRUE(gtk_init_check(nullptr, nullptr));
  Log log;
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWidget* area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, 100, 100);
  gtk_container_add(GTK_CONTAINER(window), area);
  g_signal_connect(window, "key-press-event", G_CALLBACK(onKey), &log);
  g_signal_connect(area, "draw", G_CALLBACK(onDraw), &log);
  gtk_widget_show_all(window);
  {
    EventGate gate;
    while (log.draws == 0)
      EventGate::sleep(0.01);

    // A command from outside (D-Bus, a second start) returns at once and runs when the loop is
    // idle; what comes while it runs, input and commands alike, waits its turn in order.
    gate.submit([&] {
      for (guint key : {GDK_KEY_a, GDK_KEY_b})
        putKey(window, key);
      EventGate::sleep(0.1);
      gate.submit([&] { log.lines.push_back("command"); });
      putKey(window, GDK_KEY_c);
      const int drawsBefore = log.draws;
      gtk_widget_queue_draw(area);
      EventGate::sleep(0.2);  // as the computer's think waits: the main loop turns
      log.lines.push_back(log.draws > drawsBefore ? "repainted" : "not repainted");
      log.lines.push_back("handler ends");
    });
    EXPECT_TRUE(log.lines.empty());
    while (log.lines.size() < 6)
      EventGate::sleep(0.01);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"repainted", "handler ends", "a", "b", "command", "c"}));

    // With no handler running, input passes at once.
    putKey(window, GDK_KEY_d);
    EventGate::sleep(0.05);
    EXPECT_EQ(log.lines.back(), "d");

    // A window that answers at once (the rules window) does so while a handler runs, but not
    // while a message box is open: its input is then dropped, as the main window's is.
    GtkWidget* rules = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWidget* box = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_signal_connect(rules, "key-press-event", G_CALLBACK(onKey), &log);
    gtk_widget_show_all(rules);
    gate.answerAtOnce(rules);
    // A box is the player's next decision: what was held before it opened, and what comes while
    // it is open, is dropped; a notice of the game's own waits for the box and is shown after it.
    log.lines.clear();
    gate.submit([&] {
      putKey(rules, GDK_KEY_e);
      putKey(window, GDK_KEY_f);
      EventGate::sleep(0.1);
      log.lines.push_back("handler ends");
      gate.dialogOpened(box);
      putKey(rules, GDK_KEY_g);
      putKey(window, GDK_KEY_h);
      gate.submit([&] { log.lines.push_back("command"); });
      gate.notify([&] { log.lines.push_back("notice"); });
      EventGate::sleep(0.1);
      gate.dialogClosed(box);
    });
    EventGate::sleep(0.3);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"e", "handler ends", "notice"}));
    gtk_widget_destroy(box);
    gtk_widget_destroy(rules);

    // What a command or a callback throws is told once, as a notice, even past a box that opens
    // before it is told; the rest goes on.
    log.lines.clear();
    gate.tellFailure = [&](const std::string&) { log.lines.push_back("told"); };
    gate.submit([&] {
      EXPECT_EQ(gate.guard(FALSE, []() -> gboolean { throw std::bad_alloc(); }), FALSE);
      gate.dialogOpened(window);
      gate.dialogClosed(window);
      gate.submit([] { throw std::runtime_error("a command failed"); });
      gate.submit([&] { log.lines.push_back("command"); });
    });
    for (int i = 0; i < 500 && log.lines.size() < 2; ++i)
      EventGate::sleep(0.01);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"told", "command"}));
  }
  gtk_widget_destroy(window);
}

}  // namespace
}  // namespace zelkan::test
