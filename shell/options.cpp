// The options menu (the influence map, the music, the computer's strength) and the file that
// keeps them between runs.
#include "shell/main_window.h"
#include "shell/settings_file.h"
#include "view/board_drawing.h"
#include "view/influence_map.h"

namespace zelkan {

void MainWindow::読込_環境設定ファイル() {
  const SettingsFileReading r =
      settingsFile.empty() ? SettingsFileReading{} : readSettingsFile(settingsFile);
  if (r.line1Read) {
    setTicked(MenuOption::SEIRYOKU, r.seiryokuOn);
    if (r.seiryokuOn) 描画_勢力図(canvas_, state_->board);
  }
  if (r.line2Read) {
    setTicked(MenuOption::BGM, r.bgmOn);
    if (r.bgmOn) playLooping(game_->sounds.sndBgm);
  }
  if (r.failed()) {
    // The defaults, ticked without drawing: the map comes with the next redraw that honours it.
    if (!settingsFile.empty()) writeSettingsDefaults(settingsFile);
    setTicked(MenuOption::SEIRYOKU, true);
    setTicked(MenuOption::BGM, false);
  }
  game_->level = r.level;
  showLevel();
  game_->showDestinations = r.destinations;
  tickQuietly(destinationsItem_, r.destinations);
}

void MainWindow::書込_環境設定ファイル() {
  if (settingsFile.empty()) return;
  writeSettingsFile(settingsFile, {isTicked(MenuOption::SEIRYOKU), isTicked(MenuOption::BGM),
                                   game_->level, game_->showDestinations});
}

void MainWindow::pickLevel(Level level) {
  game_->level = level;
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
