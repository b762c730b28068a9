// The texts the player sees, in the player's language. Each is written in the source as the game
// has always given it, in Japanese, and is looked up in the catalog of the language the desktop
// asks for (text domain "zelkan"); with no catalog, or no entry in it, the text stays as written.
// The program binds the domain at start (shell/main.cpp); until then, as in the tests, every text
// is its own.
#pragma once

#include <libintl.h>

#include <cstring>
#include <initializer_list>
#include <string>

namespace zelkan {

inline constexpr const char* textDomain = "zelkan";

// The text in the player's language. The result is the catalog's own memory or `text` itself.
inline const char* _(const char* text) {
  return dgettext(textDomain, text);
}

// Marks a text for the catalog where it is written, to be looked up later with _.
constexpr const char* N_(const char* text) {
  return text;
}

// The same for a text whose words mean different things in different places ("先手" is a menu
// item that starts a game moving first, and a side's label on the panel): the context tells the
// catalog which.
const char* C_(const char* context, const char* text);

// True when the catalog gives `translated` in place of the text, false when it gives the text
// itself (no entry, or the Japanese catalog).
inline bool isTranslated(const char* text, const char* translated) {
  return translated != text && std::strcmp(translated, text) != 0;
}

// The words of a line on either side of its "%d", without the blanks around them:
// {"あと", "手で終了です"} for "あと %d 手で終了です".
struct AroundNumber {
  std::string before;
  std::string after;
};
AroundNumber wordsAround(const char* format);

// A translated text with each "%d" in turn replaced by the next number, in the standard decimal
// form of std::to_string; a "%d" beyond the numbers is left as it stands.
std::string fill(const char* format, std::initializer_list<long long> numbers);

}  // namespace zelkan
