#include "shell/kept_games.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <tuple>

#include "core/game_record.h"
#include "core/judgement.h"
#include "files/atomic_file.h"
#include "shell/file_refusals.h"
#include "view/texts.h"

namespace zelkan {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view keptEnding = ".zelkan";
constexpr std::string_view stampPattern = "0000-00-00-000000";
constexpr int mostNumber = 99;

// A kept game's file name: when its game started, and its number among games started then.
struct KeptName {
  std::string stamp;
  int number = 1;  // 1 for the name without a number
  std::string name;
  bool operator<(const KeptName& other) const {
    return std::tie(stamp, number) < std::tie(other.stamp, other.number);
  }
};

std::string fileName(std::string_view stamp, int number) {
  std::string name(stamp);
  if (number > 1) name += '-' + std::to_string(number);
  name += keptEnding;
  return name;
}

// The parts of a name of ours, or nothing for any other name.
std::optional<KeptName> keptName(std::string_view name) {
  if (!name.ends_with(keptEnding) || name.size() < stampPattern.size() + keptEnding.size())
    return std::nullopt;
  const std::string_view stamp = name.substr(0, stampPattern.size());
  for (std::size_t i = 0; i < stampPattern.size(); ++i) {
    const bool digit = stamp[i] >= '0' && stamp[i] <= '9';
    if (stampPattern[i] == '0' ? !digit : stamp[i] != stampPattern[i]) return std::nullopt;
  }
  KeptName kept{std::string(stamp), 1, std::string(name)};
  std::string_view rest = name.substr(stamp.size(), name.size() - stamp.size() - keptEnding.size());
  if (!rest.empty()) {
    const auto number = rest[0] == '-' ? parseNumber(rest.substr(1), 2, mostNumber) : std::nullopt;
    if (!number) return std::nullopt;
    kept.number = *number;
  }
  // Written again, a name of ours is itself: no leading zeros or signs in the number.
  if (fileName(kept.stamp, kept.number) != name) return std::nullopt;
  return kept;
}

// The regular files of ours in `folder`, newest first.
std::vector<KeptName> keptFiles(const fs::path& folder) {
  std::vector<KeptName> files;
  DIR* const entries = ::opendir(folder.c_str());
  if (entries == nullptr) return files;
  while (const dirent* entry = ::readdir(entries)) {
    struct stat status;
    if (auto kept = keptName(entry->d_name);
        kept && ::fstatat(::dirfd(entries), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(status.st_mode)) {
      files.push_back(std::move(*kept));
    }
  }
  ::closedir(entries);
  std::sort(files.rbegin(), files.rend());
  return files;
}

// The kept game `text` of the file `name` in `folder`, replayed on `s`; nothing for a text that
// is not a record.
std::optional<KeptGameSummary> summaryOf(const fs::path& folder, const KeptName& name,
                                         std::string_view text, GameState& s) {
  GameRecord record;
  GameEnd end = GameEnd::none;
  if (readRecord(text, record, s, end)) return std::nullopt;
  KeptGameSummary game{folder / name.name, record.date,  record.mode, record.comColour,
                       record.level,       s.moveNumber, end};
  if (game.date.empty()) {  // "2026-12-08-091530" as "2026-12-08 09:15"
    game.date =
        name.stamp.substr(0, 10) + ' ' + name.stamp.substr(11, 2) + ':' + name.stamp.substr(13, 2);
  }
  if (end != GameEnd::none) {
    const Scores scores = judgePosition(s);
    game.blackScore = scores.black;
    game.whiteScore = scores.white;
  }
  return game;
}

// `folder` as one name says it: absolute, without "." or ".." or a closing slash.
fs::path normalFolder(const fs::path& folder) {
  std::error_code ignored;
  fs::path normal = fs::absolute(folder, ignored).lexically_normal();
  return normal.has_filename() ? normal : normal.parent_path();
}

// Newest first, as the files' names tell.
bool newer(const KeptGameSummary& a, const KeptGameSummary& b) {
  return *keptName(b.path.filename().string()) < *keptName(a.path.filename().string());
}

// Makes `folder` and its missing parents, each private to the user.
void makeFolder(const fs::path& folder) {
  fs::path made;
  for (const fs::path& part : folder) {
    made /= part;
    ::mkdir(made.c_str(), 0700);
  }
}

}  // namespace

KeptGames::KeptGames(fs::path folder, FailureReport reportFailure)
    : folder_(std::move(folder)), reportFailure_(std::move(reportFailure)) {
  if (!folder_.empty()) writer_ = std::thread([this] { writeLoop(); });
}

KeptGames::~KeptGames() {
  flushNow();
  {
    const std::lock_guard lock(queueLock_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (writer_.joinable()) writer_.join();
}

void KeptGames::startGame(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
  stamp_ = stamp;
  resume_.clear();
  ++game_;
}

void KeptGames::resumeGame(const fs::path& file) {
  startGame();
  // Only a game of ours in this folder: anything else is kept as a new game.
  if (normalFolder(file.parent_path()) == normalFolder(folder_) &&
      keptName(file.filename().string())) {
    resume_ = folder_ / file.filename();
  }
}

void KeptGames::keep(std::string recordText) {
  if (folder_.empty()) return;
  if (game_ == 0) startGame();
  {
    const std::lock_guard lock(queueLock_);
    if (!queue_.empty() && queue_.back().game == game_) {
      queue_.back().text = std::move(recordText);
    } else {
      queue_.push_back({game_, stamp_, resume_, std::move(recordText)});
    }
  }
  wake_.notify_one();
}

void KeptGames::flushNow() {
  const std::lock_guard hold(writing_);
  load();
  while (writeNext()) {
  }
}

// What killed writes left is cleared, and the games of ours are read, once, before the first
// write.
void KeptGames::load() {
  if (loaded_ || folder_.empty()) return;
  loaded_ = true;
  removeWriteLeftovers(folder_, [](std::string_view name) { return keptName(name).has_value(); });
  std::vector<KeptGameSummary> games;
  const auto scratch = std::make_unique<GameState>();
  for (const KeptName& file : keptFiles(folder_)) {
    std::string text;
    if (readSmallFile(folder_ / file.name, recordMostBytes, text) != 0) continue;
    if (auto game = summaryOf(folder_, file, text, *scratch)) games.push_back(std::move(*game));
  }
  const std::lock_guard lock(knownLock_);
  known_ = std::move(games);
}

// The game just written to `file`, in the list in its place.
void KeptGames::know(const fs::path& file, const std::string& text) {
  const auto name = keptName(file.filename().string());
  const auto scratch = std::make_unique<GameState>();
  std::optional<KeptGameSummary> game;
  if (name) game = summaryOf(folder_, *name, text, *scratch);
  const std::lock_guard lock(knownLock_);
  std::erase_if(known_, [&](const KeptGameSummary& g) { return g.path == file; });
  if (!game) return;
  known_.insert(std::lower_bound(known_.begin(), known_.end(), *game, newer), std::move(*game));
}

bool KeptGames::writeNext() {
  Job job;
  {
    const std::lock_guard lock(queueLock_);
    if (queue_.empty()) return false;
    job = std::move(queue_.front());
    queue_.pop_front();
  }
  write(job);
  return true;
}

void KeptGames::writeLoop() {
  for (;;) {
    {
      const std::lock_guard hold(writing_);
      load();
    }
    {
      std::unique_lock lock(queueLock_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_ && queue_.empty()) return;
    }
    const std::lock_guard hold(writing_);
    writeNext();
  }
}

void KeptGames::write(const Job& job) {
  int error = 0;
  if (job.game != writtenGame_ && job.file.empty()) {
    error = claimName(job);
  } else {
    if (job.game != writtenGame_) {  // a game of ours played on
      makeFolder(folder_);
      file_ = job.file;
      writtenGame_ = job.game;
    }
    AtomicWriteOptions options;
    options.rewriteInPlace = false;  // a write that fails leaves the last one whole
    // A link put in place of our file is replaced; what it points at is not ours.
    options.writeThroughLink = [](const fs::path&) { return false; };
    error = writeFileAtomically(file_, job.text, options);
  }
  if (error == 0) {
    know(file_, job.text);
    removeOldest();
  }
  if (error != 0 && !failed_) {
    failed_ = true;
    if (reportFailure_) reportFailure_(error);
  }
}

int KeptGames::claimName(const Job& job) {
  makeFolder(folder_);
  AtomicWriteOptions options;
  options.exclusive = true;
  int error = EEXIST;
  for (int number = 1; number <= mostNumber && error == EEXIST; ++number) {
    const fs::path file = folder_ / fileName(job.stamp, number);
    error = writeFileAtomically(file, job.text, options);
    if (error == 0) file_ = file;
  }
  if (error != 0) return error;
  writtenGame_ = job.game;
  return 0;
}

// The games of ours beyond the newest hundred, as the list knows them (files that read as
// records), go.
void KeptGames::removeOldest() {
  const std::lock_guard lock(knownLock_);
  while (known_.size() > mostGames) {
    ::unlink(known_.back().path.c_str());
    known_.pop_back();
  }
}

std::vector<KeptGameSummary> KeptGames::recent(std::size_t count) const {
  const std::lock_guard lock(knownLock_);
  return {known_.begin(),
          known_.begin() + static_cast<std::ptrdiff_t>(std::min(count, known_.size()))};
}

std::string describeKeptGame(const KeptGameSummary& game) {
  std::string line = game.date + "  ";
  if (game.mode == modeMan) {
    // TRANSLATORS: a kept game's mode in the menu of recent games.
    line += _("二人対局");
    line += "  ";
  } else if (game.mode == modeCom) {
    // TRANSLATORS: a kept game against the computer, the player moving first (black) or second
    // (white), as the menu "versus COM" names them.
    line += game.comColour == cellWhite ? _("対COM（先手）") : _("対COM（後手）");
    line += "  ";
    // The strength as the menu names it, levelNames' captions in their order.
    const char* const captions[] = {_("弱い"), _("普通"), _("強い")};
    const auto named = std::find(levelNames.begin(), levelNames.end(), game.level);
    if (named != levelNames.end()) line += captions[named - levelNames.begin()];
    if (!game.level.empty()) line += "  ";
  }
  // TRANSLATORS: the number of moves of a kept game.
  line += fill(_("%d 手"), {game.moves});
  line += "  ";
  if (game.end == GameEnd::none) {
    // TRANSLATORS: a kept game that was left before its end.
    return line + _("未完");
  }
  const bool blackWon = game.blackScore > game.whiteScore;
  if (game.blackScore == game.whiteScore) {
    // TRANSLATORS: a kept game's result: a draw.
    line += _("引き分け");
  } else if (game.mode == modeCom) {
    // TRANSLATORS: a kept game's result against the computer, as the judgement named the winner:
    // "You won" (MAN: the person at the mouse) or "The computer won".
    line += blackWon == (game.comColour == cellWhite) ? _("MANの勝ち") : _("COMの勝ち");
  } else {
    line += blackWon ? _("黒の勝ち") : _("白の勝ち");
  }
  // TRANSLATORS: a kept game's scores, black's first.
  return line + fill(_("（黒 %d、白 %d）"), {game.blackScore, game.whiteScore});
}

int saveRecordFile(const fs::path& path, const GameRecord& record) {
  removeWriteLeftoversOf(path);
  const std::string text = writeRecord(record);
  std::string held;
  if (readSmallFile(path, recordMostBytes, held) == 0) {
    GameRecord old;
    GameEnd end = GameEnd::none;
    const auto scratch = std::make_unique<GameState>();
    if (!readRecord(held, old, *scratch, end) && writeRecord(old) == text) return 0;
  }
  AtomicWriteOptions options;
  options.rewriteInPlace = false;  // a save that fails leaves the old file whole
  return writeFileAtomically(path, text, options);
}

std::string proposedRecordName(std::string_view date, std::string_view now,
                               const fs::path& folder) {
  constexpr std::string_view datePattern = "0000-00-00 00:00";
  const auto dated = [&](std::string_view text) {
    if (text.size() != datePattern.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool digit = text[i] >= '0' && text[i] <= '9';
      if (datePattern[i] == '0' ? !digit : text[i] != datePattern[i]) return false;
    }
    return true;
  };
  const std::string_view when = dated(date) ? date : now;
  std::string stem = "zelkan";
  if (dated(when)) {  // "2026-12-08 21:14" as "zelkan-2026-12-08-2114"
    stem += '-';
    stem += when.substr(0, 10);
    stem += '-';
    stem += when.substr(11, 2);
    stem += when.substr(14, 2);
  }
  std::string name = stem + std::string(keptEnding);
  for (int number = 2; number <= mostNumber; ++number) {
    struct stat status;
    if (::lstat((folder / name).c_str(), &status) != 0 && errno == ENOENT) break;
    name = stem + '-' + std::to_string(number) + std::string(keptEnding);
  }
  return name;
}

std::string keptGamesFailureText(const std::filesystem::path& folder, std::string_view shownFolder,
                                 int error) {
  // TRANSLATORS: the box that says the games played cannot be kept; the folder and the system's
  // reason follow on lines of their own.
  std::string text = _("遊んだ対局を次のフォルダに残せません。");
  text += '\n';
  text += shownFolder;
  text += '\n';
  text += fileRefusal(folder, error);
  return text;
}

}  // namespace zelkan
