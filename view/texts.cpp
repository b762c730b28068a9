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

std::string fill(const char* format, std::initializer_list<long long> numbers) {
  std::string out;
  const long long* next = numbers.begin();
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 'd' && next != numbers.end()) {
      out += std::to_string(*next++);
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace zelkan
