#include "flow/record_model.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace zelkan {
namespace {

// True when `longer` goes on from `start`: the same moves, perhaps more of them.
bool continues(const std::vector<RecordMove>& start, const std::vector<RecordMove>& longer) {
  return start.size() <= longer.size() && std::equal(start.begin(), start.end(), longer.begin());
}

std::filesystem::path normalFolder(const std::filesystem::path& folder) {
  std::error_code ignored;
  std::filesystem::path normal = std::filesystem::absolute(folder, ignored).lexically_normal();
  if (!normal.has_filename()) normal = normal.parent_path();  // "games/" as "games"
  return normal;
}

}  // namespace

GameRecord recordOfGame(const GameState& s, const std::string& level) {
  GameRecord record;
  record.moves = movesFromHistory(s);
  if (s.gameMode == modeCom || s.gameMode == modeMan) record.mode = s.gameMode;
  record.comColour = s.comColour == cellBlack ? cellBlack : cellWhite;
  if (s.gameMode == modeCom) record.level = level;
  return record;
}

RecordModel::RecordModel(std::filesystem::path keptFolder)
    : keptFolder_(keptFolder.empty() ? keptFolder : normalFolder(keptFolder)) {}

KeptStep RecordModel::moved(const GameRecord& game, const std::string& now) {
  if (finished_) startedAfresh();  // the board was set up anew since
  if (!file_.empty() && !continues(fileRecord_.moves, game.moves)) forgetFile();
  if (keeping_ && continues(keptMoves_, game.moves)) {
    KeptStep step = keep(game);
    if (!resume_.empty()) {
      step.kind = KeptStep::Kind::resume;
      step.file = std::exchange(resume_, {});
    }
    return step;
  }
  // A game of its own: the file's game played on keeps its date and header lines, any other
  // starts now with none.
  resume_.clear();
  if (file_.empty() || date_.empty()) date_ = now;
  if (file_.empty()) otherKeys_.clear();
  keeping_ = true;
  KeptStep step = keep(game);
  step.kind = KeptStep::Kind::newGame;
  return step;
}

KeptStep RecordModel::ended(GameRecord finished) {
  finished.date = date_;
  finished_ = finished;
  KeptStep step = keep(std::move(finished));
  keeping_ = false;
  return step;
}

KeptStep RecordModel::keep(GameRecord record) {
  record.date = date_;
  record.otherKeys = otherKeys_;
  keptMoves_ = record.moves;
  return {KeptStep::Kind::same, {}, std::move(record)};
}

void RecordModel::startedAfresh() {
  finished_.reset();
  forgetFile();
  keeping_ = false;
  keptMoves_.clear();
  resume_.clear();
  date_.clear();
  otherKeys_.clear();
}

void RecordModel::modeChosen(bool boardEmpty) {
  if (boardEmpty) startedAfresh();
}

void RecordModel::opened(const std::filesystem::path& path, GameRecord record) {
  startedAfresh();
  file_ = path;
  date_ = record.date;
  otherKeys_ = record.otherKeys;
  keptMoves_ = record.moves;
  if (isKeptFolder(path.parent_path())) {
    keeping_ = true;  // its next move goes on in its own kept file
    resume_ = path;
  }
  fileRecord_ = std::move(record);
}

void RecordModel::saved(const std::filesystem::path& path, GameRecord record) {
  file_ = path;
  if (date_.empty()) date_ = record.date;
  fileRecord_ = std::move(record);
}

void RecordModel::finishedShown() {
  if (!finished_) return;
  keptMoves_ = finished_->moves;
  keeping_ = false;  // over: played on only from an earlier position, as a game of its own
  finished_.reset();
}

GameRecord RecordModel::toSave(const GameRecord& game) const {
  if (finished_) return *finished_;
  if (!file_.empty() && game.moves == fileRecord_.moves) return fileRecord_;
  GameRecord record = game;
  record.date = date_;
  record.otherKeys = otherKeys_;
  // Replayed once more, for the result of a game that has ended; the history always replays.
  GameRecord replayed;
  GameEnd end = GameEnd::none;
  const auto s = std::make_unique<GameState>();
  if (!readRecord(writeRecord(record), replayed, *s, end)) return replayed;
  return record;
}

bool RecordModel::isKeptFolder(const std::filesystem::path& folder) const {
  return !keptFolder_.empty() && normalFolder(folder) == keptFolder_;
}

void RecordModel::forgetFile() {
  file_.clear();
  fileRecord_ = {};
}

}  // namespace zelkan
