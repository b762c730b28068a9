#include "tools/engine/engine.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <new>
#include <thread>

#include "com/game_review.h"
#include "com/levels.h"
#include "com/search.h"
#include "core/counts.h"
#include "core/game_record.h"
#include "core/influence.h"
#include "core/judgement.h"
#include "core/move_completion.h"
#include "core/movement.h"
#include "core/setup.h"
#include "files/atomic_file.h"

namespace zelkan {
namespace {

constexpr std::size_t maxArgs = 8;  // more than any command takes

std::string success(std::string_view payload) {
  std::string out = "= ";
  out += payload;
  out += "\n\n";
  return out;
}

std::string failure(std::string_view message) {
  std::string out = "? ";
  out += message;
  out += "\n\n";
  return out;
}

// The clock's second of genmove and candidates, or nothing (with the message in error).
std::optional<int> parseSecond(std::string_view text, std::string& error) {
  const auto second = parseNumber(text, 0, 59);
  if (!second) error = "SECOND must be a whole number from 0 to 59";
  return second;
}

char sideLetter(Code colour) {
  return colour == cellWhite ? 'W' : 'B';
}

// Four coordinates X1 Y1 X2 Y2, each 1..19; on failure, the message naming the bad one.
struct Move {
  int x1, y1, x2, y2;
};

std::optional<Move> parseMove(std::span<const std::string_view> args, std::string& error) {
  static constexpr const char* names[] = {"X1", "Y1", "X2", "Y2"};
  int v[4];
  for (int i = 0; i < 4; ++i) {
    const auto n = parseNumber(args[i], 1, boardSize);
    if (!n) {
      error = std::string(names[i]) + " must be a whole number from 1 to 19";
      return std::nullopt;
    }
    v[i] = *n;
  }
  return Move{v[0], v[1], v[2], v[3]};
}

// A move of a review row: X1 Y1 X2 Y2, or "pass".
std::string moveText(const RecordMove& m) {
  if (m.pass) return "pass";
  return std::to_string(m.x1) + ' ' + std::to_string(m.y1) + ' ' + std::to_string(m.x2) + ' ' +
         std::to_string(m.y2);
}

// The most moves made per search analyse takes.
constexpr int mostAnalyseBudget = 100000000;
// The most worker threads the searches that use several take.
constexpr int mostThreads = 256;

}  // namespace

Engine::Engine(std::uint64_t strongBudget)
    : state_(std::make_unique<GameState>()), strongBudget_(strongBudget) {
  clearBoard();
}

std::string Engine::lineTooLong() {
  return failure("line too long (more than 4096 bytes)");
}

std::optional<std::string> Engine::handle(std::string_view line) {
  if (line.size() > maxLineBytes) return lineTooLong();

  // savegame and loadgame take the rest of the line as the file's name, spaces and all.
  for (const std::string_view command : {"savegame", "loadgame"}) {
    std::string_view rest = trimmedLine(line);
    if (!rest.starts_with(command)) continue;
    rest.remove_prefix(command.size());
    if (!rest.empty() && !isRecordBlank(rest.front())) continue;
    rest = trimmedLine(rest);
    if (rest.empty()) return failure(std::string(command) + " takes 1 argument: PATH");
    return command == "savegame" ? saveGame(rest) : loadGame(rest);
  }

  std::vector<std::string_view> words = lineWords(line, maxArgs + 1);
  // More words than a command and its arguments: no command takes that many.
  const bool tooMany = words.size() > maxArgs + 1;
  if (tooMany) words.pop_back();
  if (words.empty() || words[0].front() == '#') return std::nullopt;

  const std::string_view command = words[0];
  const std::span<const std::string_view> args(words.data() + 1, words.size() - 1);
  const auto arity = [&](std::size_t n, const char* usage) -> std::optional<std::string> {
    if (args.size() == n && !tooMany) return std::nullopt;
    return failure(std::string(command) + " takes " + std::to_string(n) +
                   (n == 1 ? " argument" : " arguments") + (n ? ": " : "") + usage);
  };

  if (command == "clear_board") {
    if (auto e = arity(0, "")) return e;
    return clearBoard();
  }
  if (command == "set_position") {
    if (auto e = arity(5, "ROWS SIDE BLACKLOST WHITELOST MOVENUMBER")) return e;
    return setPosition(args);
  }
  if (command == "board") {
    if (auto e = arity(0, "")) return e;
    return board();
  }
  if (command == "legal") {
    if (auto e = arity(4, "X1 Y1 X2 Y2")) return e;
    return legal(args);
  }
  if (command == "play") {
    if (gameOver_) return failure("game over");
    if (auto e = arity(4, "X1 Y1 X2 Y2")) return e;
    return play(args);
  }
  if (command == "genmove") {
    if (gameOver_) return failure("game over");
    if (auto e = arity(1, "SECOND")) return e;
    return genmove(args);
  }
  if (command == "candidates") {
    if (auto e = arity(1, "SECOND")) return e;
    return candidates(args);
  }
  if (command == "level") {
    if (auto e = arity(1, "NAME")) return e;
    return setLevel(args[0]);
  }
  if (command == "influence") {
    if (auto e = arity(0, "")) return e;
    return influence();
  }
  if (command == "judge") {
    if (auto e = arity(0, "")) return e;
    return judge();
  }
  if (command == "analyse") {
    if (args.size() > 1 || tooMany) return failure("analyse takes at most 1 argument: BUDGET");
    return analyse(args);
  }
  if (command == "threads") {
    if (auto e = arity(1, "N")) return e;
    return setThreads(args[0]);
  }
  if (command == "quit") {
    if (auto e = arity(0, "")) return e;
    quit_ = true;
    return success("");
  }
  return failure("unknown command");
}

std::string Engine::clearBoard() {
  初期設定(*state_);
  state_->turnColour = cellBlack;
  state_->otherColour = cellWhite;
  gameOver_ = false;
  end_ = GameEnd::none;
  record_ = GameRecord{};
  return success("");
}

std::string Engine::setPosition(std::span<const std::string_view> args) {
  std::string error;
  auto start = parseStart(args, error);
  if (!start) return failure(error);
  placeStart(*state_, start);
  gameOver_ = false;
  end_ = GameEnd::none;
  record_ = GameRecord{};
  record_.start = std::move(start);
  return success("");
}

std::string Engine::board() const {
  const GameState& s = *state_;
  std::string out;
  out.reserve(boardSize * boardSize + 32);
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      const Code c = s.board(x, y);
      out += c == cellBlack ? 'B' : c == cellWhite ? 'W' : '.';
    }
  }
  out += ' ';
  out += sideLetter(s.turnColour);
  out += ' ' + std::to_string(s.blackLost) + ' ' + std::to_string(s.whiteLost) + ' ' +
         std::to_string(s.moveNumber);
  return success(out);
}

std::string Engine::legal(std::span<const std::string_view> args) const {
  std::string error;
  const auto m = parseMove(args, error);
  if (!m) return failure(error);
  const Flag f = 移動チェック(state_->board, m->x1, m->y1, m->x2, m->y2, state_->turnColour);
  return success(f == flagYes ? "true" : "false");
}

std::string Engine::play(std::span<const std::string_view> args) {
  std::string error;
  const auto m = parseMove(args, error);
  if (!m) return failure(error);
  GameState& s = *state_;
  const MoveRecord r = completeMove(s, m->x1, m->y1, m->x2, m->y2);
  if (!r.done) return failure("illegal move");
  if (r.end == GameEnd::none) {
    std::swap(s.turnColour, s.otherColour);
  } else {
    gameOver_ = true;
    end_ = r.end;
  }
  record_.moves.push_back({false, r.fromX, r.fromY, r.toX, r.toY});
  return success(outcome(r));
}

// What play and genmove report after a move: WHITE BLACK BLACKLOST WHITELOST END.
std::string Engine::outcome(const MoveRecord& r) const {
  char text[64];
  std::snprintf(text, sizeof text, "%d %d %d %d %s", r.white, r.black, state_->blackLost,
                state_->whiteLost, endName(r.end));
  return text;
}

std::string Engine::setLevel(std::string_view name) {
  const std::optional<Level> level = levelNamed(name);
  if (!level) return failure("NAME must be weak, normal or strong");
  level_ = *level;
  return success("");
}

std::string Engine::influence() const {
  const Influence inf = computeInfluence(state_->board);
  return success(std::to_string(inf.whiteArea) + ' ' + std::to_string(inf.blackArea));
}

std::string Engine::judge() const {
  const Scores sc = judgePosition(*state_);
  return success(std::to_string(sc.black) + ' ' + std::to_string(sc.white));
}

std::string Engine::genmove(std::span<const std::string_view> args) {
  std::string error;
  const auto second = parseSecond(args[0], error);
  if (!second) return failure(error);
  FixedSecond clock(*second);
  GameState& s = *state_;
  // The weak level's seed 0 and the strong level's fixed budget, so the same position always
  // gets the same answer.
  LevelLimits limits;
  limits.nodeBudget = strongBudget_;
  std::optional<ComMove> chosen;
  try {
    if (level_ == Level::strong) limits.table = &tableFor(table_, strongBudget_);
    chosen = chooseComMove(s, level_, clock, limits);
  } catch (const std::bad_alloc&) {
    return failure("out of memory");
  }
  const ComTurn turn = playComMove(s, chosen);
  if (turn.passed) {
    record_.moves.push_back({.pass = true});
    return success("pass");
  }
  const MoveRecord& r = turn.record;
  if (!r.done) return failure("the move history is full");
  if (r.end != GameEnd::none) {
    gameOver_ = true;
    end_ = r.end;
  }
  record_.moves.push_back({false, r.fromX, r.fromY, r.toX, r.toY});
  char move[32];
  std::snprintf(move, sizeof move, "%d %d %d %d ", r.fromX, r.fromY, r.toX, r.toY);
  return success(move + outcome(r));
}

std::string Engine::candidates(std::span<const std::string_view> args) {
  std::string error;
  const auto second = parseSecond(args[0], error);
  if (!second) return failure(error);
  FixedSecond clock(*second);
  GameState& s = *state_;
  const Code human = s.turnColour == cellBlack ? cellWhite : cellBlack;
  std::string lines;
  forEachCandidate(s.board, s.turnColour, human, clock, [&](const ComMove& m) {
    char line[64];
    std::snprintf(line, sizeof line, "%s%d %d %d %d %.6f", lines.empty() ? "" : "\n", m.fromX,
                  m.fromY, m.toX, m.toY, m.score);
    lines += line;
  });
  return success(lines);
}

std::string Engine::saveGame(std::string_view path) {
  GameRecord record = record_;
  finishRecord(record, *state_, end_);
  AtomicWriteOptions options;
  options.rewriteInPlace = false;  // a failed save leaves the old file whole
  const int error = writeFileAtomically(std::string(path), writeRecord(record), options);
  if (error != 0) return failure(std::string(path) + ": " + std::strerror(error));
  return success("");
}

std::string Engine::loadGame(std::string_view path) {
  std::string text;
  const int error = readSmallFile(std::string(path), recordMostBytes, text);
  if (error != 0) return failure(std::string(path) + ": " + std::strerror(error));
  GameRecord record;
  GameEnd end = GameEnd::none;
  auto replayed = std::make_unique<GameState>();
  if (const auto problem = readRecord(text, record, *replayed, end)) {
    std::string where = std::string(path) + ": ";
    if (problem->line > 0) where += "line " + std::to_string(problem->line) + ": ";
    return failure(where + recordProblemText(problem->problem));
  }
  state_ = std::move(replayed);
  record_ = std::move(record);
  end_ = end;
  gameOver_ = end != GameEnd::none;
  return success("");
}

std::string Engine::setThreads(std::string_view count) {
  const auto n = parseNumber(count, 1, mostThreads);
  if (!n) return failure("bad thread count");
  threads_ = *n;
  return success("");
}

std::string Engine::analyse(std::span<const std::string_view> args) const {
  ReviewOptions options;
  options.nodeBudget = strongBudget_;
  if (!args.empty()) {
    const auto budget = parseNumber(args[0], 1, mostAnalyseBudget);
    if (!budget) return failure("BUDGET must be a whole number from 1 to 100000000");
    options.nodeBudget = static_cast<std::uint64_t>(*budget);
  }
  options.workers = threads_;
  std::vector<ReviewRow> rows;
  try {
    auto start = std::make_unique<GameState>();
    placeStart(*start, record_.start);
    rows = reviewGame(*start, record_.moves, options);
  } catch (const std::bad_alloc&) {
    return failure("out of memory");
  }
  std::string lines;
  for (const ReviewRow& r : rows) {
    if (!lines.empty()) lines += '\n';
    lines += std::to_string(r.index + 1) + ' ' + moveText(r.played) + ' ' +
             std::to_string(r.value) + ' ' + moveText(r.best) + ' ' + std::to_string(r.bestValue) +
             ' ' + std::to_string(r.loss) + ' ' + moveClassName(r.moveClass);
  }
  return success(lines);
}

}  // namespace zelkan
