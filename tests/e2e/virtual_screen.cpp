#include "tests/e2e/virtual_screen.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace zelkan::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr milliseconds toolLimit{10000};  // for one xdotool or import call
constexpr milliseconds pollPause{50};

// The first line a server writes to a descriptor once it takes connections: Xvfb its display
// number, the session bus its runtime folder.
std::string readReadyLine(int fd, milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  std::string text;
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    pollfd p{fd, POLLIN, 0};
    if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) return "";
    char buffer[32];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return "";
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text.substr(0, text.find('\n'));
}

// The titles as an extended regular expression that xdotool matches against whole names.
std::string titlePattern(const std::vector<std::string>& titles) {
  std::string pattern = "^(";
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (i > 0) pattern += '|';
    for (char c : titles[i]) {
      if (std::string_view(".^$|()[]{}*+?\\").find(c) != std::string_view::npos) pattern += '\\';
      pattern += c;
    }
  }
  return pattern + ")$";
}

// Reads what "getwindowname" and then "getwindowgeometry --shell" print.
std::optional<WindowInfo> parseWindow(const std::string& text) {
  std::istringstream in(text);
  WindowInfo w;
  if (!std::getline(in, w.title)) return std::nullopt;
  std::map<std::string, std::string> fields;
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
  }
  for (const char* key : {"WINDOW", "X", "Y", "WIDTH", "HEIGHT"}) {
    if (!fields.contains(key)) return std::nullopt;
  }
  w.id = fields["WINDOW"];
  w.x = std::stoi(fields["X"]);
  w.y = std::stoi(fields["Y"]);
  w.width = std::stoi(fields["WIDTH"]);
  w.height = std::stoi(fields["HEIGHT"]);
  return w;
}

// Starts a server that writes a line to descriptor `ready` (named in its arguments by
// argvFor) once it is up, and returns that line; empty if none came within a minute. Should the
// test process die, the server is asked to end, and removes what it made.
std::string startServer(const std::function<std::vector<std::string>(int ready)>& argvFor,
                        std::unique_ptr<ChildProcess>& server,
                        const std::vector<std::string>& environment = {}) {
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  try {
    Launch launch;
    launch.argv = argvFor(ready[1]);
    launch.inheritedDescriptor = ready[1];
    launch.environment = environment;
    launch.deathSignal = SIGTERM;
    server = std::make_unique<ChildProcess>(launch);
  } catch (...) {
    close(ready[0]);
    close(ready[1]);
    throw;
  }
  close(ready[1]);
  const std::string line = readReadyLine(ready[0], milliseconds(60000));
  close(ready[0]);
  return line;
}

}  // namespace

VirtualScreen::VirtualScreen(const std::string& size) {
  const std::string number = startServer(
      [&](int fd) {
        return std::vector<std::string>{"Xvfb",      "-displayfd", std::to_string(fd),
                                        "-screen",   "0",          size,
                                        "-nolisten", "tcp",        "-noreset"};
      },
      server_);
  if (number.empty()) throw std::runtime_error("Xvfb did not start");
  display_ = ":" + number;
  // The test command looks for the locks of the displays its run started (tests/leftovers.sh).
  if (const char* run = std::getenv("ZELKAN_TEST_RUN"); run != nullptr && *run != '\0')
    std::ofstream(std::string(run) + "/.displays", std::ios::app) << number << '\n';
  // A session bus of the screen's own, as a desktop session gives one, so no program on it ever
  // launches one of its own (a child forked to do that once deadlocked in a sanitizer build) or
  // finds the machine's. It takes down the portals it starts and their mounts when it ends.
  runtimeFolder_ = startServer(
      [](int fd) {
        return std::vector<std::string>{"bash", ZELKAN_SESSION_BUS,
                                        "--ready=" + std::to_string(fd)};
      },
      bus_, {"DISPLAY=" + display_, "XAUTHORITY", "WAYLAND_DISPLAY"});
  if (runtimeFolder_.empty()) throw std::runtime_error("the session bus did not start");
}

VirtualScreen::~VirtualScreen() {
  // Asked politely, the servers remove their lock files and sockets, and the bus takes down
  // what it started.
  bus_->stop(milliseconds(10000));
  server_->stop(milliseconds(3000));
}

std::vector<std::string> VirtualScreen::environment() const {
  return {"DISPLAY=" + display_, "XAUTHORITY", "WAYLAND_DISPLAY", "GDK_BACKEND=x11",
          // A bare X server has no accessibility bus and no settings daemon.
          "NO_AT_BRIDGE=1", "GSETTINGS_BACKEND=memory", "XDG_RUNTIME_DIR=" + runtimeFolder_,
          "DBUS_SESSION_BUS_ADDRESS=unix:path=" + runtimeFolder_ + "/bus"};
}

CommandResult VirtualScreen::run(const std::string& program,
                                 const std::vector<std::string>& args) const {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  CommandResult r = runCommand(argv, toolLimit, {"DISPLAY=" + display_, "XAUTHORITY"});
  if (!r.finished) throw std::runtime_error(program + " did not finish in time");
  return r;
}

CommandResult VirtualScreen::xdotool(const std::vector<std::string>& args) const {
  return run("xdotool", args);
}

std::vector<WindowInfo> VirtualScreen::windows(const std::vector<std::string>& titles) const {
  const CommandResult ids = xdotool({"search", "--onlyvisible", "--name", titlePattern(titles)});
  std::vector<WindowInfo> result;
  std::istringstream in(ids.output);
  std::string id;
  while (in >> id) {
    // A window may close between the search and this question; it is then simply not there.
    const CommandResult r = xdotool({"getwindowname", id, "getwindowgeometry", "--shell", id});
    if (r.exitCode != 0) continue;
    const std::optional<WindowInfo> w = parseWindow(r.output);
    if (w && std::find(titles.begin(), titles.end(), w->title) != titles.end())
      result.push_back(*w);
  }
  return result;
}

std::optional<WindowInfo> VirtualScreen::findWindow(const std::vector<std::string>& titles,
                                                    const std::string& besides) const {
  for (const WindowInfo& w : windows(titles)) {
    if (w.id != besides) return w;
  }
  return std::nullopt;
}

std::optional<WindowInfo> VirtualScreen::waitForWindow(const std::vector<std::string>& titles,
                                                       milliseconds limit,
                                                       const std::string& besides) const {
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    if (std::optional<WindowInfo> w = findWindow(titles, besides)) return w;
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(pollPause);
  }
}

bool VirtualScreen::waitForCount(const std::string& title, std::size_t count,
                                 milliseconds limit) const {
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    if (windows({title}).size() == count) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(pollPause);
  }
}

bool VirtualScreen::waitForWindowManager(const WindowInfo& window, milliseconds limit) const {
  const auto has = [&](const std::vector<std::string>& args, const std::string& text) {
    return run("xprop", args).output.find(text) != std::string::npos;
  };
  std::ostringstream hexId;
  hexId << "window id # 0x" << std::hex << std::stoul(window.id) << "\n";
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    if (has({"-root", "_NET_SUPPORTING_WM_CHECK"}, "window id") &&
        has({"-id", window.id, "WM_STATE"}, "window state")) {
      if (has({"-root", "_NET_ACTIVE_WINDOW"}, hexId.str())) return true;
      xdotool({"windowactivate", window.id});
    }
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(pollPause);
  }
}

void VirtualScreen::resize(const WindowInfo& window, int width, int height) const {
  xdotool({"windowsize", window.id, std::to_string(width), std::to_string(height)});
}

void VirtualScreen::click(int x, int y) const {
  // No --sync: it waits for the pointer to leave where it was, forever if it is there already.
  // The server takes the motion and the click in order anyway.
  xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

void VirtualScreen::pressKey(const std::string& key) const {
  xdotool({"key", key});
}

void VirtualScreen::pressKey(const WindowInfo& window, const std::string& key) const {
  xdotool({"windowfocus", "--sync", window.id, "key", key});
}

void VirtualScreen::type(const WindowInfo& window, const std::string& text) const {
  xdotool({"windowfocus", "--sync", window.id, "type", "--delay", "20", text});
}

bool VirtualScreen::answer(const WindowInfo& box, milliseconds limit) const {
  pressKey(box, "Return");
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    const std::vector<WindowInfo> open = windows({box.title});
    if (std::none_of(open.begin(), open.end(), [&](const WindowInfo& w) { return w.id == box.id; }))
      return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(pollPause);
  }
}

SurfaceHolder VirtualScreen::screenshot(const std::filesystem::path& file) const {
  const CommandResult r = run("import", {"-window", "root", file.string()});
  if (r.exitCode != 0) throw std::runtime_error("import failed: " + r.errors);
  SurfaceHolder shot(cairo_image_surface_create_from_png(file.c_str()));
  if (cairo_surface_status(shot.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot read " + file.string());
  return shot;
}

}  // namespace zelkan::test
