// Game records: a game as lines of text, to be saved, opened and shared. The text only; files are
// the caller's. Reading replays every move through the rules, so a record that opens is a game
// that can have been played.
//
//   zelkan-record 1               the format and its version
//   date 2026-12-08 21:14         header lines, "key value", before the first move; a key not
//   mode computer                 known here is kept but means nothing to the game
//   computer white
//   level strong
//   result limit 301 287          why the game ended and black's and white's scores
//   start ROWS SIDE BLACKLOST WHITELOST MOVENUMBER   an optional start position
//   10 18 10 12                   one move a line: X1 Y1 X2 Y2, or "pass"
//   # a comment                   comments and blank lines anywhere
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/counts.h"
#include "core/game_state.h"

namespace zelkan {

inline constexpr std::string_view recordMagic = "zelkan-record";
inline constexpr int recordVersion = 1;
// A longer file or line is not a record of ours: a game has at most a few hundred short lines.
inline constexpr std::size_t recordMostBytes = 256 * 1024;
inline constexpr std::size_t recordMostLineBytes = 1024;

// The names of the computer's strengths, weakest first, as records, the engine and the window's
// actions write them. com/levels.h pairs them with its levels.
inline constexpr std::array<const char*, 3> levelNames{"weak", "normal", "strong"};

struct RecordMove {
  bool pass = false;
  Code x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool operator==(const RecordMove&) const = default;
};

// The side that makes move k (0 for the first) of the moves played from a position with `first`
// to move: the sides alternate, a pass standing for a side that could not move.
constexpr Code sideOfMove(int k, Code first = cellBlack) {
  return k % 2 == 0 ? first : opposite(first);
}

// A position to start from instead of the starting one, as the engine's set_position takes it.
struct RecordStart {
  std::string rows;  // 361 characters, '.', 'B' or 'W', row by row from the top
  Code side = cellBlack;
  Code blackLost = 0;
  Code whiteLost = 0;
  Code moveNumber = 0;
  bool operator==(const RecordStart&) const = default;
};

struct GameRecord {
  std::string date;
  Code mode = modeNone;        // modeCom, modeMan, or modeNone when the record does not say
  Code comColour = cellWhite;  // with modeCom
  std::string level;           // one of levelNames, or empty
  std::string result;          // set by reading and by finishRecord: empty while the game goes on
  std::vector<std::pair<std::string, std::string>> otherKeys;  // written after the known ones
  std::optional<RecordStart> start;
  std::vector<RecordMove> moves;
};

enum class RecordProblem {
  notRecord,  // the first line does not name the format
  version,    // a version this program does not know
  lineTooLong,
  badHeader,      // a known key with a value it cannot take
  malformedMove,  // neither four coordinates from 1 to 19 nor "pass"
  illegalMove,
  needlessPass,  // a pass by a side that has a move
  afterEnd,      // a move after the move that ended the game
  tooLong,       // more moves than the history holds
};

struct RecordError {
  RecordProblem problem = RecordProblem::notRecord;
  int line = 0;  // 1 for the first line
};

// The problem in plain English, for the engine's answers.
const char* recordProblemText(RecordProblem problem);

// The blanks between the words of a record's lines and of the engine's commands: space, tab and
// a carriage return (a line ended the Windows way).
bool isRecordBlank(char c);
// The line without its leading and trailing blanks.
std::string_view trimmedLine(std::string_view text);
// The line's words; more than `most` gives most + 1, enough to tell it is too many.
std::vector<std::string_view> lineWords(std::string_view line, std::size_t most);

// A whole decimal number in lo..hi, or nothing.
std::optional<int> parseNumber(std::string_view text, int lo, int hi);

// How a game ended, as records and the engine write it: "none", "limit" or "lead".
const char* endName(GameEnd end);

// Reads the start position's five words (set_position's arguments); on failure `error` says which
// word is wrong.
std::optional<RecordStart> parseStart(std::span<const std::string_view> words, std::string& error);

// The start position, or the starting one when there is none, with black or the start's side to
// move: the state a record's first move is played on.
void placeStart(GameState& s, const std::optional<RecordStart>& start);

// Reads `text` as a record and replays it on `s` from its start. On success `record` holds it
// (its result from the replay) and `s` its last position, with the side to move turned after
// every move or pass, except after the move that ended the game (`end` then says why). On
// failure the error says what and where; `record` and `s` are then unspecified.
std::optional<RecordError> readRecord(std::string_view text, GameRecord& record, GameState& s,
                                      GameEnd& end);

// The text of the record, every line ended by a newline. A record with a result is written with
// the result of its own moves (resultOfMoves), never with one they do not reach.
std::string writeRecord(const GameRecord& record);

// Sets the record's result from its last position: why the game ended and the scores.
void finishRecord(GameRecord& record, const GameState& s, GameEnd end);

// The result the record's moves reach, replayed from its start: why the game ended and the
// judgement's scores; empty when the moves leave the game going on or do not replay.
std::string resultOfMoves(const GameRecord& record);

// The moves of a game played from the starting position with black first, read from its history:
// every move that stepping forward reaches, and a pass wherever a side moved twice in a row.
std::vector<RecordMove> movesFromHistory(const GameState& s);

}  // namespace zelkan
