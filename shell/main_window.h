// The main window: the board and panel image, the menu bar, and the game's every handler. It is
// the window the game talks to: message boxes, tick marks, sounds, the clock, ending.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "core/game_record.h"
#include "core/game_state.h"
#include "flow/game.h"
#include "shell/event_gate.h"
#include "shell/rules_window.h"
#include "shell/settings_file.h"
#include "shell/sound_wrapper.h"
#include "view/canvas.h"

namespace zelkan {

// The strength's name in its action and in game records, as the engine names the levels.
const char* levelName(Level level);

class MainWindow final : public GameWindow {
 public:
  MainWindow();
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Start-up, in the game's order: sound, window, state, board, settings, title plate; then the
  // window is shown with no game running. The window is `app`'s, and every menu item runs one of
  // its actions.
  void startUp(GtkApplication* app);

  // Brings the window to the front (a second start of the program).
  void present();
  // Opens the game record at `path` (handed over from the command line or a second start), as
  // "開く..." does, once whatever runs now has ended.
  void openLater(const std::filesystem::path& path);

  // GameWindow
  Answer show(const std::string& text, const std::string& title, Buttons buttons,
              Icon icon) override;
  int second() override;
  bool isTicked(MenuOption option) const override;
  void setTicked(MenuOption option, bool ticked) override;
  void playSound(std::int32_t handle) override;
  void playLooping(std::int32_t handle) override;
  void stopSound(std::int32_t handle) override;
  [[noreturn]] void endAtOnce() override;
  [[noreturn]] void shutDownAndEnd() override;

  // The option items' handlers.
  void SEIRYOKU();
  void BGM();
  void 読込_環境設定ファイル();
  void 書込_環境設定ファイル();
  // The strength submenu's handler: the computer plays at `level` from its next move on.
  void pickLevel(Level level);
  // The about box.
  void SONOTA();
  // "開く...": a record chosen in the file chooser; "保存...": the game saved to a file chosen.
  void openRecordChosen();
  void saveRecordChosen();
  // Opens the record at `path`; a file that is not one, or does not open, is told in a box and
  // leaves the game as it was.
  void openRecord(const std::filesystem::path& path);
  // Saves every move of the history to `path`; a failure is told in a box.
  void saveRecord(const std::filesystem::path& path);

  // Where "Zelkan.ini" is kept; empty: nowhere, so the defaults apply and nothing is written.
  std::filesystem::path settingsFile = settingsFileName;

 private:
  using Handler = std::function<void()>;

  GtkWidget* buildMenuBar();
  GtkWidget* addSubmenu(GtkWidget* shell, const char* caption);
  GtkWidget* addItem(GtkWidget* shell, const char* caption, const char* action, Handler handler);
  void addBarItem(GtkWidget* bar, const char* caption, const char* action, Handler handler);
  void addCheckItem(GtkWidget* shell, const char* caption, const char* action, MenuOption option,
                    Handler handler);
  void addLevelItem(GtkWidget* shell, const char* caption, Level level);
  GSimpleAction* addAction(const char* name, GVariant* state, Handler handler);
  void activateOnItem(GtkWidget* item, const char* action);
  static void setState(GSimpleAction* action, GVariant* state);
  std::filesystem::path chooseFile(bool saving);
  void showLevel();
  static void tickQuietly(GtkWidget* item, bool ticked);
  const Handler* keep(Handler handler);
  void handle(const Handler& handler);
  void repaintNow();
  void queueChangedBox();

  static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean onKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
  static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static void onAction(GSimpleAction* action, GVariant* parameter, gpointer handler);
  static void onStrength(GSimpleAction* action, GVariant* parameter, gpointer self);
  static void onItemActivate(GtkMenuItem* item, gpointer self);
  static void onLevelItem(GtkMenuItem* item, gpointer self);
  static gboolean onBarItemRelease(GtkWidget* item, GdkEventButton* event, gpointer handler);

  EventGate gate_;
  RulesWindow rules_{gate_};
  std::unique_ptr<GameState> state_;
  Canvas canvas_;
  SoundWrapper sound_;
  std::unique_ptr<Game> game_;

  GtkApplication* app_ = nullptr;
  GtkWidget* window_ = nullptr;
  GtkWidget* area_ = nullptr;
  GtkWidget* menuBar_ = nullptr;
  GtkWidget* checkItems_[2] = {nullptr, nullptr};
  GtkWidget* levelItems_[3] = {nullptr, nullptr, nullptr};  // by Level
  GtkWidget* destinationsItem_ = nullptr;
  GSimpleAction* checkActions_[2] = {nullptr, nullptr};
  GSimpleAction* strengthAction_ = nullptr;
  GSimpleAction* destinationsAction_ = nullptr;
  // The record last opened, written again as it was while the history still holds its moves.
  GameRecord opened_;
  bool started_ = false;                       // startUp has shown the window
  std::vector<std::filesystem::path> toOpen_;  // handed over before then
  std::filesystem::path folder_;   // where the file chooser starts: the last record's folder
  std::deque<Handler> handlers_;   // the menu items' handlers, at fixed addresses
  bool ticks_[2] = {true, false};  // as the menu is built: influence on, music off
};

}  // namespace zelkan
