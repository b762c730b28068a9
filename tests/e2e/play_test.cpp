// The game as a player meets it: a copy of the program's folder started on a virtual screen,
// answered, clicked and keyed through xdotool, and checked on screenshots pixel by pixel against
// the game's own pictures. The screenshots stay in the build folder (screens/<test>/).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <atspi/atspi.h>
#include <libintl.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "core/cell_names.h"
#include "core/move_completion.h"
#include "core/setup.h"
#include "tests/e2e/child_process.h"
#include "tests/e2e/screen_reading.h"
#include "tests/e2e/virtual_screen.h"
#include "tests/view/canvas_checks.h"
#include "view/board_drawing.h"
#include "view/canvas.h"
#include "view/coordinates.h"
#include "view/fitting.h"
#include "view/palette.h"
#include "view/panel_drawing.h"
#include "view/pictures.h"
#include "view/review_drawing.h"
#include "view/rules_pages.h"
#include "view/texts.h"

namespace zelkan::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Generous limits, as every wait ends once its condition holds: a sanitizer build of the game
// on a busy machine runs ten times slower or more.
constexpr milliseconds windowLimit = 120s;
constexpr milliseconds reactionLimit = 60s;    // a click, a menu command, the computer's move
constexpr milliseconds judgementLimit = 300s;  // the count at the start, a strong review

// What the game needs beside itself.
const std::vector<std::string> programFiles{"zelkan",     "libZelkan.so", "その他.wav", "禁止.wav",
                                            "石打音.wav", "BGM.wav",      "消滅.wav"};

// "Zelkan.ini" as the game writes it: CP932 (勢力表示 is 90 A8 97 CD 95 5C 8E A6), CR LF.
std::string settingsFile(bool influence, bool music) {
  const std::string seiryoku{'\x90', '\xa8', '\x97', '\xcd', '\x95', '\x5c', '\x8e', '\xa6'};
  return seiryoku + (influence ? "=ON" : "=OFF") + "\r\nBGM=" + (music ? "ON" : "OFF") + "\r\n";
}

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The cells framed in a colour (the cursor's, a hint's), as "(x,y)" in reading order.
std::string framedCells(const Canvas& area, int colour) {
  std::string cells;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      if (!(area.pixel(cellPx(x) + 11, cellPy(y) + 1) == palette[colour])) continue;
      cells.append("(").append(std::to_string(x)).append(",").append(std::to_string(y));
      cells.append(")");
    }
  }
  return cells;
}

// Bytes as C escapes, for failure messages.
std::string escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      static constexpr char hex[] = "0123456789abcdef";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

// The entries of the menu bar, left to right.
enum BarEntry { TAIKYOKU, KYOKUMEN, MODORU, SUSUMU, OPTION, SONOTA, ASOBIKATA, barEntries };

// Pixels of the drawing area that lie off the screen read as this colour, which nothing draws.
constexpr int offScreenColour = 13;

// 16-bit samples the disk audio driver wrote, from a byte offset on.
std::vector<std::int16_t> samplesFrom(const fs::path& file, std::uintmax_t offset) {
  std::ifstream in(file, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  std::vector<std::int16_t> samples;
  std::int16_t s = 0;
  while (in.read(reinterpret_cast<char*>(&s), sizeof s))
    samples.push_back(s);
  return samples;
}

std::uintmax_t sizeOf(const fs::path& file) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  return error ? 0 : size;
}

constexpr std::uintmax_t bytesPerSecond = 44100 * 2 * 2;

// Whether the device plays anything but silence from the byte offset on, within the limit.
bool soundsFrom(const fs::path& file, std::uintmax_t offset, milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    const std::vector<std::int16_t> samples = samplesFrom(file, offset);
    if (std::ranges::any_of(samples, [](std::int16_t s) { return s != 0; })) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(100ms);
  }
}

std::vector<fs::path> filesUnder(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    files.push_back(entry.path());
  std::ranges::sort(files);
  return files;
}

class PlayTest : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { screen_.reset(); }

  void SetUp() override {
    if (!screen_) screen_ = std::make_unique<VirtualScreen>();
    std::string root = (fs::temp_directory_path() / "zelkan-e2e-XXXXXX").string();
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    root_ = root;
    // A folder name with a blank and Japanese in it, and the game started from another one.
    folder_ = root_ / "ゼルカン game";
    elsewhere_ = root_ / "elsewhere";
    fs::create_directories(folder_);
    fs::create_directories(elsewhere_);
    for (const std::string& file : programFiles)
      fs::copy_file(fs::path(ZELKAN_PROGRAM_FOLDER) / file, folder_ / file);
    fs::copy(fs::path(ZELKAN_PROGRAM_FOLDER) / "locale", folder_ / "locale",
             fs::copy_options::recursive);
    output_ = fs::path(ZELKAN_E2E_OUTPUT) /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(output_);
    fs::create_directories(output_);
  }

  void TearDown() override {
    game_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  void startGame(const std::vector<std::string>& changes, const fs::path& program = {},
                 const std::vector<std::string>& args = {}) {
    std::vector<std::string> environment = screen_->environment();
    // A desktop in the C locale (its UTF-8 form, in which xdotool reads the titles as they
    // are), unless the test says otherwise.
    environment.insert(environment.end(), {"LC_ALL=C.UTF-8", "LANGUAGE"});
    // The desktop's recent files are the test's.
    environment.push_back("XDG_DATA_HOME=" + (root_ / "data").string());
    environment.insert(environment.end(), changes.begin(), changes.end());
    // The game ends with _Exit, before any leak check; should it ever return from main, what
    // GTK keeps until the end is no leak of ours.
    environment.push_back("ASAN_OPTIONS=detect_leaks=0");
    Launch launch;
    launch.argv = {(program.empty() ? folder_ / "zelkan" : program).string()};
    launch.argv.insert(launch.argv.end(), args.begin(), args.end());
    launch.workingFolder = elsewhere_;
    launch.environment = environment;
    launch.output = output_ / "zelkan.log";
    game_ = std::make_unique<ChildProcess>(launch);
  }

  // Ends the test with what went wrong, how the game is, and a last screenshot.
  [[noreturn]] void fail(const std::string& what) const {
    std::string message = what + "; the game is " + (game_ ? game_->describe() : "not started") +
                          "; its output is in " + (output_ / "zelkan.log").string();
    try {
      screen_->screenshot(output_ / "failure.png");
    } catch (const std::exception& e) {
      message += "; no screenshot: " + std::string(e.what());
    }
    throw std::runtime_error(message);
  }

  void waitForMainWindow(const std::string& title = "Zelkan") {
    const std::optional<WindowInfo> w = screen_->waitForWindow({title}, windowLimit);
    if (!w) fail("the window did not appear");
    main_ = *w;
  }

  // The drawing area lies below the menu bar, which takes what the window has above it.
  int areaX() const { return main_.x; }
  int areaY() const { return main_.y + main_.height - clientHeight * scale_; }
  int visibleLeft() const { return std::max(0, -areaX()); }

  // The drawing area of the main window (or of one at x, y) on a screenshot saved as `name`.png.
  std::unique_ptr<Canvas> shoot(const std::string& name) { return shoot(name, areaX(), areaY()); }
  std::unique_ptr<Canvas> shoot(const std::string& name, int x, int y) {
    lastScreen_ = screen_->screenshot(output_ / (name + ".png"));
    return lastShotAt(x, y);
  }
  // The area at x, y of the last screenshot.
  std::unique_ptr<Canvas> lastShotAt(int x, int y) {
    auto area = std::make_unique<Canvas>(scale_);
    area->fillRectangle(0, 0, clientWidth * twipsPerPixel, clientHeight * twipsPerPixel,
                        offScreenColour);
    const ContextHolder cr(cairo_create(area->surface()));
    cairo_set_source_surface(cr.get(), lastScreen_.get(), -x, -y);
    cairo_paint(cr.get());
    return area;
  }

  // Screenshots until `done` holds for one, at most for `limit`; the last one is returned. The
  // area is the main window's, or the one at the top-left of `window`.
  std::unique_ptr<Canvas> shootUntil(const std::string& name,
                                     const std::function<bool(const Canvas&)>& done,
                                     milliseconds limit = reactionLimit,
                                     const WindowInfo* window = nullptr) {
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
      std::unique_ptr<Canvas> area =
          window ? shoot(name, window->x, window->y) : shoot(name, areaX(), areaY());
      if (done(*area) || Clock::now() >= deadline) return area;
      std::this_thread::sleep_for(100ms);
    }
  }

  std::unique_ptr<Canvas> shootUntilBoard(const std::string& name,
                                          const std::function<bool(const std::string&)>& done,
                                          milliseconds limit = reactionLimit) {
    return shootUntil(
        name, [&](const Canvas& area) { return done(boardMap(area)); }, limit);
  }

  // The entries of the menu bar on the last screenshot: runs of columns holding dark text.
  void findMenuBar() {
    const int top = std::max(0, main_.y);
    const int bottom = areaY();
    const int widestGapInLabel = 10 * scale_;  // entries stand about 18 apart
    std::vector<Box> runs;
    for (int x = std::max(0, main_.x); x < main_.x + main_.width; ++x) {
      bool ink = false;
      for (int y = top; y < bottom && !ink; ++y) {
        const Rgb c = surfacePixel(lastScreen_.get(), x, y);
        ink = c.r < 100 && c.g < 100 && c.b < 100;
      }
      if (!ink) continue;
      if (runs.empty() || x - runs.back().x1 > widestGapInLabel)
        runs.push_back({x, top, x, bottom});
      runs.back().x1 = x;
    }
    if (runs.size() != barEntries)
      fail("the menu bar shows " + std::to_string(runs.size()) + " entries");
    menuX_.clear();
    for (const Box& r : runs)
      menuX_.push_back((r.x0 + r.x1) / 2);
    menuY_ = (top + bottom) / 2;
  }

  void clickBar(BarEntry entry) { screen_->click(menuX_.at(entry), menuY_); }

  // Opens a menu of the bar and chooses its `row`-th item (and that item's `subRow`-th) with
  // the arrow keys and Return.
  void choose(BarEntry entry, int row, int subRow = 0) {
    clickBar(entry);
    if (!screen_->waitForCount("zelkan", 1, reactionLimit)) fail("the menu did not open");
    for (int i = 0; i < row; ++i)
      screen_->pressKey("Down");
    if (subRow > 0) {
      screen_->pressKey("Right");
      if (!screen_->waitForCount("zelkan", 2, reactionLimit)) fail("the submenu did not open");
      for (int i = 1; i < subRow; ++i)
        screen_->pressKey("Down");
    }
    screen_->pressKey("Return");
  }

  void clickCell(int x, int y) {
    const int middle = cellPictureSize / 2;
    screen_->click(areaX() + (cellPx(x) + middle) * scale_,
                   areaY() + (cellPy(y) + middle) * scale_);
  }

  void answerBox(const std::vector<std::string>& titles) {
    const std::optional<WindowInfo> box = screen_->waitForWindow(titles, reactionLimit);
    if (!box) fail("no box titled \"" + titles.front() + "\"");
    if (!screen_->answer(*box, reactionLimit)) fail("the box \"" + box->title + "\" stays");
  }

  ::testing::AssertionResult settingsBecome(const std::string& expected) const {
    const fs::path file = settings_.empty() ? folder_ / "Zelkan.ini" : settings_;
    const Clock::time_point deadline = Clock::now() + reactionLimit;
    std::string bytes;
    while ((bytes = readFile(file)) != expected && Clock::now() < deadline)
      std::this_thread::sleep_for(50ms);
    if (bytes == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "Zelkan.ini holds \"" << escaped(bytes) << "\", not \"" << escaped(expected) << "\"";
  }

  // A board map with the cells whose read part a window (a message box) hides, in part or
  // whole, as '?'.
  std::string behind(std::string map, const WindowInfo& w) const {
    constexpr int read = cellPictureSize - 2 * cellBandUnread;
    for (int y = 1; y <= boardSize; ++y) {
      for (int x = 1; x <= boardSize; ++x) {
        const int px = areaX() + cellPx(x) + cellBandUnread;
        const int py = areaY() + cellPy(y) + cellBandUnread;
        if (px < w.x + w.width && px + read > w.x && py < w.y + w.height && py + read > w.y)
          map[static_cast<std::size_t>((y - 1) * (boardSize + 1) + x - 1)] = '?';
      }
    }
    return map;
  }

  // Every visible pixel of the area outside the boxes has the window's background colour.
  ::testing::AssertionResult backgroundOutside(const Canvas& area,
                                               const std::vector<Box>& boxes) const {
    for (int y = 0; y < clientHeight; ++y) {
      for (int x = visibleLeft(); x < clientWidth; ++x) {
        if (std::ranges::any_of(boxes, [&](const Box& b) { return b.holds(x, y); })) continue;
        const Rgb c = area.pixel(x, y);
        if (!(c == background))
          return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << int(c.r)
                                               << "," << int(c.g) << "," << int(c.b);
      }
    }
    return ::testing::AssertionSuccess();
  }

  // その他: the about box, titled like the window, comes with its sound, and is answered.
  void openAboutBox(const fs::path& played) {
    const std::uintmax_t beforeAbout = sizeOf(played);
    clickBar(SONOTA);
    const std::optional<WindowInfo> about =
        screen_->waitForWindow({"Zelkan"}, reactionLimit, main_.id);
    ASSERT_TRUE(about) << "no about box";
    EXPECT_TRUE(soundsFrom(played, beforeAbout, reactionLimit)) << "no sound with the about box";
    ASSERT_TRUE(screen_->answer(*about, reactionLimit));
  }

  // A command sent to the running game over its session bus, as the desktop sends it: an action
  // activated ("Activate", name) or set ("SetState", name, value). It must return at once.
  void callGame(const std::string& method, const std::vector<std::string>& args) {
    std::vector<std::string> argv{"gdbus",
                                  "call",
                                  "--session",
                                  "--dest",
                                  "org.zelkan.zelkan",
                                  "--object-path",
                                  "/org/zelkan/zelkan",
                                  "--method",
                                  "org.gtk.Actions." + method};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back(method == "Activate" ? "[]" : "{}");
    if (method == "Activate") argv.push_back("{}");
    const CommandResult r = runCommand(argv, 2s, screen_->environment());
    if (!r.finished || r.exitCode != 0) fail(method + " " + args.front() + ": " + r.errors);
  }

  // Whether the game's action `name` is enabled (its menu item not greyed), as the desktop reads
  // it over the session bus.
  bool actionEnabled(const std::string& name) {
    const CommandResult r =
        runCommand({"gdbus", "call", "--session", "--dest", "org.zelkan.zelkan", "--object-path",
                    "/org/zelkan/zelkan", "--method", "org.gtk.Actions.Describe", name},
                   reactionLimit, screen_->environment());
    if (!r.finished || r.exitCode != 0) fail("Describe " + name + ": " + r.errors);
    return r.output.starts_with("((true,");
  }

  // The lines of dark text in a box (its button's among them), on the last screenshot.
  int textLines(const WindowInfo& box) const {
    int lines = 0;
    bool inLine = false;
    for (int y = std::max(0, box.y); y < box.y + box.height; ++y) {
      bool ink = false;
      for (int x = std::max(0, box.x); x < box.x + box.width && !ink; ++x) {
        const Rgb c = surfacePixel(lastScreen_.get(), x, y);
        ink = c.r < 100 && c.g < 100 && c.b < 100;
      }
      if (ink && !inLine) ++lines;
      inLine = ink;
    }
    return lines;
  }

  void expectEndsWithSuccess() {
    const std::optional<int> status = game_->waitForEnd(reactionLimit);
    ASSERT_TRUE(status) << "the game is still running";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "wait status " << *status;
  }

  static inline std::unique_ptr<VirtualScreen> screen_;
  fs::path root_;
  fs::path folder_;     // the copy of the program's folder
  fs::path elsewhere_;  // where the game is started from
  fs::path settings_;   // where the game keeps its settings, when not beside itself
  fs::path output_;     // screenshots and the game's output, kept for looking at
  std::unique_ptr<ChildProcess> game_;
  WindowInfo main_;
  SurfaceHolder lastScreen_;
  std::vector<int> menuX_;
  int menuY_ = 0;
  int scale_ = 1;  // the desktop's scale the game is started at
};

TEST_F(PlayTest, PlaysAgainstTheComputerOnAMachineWithoutSound) {
  // An audio driver that does not exist: no sound device, whatever this machine has.
  startGame({"SDL_AUDIODRIVER=zelkan-no-device"});

  // The sound failure is told once, before the window appears, and play goes on.
  const std::optional<WindowInfo> soundBox = screen_->waitForWindow({"Zelkan.dll"}, windowLimit);
  if (!soundBox) fail("no sound failure box");
  EXPECT_FALSE(screen_->findWindow({"Zelkan"})) << "the window came before the sound box";
  ASSERT_TRUE(screen_->answer(*soundBox, reactionLimit));
  waitForMainWindow();
  EXPECT_EQ(main_.x, -4);  // with no window manager, exactly where the game puts it
  EXPECT_EQ(main_.y, -4);
  EXPECT_EQ(main_.width, clientWidth);

  // Start-up: the stones in their rows, the frame, the title plate, and nothing in the panel.
  auto area = shootUntilBoard(
      "01-start", [](const std::string& map) { return map == startMap(false); }, windowLimit);
  EXPECT_EQ(boardMap(*area), startMap(false));
  EXPECT_TRUE(showsFrame(*area));
  EXPECT_TRUE(showsPicture(*area, Picture::RABERU, titleX(), titleY()));
  EXPECT_TRUE(backgroundOutside(*area, {boardBox(), titlePlateBox()}));
  findMenuBar();
  // No settings file yet: the defaults are written beside the program, not where it started.
  EXPECT_TRUE(settingsBecome(settingsFile(true, false)));
  EXPECT_FALSE(fs::exists(elsewhere_ / "Zelkan.ini"));

  // A click before a game asks for one.
  clickCell(10, 10);
  answerBox({"開始"});

  // 対COM > 先手: the player has black and the first move. The box says so over the new panel;
  // a click on a stone and a menu command behind the box are lost, not kept for later.
  choose(TAIKYOKU, 2, 1);
  const std::optional<WindowInfo> turnBox = screen_->waitForWindow({" "}, reactionLimit);
  if (!turnBox) fail("no box for the first move");
  area = shootUntil("02-game-started", [](const Canvas& a) {
    return static_cast<bool>(showsPicture(a, robo(1), robotX(), robotY()));
  });
  EXPECT_TRUE(showsPicture(*area, robo(1), robotX(), robotY()));
  EXPECT_TRUE(showsPicture(*area, Picture::KUROSOTO, cellPx(21), cellPy(6)));
  EXPECT_TRUE(showsPicture(*area, Picture::SIROSOTO, cellPx(21), cellPy(7)));
  EXPECT_EQ(inkedPixels(*area, moveLine(9)), 0) << "a move count before the first move";
  clickCell(10, 18);
  clickBar(SONOTA);
  ASSERT_TRUE(screen_->answer(*turnBox, reactionLimit));
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(at(boardMap(*shoot("02-box-answered")), 10, 18), 'B') << "the click was kept";
  EXPECT_FALSE(screen_->findWindow({"Zelkan"}, main_.id)) << "the menu command was kept";

  // By keyboard: the first arrow brings up the cursor on the middle cell; Return picks up the
  // stone under it and puts it down up the board. The computer answers within the same key.
  for (int i = 0; i < 9; ++i)
    screen_->pressKey(main_, "Down");
  screen_->pressKey(main_, "Return");
  area = shootUntilBoard("03-picked-up", [](const std::string& m) { return at(m, 10, 18) == 'S'; });
  EXPECT_EQ(at(boardMap(*area), 10, 18), 'S');
  EXPECT_EQ(framedCells(*area, cursorColour), "(10,18)");
  for (int i = 0; i < 6; ++i)
    screen_->pressKey(main_, "Up");
  screen_->pressKey(main_, "Return");
  const auto replied = [](const std::string& m) { return at(m, 10, 12) == 'B' && count(m, "w"); };
  // The robot stands waiting again once the computer's turn is over.
  const auto turnOver = [&](const Canvas& a) {
    return showsPicture(a, robo(1), robotX(), robotY()) && replied(boardMap(a));
  };
  const auto afterReply = shootUntil("04-computer-replied", turnOver);
  std::string map = boardMap(*afterReply);
  ASSERT_TRUE(replied(map)) << map;
  EXPECT_EQ(count(map, "bw"), 1) << "one latest-move mark\n" << map;
  EXPECT_EQ(count(map, "Bb"), stonesPerSide) << map;
  EXPECT_EQ(count(map, "Ww"), stonesPerSide) << map;
  EXPECT_EQ(at(map, 10, 18), '+') << "the stone left its cell\n" << map;
  EXPECT_TRUE(count(map, "+") > 0 && count(map, "-") > 0) << "no influence map\n" << map;
  EXPECT_GT(inkedPixels(*afterReply, moveLine(9)), 0) << "no move number";
  EXPECT_GT(inkedPixels(*afterReply, moveLine(10)), 0) << "no moves-left line";

  // 戻 takes the computer's move back: the player's move has the mark again.
  clickBar(MODORU);
  const auto steppedBack = [](const std::string& m) {
    return at(m, 10, 12) == 'b' && count(m, "w") == 0;
  };
  area = shootUntilBoard("05-back", steppedBack);
  map = boardMap(*area);
  EXPECT_TRUE(steppedBack(map)) << map;
  EXPECT_EQ(count(map, "W"), stonesPerSide) << map;
  EXPECT_FALSE(sameIn(*area, *afterReply, moveLine(9))) << "the move number did not change";

  // The next click only resumes: the computer, whose move was taken back, moves again.
  clickCell(10, 8);
  area = shootUntil("06-resumed", turnOver);
  map = boardMap(*area);
  EXPECT_TRUE(replied(map)) << map;
  EXPECT_EQ(count(map, "bw"), 1) << map;

  // H: the strong level's move is framed on its two cells; the next key takes it away.
  screen_->pressKey(main_, "h");
  const auto hinted = [](const Canvas& a) { return count(framedCells(a, hintColour), "(") == 2; };
  area = shootUntil("06-hint", hinted);
  EXPECT_TRUE(hinted(*area)) << framedCells(*area, hintColour);
  // The cursor left the board at the mouse click: the first arrow brings it back where it was.
  screen_->pressKey(main_, "Left");
  area = shootUntil("06-hint-gone",
                    [](const Canvas& a) { return framedCells(a, hintColour).empty(); });
  EXPECT_EQ(framedCells(*area, cursorColour), "(10,12)");

  // 途中判定: the count is animated on a cleared board, paced by waits that must not spin.
  const std::chrono::milliseconds processorBefore = processorTime(game_->pid());
  const Clock::time_point judgementStart = Clock::now();
  choose(KYOKUMEN, 2);
  area = shootUntilBoard("07-judging", [](const std::string& m) { return at(m, 10, 12) == '.'; });
  EXPECT_EQ(at(boardMap(*area), 10, 12), '.') << "the count does not start from a cleared board";
  // Titled as a judgement in the middle of the game, not as its end.
  const std::optional<WindowInfo> result = screen_->waitForWindow(
      {"途中判定：黒がリード", "途中判定：白がリード", "途中判定：互角"}, judgementLimit);
  ASSERT_TRUE(result) << "no judgement";
  const auto judgement = std::chrono::duration_cast<milliseconds>(Clock::now() - judgementStart);
  const milliseconds processor = processorTime(game_->pid()) - processorBefore;
  EXPECT_GT(judgement, 3s);
  EXPECT_LT(processor, judgement / 2) << "over " << judgement.count() << " ms";
  ASSERT_TRUE(screen_->answer(*result, reactionLimit));
  area = shootUntilBoard(
      "08-judged", [](const std::string& m) { return at(m, 10, 12) == 'B' && count(m, "+") > 0; });
  map = boardMap(*area);
  EXPECT_EQ(count(map, "Bb"), stonesPerSide) << map;
  EXPECT_EQ(count(map, "Ww"), stonesPerSide) << map;

  // 勢力表示 off: the tints go, the latest move gets its mark back; the file follows.
  choose(OPTION, 1);
  EXPECT_TRUE(settingsBecome(settingsFile(false, false)));
  const auto plain = [](const std::string& m) {
    return count(m, "+-") == 0 && count(m, "w") == 1 && count(m, "?S") == 0;
  };
  area = shootUntilBoard("09-influence-off", plain);
  EXPECT_TRUE(plain(boardMap(*area))) << boardMap(*area);

  // BGM on (silent here), then 勢力表示 on again.
  choose(OPTION, 2);
  EXPECT_TRUE(settingsBecome(settingsFile(false, true)));
  choose(OPTION, 1);
  EXPECT_TRUE(settingsBecome(settingsFile(true, true)));
  area = shootUntilBoard("10-influence-on", [](const std::string& m) {
    return count(m, "+") > 0 && count(m, "-") > 0 && count(m, "w") == 1;
  });
  map = boardMap(*area);
  EXPECT_TRUE(count(map, "+") > 0 && count(map, "-") > 0 && count(map, "w") == 1) << map;

  EXPECT_FALSE(screen_->findWindow({"Zelkan.dll"})) << "the sound failure was told again";

  // A: the review beside the game, over the main window here without a window manager. Its graph
  // shows both moves' marks with the end marked; a click on the first steps the board back to
  // the start, marking the move played and the better one; enlarged, the graph fills the
  // window's width; Escape closes it.
  screen_->pressKey(main_, "a");
  const std::optional<WindowInfo> review = screen_->waitForWindow({"検討"}, windowLimit);
  if (!review) fail("no review window");
  ReviewPicture graph;  // as it opens: the main window's width
  graph.rows.resize(2);
  const int top = reviewPlot(graph).top;
  const auto marked = [&](const Canvas& a, int k) {
    for (int y = top; y < clientHeight; ++y) {
      for (const MoveClass c : {MoveClass::best, MoveClass::good, MoveClass::inaccuracy,
                                MoveClass::mistake, MoveClass::blunder})
        if (a.pixel(reviewMoveX(graph, k), y) == palette[moveClassColour(c)]) return true;
    }
    return false;
  };
  area = shootUntil(
      "11-review", [&](const Canvas& a) { return marked(a, 0) && marked(a, 1); }, judgementLimit,
      &*review);
  EXPECT_TRUE(marked(*area, 0) && marked(*area, 1)) << "no marks on the graph";
  EXPECT_EQ(area->pixel(reviewMoveX(graph, 2), top + 1), palette[reviewCurrentColour]);
  screen_->click(review->x + reviewMoveX(graph, 0), review->y + top + 5);
  area = shootUntil(
      "11-review-jumped",
      [&](const Canvas& a) {
        return a.pixel(reviewMoveX(graph, 0), top + 1) == palette[reviewCurrentColour];
      },
      reactionLimit, &*review);
  screen_->resize(*review, 1100, 900);
  graph.width = 1100;
  scale_ = 2;  // a shot as large as the window
  const auto filled = [&](const Canvas& a) {
    return a.pixel(reviewPlot(graph).right - 2, top + 1) == palette[reviewPlotColour] &&
           a.pixel(reviewMoveX(graph, 0), top + 1) == palette[reviewCurrentColour] && marked(a, 1);
  };
  EXPECT_TRUE(filled(*shootUntil("11-review-enlarged", filled, reactionLimit, &*review)));
  scale_ = 1;
  screen_->pressKey(*review, "Escape");
  // There the move played is drawn along its column and the better one framed, until a key.
  const auto bothMarked = [](const Canvas& a) {
    return a.pixel(cellPx(10) + 11, cellPy(15) + 11) == palette[playedColour] &&
           std::ranges::count(framedCells(a, hintColour), '(') == 2;
  };
  EXPECT_TRUE(bothMarked(*shootUntil("12-reviewed-start", bothMarked)));
  screen_->pressKey(main_, "Left");
  area = shootUntilBoard("12-reviewed-start-unmarked",
                         [](const std::string& m) { return m == startMap(true); });
  EXPECT_EQ(boardMap(*area), startMap(true));

  // Escape ends the game at once; the game is kept beside the program, its two moves and all.
  screen_->pressKey(main_, "Escape");
  expectEndsWithSuccess();
  const std::vector<fs::path> kept = filesUnder(folder_ / "games");
  ASSERT_EQ(kept.size(), 1u);
  const std::string record = readFile(kept[0]);
  EXPECT_NE(record.find("mode computer\n"), std::string::npos) << record;
  EXPECT_NE(record.find("\n10 18 10 12\n"), std::string::npos) << record;
  EXPECT_EQ(std::ranges::count(record, '\n'), 7) << record;  // the format, 4 headers, 2 moves
}

TEST_F(PlayTest, StartsWithTheSavedOptionsAndPlaysMusic) {
  { std::ofstream(folder_ / "Zelkan.ini", std::ios::binary) << settingsFile(true, true); }
  const fs::path played = root_ / "played.raw";
  startGame({"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + played.string()});
  waitForMainWindow();
  EXPECT_FALSE(screen_->findWindow({"Zelkan.dll"})) << "a sound failure with a working device";

  // The influence map the file asks for is drawn at start-up.
  auto area = shootUntilBoard(
      "01-start", [](const std::string& map) { return map == startMap(true); }, windowLimit);
  EXPECT_EQ(boardMap(*area), startMap(true));
  findMenuBar();

  // The music the file asks for plays, and the file is left as it was.
  EXPECT_TRUE(soundsFrom(played, 0, reactionLimit)) << "no music";
  EXPECT_EQ(readFile(folder_ / "Zelkan.ini"), settingsFile(true, true));

  // The desktop sets an option's state: the board and the file follow, and back again.
  callGame("SetState", {"influence", "<false>"});
  EXPECT_TRUE(settingsBecome(settingsFile(false, true)));
  area = shootUntilBoard("01-influence-off",
                         [](const std::string& m) { return m == startMap(false); });
  EXPECT_EQ(boardMap(*area), startMap(false));
  callGame("SetState", {"influence", "<true>"});
  EXPECT_TRUE(settingsBecome(settingsFile(true, true)));
  // So do the cells' names, in the margins, gone again to the specified picture.
  const auto named = [this](const Canvas& a) {
    return inkedPixels(a, {visibleLeft(), 15, 17, 433}) > 100 &&
           inkedPixels(a, {25, 442, 444, 460}) > 100;
  };
  callGame("SetState", {"coordinates", "<true>"});
  EXPECT_TRUE(settingsBecome(settingsFile(true, true) + "\x8d\xc0\x95\x57\x95\x5c\x8e\xa6=ON\r\n"));
  EXPECT_TRUE(named(*shootUntil("01-coordinates", named)));
  callGame("SetState", {"coordinates", "<false>"});
  EXPECT_TRUE(settingsBecome(settingsFile(true, true)));
  area = shootUntil("01-coordinates-off", [&](const Canvas& a) { return !named(a); });
  EXPECT_TRUE(backgroundOutside(*area, {boardBox(), titlePlateBox()}));

  // Commands never nest: one sent while another's box is open is dropped, not run behind it.
  callGame("Activate", {"two-players"});
  const std::optional<WindowInfo> turnBox = screen_->waitForWindow({" "}, reactionLimit);
  if (!turnBox) fail("no box for the two players' game");
  callGame("Activate", {"computer-first"});
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(screen_->windows({" "}).size(), 1u);
  ASSERT_TRUE(screen_->answer(*turnBox, reactionLimit));
  area = shootUntil("01-two-players", [](const Canvas& a) {
    return static_cast<bool>(showsPicture(a, robo(0), robotX(), robotY()));
  });
  EXPECT_EQ(boardMap(*area), startMap(true)) << "the computer moved";
  EXPECT_TRUE(showsPicture(*area, robo(0), robotX(), robotY())) << "not a two players' game";

  // BGM off: the file says so, and after the buffers in flight the device plays silence.
  choose(OPTION, 2);
  ASSERT_TRUE(settingsBecome(settingsFile(true, false)));
  const std::uintmax_t inFlight = 16 * 1024;
  const std::uintmax_t from = sizeOf(played) + inFlight;
  const Clock::time_point silenceDeadline = Clock::now() + reactionLimit;
  while (sizeOf(played) < from + bytesPerSecond / 2 && Clock::now() < silenceDeadline)
    std::this_thread::sleep_for(50ms);
  const std::vector<std::int16_t> after = samplesFrom(played, from);
  EXPECT_GE(after.size(), bytesPerSecond / 4) << "the device stopped";
  EXPECT_TRUE(std::ranges::all_of(after, [](std::int16_t s) { return s == 0; }))
      << "the music goes on";

  ASSERT_NO_FATAL_FAILURE(openAboutBox(played));

  // 強さ > 強い is kept in the file; as black the strong computer opens the game.
  choose(OPTION, 3, 3);
  EXPECT_TRUE(settingsBecome(settingsFile(true, false) + "\x8b\xad\x82\xb3=\x8b\xad\x82\xa2\r\n"));
  // "開く" sent while the computer thinks waits for its move, and changes nothing when cancelled.
  choose(TAIKYOKU, 2, 2);
  callGame("Activate", {"open"});
  const auto opened = [](const std::string& m) {
    return count(m, "b") == 1 && count(m, "W") == 38;
  };
  const std::optional<WindowInfo> chooser = screen_->waitForWindow({"開く"}, reactionLimit);
  if (!chooser) fail("no file chooser after the computer's move");
  screen_->pressKey(*chooser, "Escape");
  EXPECT_TRUE(screen_->waitForCount("開く", 0, reactionLimit));
  EXPECT_TRUE(opened(boardMap(*shootUntilBoard("02-strong-opening", opened))));

  // 対局 > 終了 ends the game at once.
  choose(TAIKYOKU, 3);
  expectEndsWithSuccess();
}

// At a desktop scale of 2 the window keeps its size in the desktop's units and shows the image
// drawn at that scale pixel for pixel; clicks find their cells as at scale 1.
// Game records: one named on the command line opens at its last position, "戻" steps back
// through it, and Ctrl+S saves it as it came; a second start hands its file to the running game
// and ends, and a bad record is told in a box and leaves the board alone. --help and --version
// answer on the terminal.
TEST_F(PlayTest, OpensSavesAndTakesOverGameRecords) {
  const std::string program = (folder_ / "zelkan").string();
  std::vector<std::string> environment = screen_->environment();
  environment.insert(environment.end(),
                     {"LC_ALL=en_US.UTF-8", "LANGUAGE", "ASAN_OPTIONS=detect_leaks=0",
                      "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=/dev/null"});
  const CommandResult help = runCommand({program, "--help"}, reactionLimit, environment);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("[FILE]"), std::string::npos) << help.output;
  EXPECT_NE(help.output.find("--version"), std::string::npos) << help.output;
  EXPECT_EQ(runCommand({program, "--version"}, reactionLimit, environment).output, "zelkan 1.0\n");
  EXPECT_FALSE(fs::exists(folder_ / "Zelkan.ini")) << "an answer on the terminal left a trace";

  const std::string game = "zelkan-record 1\nmode two\n10 18 10 12\n10 2 10 8\n";
  std::ofstream(elsewhere_ / "first.zelkan") << game + "3 18 3 14\n";
  std::ofstream(elsewhere_ / "second.zelkan") << game;
  std::ofstream(elsewhere_ / "bad.zelkan") << "zelkan-record 1\n10 18 10 12\n10 18 10 12\n";
  startGame(environment, {}, {"first.zelkan"});  // found from where the game was started
  waitForMainWindow("first.zelkan - Zelkan");
  const auto opened = [](const std::string& m) {
    return at(m, 10, 12) == 'B' && at(m, 10, 8) == 'W' && at(m, 3, 14) == 'b';
  };
  auto area = shootUntilBoard("01-opened", opened, windowLimit);
  ASSERT_TRUE(opened(boardMap(*area))) << boardMap(*area);
  findMenuBar();
  clickBar(MODORU);
  const auto back = [](const std::string& m) { return at(m, 3, 18) == 'B' && at(m, 3, 14) != 'b'; };
  area = shootUntilBoard("02-back", back);
  EXPECT_TRUE(back(boardMap(*area))) << boardMap(*area);

  // Save As: the file chooser, the whole name typed over the one offered (an "h" in it is no
  // hint). Then the game's file is that one, and Save writes it again without a question.
  screen_->pressKey(main_, "shift+ctrl+s");
  const std::optional<WindowInfo> chooser = screen_->waitForWindow({"Save"}, reactionLimit);
  if (!chooser) fail("no file chooser");
  screen_->pressKey(*chooser, "ctrl+a");
  screen_->type(*chooser, (elsewhere_ / "saved here.zelkan").string());
  screen_->pressKey(*chooser, "Return");
  const Clock::time_point deadline = Clock::now() + reactionLimit;
  while (readFile(elsewhere_ / "saved here.zelkan").empty() && Clock::now() < deadline)
    std::this_thread::sleep_for(100ms);
  EXPECT_EQ(readFile(elsewhere_ / "saved here.zelkan"), game + "3 18 3 14\n");
  waitForMainWindow("saved here.zelkan - Zelkan");
  fs::remove(elsewhere_ / "saved here.zelkan");
  screen_->pressKey(main_, "ctrl+s");
  while (readFile(elsewhere_ / "saved here.zelkan").empty() && Clock::now() < deadline)
    std::this_thread::sleep_for(100ms);
  EXPECT_EQ(readFile(elsewhere_ / "saved here.zelkan"), game + "3 18 3 14\n");
  EXPECT_FALSE(screen_->findWindow({"Save"})) << "Save asked again";

  const CommandResult second =
      runCommand({program, (elsewhere_ / "second.zelkan").string()}, reactionLimit, environment);
  EXPECT_TRUE(second.finished && second.exitCode == 0) << second.errors;
  const auto handed = [](const std::string& m) {
    return at(m, 10, 8) == 'w' && at(m, 3, 18) == 'B';
  };
  area = shootUntilBoard("03-handed-over", handed);
  const std::string map = boardMap(*area);
  EXPECT_TRUE(handed(map)) << map;
  EXPECT_EQ(screen_->windows({"second.zelkan - Zelkan"}).size(), 1u) << "a second game";

  runCommand({program, (elsewhere_ / "bad.zelkan").string()}, reactionLimit, environment);
  const std::optional<WindowInfo> box = screen_->waitForWindow({"Open"}, reactionLimit);
  if (!box) fail("no box for a bad record");
  EXPECT_TRUE(screen_->answer(*box, reactionLimit));
  EXPECT_EQ(boardMap(*shoot("04-bad-record")), map);

  // Learn from Mistakes: against the computer, the board set to the position before the player's
  // first mistake, as the engine's review names it; its better move, tried, is framed as found.
  const fs::path give = elsewhere_ / "give.zelkan";
  std::ofstream(give) << "zelkan-record 1\nmode computer\ncomputer white\n"
                         "1 18 1 12\n9 2 9 3\n10 18 10 3\n11 2 11 3\n";
  const std::string engine = (fs::path(ZELKAN_PROGRAM_FOLDER) / "zelkan-engine").string();
  std::istringstream rows(
      runCommand({"sh", "-c", "printf 'loadgame %s\\nanalyse\\n' \"$1\" | \"$2\"", "sh",
                  give.string(), engine},
                 reactionLimit)
          .output);
  std::vector<int> mistake;  // the move's number, then the better move
  for (std::string line; std::getline(rows, line) && mistake.empty();) {
    std::istringstream words(line.starts_with("= ") ? line.substr(2) : line);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    if (w.size() == 13 && std::stoi(w[0]) % 2 == 1 && (w[12] == "mistake" || w[12] == "blunder"))
      mistake = {std::stoi(w[0]), std::stoi(w[6]), std::stoi(w[7]), std::stoi(w[8]),
                 std::stoi(w[9])};
  }
  ASSERT_EQ(mistake.size(), 5u) << "black has no mistake to practise";
  const auto before = std::make_unique<GameState>();
  初期設定(*before);
  before->turnColour = cellBlack;
  before->otherColour = cellWhite;
  const int played[][4] = {{1, 18, 1, 12}, {9, 2, 9, 3}, {10, 18, 10, 3}};
  for (int k = 0; k + 1 < mistake[0]; ++k) {
    completeMove(*before, played[k][0], played[k][1], played[k][2], played[k][3]);
    std::swap(before->turnColour, before->otherColour);
  }
  runCommand({program, give.string()}, reactionLimit, environment);
  waitForMainWindow("give.zelkan - Zelkan");
  screen_->pressKey(main_, "a");
  std::optional<WindowInfo> review = screen_->waitForWindow({"Review"}, windowLimit);
  if (!review) fail("no review window");
  ReviewPicture graph;
  graph.rows.resize(4);
  const auto reviewed = [&](const Canvas& a) {  // every move's mark on the graph
    for (int k = 0; k < 4; ++k) {
      bool mark = false;
      for (int y = reviewPlot(graph).top; y < clientHeight && !mark; ++y) {
        for (const MoveClass c : {MoveClass::best, MoveClass::good, MoveClass::inaccuracy,
                                  MoveClass::mistake, MoveClass::blunder})
          mark = mark || a.pixel(reviewMoveX(graph, k), y) == palette[moveClassColour(c)];
      }
      if (!mark) return false;
    }
    return true;
  };
  EXPECT_TRUE(reviewed(*shootUntil("05-reviewed", reviewed, judgementLimit, &*review)));
  const Clock::time_point practiceDeadline = Clock::now() + judgementLimit;
  std::optional<WindowInfo> board;  // the practice board, found below its text
  while (!board && Clock::now() < practiceDeadline) {
    screen_->pressKey(*review, "alt+l");
    std::this_thread::sleep_for(200ms);
    shoot("05-practice", review->x, review->y);
    for (int off = 0; off < 120 && !board; ++off) {
      if (boardMap(*lastShotAt(review->x, review->y + off)) == positionMap(before->board, false)) {
        board = *review;
        board->y += off;
      }
    }
  }
  if (!board) fail("no practice board at the position before the mistake");
  for (int i = 1; i < 5; i += 2)
    screen_->click(board->x + cellPx(mistake[i]) + cellPictureSize / 2,
                   board->y + cellPy(mistake[i + 1]) + cellPictureSize / 2);
  const auto found = [](const Canvas& a) {
    return std::ranges::count(framedCells(a, hintColour), '(') == 2;
  };
  EXPECT_TRUE(found(*shootUntil("05-found", found, judgementLimit, &*board)));
  screen_->pressKey(*review, "Escape");
}

TEST_F(PlayTest, DrawsAtTheDesktopsScale) {
  screen_ = std::make_unique<VirtualScreen>("2560x1600x24");  // room for the doubled window
  scale_ = 2;
  fs::create_symlink("notes.txt", folder_ / "Zelkan.ini");  // start-up writes nothing through it
  startGame({"GDK_SCALE=2", "SDL_AUDIODRIVER=disk",
             "SDL_DISKAUDIOFILE=" + (root_ / "played.raw").string()});
  waitForMainWindow();
  EXPECT_EQ(main_.width, clientWidth * scale_);

  auto state = std::make_unique<GameState>();
  Canvas expected(scale_);
  初期設定(*state, expected);
  drawBoardFrame(expected);
  描画_盤(expected, state->board);
  drawTitlePlate(expected);
  const Box visible{visibleLeft(), 0, expected.width(), expected.height()};
  auto area = shootUntil(
      "01-start", [&](const Canvas& a) { return sameIn(a, expected, visible); }, windowLimit);
  EXPECT_TRUE(sameIn(*area, expected, visible));

  // A game for two: the click on a black stone picks it up.
  findMenuBar();
  choose(TAIKYOKU, 1);
  answerBox({" "});
  描画_石決(expected, 10, 18, cellBlack);
  const Box cell{cellPx(10) * scale_, cellPy(18) * scale_, (cellPx(10) + cellPictureSize) * scale_,
                 (cellPy(18) + cellPictureSize) * scale_};
  clickCell(10, 18);
  area = shootUntil("02-picked-up", [&](const Canvas& a) { return sameIn(a, expected, cell); });
  EXPECT_TRUE(sameIn(*area, expected, cell));

  screen_->pressKey(main_, "Escape");
  expectEndsWithSuccess();
  EXPECT_TRUE(fs::is_symlink(folder_ / "Zelkan.ini") && !fs::exists(folder_ / "notes.txt"));

  // At scale 1, the window made twice as large shows the same picture; at 1.5 and 2 times, a
  // click on each corner pixel of a cell picks that cell; under a window manager, F11 fills the
  // screen and brings back the size before it.
  scale_ = 1;
  startGame({"SDL_AUDIODRIVER=dummy"});
  waitForMainWindow();
  shootUntil(
      "03-specified", [&](const Canvas& a) { return boardMap(a) == startMap(false); }, windowLimit);
  findMenuBar();
  const int bar = main_.height - clientHeight;
  const auto resizeTo = [&](double zoom, const std::string& name) {
    const int width = static_cast<int>(clientWidth * zoom);
    const int height = static_cast<int>(clientHeight * zoom);
    screen_->resize(main_, width, height + bar);
    const Clock::time_point deadline = Clock::now() + reactionLimit;
    while (main_.width != width && Clock::now() < deadline) {
      std::this_thread::sleep_for(100ms);
      main_ = screen_->findWindow({"Zelkan"}).value_or(main_);
    }
    if (main_.width != width) fail(name + ": the window kept its size");
    return fitImage(width, height, 1);
  };
  Fit fit = resizeTo(2, "04-double");
  scale_ = 2;  // the area is the client area's size at scale 2
  Canvas start(scale_);
  初期設定(*state, start);
  drawBoardFrame(start);
  描画_盤(start, state->board);
  drawTitlePlate(start);
  area = shootUntil(
      "04-double", [&](const Canvas& a) { return sameIn(a, start, visible); }, windowLimit);
  EXPECT_TRUE(sameIn(*area, start, visible)) << "not the picture of a desktop of scale 2";
  choose(TAIKYOKU, 1);
  answerBox({" "});
  for (const double zoom : {2.0, 1.5}) {
    if (zoom != 2) fit = resizeTo(zoom, "05-one-and-a-half");
    const auto at = [&](double cx, double cy) {  // a point of the image, on the screen
      return std::pair{main_.x + static_cast<int>(fit.x + cx * fit.zoom),
                       (main_.y + bar) + static_cast<int>(fit.y + cy * fit.zoom)};
    };
    const auto picks = [&](int px, int py, int x, int y) {
      const TwipsPoint p = twipsAt(fit, px - main_.x, py - (main_.y + bar));
      return std::floor((p.x - boardLeft) / cellWidth) == x &&
             std::floor((p.y - boardTop) / cellHeight) == y;
    };
    for (const auto& [x, y] : {std::pair{10, 18}, {3, 19}}) {
      // The screen pixels of the cell's row and column through its middle that pick it.
      const auto [midX, midY] = at(cellPx(x) + 11, cellPy(y) + 11);
      const auto [fromX, fromY] = at(cellPx(x) - 2, cellPy(y) - 2);
      std::vector<int> xs, ys;
      for (int p = fromX; p < fromX + 28 * fit.zoom; ++p)
        if (picks(p, midY, x, y)) xs.push_back(p);
      for (int p = fromY; p < fromY + 28 * fit.zoom; ++p)
        if (picks(midX, p, x, y)) ys.push_back(p);
      ASSERT_FALSE(xs.empty() || ys.empty());
      // Each corner picks the stone up, from the other stone picked up before it: the cell
      // then looks otherwise than it did.
      const auto [otherX, otherY] =
          at(cellPx(x == 10 ? 3 : 10) + 11, cellPy(x == 10 ? 19 : 18) + 11);
      const auto changed = [&](const SurfaceHolder& before) {
        int differ = 0;
        for (int py = ys.front(); py <= ys.back(); ++py) {
          for (int px = xs.front(); px <= xs.back(); ++px) {
            const Rgb a = surfacePixel(before.get(), px, py);
            const Rgb b = surfacePixel(lastScreen_.get(), px, py);
            differ += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 24;
          }
        }
        return differ > 20;
      };
      for (const int px : {xs.front(), xs.back()}) {
        for (const int py : {ys.front(), ys.back()}) {
          screen_->click(otherX, otherY);
          std::this_thread::sleep_for(500ms);
          const SurfaceHolder before = screen_->screenshot(output_ / "06-other.png");
          screen_->click(px, py);
          const std::string name = "06-corner-" + std::to_string(px) + "-" + std::to_string(py);
          shootUntil(name, [&](const Canvas&) { return changed(before); });
          EXPECT_TRUE(changed(before)) << zoom << ": (" << px << ", " << py << ")";
        }
      }
    }
  }
  resizeTo(1.5, "07-before-full");
  // Its session and cache files in the test's own folder, as everything else.
  std::vector<std::string> managerEnvironment = screen_->environment();
  managerEnvironment.push_back("HOME=" + root_.string());
  managerEnvironment.push_back("XDG_CACHE_HOME=" + (root_ / "cache").string());
  managerEnvironment.push_back("XDG_CONFIG_HOME=" + (root_ / "config").string());
  const ChildProcess manager({{"openbox"}, ".", managerEnvironment, output_ / "openbox.log"});
  ASSERT_TRUE(screen_->waitForWindowManager(main_, windowLimit));
  const WindowInfo before = main_;
  screen_->pressKey(main_, "F11");
  const auto sizeBecomes = [&](int width, int height) {
    const Clock::time_point deadline = Clock::now() + reactionLimit;
    for (;;) {
      main_ = screen_->findWindow({"Zelkan"}).value_or(main_);
      if ((main_.width == width && main_.height == height) || Clock::now() >= deadline)
        return main_.width == width && main_.height == height;
      std::this_thread::sleep_for(100ms);
    }
  };
  EXPECT_TRUE(sizeBecomes(2560, 1600)) << main_.width << " x " << main_.height;
  screen_->screenshot(output_ / "08-full-screen.png");
  screen_->pressKey(main_, "F11");
  EXPECT_TRUE(sizeBecomes(before.width, before.height)) << main_.width << " x " << main_.height;
  screen_->pressKey(main_, "Escape");
  expectEndsWithSuccess();
}

// A desktop's language, and the titles of the boxes the game shows in it.
// The game as a screen reader reads it: the accessible objects of the game's window over the
// accessibility bus, which the screen's session bus starts as a desktop's does.
class ScreenReader {
 public:
  explicit ScreenReader(const std::vector<std::string>& environment) {
    for (const std::string& change : environment) {
      const std::size_t eq = change.find('=');
      if (change.starts_with("DBUS_SESSION_BUS_ADDRESS=") || change.starts_with("DISPLAY="))
        setenv(change.substr(0, eq).c_str(), change.substr(eq + 1).c_str(), 1);
    }
    atspi_init();
  }
  // The first object under `from` (depth first) with `role` whose name `named` takes.
  static AtspiAccessible* find(AtspiAccessible* from, AtspiRole role,
                               const std::function<bool(const std::string&)>& named) {
    if (atspi_accessible_get_role(from, nullptr) == role && named(name(from)))
      return static_cast<AtspiAccessible*>(g_object_ref(from));
    const int n = atspi_accessible_get_child_count(from, nullptr);
    for (int i = 0; i < n && role != ATSPI_ROLE_TABLE_CELL; ++i) {
      AtspiAccessible* child = atspi_accessible_get_child_at_index(from, i, nullptr);
      AtspiAccessible* found = child != nullptr ? find(child, role, named) : nullptr;
      if (child != nullptr) g_object_unref(child);
      if (found != nullptr) return found;
    }
    return nullptr;
  }
  AtspiAccessible* game() const {
    AtspiAccessible* desktop = atspi_get_desktop(0);
    AtspiAccessible* app = find(desktop, ATSPI_ROLE_APPLICATION,
                                [](const std::string& n) { return n == "org.zelkan.zelkan"; });
    g_object_unref(desktop);
    return app;
  }
  static std::string name(AtspiAccessible* a, bool description = false) {
    atspi_accessible_clear_cache(a);
    gchar* n = description ? atspi_accessible_get_description(a, nullptr)
                           : atspi_accessible_get_name(a, nullptr);
    std::string s = n != nullptr ? n : "";
    g_free(n);
    return s;
  }
  static void press(AtspiAccessible* a) {
    AtspiAction* action = atspi_accessible_get_action_iface(a);
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(atspi_action_do_action(action, 0, nullptr));
    g_object_unref(action);
  }
  // The tree as a screen reader walks it, each object's role and name; of a grid its first cells.
  static void print(AtspiAccessible* a, int depth = 0) {
    gchar* role = atspi_accessible_get_role_name(a, nullptr);
    const std::string description = name(a, true);
    std::cout << std::string(2 * depth, ' ') << role << " \"" << name(a) << "\""
              << (description.empty() ? "" : " (" + description + ")") << "\n";
    g_free(role);
    const int n = atspi_accessible_get_child_count(a, nullptr);
    const bool grid = atspi_accessible_get_role(a, nullptr) == ATSPI_ROLE_TABLE;
    for (int i = 0; i < n; ++i) {
      if (grid && i == 3) std::cout << std::string(2 * depth + 2, ' ') << "...\n";
      if (grid && i >= 3 && i < n - 2) continue;
      AtspiAccessible* child = atspi_accessible_get_child_at_index(a, i, nullptr);
      print(child, depth + 1);
      g_object_unref(child);
    }
  }
};

// Until `done` holds, at most `limit`; events for this process's listeners are handled meanwhile.
bool waitUntil(const std::function<bool()>& done, milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(100ms);
  }
}

// Debian's screen reader, Orca, on the screen's session bus, its speech written to a log: what
// it says is what a player who cannot see the board hears. Orca writes its log in blocks, so the
// log is read once Orca has ended.
class Orca {
 public:
  Orca(const std::vector<std::string>& environment, const fs::path& folder)
      : environment_(environment), log_(folder / "orca.log") {
    Launch launch;
    launch.argv = {"orca",
                   "--replace",
                   "--disable=braille,braille-monitor",
                   "-u",
                   (folder / "orca-settings").string(),
                   "--debug-file=" + log_.string()};
    launch.environment = environment;
    // What it speaks is logged; no speech server is started to say it aloud (one started here
    // would wait for a sound device the screen does not have), nor is a braille display looked
    // for.
    launch.environment.push_back("SPEECHD_CMD=/bin/false");
    // Marked as the bus's own, so the bus takes down whatever it starts.
    for (const std::string& e : environment) {
      if (e.starts_with("XDG_RUNTIME_DIR="))
        launch.environment.push_back("ZELKAN_SESSION=" + e.substr(e.find('=') + 1));
    }
    launch.output = folder / "orca.out";
    launch.deathSignal = SIGTERM;
    process_ = std::make_unique<ChildProcess>(launch);
  }
  ~Orca() { end(); }

  // Whether Orca listens: the accessibility bus's registry lists the events it asked for.
  bool listening() const {
    const CommandResult bus =
        runCommand({"gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                    "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"},
                   10s, environment_);
    const std::size_t open = bus.output.find('\'');
    if (open == std::string::npos) return false;
    const std::string address =
        bus.output.substr(open + 1, bus.output.find('\'', open + 1) - open - 1);
    return runCommand({"gdbus", "call", "--address", address, "--dest", "org.a11y.atspi.Registry",
                       "--object-path", "/org/a11y/atspi/registry", "--method",
                       "org.a11y.atspi.Registry.GetRegisteredEvents"},
                      10s, environment_)
               .output.find("Object:StateChanged:Showing") != std::string::npos;
  }

  // Ends Orca, which writes out the rest of its log; every sentence it spoke, in order.
  std::vector<std::string> end() {
    if (process_) {
      // Asked to end, it takes its leave of every application on the bus, this one too: this
      // process answers meanwhile.
      ::kill(process_->pid(), SIGTERM);
      if (!waitUntil([&] { return process_->waitForEnd(0ms).has_value(); }, 60s)) process_->kill();
    }
    process_.reset();
    std::vector<std::string> lines;
    std::istringstream in(readFile(log_));
    static const std::string mark = "SPEECH OUTPUT: '";
    for (std::string line; std::getline(in, line);) {
      const std::size_t at = line.find(mark);
      if (at == std::string::npos) continue;
      // 'the sentence'{'its voice'...}, or 'a key ' {...}
      const std::string said = line.substr(at + mark.size());
      const std::size_t end = said.rfind('\'', said.find("{'"));
      lines.push_back(said.substr(0, end));
    }
    return lines;
  }

 private:
  std::vector<std::string> environment_;
  fs::path log_;
  std::unique_ptr<ChildProcess> process_;
};

// The first sentence from `from` on that holds every one of `parts`: its index, or the count.
std::size_t spokenAt(const std::vector<std::string>& spoken, std::size_t from,
                     const std::vector<std::string>& parts) {
  for (std::size_t i = from; i < spoken.size(); ++i) {
    if (std::ranges::all_of(parts, [&](const std::string& part) {
          return spoken[i].find(part) != std::string::npos;
        }))
      return i;
  }
  return spoken.size();
}

// The events assistive technology hears of one kind, as the names of the objects they name.
class Heard {
 public:
  explicit Heard(const char* type) {
    listener_ = atspi_event_listener_new(
        [](AtspiEvent* event, void* self) {
          AtspiAccessible* about = event->source;
          if (G_VALUE_HOLDS(&event->any_data, ATSPI_TYPE_ACCESSIBLE))
            about = static_cast<AtspiAccessible*>(g_value_get_object(&event->any_data));
          // A state heard set, or a descendant made active.
          const bool gained = event->detail1 != 0 || about != event->source;
          if (about != nullptr && gained)
            static_cast<Heard*>(self)->names.push_back(ScreenReader::name(about));
          g_boxed_free(atspi_event_get_type(), event);
        },
        this, nullptr);
    atspi_event_listener_register(listener_, type, nullptr);
    type_ = type;
  }
  ~Heard() {
    atspi_event_listener_deregister(listener_, type_.c_str(), nullptr);
    g_object_unref(listener_);
  }
  std::vector<std::string> names;

 private:
  AtspiEventListener* listener_;
  std::string type_;
};

// A game against the computer near its end, played by ear with Orca: every cell named, two moves
// made with the arrow keys and Return and one typed, each heard with the computer's reply, what
// it took and whose turn it is; the cursor's cell heard taking the focus; the boxes at the end
// answered by their buttons.
TEST_F(PlayTest, APlayerWhoCannotSeeTheBoardPlaysToTheEndByEarWithOrca) {
  {  // 94 moves of two stones stepping out and back, then out: A3 black's, A17 white's
    std::ofstream record(folder_ / "end.zelkan");
    record << "zelkan-record 1\nmode computer\ncomputer white\n";
    for (int i = 0; i < 23; ++i)
      record << "1 18 1 17\n1 2 1 3\n1 17 1 18\n1 3 1 2\n";
    record << "1 18 1 17\n1 2 1 3\n";
  }
  startGame({"NO_AT_BRIDGE", "SDL_AUDIODRIVER=dummy"}, {}, {(folder_ / "end.zelkan").string()});
  const ScreenReader reader(screen_->environment());
  Orca orca(screen_->environment(), output_);
  AtspiAccessible* app = nullptr;
  AtspiAccessible* board = nullptr;
  ASSERT_TRUE(waitUntil(
      [&] {
        if (app == nullptr) app = reader.game();
        if (app != nullptr && board == nullptr)
          board = ScreenReader::find(app, ATSPI_ROLE_DOCUMENT_SPREADSHEET,
                                     [](auto& n) { return n == "盤"; });
        return board != nullptr && ScreenReader::name(board, true).starts_with("手数 94");
      },
      windowLimit));
  ScreenReader::print(app);
  ASSERT_EQ(atspi_accessible_get_child_count(board, nullptr), 2);
  AtspiAccessible* grid = atspi_accessible_get_child_at_index(board, 0, nullptr);
  AtspiAccessible* status = atspi_accessible_get_child_at_index(board, 1, nullptr);
  ASSERT_EQ(atspi_accessible_get_child_count(grid, nullptr), 19 * 19);
  std::map<std::string, AtspiAccessible*> named;  // "K10": the cell
  for (int i = 0; i < 19 * 19; ++i) {
    AtspiAccessible* c = atspi_accessible_get_child_at_index(grid, i, nullptr);
    named[ScreenReader::name(c).substr(0, ScreenReader::name(c).find("、"))] = c;
  }
  EXPECT_EQ(named.size(), 361u) << "every cell has a name of its own";
  AtspiTable* table = atspi_accessible_get_table_iface(grid);
  // Rows and columns are counted as the names count them: J10 is row 10, column 9.
  AtspiAccessible* j10 = atspi_table_get_accessible_at(table, 9, 8, nullptr);
  EXPECT_EQ(ScreenReader::name(j10), "J10、空き");
  ASSERT_TRUE(waitUntil([&] { return orca.listening(); }, windowLimit));
  // What Orca must have said, in order, each sentence told by its parts; checked at the end.
  std::vector<std::vector<std::string>> toHear{{"手数 94"}};
  const auto announced = [&](const std::vector<std::string>& parts) {
    toHear.push_back(parts);
    return waitUntil(
        [&] {
          const std::string now = ScreenReader::name(status);
          return std::ranges::all_of(
              parts, [&](const std::string& p) { return now.find(p) != std::string::npos; });
        },
        reactionLimit);
  };
  const auto focused = [&](AtspiAccessible* cell) {
    AtspiStateSet* states = atspi_accessible_get_state_set(cell);
    const bool on = atspi_state_set_contains(states, ATSPI_STATE_FOCUSED);
    g_object_unref(states);
    return on;
  };

  // The keyboard's cursor comes up on K10 and moves to J10, off the diagonal: the focus and the
  // active cell go with it, as events.
  waitForMainWindow("end.zelkan - Zelkan");
  {
    const Heard focus("object:state-changed:focused");
    const Heard descendant("object:active-descendant-changed");
    screen_->pressKey(main_, "Down");
    std::this_thread::sleep_for(300ms);  // at a player's pace: Orca speaks each cell reached
    screen_->pressKey(main_, "Left");
    EXPECT_TRUE(waitUntil(
        [&] {
          return std::ranges::count(focus.names, "J10、空き") == 1 &&
                 std::ranges::count(descendant.names, "J10、空き") == 1;
        },
        reactionLimit));
  }
  // Where J10 is drawn, for a magnifier or a mouse review: the box a click on it hits.
  AtspiComponent* box = atspi_accessible_get_component_iface(j10);
  AtspiRect* drawn = atspi_component_get_extents(box, ATSPI_COORD_TYPE_SCREEN, nullptr);
  const int middle = cellPictureSize / 2;
  const Box cellBox{drawn->x, drawn->y, drawn->x + drawn->width, drawn->y + drawn->height};
  EXPECT_TRUE(cellBox.holds(areaX() + (cellPx(9) + middle) * scale_,
                            areaY() + (cellPy(10) + middle) * scale_))
      << drawn->x << "," << drawn->y << " " << drawn->width << " x " << drawn->height;
  g_free(drawn);
  g_object_unref(box);
  int cursorX = 9, cursorY = 10;  // the engine's numbers
  // One key at a time, at a player's pace. Orca speaks the cell reached, never a row: of a quick
  // run of keys it may speak only the last, but no cell the cursor did not reach.
  std::set<std::string> reached{"K10", "J10"};
  const auto moveCursorTo = [&](int x, int y) {
    while (cursorX != x || cursorY != y) {
      const char* key = nullptr;
      if (cursorX != x) {
        key = cursorX < x ? "Right" : "Left";
        cursorX += cursorX < x ? 1 : -1;
      } else {
        key = cursorY < y ? "Down" : "Up";
        cursorY += cursorY < y ? 1 : -1;
      }
      std::this_thread::sleep_for(300ms);
      screen_->pressKey(main_, key);
      const std::string name = cellName(cursorX, cursorY);
      ASSERT_TRUE(waitUntil([&] { return focused(named.at(name)); }, reactionLimit)) << name;
      reached.insert(name);
    }
    toHear.push_back({cellName(x, y) + "、"});
  };
  // A black stone of the front row that can step up, and the cells of that move.
  const auto stepUp = [&] {
    char column = 'A';
    while (
        ScreenReader::name(named.at(column + std::string("2"))).find("黒石") == std::string::npos ||
        ScreenReader::name(named.at(column + std::string("3"))).find("空き") == std::string::npos)
      column += column == 'H' ? 2 : 1;
    return std::pair{column + std::string("2"), column + std::string("3")};
  };

  // Black B2 to B17: white takes it at once, C19 to C17.
  moveCursorTo(2, 18);
  screen_->pressKey(main_, "Return");
  ASSERT_TRUE(announced({"B2 の石を選びました"}));
  moveCursorTo(2, 3);
  screen_->pressKey(main_, "Return");
  ASSERT_TRUE(announced({"黒 B2→B17", "白 C19→C17、B17 を取る", "あなたの番です"}))
      << "the move, the reply, what it took and whose turn it is: " << ScreenReader::name(status);
  EXPECT_TRUE(ScreenReader::name(named.at("B17")).starts_with("B17、空き"));

  // A stone of the front row steps up by the keys, then another by typing its move.
  for (const bool typed : {false, true}) {
    const auto [from, to] = stepUp();
    if (typed) {
      screen_->pressKey(main_, "m");
      const std::optional<WindowInfo> entry = screen_->waitForWindow({"手の入力"}, reactionLimit);
      ASSERT_TRUE(entry);
      screen_->type(*entry, from + "-" + to);
      screen_->pressKey(*entry, "Return");
      toHear.push_back({"黒 " + from + "→" + to});
      break;  // the reply ends the game
    }
    moveCursorTo(from[0] - 'A' + (from[0] > 'I' ? 0 : 1), 18);
    screen_->pressKey(main_, "Return");
    moveCursorTo(cursorX, 17);
    screen_->pressKey(main_, "Return");
    ASSERT_TRUE(announced({"黒 " + from + "→" + to, "白 ", "あなたの番です"}))
        << ScreenReader::name(status);
  }
  // Move 100 ends the game: the end, the judgement with its scores, and the question, each a box
  // answered with Return; Yes starts afresh, and Escape ends the game.
  answerBox({"対局"});
  ASSERT_TRUE(announced({"黒：["})) << "the judgement's scores: " << ScreenReader::name(status);
  answerBox({"COMの勝ち！！", "MANの勝ち！！", "引き分け！！"});
  answerBox({"対局"});
  ASSERT_TRUE(announced({"手数 0"})) << "the fresh position, with no stale result";
  // A few keys more: what Orca says of them is written after the rest, as Orca writes its log
  // in blocks and may end without writing its last.
  for (const char* key : {"i", "Up", "Up", "Up", "i"}) {
    std::this_thread::sleep_for(300ms);
    screen_->pressKey(main_, key);
  }
  std::this_thread::sleep_for(1s);
  // Orca said each of them, in order.
  const std::vector<std::string> spoken = orca.end();
  screen_->pressKey(main_, "Escape");
  for (const std::string& line : spoken)
    std::cout << "Orca: " << line << "\n";
  std::size_t at = 0;
  for (const std::vector<std::string>& parts : toHear) {
    at = spokenAt(spoken, at, parts);
    ASSERT_LT(at, spoken.size()) << "not heard (in order): " << parts.front();
  }
  for (const std::string& line : spoken) {
    const std::size_t comma = line.find("、");
    if (comma != std::string::npos && named.contains(line.substr(0, comma))) {
      EXPECT_TRUE(reached.contains(line.substr(0, comma))) << "a cell not reached: " << line;
    }
  }
  expectEndsWithSuccess();
  for (auto& [name, c] : named)
    g_object_unref(c);
  g_object_unref(j10);
  g_object_unref(table);
  g_object_unref(grid);
  g_object_unref(status);
  g_object_unref(board);
  g_object_unref(app);
}

struct Language {
  std::vector<std::string> environment;
  std::string soundFailure, game, blackWins, rules;
  std::string catalog;  // LANGUAGE for this test's own drawing
};
const Language japanese{{}, "Zelkan.dll", "対局", "先手の勝ち！！", "遊び方", "C"};
const Language english{{"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG=en_US.UTF-8"},
                       "Zelkan sound",
                       "Game",
                       "Black wins!",
                       "How to Play",
                       "en"};

class LanguageTest : public PlayTest, public ::testing::WithParamInterface<std::string> {
 protected:
  const Language& language() const { return GetParam() == "English" ? english : japanese; }

  // The rules window beside the game, opened with F1: each page as drawn here in the same
  // language, turned with its button. F1 again brings back the same window at the page it was
  // left on; Escape closes it.
  void readTheRules() {
    setenv("LANGUAGE", language().catalog.c_str(), 1);
    std::setlocale(LC_MESSAGES, "C.UTF-8");
    bindtextdomain(textDomain, (fs::path(ZELKAN_PROGRAM_FOLDER) / "locale").c_str());
    bind_textdomain_codeset(textDomain, "UTF-8");
    screen_->pressKey(main_, "F1");
    std::optional<WindowInfo> rules = screen_->waitForWindow({language().rules}, reactionLimit);
    if (!rules) fail("no rules window");
    const Box whole{0, 0, clientWidth, clientHeight};
    for (int page = 0; page < rulesPageCount; ++page) {
      Canvas expected(scale_);
      drawRulesPage(expected, rulesPage(page));
      const std::string name = "rules-" + std::to_string(page + 1);
      const auto shown = shootUntil(
          name, [&](const Canvas& a) { return sameIn(a, expected, whole); }, reactionLimit,
          &*rules);
      EXPECT_TRUE(sameIn(*shown, expected, whole)) << "rules page " << page + 1;
      if (page + 1 < rulesPageCount)  // the button at the right end of the row below the page
        screen_->click(rules->x + rules->width - 20, rules->y + (clientHeight + rules->height) / 2);
    }
    screen_->pressKey(main_, "F1");
    rules = screen_->waitForWindow({language().rules}, reactionLimit);
    EXPECT_TRUE(screen_->waitForCount(language().rules, 1, reactionLimit));
    Canvas last(scale_);
    drawRulesPage(last, rulesPage(rulesPageCount - 1));
    EXPECT_TRUE(sameIn(*shoot("rules-again", rules->x, rules->y), last, whole));
    screen_->pressKey(*rules, "Escape");
    EXPECT_TRUE(screen_->waitForCount(language().rules, 0, reactionLimit));
    setenv("LANGUAGE", "C", 1);
    std::setlocale(LC_MESSAGES, "C");
  }
};

// Two players, a game cut short by a large lead: each box opens over what was drawn before it.
// One wave file is a pipe and another a folder: each is told, and the other sounds play. In C
// and on an English desktop, where the menu bar and the boxes speak English and still fit.
TEST_P(LanguageTest, TwoPlayersReachALargeLeadWithTwoBrokenWaveFiles) {
  const Language& lang = language();
  for (const char* name : {"消滅.wav", "禁止.wav"})
    fs::remove(folder_ / name);
  ASSERT_EQ(mkfifo((folder_ / "消滅.wav").c_str(), 0600), 0);
  fs::create_directory(folder_ / "禁止.wav");
  const fs::path played = root_ / "played.raw";
  std::vector<std::string> environment = lang.environment;
  environment.insert(environment.end(),
                     {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + played.string()});
  startGame(environment);
  for (int box = 0; box < 2; ++box)
    answerBox({lang.soundFailure});
  waitForMainWindow();
  EXPECT_EQ(main_.width, clientWidth) << "the menu bar widened the window";
  const auto area = shootUntilBoard(
      "01-start", [](const std::string& map) { return map == startMap(false); }, windowLimit);
  ASSERT_EQ(boardMap(*area), startMap(false));
  findMenuBar();
  readTheRules();
  // Nothing to save or study before a move; a move makes both mean something.
  EXPECT_FALSE(actionEnabled("save") || actionEnabled("save-as") || actionEnabled("analyse"));
  choose(TAIKYOKU, 1);
  answerBox({" "});

  // Both sides' moves, the last one leaving white with at most half black's stones.
  static constexpr int moves[][4] = {
      {1, 18, 1, 5},  {1, 2, 1, 4},  {19, 18, 19, 4}, {1, 1, 1, 3},   {1, 5, 1, 2},
      {19, 2, 19, 3}, {1, 19, 1, 5}, {10, 1, 10, 3},  {19, 4, 19, 2},
  };
  const auto state = std::make_unique<GameState>();
  GameState& s = *state;
  初期設定(s);
  s.turnColour = cellBlack;
  s.otherColour = cellWhite;
  const auto unmarked = [](std::string map) {
    std::ranges::replace(map, 'b', 'B');
    std::ranges::replace(map, 'w', 'W');
    return map;
  };
  for (const auto& m : moves) {
    ASSERT_TRUE(completeMove(s, m[0], m[1], m[2], m[3]).done);
    std::swap(s.turnColour, s.otherColour);
    clickCell(m[0], m[1]);
    clickCell(m[2], m[3]);
    const std::string expected = positionMap(s.board, true);
    shootUntilBoard("02-played", [&](const std::string& map) {
      return unmarked(map) == expected || screen_->findWindow({lang.game});
    });
    if (&m == &moves[0]) {
      EXPECT_TRUE(actionEnabled("save") && actionEnabled("analyse"));
    }
  }
  EXPECT_TRUE(soundsFrom(played, 0, reactionLimit)) << "the stones were not heard";
  const std::string final = positionMap(s.board, true);

  // "大差なので終了です" over the last move; the count; "続けますか？" over the final board.
  const std::optional<WindowInfo> lead = screen_->waitForWindow({lang.game}, reactionLimit);
  if (!lead) fail("no box at the end of the game");
  EXPECT_EQ(unmarked(boardMap(*shoot("03-lead"))), behind(final, *lead));
  ASSERT_TRUE(screen_->answer(*lead, reactionLimit));
  // The winner leads the judgement's text too, for a desktop that draws boxes without titles.
  const std::optional<WindowInfo> judgement =
      screen_->waitForWindow({lang.blackWins}, judgementLimit);
  if (!judgement) fail("no judgement");
  shoot("03-judgement");
  EXPECT_EQ(textLines(*judgement), 3) << "the winner, the scores, the button";
  ASSERT_TRUE(screen_->answer(*judgement, reactionLimit));
  const std::optional<WindowInfo> goOn = screen_->waitForWindow({lang.game}, judgementLimit);
  if (!goOn) fail("no question whether to go on");
  EXPECT_EQ(boardMap(*shoot("04-go-on")), behind(final, *goOn));
  ASSERT_TRUE(screen_->answer(*goOn, reactionLimit));
  const auto again =
      shootUntilBoard("05-again", [](const std::string& map) { return map == startMap(true); });
  EXPECT_EQ(boardMap(*again), startMap(true));

  // The game was kept with its result: "最近の対局" opens it at its last position, its panel
  // whole, and tells the result again; a click there says the game is over.
  const std::vector<fs::path> kept = filesUnder(folder_ / "games");
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_NE(readFile(kept[0]).find("\nresult lead "), std::string::npos) << readFile(kept[0]);
  choose(TAIKYOKU, 5, 1);
  answerBox({lang.blackWins});
  waitForMainWindow(kept[0].filename().string() + " - Zelkan");
  const auto reopened = shootUntilBoard(
      "06-reopened", [&](const std::string& map) { return unmarked(map) == final; });
  EXPECT_EQ(unmarked(boardMap(*reopened)), final);
  EXPECT_TRUE(showsPicture(*reopened, Picture::KUROSOTO, cellPx(21), cellPy(6)));
  EXPECT_GT(inkedPixels(*reopened, moveLine(9)), 0) << "no move number";
  clickCell(10, 10);
  answerBox({lang.game});
  screen_->pressKey(main_, "Escape");
  expectEndsWithSuccess();
}

INSTANTIATE_TEST_SUITE_P(PlayTest, LanguageTest, ::testing::Values("C", "English"),
                         [](const auto& info) { return info.param; });

// Installed, moved, and started on an English desktop: it finds its catalog as it finds its
// sound library and wave files.
TEST_F(PlayTest, RunsInstalledInAMovedTreeWithItsSettingsInTheConfigFolder) {
  const fs::path installed = root_ / "prefix";
  const CommandResult install = runCommand(
      {ZELKAN_CMAKE, "--install", ZELKAN_BUILD_FOLDER, "--prefix", installed.string()}, 60s);
  ASSERT_TRUE(install.finished && install.exitCode == 0) << install.output << install.errors;
  // The service file and the manual page name the prefix given to the install.
  const std::string program = (installed / "bin/zelkan").string();
  const std::string service =
      readFile(installed / "share/dbus-1/services/org.zelkan.zelkan.service");
  EXPECT_NE(service.find(program), std::string::npos) << service;
  const std::string page =
      runCommand({"gzip", "-dc", (installed / "share/man/man6/zelkan.6.gz").string()}, 10s).output;
  EXPECT_NE(page.find(program), std::string::npos) << page;
  const fs::path moved = root_ / "moved prefix";
  fs::rename(installed, moved);
  const std::vector<fs::path> tree = filesUnder(moved);
  const fs::path home = root_ / "home";
  fs::create_directories(home);
  settings_ = home / ".config/zelkan/Zelkan.ini";
  fs::create_directories(settings_.parent_path());  // a write cut off, by a process long gone
  std::ofstream(settings_.parent_path() / ".Zelkan.ini.4194304.0.tmp") << "cut";
  const fs::path played = root_ / "played.raw";
  std::vector<std::string> environment = english.environment;
  environment.insert(environment.end(),
                     {"HOME=" + home.string(), "XDG_CONFIG_HOME", "SDL_AUDIODRIVER=disk",
                      "SDL_DISKAUDIOFILE=" + played.string()});
  startGame(environment, moved / "bin/zelkan");
  waitForMainWindow();
  shootUntilBoard(
      "01-start", [](const std::string& map) { return map == startMap(false); }, windowLimit);
  findMenuBar();
  // The window's class names its desktop entry.
  const CommandResult named =
      runCommand({"xdotool", "search", "--classname", "^org\\.zelkan\\.zelkan$"}, reactionLimit,
                 screen_->environment());
  EXPECT_NE(named.output.find(main_.id), std::string::npos) << named.output;

  // The settings file is the same on an English desktop; a click before a game asks for one,
  // in English.
  EXPECT_TRUE(settingsBecome(settingsFile(true, false)));
  clickCell(10, 10);
  answerBox({"Start"});
  ASSERT_NO_FATAL_FAILURE(openAboutBox(played));

  // Save with a bare name, once there is a move to save: into the player's home (there is no
  // documents folder), never beside the installed game or into its data folder.
  choose(TAIKYOKU, 1);
  answerBox({" "});
  clickCell(10, 18);
  clickCell(10, 12);
  shootUntilBoard("02-moved", [](const std::string& map) { return at(map, 10, 12) == 'b'; });
  screen_->pressKey(main_, "ctrl+s");
  const std::optional<WindowInfo> chooser = screen_->waitForWindow({"Save"}, reactionLimit);
  if (!chooser) fail("no file chooser");
  screen_->pressKey(*chooser, "ctrl+a");
  screen_->type(*chooser, "bare.zelkan");
  screen_->pressKey(*chooser, "Return");
  waitForMainWindow("bare.zelkan - Zelkan");
  EXPECT_TRUE(fs::exists(home / "bare.zelkan"));
  screen_->pressKey(main_, "Escape");
  expectEndsWithSuccess();
  EXPECT_EQ(filesUnder(settings_.parent_path()), std::vector<fs::path>{settings_});
  EXPECT_EQ(filesUnder(moved), tree) << "a file written beside the installed program";
  EXPECT_TRUE(fs::is_empty(elsewhere_));
}

}  // namespace
}  // namespace zelkan::test
