// The main window: the board and panel image, the menu bar, and the game's every handler. It is
// the window the game talks to: message boxes, tick marks, sounds, the clock, ending.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/game_state.h"
#include "flow/game.h"
#include "shell/event_gate.h"
#include "shell/rules_window.h"
#include "shell/settings_file.h"
#include "shell/sound_wrapper.h"
#include "view/canvas.h"

namespace zelkan {

class MainWindow final : public GameWindow {
 public:
  MainWindow();
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Start-up, in the game's order: sound, window, state, board, settings, title plate; then the
  // window is shown with no game running.
  void startUp();

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

  // Where "Zelkan.ini" is kept; empty: nowhere, so the defaults apply and nothing is written.
  std::filesystem::path settingsFile = settingsFileName;

 private:
  using Handler = std::function<void()>;

  GtkWidget* buildMenuBar();
  GtkWidget* addSubmenu(GtkWidget* shell, const char* caption);
  void addItem(GtkWidget* shell, const char* caption, Handler handler);
  void addBarItem(GtkWidget* bar, const char* caption, Handler handler);
  void addCheckItem(GtkWidget* shell, const char* caption, MenuOption option, Handler handler);
  void addLevelItem(GtkWidget* shell, const char* caption, Level level);
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
  static void onActivate(GtkMenuItem* item, gpointer handler);
  static gboolean onBarItemRelease(GtkWidget* item, GdkEventButton* event, gpointer handler);

  EventGate gate_;
  RulesWindow rules_{gate_};
  std::unique_ptr<GameState> state_;
  Canvas canvas_;
  SoundWrapper sound_;
  std::unique_ptr<Game> game_;

  GtkWidget* window_ = nullptr;
  GtkWidget* area_ = nullptr;
  GtkWidget* menuBar_ = nullptr;
  GtkWidget* checkItems_[2] = {nullptr, nullptr};
  GtkWidget* levelItems_[3] = {nullptr, nullptr, nullptr};  // by Level
  GtkWidget* destinationsItem_ = nullptr;
  std::deque<Handler> handlers_;   // the menu items' handlers, at fixed addresses
  bool ticks_[2] = {true, false};  // as the menu is built: influence on, music off
};

}  // namespace zelkan
