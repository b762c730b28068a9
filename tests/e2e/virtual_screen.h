// The X server the end-to-end tests show the game on, and the hands of the player at it:
// windows found by their titles, mouse clicks and key presses through xdotool, and screenshots
// through ImageMagick's import. Every call has a time limit.
#pragma once

#include <cairo.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/child_process.h"
#include "view/cairo_holders.h"

namespace zelkan::test {

struct WindowInfo {
  std::string id;
  std::string title;
  int x = 0;  // the top-left corner on the screen; may lie off it
  int y = 0;
  int width = 0;
  int height = 0;
};

class VirtualScreen {
 public:
  // Starts Xvfb with a screen of the given size on a display number it picks itself, and a
  // session bus with a runtime folder for the programs shown on it; throws if they are not up
  // within a minute.
  explicit VirtualScreen(const std::string& size = "1280x1024x24");
  ~VirtualScreen();
  VirtualScreen(const VirtualScreen&) = delete;
  VirtualScreen& operator=(const VirtualScreen&) = delete;

  // Environment changes (for Launch::environment) that put a program on this screen.
  std::vector<std::string> environment() const;

  // The visible windows whose title is one of `titles`, compared exactly (xdotool itself
  // ignores case, which would take the game's popup menus, titled "zelkan", for its window).
  std::vector<WindowInfo> windows(const std::vector<std::string>& titles) const;
  // The first of them other than the window `besides` (an id), if one is given.
  std::optional<WindowInfo> findWindow(const std::vector<std::string>& titles,
                                       const std::string& besides = "") const;
  std::optional<WindowInfo> waitForWindow(const std::vector<std::string>& titles,
                                          std::chrono::milliseconds limit,
                                          const std::string& besides = "") const;
  // Waits until `count` windows titled `title` are visible; false if they are not in time.
  bool waitForCount(const std::string& title, std::size_t count,
                    std::chrono::milliseconds limit) const;

  // Waits until a window manager has taken the screen over, manages `window` and has made it
  // the active window, asking it to; false if that did not happen in time. Until it manages the
  // window it drops what the window asks of it, such as full screen, and until its own start-up
  // focus is done a key may go elsewhere.
  bool waitForWindowManager(const WindowInfo& window, std::chrono::milliseconds limit) const;

  // Asks for the window's size, as a player dragging its edge does.
  void resize(const WindowInfo& window, int width, int height) const;
  // Moves the pointer to a screen position and clicks the left button there.
  void click(int x, int y) const;
  // Presses a key where the keyboard goes now (an open menu holds it).
  void pressKey(const std::string& key) const;
  // Gives the window the keyboard focus and presses a key in it.
  void pressKey(const WindowInfo& window, const std::string& key) const;
  // Gives the window the keyboard focus and types `text` in it.
  void type(const WindowInfo& window, const std::string& text) const;
  // Presses Return in a message box; false if the box is still there after `limit`.
  bool answer(const WindowInfo& box, std::chrono::milliseconds limit) const;

  // The whole screen, written to `file` as PNG and read back.
  SurfaceHolder screenshot(const std::filesystem::path& file) const;

 private:
  CommandResult run(const std::string& program, const std::vector<std::string>& args) const;
  CommandResult xdotool(const std::vector<std::string>& args) const;

  std::unique_ptr<ChildProcess> server_;
  std::string display_;
  std::unique_ptr<ChildProcess> bus_;
  std::string runtimeFolder_;  // XDG_RUNTIME_DIR, the bus's socket in it as "bus"
};

}  // namespace zelkan::test
