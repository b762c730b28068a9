#include "core/game_record.h"

#include <algorithm>
#include <charconv>
#include <memory>

#include "core/judgement.h"
#include "core/move_completion.h"
#include "core/movement.h"
#include "core/setup.h"

namespace zelkan {

bool isRecordBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmedLine(std::string_view text) {
  while (!text.empty() && isRecordBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isRecordBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> lineWords(std::string_view line, std::size_t most) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < line.size() && out.size() <= most) {
    while (i < line.size() && isRecordBlank(line[i]))
      ++i;
    if (i == line.size()) break;
    const std::size_t start = i;
    while (i < line.size() && !isRecordBlank(line[i]))
      ++i;
    out.push_back(line.substr(start, i - start));
  }
  return out;
}

namespace {

// The header line `key value`; false when a known key cannot take the value.
bool readHeader(std::string_view key, std::string_view value, GameRecord& record) {
  if (key == "date") {
    record.date = value;
  } else if (key == "mode") {
    if (value == "computer") {
      record.mode = modeCom;
    } else if (value == "two") {
      record.mode = modeMan;
    } else {
      return false;
    }
  } else if (key == "computer") {
    if (value == "black") {
      record.comColour = cellBlack;
    } else if (value == "white") {
      record.comColour = cellWhite;
    } else {
      return false;
    }
  } else if (key == "level") {
    if (std::find(levelNames.begin(), levelNames.end(), value) == levelNames.end()) return false;
    record.level = value;
  } else if (key == "start") {
    const auto w = lineWords(value, 5);
    std::string error;
    if (w.size() != 5) return false;
    record.start = parseStart(w, error);
    return record.start.has_value();
  } else if (key != "result") {  // the result is the replay's to say
    record.otherKeys.emplace_back(key, value);
  }
  return true;
}

std::optional<RecordMove> parseMove(std::string_view line) {
  if (line == "pass") return RecordMove{.pass = true};
  const auto w = lineWords(line, 4);
  if (w.size() != 4) return std::nullopt;
  Code v[4];
  for (int i = 0; i < 4; ++i) {
    const auto n = parseNumber(w[i], 1, boardSize);
    if (!n) return std::nullopt;
    v[i] = static_cast<Code>(*n);
  }
  return RecordMove{false, v[0], v[1], v[2], v[3]};
}

// Plays a record's next move on s, as reading replays it: the side to move turns after every
// move or pass, except after the move that ends the game (`end` then says why).
std::optional<RecordProblem> playRecordMove(GameState& s, const RecordMove& move, GameEnd& end) {
  if (end != GameEnd::none) return RecordProblem::afterEnd;
  // A side passes only when none of its stones can move.
  if (move.pass && hasLegalMove(s.board, s.turnColour)) return RecordProblem::needlessPass;
  if (!move.pass) {
    const MoveRecord r = completeMove(s, move.x1, move.y1, move.x2, move.y2);
    if (!r.done) {
      const bool full = s.moveNumber + 1 >= historySize;
      return full ? RecordProblem::tooLong : RecordProblem::illegalMove;
    }
    end = r.end;
  }
  if (end == GameEnd::none) std::swap(s.turnColour, s.otherColour);
  return std::nullopt;
}

// Why the game ended and the scores of its last position, or empty while it goes on.
std::string resultText(const GameState& s, GameEnd end) {
  if (end == GameEnd::none) return {};
  const Scores scores = judgePosition(s);
  return std::string(endName(end)) + ' ' + std::to_string(scores.black) + ' ' +
         std::to_string(scores.white);
}

}  // namespace

std::optional<int> parseNumber(std::string_view text, int lo, int hi) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < lo || value > hi) return std::nullopt;
  return value;
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

const char* recordProblemText(RecordProblem problem) {
  switch (problem) {
    case RecordProblem::notRecord:
      return "not a game record";
    case RecordProblem::version:
      return "a record version this program does not know";
    case RecordProblem::lineTooLong:
      return "line too long";
    case RecordProblem::badHeader:
      return "a header line with a value it cannot take";
    case RecordProblem::malformedMove:
      return "not a move";
    case RecordProblem::illegalMove:
      return "illegal move";
    case RecordProblem::needlessPass:
      return "a pass by a side that has a move";
    case RecordProblem::afterEnd:
      return "a move after the end of the game";
    case RecordProblem::tooLong:
      return "more moves than a game holds";
  }
  return "not a game record";
}

std::optional<RecordStart> parseStart(std::span<const std::string_view> w, std::string& error) {
  RecordStart start;
  if (w[0].size() != boardSize * boardSize ||
      w[0].find_first_not_of(".BW") != std::string_view::npos) {
    error = "ROWS must be 361 characters, each '.', 'B' or 'W'";
    return std::nullopt;
  }
  start.rows = w[0];
  if (w[1] != "B" && w[1] != "W") {
    error = "SIDE must be B or W";
    return std::nullopt;
  }
  start.side = w[1] == "B" ? cellBlack : cellWhite;
  const auto blackLost = parseNumber(w[2], 0, 9999);
  if (!blackLost) {
    error = "BLACKLOST must be a whole number from 0 to 9999";
    return std::nullopt;
  }
  const auto whiteLost = parseNumber(w[3], 0, 9999);
  if (!whiteLost) {
    error = "WHITELOST must be a whole number from 0 to 9999";
    return std::nullopt;
  }
  const auto moveNumber = parseNumber(w[4], 0, moveLimit - 1);
  if (!moveNumber) {
    error = "MOVENUMBER must be a whole number from 0 to 99";
    return std::nullopt;
  }
  start.blackLost = static_cast<Code>(*blackLost);
  start.whiteLost = static_cast<Code>(*whiteLost);
  start.moveNumber = static_cast<Code>(*moveNumber);
  return start;
}

void placeStart(GameState& s, const std::optional<RecordStart>& start) {
  初期設定(s);
  s.turnColour = cellBlack;
  s.otherColour = cellWhite;
  s.selState = 0;
  if (!start) return;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      const char c = start->rows[(y - 1) * boardSize + (x - 1)];
      s.board(x, y) = c == 'B' ? cellBlack : c == 'W' ? cellWhite : cellEmpty;
    }
  }
  s.turnColour = start->side;
  s.otherColour = opposite(start->side);
  s.blackLost = start->blackLost;
  s.whiteLost = start->whiteLost;
  s.moveNumber = start->moveNumber;
  s.historyEnd = s.moveNumber;
  調査_保存(s, s.moveNumber);
}

std::optional<RecordError> readRecord(std::string_view text, GameRecord& record, GameState& s,
                                      GameEnd& end) {
  record = GameRecord{};
  end = GameEnd::none;
  if (text.size() > recordMostBytes) return RecordError{RecordProblem::tooLong, 0};
  bool started = false;  // past the first move: no more header lines
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    const std::string_view raw = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    ++lineNumber;
    const auto fail = [&](RecordProblem p) { return RecordError{p, lineNumber}; };
    if (raw.size() > recordMostLineBytes) return fail(RecordProblem::lineTooLong);
    const std::string_view line = trimmedLine(raw);

    if (lineNumber == 1) {
      const auto w = lineWords(line, 2);
      if (w.size() != 2 || w[0] != recordMagic) return fail(RecordProblem::notRecord);
      if (w[1] != "1") return fail(RecordProblem::version);
      continue;
    }
    if (line.empty() || line.front() == '#') continue;

    const bool looksLikeMove = line == "pass" || (line.front() >= '0' && line.front() <= '9');
    if (!started && !looksLikeMove) {
      const std::size_t gap = line.find_first_of(" \t");
      const std::string_view key = line.substr(0, gap);
      const std::string_view value =
          gap == std::string_view::npos ? std::string_view{} : trimmedLine(line.substr(gap));
      if (!readHeader(key, value, record)) return fail(RecordProblem::badHeader);
      continue;
    }
    if (!started) {
      placeStart(s, record.start);
      started = true;
    }
    const auto move = parseMove(line);
    if (!move) return fail(RecordProblem::malformedMove);
    if (const auto problem = playRecordMove(s, *move, end)) return fail(*problem);
    record.moves.push_back(*move);
  }
  if (lineNumber == 0) return RecordError{RecordProblem::notRecord, 1};
  if (!started) placeStart(s, record.start);
  if (end != GameEnd::none) finishRecord(record, s, end);
  return std::nullopt;
}

std::string writeRecord(const GameRecord& record) {
  std::string out = std::string(recordMagic) + ' ' + std::to_string(recordVersion) + '\n';
  const auto header = [&](std::string_view key, std::string_view value) {
    if (value.empty()) return;
    out += key;
    out += ' ';
    out += value;
    out += '\n';
  };
  header("date", record.date);
  header("mode", record.mode == modeCom ? "computer" : record.mode == modeMan ? "two" : "");
  if (record.mode == modeCom) header("computer", record.comColour == cellBlack ? "black" : "white");
  header("level", record.level);
  // Whoever set the result, the text says only what the moves themselves make of the game.
  if (!record.result.empty()) header("result", resultOfMoves(record));
  for (const auto& [key, value] : record.otherKeys)
    header(key, value);
  if (record.start) {
    const RecordStart& st = *record.start;
    out += "start " + st.rows + (st.side == cellBlack ? " B " : " W ") +
           std::to_string(st.blackLost) + ' ' + std::to_string(st.whiteLost) + ' ' +
           std::to_string(st.moveNumber) + '\n';
  }
  for (const RecordMove& m : record.moves) {
    if (m.pass) {
      out += "pass\n";
    } else {
      out += std::to_string(m.x1) + ' ' + std::to_string(m.y1) + ' ' + std::to_string(m.x2) + ' ' +
             std::to_string(m.y2) + '\n';
    }
  }
  return out;
}

void finishRecord(GameRecord& record, const GameState& s, GameEnd end) {
  record.result = resultText(s, end);
}

std::string resultOfMoves(const GameRecord& record) {
  const auto s = std::make_unique<GameState>();
  placeStart(*s, record.start);
  GameEnd end = GameEnd::none;
  for (const RecordMove& move : record.moves) {
    if (playRecordMove(*s, move, end)) return {};
  }
  return resultText(*s, end);
}

std::vector<RecordMove> movesFromHistory(const GameState& s) {
  std::vector<RecordMove> moves;
  Code toMove = cellBlack;
  for (int k = 0; k < s.historyEnd && k + 1 < historySize; ++k) {
    const Code mover = s.moveLogColour[k];
    if (mover != toMove) moves.push_back(RecordMove{.pass = true});
    // The moved stone's cell is the one cell of the mover's colour that the move emptied: no move
    // ever takes the mover's own stones.
    RecordMove m;
    for (int y = 1; y <= boardSize && m.x1 == 0; ++y) {
      for (int x = 1; x <= boardSize; ++x) {
        if (s.snapshots[k](x, y) == mover && s.snapshots[k + 1](x, y) == cellEmpty) {
          m.x1 = static_cast<Code>(x);
          m.y1 = static_cast<Code>(y);
          break;
        }
      }
    }
    m.x2 = s.moveLogX[k];
    m.y2 = s.moveLogY[k];
    moves.push_back(m);
    toMove = opposite(mover);
  }
  return moves;
}

}  // namespace zelkan
