// The options menu (the influence map, the music, the computer's strength, the destination marks,
// the cells' names) and the file that keeps them between runs. Each option is a stateful action:
// its state is what the menu shows and the desktop sees, and changes only here, after the game has
// followed it.
#include "shell/main_window.h"
#include "shell/settings_file.h"
#include "view/board_drawing.h"
#include "view/influence_map.h"

namespace zelkan {
namespace {

const char* actionOf(MenuOption option) {
  return option == MenuOption::SEIRYOKU ? "influence" : "music";
}

}  // namespace

GSimpleAction* MainWindow::action(const char* name) const {
  return G_SIMPLE_ACTION(g_action_map_lookup_action(G_ACTION_MAP(app_), name));
}

bool MainWindow::state(const char* name) const {
  GVariant* value = g_action_get_state(G_ACTION(action(name)));
  const bool on = g_variant_get_boolean(value);
  g_variant_unref(value);
  return on;
}

void MainWindow::setState(const char* name, GVariant* value) {
  g_simple_action_set_state(action(name), value);
}

bool MainWindow::isTicked(MenuOption option) const {
  return state(actionOf(option));
}

void MainWindow::setTicked(MenuOption option, bool ticked) {
  setState(actionOf(option), g_variant_new_boolean(ticked));
}

void MainWindow::setOption(const std::string& name, bool on, const std::string& level) {
  if (name == "influence") {
    if (on != isTicked(MenuOption::SEIRYOKU)) SEIRYOKU();
  } else if (name == "music") {
    if (on != isTicked(MenuOption::BGM)) BGM();
  } else if (name == "destinations") {
    if (on == game_->showDestinations) return;
    game_->showDestinations = on;
    setState("destinations", g_variant_new_boolean(on));
    書込_環境設定ファイル();
  } else if (name == "coordinates") {
    if (on == game_->coordinatesShown()) return;
    game_->showCoordinates(on);
    setState("coordinates", g_variant_new_boolean(on));
    書込_環境設定ファイル();
  } else if (name == "keep-games") {
    if (on == state("keep-games")) return;
    setState("keep-games", g_variant_new_boolean(on));
    records_.keepAnew();  // kept again, the game goes on in a file of its own
    書込_環境設定ファイル();
  } else if (name == "strength") {
    if (const std::optional<Level> l = levelNamed(level); l && *l != game_->level) pickLevel(*l);
  }
}

// The settings as read when the application started (their states already set): the map and the
// music as they say, and the defaults written over a file that did not read as settings.
void MainWindow::読込_環境設定ファイル() {
  const SettingsFileReading& r = startSettings_;
  if (r.line1Read && r.seiryokuOn) 描画_勢力図(canvas_, state_->board);
  if (r.line2Read && r.bgmOn) playLooping(game_->sounds.sndBgm);
  game_->showCoordinates(r.coordinates);
  // The defaults, ticked without drawing: the map comes with the next redraw that honours it.
  if (r.failed() && !settingsFile.empty()) writeSettingsDefaults(settingsFile);
}

void MainWindow::書込_環境設定ファイル() {
  if (settingsFile.empty()) return;
  writeSettingsFile(settingsFile,
                    {isTicked(MenuOption::SEIRYOKU), isTicked(MenuOption::BGM), game_->level,
                     game_->showDestinations, state("keep-games"), game_->coordinatesShown()});
}

void MainWindow::pickLevel(Level level) {
  game_->level = level;
  setState("strength", g_variant_new_string(levelName(level)));
  書込_環境設定ファイル();
}

void MainWindow::SEIRYOKU() {
  const GameState& s = *state_;
  if (isTicked(MenuOption::SEIRYOKU)) {
    setTicked(MenuOption::SEIRYOKU, false);
    描画_盤(canvas_, s.board);
  } else {
    setTicked(MenuOption::SEIRYOKU, true);
    描画_勢力図(canvas_, s.board);
  }
  if (s.moveNumber > 0) {
    描画_打石印(canvas_, s.moveLogX[s.moveNumber - 1], s.moveLogY[s.moveNumber - 1], markColour);
  }
  書込_環境設定ファイル();
}

void MainWindow::BGM() {
  if (isTicked(MenuOption::BGM)) {
    setTicked(MenuOption::BGM, false);
    stopSound(game_->sounds.sndBgm);
  } else {
    setTicked(MenuOption::BGM, true);
    playLooping(game_->sounds.sndBgm);
  }
  書込_環境設定ファイル();
}

}  // namespace zelkan
