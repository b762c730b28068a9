// Zelkan: the board game in its window.
#include <gtk/gtk.h>
#include <libintl.h>
#include <malloc.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "shell/file_places.h"
#include "shell/main_window.h"
#include "view/texts.h"

namespace {

// The desktop entry's id is the program name: the window's class (instance name) on X and its
// application id on Wayland, so a dock takes the running window for the entry it came from.
constexpr const char* desktopId = ZELKAN_DESKTOP_ID;

// The folder the running program lies in, or empty when the system does not say.
std::filesystem::path programFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  return std::filesystem::path(std::string(path, static_cast<std::size_t>(n))).parent_path();
}

bool enter(const std::filesystem::path& folder) {
  return chdir(folder.c_str()) == 0;
}

// Makes the folder of the wave files current, so they are found by their bare names wherever the
// game is started from. An installed game whose folder cannot be entered takes the root instead,
// and finds no stray wave file where it was started.
zelkan::FilePlaces enterFilePlaces() {
  const zelkan::FilePlaces places =
      zelkan::findFilePlaces(programFolder(), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  if (!places.currentFolder.empty() && !enter(places.currentFolder) && places.installed) enter("/");
  zelkan::makeSettingsFolder(places);
  return places;
}

// Takes the game's own options (--help, --version) from the command line and leaves the rest,
// GTK's own among them, to gtk_init. True when the game is to start, otherwise sets the exit
// status. Reads and writes no file, so asking for help leaves no trace.
bool takeOptions(int& argc, char**& argv, int& status) {
  gboolean version = FALSE;
  const GOptionEntry entries[] = {
      {"version", 0, 0, G_OPTION_ARG_NONE, &version, "Show the version and exit", nullptr}, {}};
  GOptionContext* context = g_option_context_new(nullptr);
  g_option_context_set_summary(context, "Zelkan, a board game for two sides on a 19 x 19 grid.");
  g_option_context_set_description(context, "GTK's own options, such as --display, are taken too.");
  g_option_context_add_main_entries(context, entries, nullptr);
  g_option_context_set_ignore_unknown_options(context, TRUE);
  GError* error = nullptr;
  const bool parsed = g_option_context_parse(context, &argc, &argv, &error);
  g_option_context_free(context);
  status = 0;
  if (!parsed) {
    std::fprintf(stderr, "zelkan: %s\nTry 'zelkan --help'.\n", error->message);
    g_error_free(error);
    status = 1;
    return false;
  }
  if (version) {
    std::puts("zelkan " ZELKAN_VERSION);
    return false;
  }
  return true;
}

// The messages follow the desktop's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), and so does
// the character type, which the text input and the fonts go by. Everything else (numbers, the
// settings file, the clock) stays in the C locale whatever the desktop says, so GTK is kept from
// setting the whole locale itself. The texts stay UTF-8 even where the character type is C.
void followTheDesktopsLanguage(const std::filesystem::path& catalogs) {
  gtk_disable_setlocale();
  std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_MESSAGES, "");
  if (!catalogs.empty()) bindtextdomain(zelkan::textDomain, catalogs.c_str());
  bind_textdomain_codeset(zelkan::textDomain, "UTF-8");
  textdomain(zelkan::textDomain);
}

}  // namespace

int main(int argc, char** argv) {
  // The help's usage line names the program as it was started; only then does the program take
  // the desktop entry's name.
  if (int status = 0; !takeOptions(argc, argv, status)) return status;
  // Large blocks (the strong level's stores for one move, picture and text buffers) come from
  // and go back to the system at once. Left to itself, the allocator raises this limit to the
  // largest block freed so far and then keeps such blocks in its heaps, one heap per thread
  // that ever searched, for the rest of the game.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  const zelkan::FilePlaces places = enterFilePlaces();
  followTheDesktopsLanguage(places.localeFolder);
  // The game draws on its own image; GTK's OpenGL probe would only cost memory.
  setenv("GDK_GL", "disable", 0);
  g_set_prgname(desktopId);
  // Untitled windows (the popup menus) keep the title they have always had.
  g_set_application_name("zelkan");
  gtk_init(&argc, &argv);
  zelkan::MainWindow window;
  window.settingsFile = places.settingsFile;
  window.startUp();
  gtk_main();
  return 0;
}
