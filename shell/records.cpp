// Game records in the window: "開く...", "保存..." and "名前を付けて保存..." in the file chooser of
// the desktop, a record handed over from the command line or a second start, and every game
// played kept as a record, the newest listed in "最近の対局".
#include <algorithm>
#include <ctime>
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
// the program's folder or the data folder.
std::filesystem::path recordFolder(const std::filesystem::path& lastUsed) {
  if (!lastUsed.empty()) return lastUsed;
  std::filesystem::path newest;
  time_t newestTime = 0;
  GList* items = gtk_recent_manager_get_items(gtk_recent_manager_get_default());
  for (GList* i = items; i != nullptr; i = i->next) {
    auto* info = static_cast<GtkRecentInfo*>(i->data);
    const std::string uri = gtk_recent_info_get_uri(info);
    if (uri.ends_with(".zelkan") && gtk_recent_info_get_modified(info) > newestTime) {
      if (gchar* file = g_filename_from_uri(uri.c_str(), nullptr, nullptr)) {
        newest = std::filesystem::path(file).parent_path();
        newestTime = gtk_recent_info_get_modified(info);
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
  gtk_file_chooser_set_current_folder(files, recordFolder(folder_).c_str());
  if (saving) {
    gtk_file_chooser_set_do_overwrite_confirmation(files, TRUE);
    std::string name = now().substr(0, 10);
    gtk_file_chooser_set_current_name(files, ("zelkan-" + name + ".zelkan").c_str());
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

void MainWindow::saveRecordChosen() {
  if (!recordFile_.empty()) {
    saveRecord(recordFile_);
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
  finished_ = {};
  newKeptGame_ = true;
  setRecordFile({});
}

// The game as a record: every move of the history, with the mode and level it is played at.
GameRecord MainWindow::recordOfGame(std::string date) const {
  const GameState& s = *state_;
  GameRecord record;
  record.moves = movesFromHistory(s);
  record.date = std::move(date);
  if (s.gameMode == modeCom || s.gameMode == modeMan) record.mode = s.gameMode;
  record.comColour = s.comColour == cellBlack ? cellBlack : cellWhite;
  if (s.gameMode == modeCom) record.level = levelName(game_->level);
  return record;
}

// Every completed move hands the whole game over to be written; the writing itself is the
// store's thread's. A finished game is written once more with its result, and the next move
// starts a new kept game.
void MainWindow::keepGame(GameEnd end) {
  const bool keeping = kept_ && state("keep-games");
  if (keeping && newKeptGame_) {
    kept_->startGame();
    keptDate_ = now();
    newKeptGame_ = false;
  }
  finished_ = {};
  if (!keeping && end == GameEnd::none) return;
  GameRecord record = recordOfGame(keeping ? keptDate_ : now());
  if (end != GameEnd::none) {
    finishRecord(record, *state_, end);
    finished_ = record;  // for 検討... once the board has started afresh
    newKeptGame_ = true;
    setRecordFile({});
  }
  if (keeping) kept_->keep(writeRecord(record));
}

void MainWindow::tellKeepingFailed(int error) {
  handle([this, error] {
    show(keptGamesFailureText(keptGamesFolder, shownName(keptGamesFolder), error), _("Zelkan"),
         Buttons::ok, Icon::warning);
  });
}

// "最近の対局": the newest kept games, newest first, each opening as a record.
void MainWindow::refreshRecentGames() {
  if (recentMenu_ == nullptr) return;
  if (kept_) kept_->flushNow();
  recent_ = kept_ ? kept_->recent(10) : std::vector<KeptGameSummary>{};
  g_menu_remove_all(recentMenu_);
  for (std::size_t i = 0; i < recent_.size(); ++i) {
    GMenuItem* item = g_menu_item_new(describeKeptGame(recent_[i]).c_str(), nullptr);
    g_menu_item_set_action_and_target_value(item, "app.open-recent",
                                            g_variant_new_int32(static_cast<std::int32_t>(i)));
    g_menu_append_item(recentMenu_, item);
    g_object_unref(item);
  }
}

// The game's own file, named in the window's title and added to the desktop's recent files; an
// empty one leaves the title the game's name.
void MainWindow::setRecordFile(const std::filesystem::path& path) {
  recordFile_ = path;
  if (window_ == nullptr) return;
  if (path.empty()) {
    gtk_window_set_title(GTK_WINDOW(window_), _("Zelkan"));
    return;
  }
  // TRANSLATORS: the window's title while a record is open: "<file name> - Zelkan".
  gtk_window_set_title(GTK_WINDOW(window_),
                       fill(_("%s - Zelkan"), {shownName(path.filename())}).c_str());
  if (gchar* uri = g_filename_to_uri(std::filesystem::absolute(path).c_str(), nullptr, nullptr)) {
    gtk_recent_manager_add_item(gtk_recent_manager_get_default(), uri);
    g_free(uri);
  }
}

void MainWindow::openRecord(const std::filesystem::path& path) {
  // TRANSLATORS: the title of the boxes that say a record does not open.
  const char* title = _("開く");
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
  folder_ = path.parent_path();
  game_->openRecord(*replayed, record, end);
  opened_ = std::move(record);
  newKeptGame_ = true;  // played on, it is kept as a new game
  setRecordFile(path);
}

void MainWindow::saveRecord(const std::filesystem::path& path) {
  GameRecord record = recordOfGame(now());
  if (record.moves == opened_.moves && !opened_.moves.empty())
    record = opened_;  // the opened game as it came, date and mode and all
  // Replayed once more, for the result of a finished game; the history always replays.
  GameRecord replayedRecord;
  GameEnd end = GameEnd::none;
  const auto replayed = std::make_unique<GameState>();
  std::string text = writeRecord(record);
  if (!readRecord(text, replayedRecord, *replayed, end)) text = writeRecord(replayedRecord);

  AtomicWriteOptions options;
  options.rewriteInPlace = false;  // a save that fails leaves the old file whole
  const int error = writeFileAtomically(path, text, options);
  if (error != 0) {
    // TRANSLATORS: "The game cannot be saved to 「file」.", then the reason. The title
    // means "Save".
    show(fill(_("「%s」に保存できません。\n%s"), {shownName(path), fileRefusal(path, error)}),
         _("保存"), Buttons::ok, Icon::warning);
    return;
  }
  folder_ = path.parent_path();
  opened_ = std::move(record);
  setRecordFile(path);
}

// The review of every move "進" can reach. Just after a game has ended and "続けますか？" was
// answered, the history is empty: that game comes back as a finished record, as "最近の対局"
// would bring it, to be studied.
void MainWindow::presentReview() {
  if (state_->historyEnd == 0 && state_->gameMode == modeNone && !finished_.moves.empty()) {
    GameRecord record;
    GameEnd end = GameEnd::none;
    const auto replayed = std::make_unique<GameState>();
    if (!readRecord(writeRecord(finished_), record, *replayed, end)) {
      game_->openRecord(*replayed, record, end);
      opened_ = std::move(record);
      newKeptGame_ = true;
    }
  }
  review_.present(movesFromHistory(*state_), game_->strongBudget);
}

void MainWindow::showReviewed(const std::vector<RecordMove>& moves, int k,
                              std::optional<ComMove> frame) {
  const std::vector<RecordMove> history = movesFromHistory(*state_);
  const auto before = moves.begin() + k;
  if (static_cast<int>(history.size()) < k || !std::equal(moves.begin(), before, history.begin())) {
    playSound(game_->sounds.sndForbidden);  // the game went another way since
    return;
  }
  game_->showPosition(static_cast<int>(std::count_if(moves.begin(), before,
                                                     [](const RecordMove& m) { return !m.pass; })),
                      frame);
}

}  // namespace zelkan
