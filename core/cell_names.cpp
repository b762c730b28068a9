#include "core/cell_names.h"

#include <array>

#include "core/game_state.h"

namespace zelkan {

char columnLetter(int x) {
  static constexpr char letters[] = "ABCDEFGHJKLMNOPQRST";
  return x >= 1 && x <= 19 ? letters[x - 1] : '?';
}

std::string cellName(int x, int y) {
  if (!onBoard(x, y)) return {};
  return columnLetter(x) + std::to_string(rowNumber(y));
}

std::string moveName(const RecordMove& move, const std::string& pass) {
  if (move.pass) return pass;
  return cellName(move.x1, move.y1) + "-" + cellName(move.x2, move.y2);
}

namespace {

// The text with full-width letters, digits and signs (U+FF01..U+FF5E) and the ideographic space
// written as their plain ASCII forms; everything else as it stands.
std::string plainForms(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (i + 2 < text.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
      out += ' ';
      i += 2;
    } else if (i + 2 < text.size() && byte(0) == 0xEF && (byte(1) == 0xBC || byte(1) == 0xBD) &&
               byte(2) >= 0x80 && byte(2) <= 0xBF) {
      const int code = 0xFF00 + ((byte(1) - 0xBC) << 6) + (byte(2) - 0x80);
      if (code < 0xFF01 || code > 0xFF5E) {
        out += text.substr(i, 3);
      } else {
        out += static_cast<char>(code - 0xFF00 + 0x20);
      }
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Reads a cell's name at the front of `text`, and takes it off; none, with `text` as it was, when
// none stands there.
std::optional<std::pair<int, int>> takeCell(std::string_view& text) {
  static constexpr std::string_view letters = "ABCDEFGHJKLMNOPQRST";
  if (text.empty()) return std::nullopt;
  const char upper =
      text[0] >= 'a' && text[0] <= 'z' ? static_cast<char>(text[0] - 'a' + 'A') : text[0];
  const std::size_t column = letters.find(upper);
  if (column == std::string_view::npos) return std::nullopt;
  std::size_t digits = 1;
  while (digits < text.size() && digits <= 2 && text[digits] >= '0' && text[digits] <= '9')
    ++digits;
  if (digits == 1 || text[1] == '0') return std::nullopt;
  const std::optional<int> row = parseNumber(text.substr(1, digits - 1), 1, boardSize);
  if (!row) return std::nullopt;
  text.remove_prefix(digits);
  return std::pair{static_cast<int>(column) + 1, 20 - *row};
}

std::string lowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

void skipBlanks(std::string_view& text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
}

}  // namespace

std::optional<std::pair<int, int>> parseCellName(std::string_view text) {
  const std::string plain = plainForms(text);
  std::string_view rest = plain;
  const auto cell = takeCell(rest);
  if (!rest.empty()) return std::nullopt;
  return cell;
}

std::optional<RecordMove> parseMoveName(std::string_view text) {
  // What may stand between the two cells, blanks round it: one of these, or nothing.
  static constexpr std::array<std::string_view, 11> joins = {
      "->",     "-", ",", "~", "to",
      "\u2013",   // an en dash
      "\u2014",   // an em dash
      "\u2192",   // an arrow
      "\u3001",   // a Japanese comma
      "\u301C",   // a wave dash
      "\u30FC"};  // a long vowel mark, typed for a dash
  const std::string plain = plainForms(text);
  std::string_view rest = plain;
  skipBlanks(rest);
  const auto from = takeCell(rest);
  if (!from) return std::nullopt;
  skipBlanks(rest);
  for (const std::string_view join : joins) {
    if (rest.size() >= join.size() && lowerCase(rest.substr(0, join.size())) == join) {
      rest.remove_prefix(join.size());
      break;
    }
  }
  if (rest.starts_with("\u304B\u3089")) rest.remove_prefix(6);  // "から": from ... to
  skipBlanks(rest);
  const auto to = takeCell(rest);
  skipBlanks(rest);
  if (rest.starts_with("\u3078")) rest.remove_prefix(3);  // "へ": "K2からK8へ"
  if (!to || !rest.empty()) return std::nullopt;
  return RecordMove{.pass = false,
                    .x1 = static_cast<Code>(from->first),
                    .y1 = static_cast<Code>(from->second),
                    .x2 = static_cast<Code>(to->first),
                    .y2 = static_cast<Code>(to->second)};
}

}  // namespace zelkan
