#include "tools/engine/engine.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <new>

#include "com/levels.h"
#include "com/search.h"
#include "core/counts.h"
#include "core/influence.h"
#include "core/judgement.h"
#include "core/move_completion.h"
#include "core/movement.h"
#include "core/setup.h"

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

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// A whole decimal number in lo..hi, or nothing.
std::optional<int> parseNumber(std::string_view text, int lo, int hi) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < lo || value > hi) return std::nullopt;
  return value;
}

// The clock's second of genmove and candidates, or nothing (with the message in error).
std::optional<int> parseSecond(std::string_view text, std::string& error) {
  const auto second = parseNumber(text, 0, 59);
  if (!second) error = "SECOND must be a whole number from 0 to 59";
  return second;
}

std::optional<Code> parseSide(std::string_view text) {
  if (text == "B") return cellBlack;
  if (text == "W") return cellWhite;
  return std::nullopt;
}

char sideLetter(Code colour) {
  return colour == cellWhite ? 'W' : 'B';
}

const char* endName(GameEnd end) {
  switch (end) {
    case GameEnd::none:
      return "none";
    case GameEnd::limit:
      return "limit";
    case GameEnd::lead:
      return "lead";
  }
  return "none";
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

  std::array<std::string_view, maxArgs + 1> words;
  std::size_t count = 0;
  bool tooMany = false;  // more words than fit: no command takes that many arguments
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isSpace(line[i]))
      ++i;
    if (i == line.size()) break;
    const std::size_t start = i;
    while (i < line.size() && !isSpace(line[i]))
      ++i;
    if (count == words.size()) {
      tooMany = true;
      break;
    }
    words[count++] = line.substr(start, i - start);
  }
  if (count == 0 || words[0].front() == '#') return std::nullopt;

  const std::string_view command = words[0];
  const std::span<const std::string_view> args(words.data() + 1, count - 1);
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
  return success("");
}

std::string Engine::setPosition(std::span<const std::string_view> args) {
  const std::string_view rows = args[0];
  if (rows.size() != boardSize * boardSize ||
      rows.find_first_not_of(".BW") != std::string_view::npos) {
    return failure("ROWS must be 361 characters, each '.', 'B' or 'W'");
  }
  const auto side = parseSide(args[1]);
  if (!side) return failure("SIDE must be B or W");
  const auto blackLost = parseNumber(args[2], 0, 9999);
  if (!blackLost) return failure("BLACKLOST must be a whole number from 0 to 9999");
  const auto whiteLost = parseNumber(args[3], 0, 9999);
  if (!whiteLost) return failure("WHITELOST must be a whole number from 0 to 9999");
  const auto moveNumber = parseNumber(args[4], 0, moveLimit - 1);
  if (!moveNumber) return failure("MOVENUMBER must be a whole number from 0 to 99");

  GameState& s = *state_;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      const char c = rows[(y - 1) * boardSize + (x - 1)];
      s.board(x, y) = c == 'B' ? cellBlack : c == 'W' ? cellWhite : cellEmpty;
    }
  }
  s.turnColour = *side;
  s.otherColour = *side == cellBlack ? cellWhite : cellBlack;
  s.blackLost = static_cast<Code>(*blackLost);
  s.whiteLost = static_cast<Code>(*whiteLost);
  s.moveNumber = static_cast<Code>(*moveNumber);
  s.historyEnd = s.moveNumber;
  s.selState = 0;
  調査_保存(s, s.moveNumber);
  gameOver_ = false;
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
  }
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
  if (name == "weak") {
    level_ = Level::weak;
  } else if (name == "normal") {
    level_ = Level::normal;
  } else if (name == "strong") {
    level_ = Level::strong;
  } else {
    return failure("NAME must be weak, normal or strong");
  }
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
  if (turn.passed) return success("pass");
  const MoveRecord& r = turn.record;
  if (!r.done) return failure("the move history is full");
  if (r.end != GameEnd::none) gameOver_ = true;
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

}  // namespace zelkan
