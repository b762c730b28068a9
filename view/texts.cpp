#include "view/texts.h"

#include <string_view>

namespace zelkan {

const char* C_(const char* context, const char* text) {
  // A catalog keeps a text with a context under both, joined by an EOT, as msgfmt writes them.
  const std::string key = std::string(context) + '\004' + text;
  const char* translated = dgettext(textDomain, key.c_str());
  return translated == key.c_str() ? text : translated;
}

AroundNumber wordsAround(const char* format) {
  const std::string_view line = format;
  const std::size_t at = line.find("%d");
  const auto trimmed = [](std::string_view words) {
    const std::size_t first = words.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string();
    return std::string(words.substr(first, words.find_last_not_of(' ') - first + 1));
  };
  if (at == std::string_view::npos) return {trimmed(line), {}};
  return {trimmed(line.substr(0, at)), trimmed(line.substr(at + 2))};
}

std::string fill(const char* text, std::initializer_list<FillIn> fillIns) {
  std::string out;
  std::size_t nextInTurn = 0;
  const std::string_view line = text;
  std::size_t i = 0;
  while (i < line.size()) {
    const std::size_t at = line.find('%', i);
    out += line.substr(i, at - i);
    if (at == std::string_view::npos) break;
    if (line.substr(at, 2) == "%%") {
      out += '%';
      i = at + 2;
      continue;
    }
    // "%d", "%s", or the same with a fill-in's number: "%2$d".
    std::size_t end = at + 1;
    std::size_t number = 0;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9' && number < 1000)
      number = number * 10 + static_cast<std::size_t>(line[end++] - '0');
    const bool numbered = end > at + 1 && end < line.size() && line[end] == '$';
    if (numbered) ++end;
    const bool marker =
        (numbered || end == at + 1) && end < line.size() && (line[end] == 'd' || line[end] == 's');
    const std::size_t which = numbered ? number - 1 : nextInTurn;
    if (!marker || (numbered && number == 0) || which >= fillIns.size()) {
      out += '%';
      i = at + 1;
      continue;
    }
    if (!numbered) ++nextInTurn;
    out += fillIns.begin()[which].text;
    i = end + 1;
  }
  return out;
}

std::string menuName(const char* caption) {
  std::string name;
  for (const char* c = caption; *c != '\0'; ++c) {
    if (*c == '_') ++c;
    if (*c == '\0') break;
    name += *c;
  }
  return name;
}

}  // namespace zelkan
