// Zelkan: the board game in its window.
#include <gtk/gtk.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "shell/main_window.h"

namespace {

// The program's own folder becomes the current one, so the sound library, the wave files and
// "Zelkan.ini" are found beside the program wherever it is started from.
void enterProgramFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return;
  std::string exe(path, static_cast<std::size_t>(n));
  const std::size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return;
  const std::string folder = slash == 0 ? "/" : exe.substr(0, slash);
  if (chdir(folder.c_str()) != 0) return;
}

}  // namespace

int main(int argc, char** argv) {
  enterProgramFolder();
  // The game draws on its own image; GTK's OpenGL probe would only cost memory.
  setenv("GDK_GL", "disable", 0);
  gtk_init(&argc, &argv);
  zelkan::MainWindow window;
  window.startUp();
  gtk_main();
  return 0;
}
