// Zelkan: the board game in its window.
#include <gtk/gtk.h>
#include <iconv.h>
#include <libintl.h>
#include <malloc.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
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

// The texts written on the terminal, in the desktop's language, or in English where the terminal's
// character set cannot show Japanese (an ASCII locale such as C), which would print question marks
// for every Japanese character.
struct TerminalTexts {
  std::string versionOption, parameters, summary, description, seeHelp;
};

TerminalTexts terminalTexts(const std::string& program) {
  gchar* japanese = g_locale_from_utf8("\u76e4", -1, nullptr, nullptr, nullptr);  // a kanji
  const bool english = japanese == nullptr;
  g_free(japanese);
  const char* language = std::getenv("LANGUAGE");
  const std::string keptLanguage = language == nullptr ? "" : language;
  const std::string keptMessages = std::setlocale(LC_MESSAGES, nullptr);
  if (english) {
    // Messages in the C locale pass LANGUAGE over; its UTF-8 form heeds it.
    setenv("LANGUAGE", "en", 1);
    std::setlocale(LC_MESSAGES, "C.UTF-8");
  }
  using zelkan::_;
  TerminalTexts texts{
      // TRANSLATORS: the description of --version in the help.
      _("バージョンを表示して終了します"),
      // TRANSLATORS: the help's usage line after the options: a game record to open.
      _("[ファイル]"),
      // TRANSLATORS: the help's summary.
      _("Zelkan：19 x 19 の盤で二人が戦う盤上ゲーム"),
      // TRANSLATORS: the end of the help.
      _("--display など GTK のオプションも使えます。"),
      // TRANSLATORS: after the system's words for an option the program does not know: "Run
      // 'zelkan --help' to see a full list of available command line options.", %s the program as
      // started.
      zelkan::fill(_("「%s --help」で、使えるオプションの一覧を見られます。"), {program})};
  if (english) {
    if (language == nullptr) {
      unsetenv("LANGUAGE");
    } else {
      setenv("LANGUAGE", keptLanguage.c_str(), 1);
    }
    std::setlocale(LC_MESSAGES, keptMessages.c_str());
  }
  return texts;
}

// The help goes out in the terminal's character set, with what that cannot show spelled in its
// letters (GLib's "…" as "...") rather than as question marks.
void printInTheTerminalsLetters(const gchar* text) {
  const char* charset = nullptr;
  const iconv_t convert = g_get_charset(&charset)
                              ? reinterpret_cast<iconv_t>(-1)
                              : iconv_open((std::string(charset) + "//TRANSLIT").c_str(), "UTF-8");
  if (convert == reinterpret_cast<iconv_t>(-1)) {
    std::fputs(text, stdout);
    return;
  }
  char* in = const_cast<char*>(text);
  std::size_t inLeft = std::strlen(text);
  std::string shown;
  while (inLeft > 0) {
    char piece[256];
    char* out = piece;
    std::size_t outLeft = sizeof piece;
    const bool stuck =
        iconv(convert, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) &&
        errno != E2BIG;
    shown.append(piece, static_cast<std::size_t>(out - piece));
    if (stuck) {  // a byte that is not UTF-8
      shown += '?';
      ++in;
      --inLeft;
    }
  }
  iconv_close(convert);
  std::fputs(shown.c_str(), stdout);
}

// The one running game: its window, made when the application starts on this desktop.
struct Running {
  zelkan::FilePlaces places;
  std::unique_ptr<zelkan::MainWindow> window;
  bool failed = false;
};

// Runs an application callback's body, through which nothing may unwind into GLib's C frames.
// A failure here (the window cannot be made) has no window to tell it: it is told on the
// terminal and the game ends cleanly, its kept games written.
template <typename Body>
void orEnd(GApplication* app, Running& running, Body&& body) noexcept {
  if (running.failed) return;
  try {
    body();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zelkan: %s\n", e.what());
    running.failed = true;
  } catch (...) {
    std::fprintf(stderr, "zelkan: an unknown failure\n");
    running.failed = true;
  }
  if (running.failed) g_application_quit(app);
}

// Shows the window at the first start's activate or open, or at the first command. Only the
// running game makes its settings folder: a second start that hands its work over, or one asked
// for help, touches no folder.
void showWindow(Running& running) {
  if (running.window->shown()) return;
  zelkan::makeSettingsFolder(running.places);
  running.window->startUp();
}

// The game's commands exist from the application's start, before its window: a command sent
// from outside to a game not yet running (`gapplication action org.zelkan.zelkan rules`) starts it
// and is answered.
void onStartup(GApplication* app, gpointer data) {
  auto& running = *static_cast<Running*>(data);
  orEnd(app, running, [&] {
    running.window = std::make_unique<zelkan::MainWindow>();
    running.window->settingsFile = running.places.settingsFile;
    running.window->keptGamesFolder = running.places.keptGames;
    running.window->soundFolder = running.places.dataFolder;
    running.window->addActions(GTK_APPLICATION(app), [&running] { showWindow(running); });
  });
}

// A start with no file, this one or a later one: the running window comes to the front.
void onActivate(GApplication* app, gpointer data) {
  auto& running = *static_cast<Running*>(data);
  orEnd(app, running, [&] {
    showWindow(running);
    running.window->present();
  });
}

// A start with files (a double click in the file manager, "zelkan FILE"): the window opens the
// first of them, which is all one game can show.
void onOpen(GApplication* app, GFile** files, gint count, const gchar*, gpointer data) {
  auto& running = *static_cast<Running*>(data);
  orEnd(app, running, [&] {
    showWindow(running);
    running.window->present();
    if (count < 1) return;
    if (gchar* path = g_file_get_path(files[0])) {
      running.window->openLater(path);
      g_free(path);
    } else {
      gchar* uri = g_file_get_uri(files[0]);
      running.window->refuseLater(uri);
      g_free(uri);
    }
  });
}

// --version answers here, in the program started, and ends it; the rest goes on to the running
// game.
gint onLocalOptions(GApplication*, GVariantDict* options, gpointer parsed) {
  *static_cast<bool*>(parsed) = true;
  if (g_variant_dict_contains(options, "version")) {
    std::puts("zelkan " ZELKAN_VERSION);
    return 0;
  }
  // The help's usage line named the program as it was started; from here on it takes the
  // desktop entry's name, which is the window's class on X.
  g_set_prgname(desktopId);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  // Large blocks (the strong level's stores for one move, picture and text buffers) come from
  // and go back to the system at once. Left to itself, the allocator raises this limit to the
  // largest block freed so far and then keeps such blocks in its heaps, one heap per thread
  // that ever searched, for the rest of the game.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  Running running;
  running.places = zelkan::findFilePlaces(programFolder(), std::getenv("XDG_CONFIG_HOME"),
                                          std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  followTheDesktopsLanguage(running.places.localeFolder);
  // The game draws on its own image; GTK's OpenGL probe would only cost memory.
  setenv("GDK_GL", "disable", 0);
  // Untitled windows (the popup menus) keep the title they have always had.
  g_set_application_name("zelkan");

  // One game on a desktop: a second start hands its file to the running one and ends. With no
  // session bus the game runs on its own.
  GtkApplication* app = gtk_application_new(desktopId, G_APPLICATION_HANDLES_OPEN);
  const TerminalTexts texts =
      terminalTexts(argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "zelkan");
  const GOptionEntry entries[] = {
      {"version", 0, 0, G_OPTION_ARG_NONE, nullptr, texts.versionOption.c_str(), nullptr}, {}};
  g_application_add_main_option_entries(G_APPLICATION(app), entries);
  g_application_set_option_context_parameter_string(G_APPLICATION(app), texts.parameters.c_str());
  g_application_set_option_context_summary(G_APPLICATION(app), texts.summary.c_str());
  g_application_set_option_context_description(G_APPLICATION(app), texts.description.c_str());
  // GApplication tells an option it does not know, or one without its value, and ends before the
  // options reach this handler; the player is then pointed to the help.
  g_set_print_handler(printInTheTerminalsLetters);
  bool parsed = false;
  g_signal_connect(app, "handle-local-options", G_CALLBACK(onLocalOptions), &parsed);
  g_signal_connect(app, "startup", G_CALLBACK(onStartup), &running);
  g_signal_connect(app, "activate", G_CALLBACK(onActivate), &running);
  g_signal_connect(app, "open", G_CALLBACK(onOpen), &running);
  const int status = g_application_run(G_APPLICATION(app), argc, argv);
  if (!parsed) g_printerr("%s\n", texts.seeHelp.c_str());
  // The running game ends with _Exit; only a start that handed over, or answered, or one whose
  // window could not be made gets here.
  return running.failed ? EXIT_FAILURE : status;
}
