// A deliberate data race, one side of it run from the GLib main loop as the game's callbacks are.
// Under ThreadSanitizer, with the project's suppressions in force, it must still be reported: a
// suppression as wide as a whole library would hide it, and every race of ours like it.
#include <glib.h>

#include <thread>

namespace {
int shared = 0;
}

int main() {
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  std::thread other([] {
    for (int i = 0; i < 1000; ++i)
      shared = shared + 1;
  });
  g_idle_add(
      [](gpointer l) -> gboolean {
        shared = -1;
        g_main_loop_quit(static_cast<GMainLoop*>(l));
        return G_SOURCE_REMOVE;
      },
      loop);
  g_main_loop_run(loop);
  other.join();
  g_main_loop_unref(loop);
  return 0;
}
