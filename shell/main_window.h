// The main window: the board and panel image, the menu bar, and the game's every handler. It is
// the window the game talks to: message boxes, tick marks, sounds, the clock, ending.
#pragma once

#include <gtk/gtk.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/game_record.h"
#include "core/game_state.h"
#include "flow/game.h"
#include "flow/record_model.h"
#include "shell/event_gate.h"
#include "shell/kept_games.h"
#include "shell/review_window.h"
#include "shell/rules_window.h"
#include "shell/settings_file.h"
#include "shell/sound_wrapper.h"
#include "view/canvas.h"
#include "view/fitting.h"

namespace zelkan {

class MainWindow final : public GameWindow {
 public:
  MainWindow();
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // At the application's start, before any window: every command as an action of `app` ("app."
  // and its name), the option actions' states read from the settings file, their keys, and the
  // menu bar as a menu model drawn from those actions. A command that comes before the window is
  // shown shows it first, through `showWindow`.
  void addActions(GtkApplication* app, std::function<void()> showWindow);

  // Start-up, in the game's order: sound, window, state, board, settings, title plate; then the
  // window is shown with no game running. Does nothing once the window is shown.
  void startUp();
  bool shown() const { return started_; }

  // Brings the window to the front (a second start of the program).
  void present();
  // Opens the game record at `path` (handed over from the command line or a second start), as
  // "開く..." does, once whatever runs now has ended.
  void openLater(const std::filesystem::path& path);
  // Says that a file handed over at `uri` does not open: it is not a file of this computer.
  void refuseLater(const std::string& uri);

  // GameWindow
  Answer show(const std::string& text, const std::string& title, Buttons buttons, Icon icon,
              Heading heading = Heading::none) override;
  int second() override;
  bool isTicked(MenuOption option) const override;
  void setTicked(MenuOption option, bool ticked) override;
  void playSound(std::int32_t handle) override;
  void playLooping(std::int32_t handle) override;
  void stopSound(std::int32_t handle) override;
  [[noreturn]] void endAtOnce() override;
  [[noreturn]] void shutDownAndEnd() override;
  void keepGame(GameEnd end) override;
  void announce(const std::string& text) override;
  std::optional<std::string> askLine(const std::string& prompt, const std::string& title) override;

  // The option items' handlers: each switches its option, and the settings file follows.
  void SEIRYOKU();
  void BGM();
  void 読込_環境設定ファイル();
  void 書込_環境設定ファイル();
  // The strength's handler: the computer plays at `level` from its next move on.
  void pickLevel(Level level);
  // The about box.
  void SONOTA();
  // Full screen, or back to the window as it was before (F11).
  void toggleFullScreen();
  // "遊び方": the rules in their window beside the game's.
  void presentRules() { rules_.present(); }
  // "検討...": the game's every move set against the strong level's choice, in a window beside
  // the game's. Just after a game has ended, that game is brought back to be studied.
  void presentReview();
  Game& game() { return *game_; }
  // The commands the actions run, each with its keys.
  struct Command;
  // "開く...": a record chosen in the file chooser. "保存...": the game saved to its own file
  // (as the record model names it) without a question, or else to a file chosen;
  // "名前を付けて保存...": always to a file chosen.
  void openRecordChosen();
  void saveRecordChosen();
  void saveRecordAs();
  // "最近の対局": the kept game at `index` of the list the menu shows, opened as a record.
  void openRecent(int index);
  // "最初": the game starts afresh, and the next move is kept as a new game's.
  void startAfresh();
  // A mode command ("対MAN", "対COM"): on a board set up anew it starts a game of its own.
  void chooseMode(void (Game::*mode)());
  // Opens the record at `path`; a file that is not one, or does not open, is told in a box and
  // leaves the game as it was.
  void openRecord(const std::filesystem::path& path);
  // Saves the game, as the record model gives it, to `path`; a failure is told in a box.
  void saveRecord(const std::filesystem::path& path);

  // Where "Zelkan.ini" is kept; empty: nowhere, so the defaults apply and nothing is written.
  std::filesystem::path settingsFile = settingsFileName;
  // Where every game played is kept; empty: nowhere.
  std::filesystem::path keptGamesFolder;
  // Where the wave files lie; empty: the folder the game was started in.
  std::filesystem::path soundFolder;

 private:
  using Handler = std::function<void()>;
  GMenuModel* menuModel();
  void showFirst();
  // The game on the board as a record: every move of the history, its mode and level.
  GameRecord gameRecord() const;
  void refreshRecentGames();
  // The title, the desktop's recent files and the commands that mean something now, as the
  // record model says after a command.
  void followRecords();
  void tellKeepingFailed(int error);
  GSimpleAction* action(const char* name) const;
  bool state(const char* name) const;
  void setState(const char* name, GVariant* state);
  // An option's new state, asked for by its item, its key or the desktop: the game follows it,
  // then the action takes it, then the settings file is written.
  void setOption(const std::string& name, bool on, const std::string& level);
  std::filesystem::path chooseFile(bool saving);
  void handle(Handler handler);
  void repaintNow();
  void queueChangedBox();
  void takeBarClicks();
  // The position before move k of the reviewed `moves`, if the history still holds them, with
  // move k and the `better` one marked on the board.
  void showReviewed(const std::vector<RecordMove>& moves, int k, std::optional<ComMove> better);

  // Fits the image to the drawing area's size and scale as they are now, painting it again at
  // another scale where the fit asks for one; true if it did.
  bool refit();

  static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static gboolean onWindowState(GtkWidget* widget, GdkEventWindowState* event, gpointer self);
  static gboolean onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean onKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
  static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static void onCommand(GSimpleAction* action, GVariant* parameter, gpointer self);
  static void onChangeState(GSimpleAction* action, GVariant* value, gpointer self);
  static gboolean onBarItemRelease(GtkWidget* item, GdkEventButton* event, gpointer self);

  EventGate gate_;
  RulesWindow rules_{gate_};
  ReviewWindow review_{
      gate_, [this](const std::vector<RecordMove>& moves, int k, std::optional<ComMove> frame) {
        handle([this, moves, k, frame] { showReviewed(moves, k, frame); });
      }};
  std::unique_ptr<GameState> state_;
  Canvas canvas_;
  SoundWrapper sound_;
  std::unique_ptr<Game> game_;

  GtkApplication* app_ = nullptr;
  std::function<void()> showWindow_;
  GtkWidget* window_ = nullptr;
  GtkWidget* area_ = nullptr;
  // The settings file as read at the application's start: the options' first states, applied to
  // the board and the music when the window starts up.
  SettingsFileReading startSettings_;
  // What the game is and which files hold it.
  RecordModel records_;
  std::filesystem::path titled_;  // the file the title names now
  // The kept games: the store, and the newest, as "最近の対局" lists them.
  std::unique_ptr<KeptGames> kept_;
  std::vector<KeptGameSummary> recent_;
  GMenu* recentMenu_ = nullptr;
  Fit fit_;  // how the image is shown in the drawing area
  bool fullScreen_ = false;
  bool started_ = false;                       // startUp has shown the window
  std::vector<std::filesystem::path> toOpen_;  // handed over before then
  std::filesystem::path folder_;  // where the file chooser starts: the last record's folder
};

}  // namespace zelkan
