// Game records in the window: "開く..." and "保存..." in the file chooser of the desktop, and a
// record handed over from the command line or a second start.
#include <ctime>

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
  if (!folder_.empty()) gtk_file_chooser_set_current_folder(files, folder_.c_str());
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
  const std::filesystem::path path = chooseFile(true);
  if (!path.empty()) saveRecord(path);
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
}

void MainWindow::saveRecord(const std::filesystem::path& path) {
  const GameState& s = *state_;
  GameRecord record;
  record.moves = movesFromHistory(s);
  if (record.moves == opened_.moves && !opened_.moves.empty()) {
    record = opened_;  // the opened game as it came, date and mode and all
  } else {
    record.date = now();
    if (s.gameMode == modeCom || s.gameMode == modeMan) record.mode = s.gameMode;
    record.comColour = s.comColour == cellBlack ? cellBlack : cellWhite;
    if (s.gameMode == modeCom) record.level = levelName(game_->level);
  }
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
}

}  // namespace zelkan
