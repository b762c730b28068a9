// Game records in the window: "開く...", "保存..." and "名前を付けて保存..." in the file chooser of
// the desktop, a record handed over from the command line or a second start, and every game
// played kept as a record, the newest listed in "最近の対局".
#include <algorithm>
#include <chrono>
#include <ctime>
#include <future>
#include <memory>

#include "files/atomic_file.h"
#include "shell/file_refusals.h"
#include "shell/main_window.h"
#include "view/texts.h"

namespace zelkan {
namespace {

constexpr const char* recordPattern = "*.zelkan";

// The file's name as the player knows it, in UTF-8 whatever the file system holds.
std::string shownName(const std::filesystem::path& path) {
  gchar* name = g_filename_display_name(path.c_str());
  std::string shown = name;
  g_free(name);
  return shown;
}

// Where the file chooser starts: the folder last used for records (this run's, or else the
// newest record among the desktop's recent files), else the documents folder, else home; never
// the program's folder or the kept games' folder.
std::filesystem::path recordFolder(const std::filesystem::path& lastUsed,
                                   const RecordModel& records) {
  if (!lastUsed.empty()) return lastUsed;
  std::filesystem::path newest;
  time_t newestTime = 0;
  GList* items = gtk_recent_manager_get_items(gtk_recent_manager_get_default());
  for (GList* i = items; i != nullptr; i = i->next) {
    auto* info = static_cast<GtkRecentInfo*>(i->data);
    const std::string uri = gtk_recent_info_get_uri(info);
    if (uri.ends_with(".zelkan") && gtk_recent_info_get_modified(info) > newestTime) {
      if (gchar* file = g_filename_from_uri(uri.c_str(), nullptr, nullptr)) {
        const std::filesystem::path folder = std::filesystem::path(file).parent_path();
        if (!records.isKeptFolder(folder)) {
          newest = folder;
          newestTime = gtk_recent_info_get_modified(info);
        }
        g_free(file);
      }
    }
  }
  g_list_free_full(items, reinterpret_cast<GDestroyNotify>(gtk_recent_info_unref));
  std::error_code ignored;
  if (!newest.empty() && std::filesystem::is_directory(newest, ignored)) return newest;
  const char* documents = g_get_user_special_dir(G_USER_DIRECTORY_DOCUMENTS);
  if (documents != nullptr && std::filesystem::is_directory(documents, ignored)) return documents;
  return g_get_home_dir();
}

const char* problemText(RecordProblem problem) {
  switch (problem) {
    case RecordProblem::notRecord:
      // TRANSLATORS: why a file does not open as a game record.
      return _("対局の記録ではありません");
    case RecordProblem::version:
      // TRANSLATORS: a game record of a later version of the game.
      return _("この版では読めない記録です");
    case RecordProblem::lineTooLong:
      return _("行が長すぎます");
    case RecordProblem::badHeader:
      // TRANSLATORS: a header line (date, mode, level...) whose value is wrong.
      return _("見出しの値が正しくありません");
    case RecordProblem::malformedMove:
      return _("手ではありません");
    case RecordProblem::illegalMove:
      // TRANSLATORS: a move the rules do not allow in that position.
      return _("打てない手です");
    case RecordProblem::needlessPass:
      // TRANSLATORS: a pass in a record where the side to move had a move.
      return _("動かせる石があるのにパスしています");
    case RecordProblem::afterEnd:
      return _("対局の終わった後の手です");
    case RecordProblem::tooLong:
      return _("手が多すぎます");
  }
  return _("対局の記録ではありません");
}

// The local date and time, as a record's date line has it.
std::string now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

}  // namespace

void MainWindow::present() {
  if (window_ != nullptr) gtk_window_present(GTK_WINDOW(window_));
}

void MainWindow::openLater(const std::filesystem::path& path) {
  // A file handed over while start-up still asks about the sound waits for the window.
  if (!started_) {
    toOpen_.push_back(path);
    return;
  }
  handle([this, path] { openRecord(path); });
}

void MainWindow::refuseLater(const std::string& uri) {
  handle([this, uri] {
    show(fill(_("「%s」を開けません。\n%s"),
              // TRANSLATORS: why a file handed over from the desktop (a web address, a file on a
              // server) does not open.
              {uri, _("このコンピュータのファイルではありません")}),
         _("開く"), Buttons::ok, Icon::warning);
  });
}

// The file chooser of the desktop, over the window, for a record to open or a file to save to;
// empty when the player cancels.
std::filesystem::path MainWindow::chooseFile(bool saving) {
  GtkFileChooserNative* chooser = gtk_file_chooser_native_new(
      // TRANSLATORS: the titles of the file choosers that open and save a game record.
      saving ? _("保存") : _("開く"), GTK_WINDOW(window_),
      saving ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN,
      // TRANSLATORS: the file choosers' buttons: "Save" or "Open", and "Cancel".
      saving ? _("保存") : _("開く"), _("キャンセル"));
  GtkFileChooser* files = GTK_FILE_CHOOSER(chooser);
  GtkFileFilter* records = gtk_file_filter_new();
  // TRANSLATORS: the file choosers' filter that shows the game records only.
  gtk_file_filter_set_name(records, _("Zelkan の対局記録"));
  gtk_file_filter_add_pattern(records, recordPattern);
  gtk_file_chooser_add_filter(files, records);
  const std::filesystem::path folder = recordFolder(folder_, records_);
  gtk_file_chooser_set_current_folder(files, folder.c_str());
  if (saving) {
    gtk_file_chooser_set_do_overwrite_confirmation(files, TRUE);
    // A name of the game's own: its date and time, numbered where the folder has it already.
    const std::string name = proposedRecordName(records_.toSave(gameRecord()).date, now(), folder);
    gtk_file_chooser_set_current_name(files, name.c_str());
  }
  repaintNow();
  gate_.foreignDialogOpened();
  const int response = gtk_native_dialog_run(GTK_NATIVE_DIALOG(chooser));
  gate_.foreignDialogClosed();
  std::filesystem::path chosen;
  if (response == GTK_RESPONSE_ACCEPT) {
    if (gchar* name = gtk_file_chooser_get_filename(files)) {
      chosen = name;
      g_free(name);
    }
  }
  g_object_unref(chooser);
  return chosen;
}

void MainWindow::openRecordChosen() {
  const std::filesystem::path path = chooseFile(false);
  if (!path.empty()) openRecord(path);
}

// A kept game's file is the store's, one of the hundred newest and removed after them: it is
// never the game's own to save to, so "保存..." asks for a place of the player's, as
// "名前を付けて保存..." does, and the store goes on keeping its file.
void MainWindow::saveRecordChosen() {
  const std::filesystem::path& file = records_.file();
  std::error_code ignored;
  if (!file.empty() && !records_.isKeptFolder(file.parent_path()) &&
      !records_.isKeptFolder(std::filesystem::weakly_canonical(file, ignored).parent_path())) {
    saveRecord(file);
    return;
  }
  saveRecordAs();
}

void MainWindow::saveRecordAs() {
  const std::filesystem::path path = chooseFile(true);
  if (!path.empty()) saveRecord(path);
}

void MainWindow::openRecent(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= recent_.size()) return;
  openRecord(recent_[static_cast<std::size_t>(index)].path);
}

void MainWindow::startAfresh() {
  game_->SAISYO();
  records_.startedAfresh();
}

void MainWindow::chooseMode(void (Game::*mode)()) {
  records_.modeChosen(state_->historyEnd == 0 || game_->gameOver());
  (game_.get()->*mode)();
}

GameRecord MainWindow::gameRecord() const {
  return recordOfGame(*state_, levelName(game_->level));
}

// Every completed move hands the whole game over to be written, where the record model says;
// the writing itself is the store's thread's. A finished game is written once more with its
// result.
void MainWindow::keepGame(GameEnd end) {
  KeptStep step;
  if (end == GameEnd::none) {
    step = records_.moved(gameRecord(), now());
  } else {
    GameRecord finished = gameRecord();
    finishRecord(finished, *state_, end);
    step = records_.ended(std::move(finished));
  }
  if (!kept_ || !state("keep-games")) return;
  if (step.kind == KeptStep::Kind::newGame) kept_->startGame();
  if (step.kind == KeptStep::Kind::resume) kept_->resumeGame(step.file);
  kept_->keep(writeRecord(step.record));
}

// A notice of ours: shown once nothing runs and every box before it is answered.
void MainWindow::tellKeepingFailed(int error) {
  gate_.notify([this, error] {
    show(keptGamesFailureText(keptGamesFolder, shownName(keptGamesFolder), error), _("Zelkan"),
         Buttons::ok, Icon::warning);
  });
}

// "最近の対局": the newest kept games, newest first, each opening as a record; with none, one
// greyed line says so. The list is the store's, never read from the disk here.
void MainWindow::refreshRecentGames() {
  if (recentMenu_ == nullptr) return;
  recent_ = kept_ ? kept_->recent(10) : std::vector<KeptGameSummary>{};
  g_menu_remove_all(recentMenu_);
  if (recent_.empty()) {
    // TRANSLATORS: the one greyed line of "Recent Games" while no game is kept.
    g_menu_append(recentMenu_, _("残した対局はありません"), "app.no-recent-games");
    return;
  }
  for (std::size_t i = 0; i < recent_.size(); ++i) {
    GMenuItem* item = g_menu_item_new(describeKeptGame(recent_[i]).c_str(), nullptr);
    g_menu_item_set_action_and_target_value(item, "app.open-recent",
                                            g_variant_new_int32(static_cast<std::int32_t>(i)));
    g_menu_append_item(recentMenu_, item);
    g_object_unref(item);
  }
}

// The title names the game's own file; the desktop's recent files get it (a kept game aside, so
// the file chooser never starts among the kept ones); "保存...", "名前を付けて保存..." and
// "検討..." are greyed while there is no game to save or study.
void MainWindow::followRecords() {
  const bool hasGame = records_.hasGame(gameRecord());
  for (const char* name : {"save", "save-as", "analyse"})
    g_simple_action_set_enabled(action(name), hasGame);
  const std::filesystem::path& path = records_.file();
  if (window_ == nullptr || path == titled_) return;
  titled_ = path;
  if (path.empty()) {
    gtk_window_set_title(GTK_WINDOW(window_), _("Zelkan"));
    return;
  }
  // TRANSLATORS: the window's title while a record is open: "<file name> - Zelkan".
  gtk_window_set_title(GTK_WINDOW(window_),
                       fill(_("%s - Zelkan"), {shownName(path.filename())}).c_str());
  if (records_.isKeptFolder(path.parent_path())) return;
  if (gchar* uri = g_filename_to_uri(std::filesystem::absolute(path).c_str(), nullptr, nullptr)) {
    gtk_recent_manager_add_item(gtk_recent_manager_get_default(), uri);
    g_free(uri);
  }
}

void MainWindow::openRecord(const std::filesystem::path& path) {
  // TRANSLATORS: the title of the boxes that say a record does not open.
  const char* title = _("開く");
  removeWriteLeftoversOf(path);  // what a save to it cut off by a kill left beside it
  std::string text;
  const int error = readSmallFile(path, recordMostBytes, text);
  if (error != 0) {
    // TRANSLATORS: "「file」 cannot be opened.", then the reason.
    show(fill(_("「%s」を開けません。\n%s"), {shownName(path), fileRefusal(path, error)}), title,
         Buttons::ok, Icon::warning);
    return;
  }
  GameRecord record;
  GameEnd end = GameEnd::none;
  const auto replayed = std::make_unique<GameState>();
  if (const auto problem = readRecord(text, record, *replayed, end)) {
    const std::string where =
        problem->line > 0
            // TRANSLATORS: "「file」, line %d: " and the fault, e.g. "an illegal move"; "%2$d" and
            // the like take the fill-ins in another order.
            ? fill(_("「%s」の %d 行目：%s"),
                   {shownName(path), problem->line, problemText(problem->problem)})
            : fill(_("「%s」を開けません。\n%s"), {shownName(path), problemText(problem->problem)});
    show(where, title, Buttons::ok, Icon::warning);
    return;
  }
  if (record.start) {
    // The window's history always begins at the starting position.
    show(fill(_("「%s」を開けません。\n%s"),
              // TRANSLATORS: why a record made by the engine from a set position does
              // not open in the window.
              {shownName(path), _("途中の局面から始まる記録です")}),
         title, Buttons::ok, Icon::warning);
    return;
  }
  if (!records_.isKeptFolder(path.parent_path())) folder_ = path.parent_path();
  game_->openRecord(*replayed, record, end);
  records_.opened(path, std::move(record));
}

void MainWindow::saveRecord(const std::filesystem::path& path) {
  GameRecord record = records_.toSave(gameRecord());
  // Written on a thread of its own: the window waits as it waits for the computer, repainting,
  // its input held, however long the disk takes to sync. A file that holds the game already is
  // left as it is.
  std::future<int> written =
      std::async(std::launch::async, [&path, &record] { return saveRecordFile(path, record); });
  while (written.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
    EventGate::sleep(0.005);
  const int error = written.get();
  if (error != 0) {
    // TRANSLATORS: "The game cannot be saved to 「file」.", then the reason. The title
    // means "Save".
    show(fill(_("「%s」に保存できません。\n%s"), {shownName(path), fileRefusal(path, error)}),
         _("保存"), Buttons::ok, Icon::warning);
    return;
  }
  if (!records_.isKeptFolder(path.parent_path())) folder_ = path.parent_path();
  records_.saved(path, std::move(record));
}

// The review of every move "進" can reach. Just after a game has ended, that game comes back on
// the board as a finished record, as "最近の対局" would bring it, to be studied; its end, told
// as it ended, is not told again.
void MainWindow::presentReview() {
  if (const std::optional<GameRecord>& finished = records_.finished()) {
    if (game_->bringBack(*finished)) records_.finishedShown();
  }
  std::optional<int> playerSide;
  if (state_->gameMode == modeCom) playerSide = state_->humanColour == cellBlack ? 0 : 1;
  review_.present(movesFromHistory(*state_), game_->strongBudget, playerSide);
}

void MainWindow::showReviewed(const std::vector<RecordMove>& moves, int k,
                              std::optional<ComMove> better) {
  const std::vector<RecordMove> history = movesFromHistory(*state_);
  const auto before = moves.begin() + k;
  if (static_cast<int>(history.size()) < k || !std::equal(moves.begin(), before, history.begin())) {
    playSound(game_->sounds.sndForbidden);  // the game went another way since
    return;
  }
  std::optional<ComMove> played;
  if (k < static_cast<int>(moves.size()) && !before->pass)
    played = ComMove{before->x1, before->y1, before->x2, before->y2};
  game_->showPosition(static_cast<int>(std::count_if(moves.begin(), before,
                                                     [](const RecordMove& m) { return !m.pass; })),
                      played, better);
}

}  // namespace zelkan
