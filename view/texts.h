// The texts the player sees, in the player's language. Each is written in the source as the game
// has always given it, in Japanese, and is looked up in the catalog of the language the desktop
// asks for (text domain "zelkan"); with no catalog, or no entry in it, the text stays as written.
// The program binds the domain at start (shell/main.cpp); until then, as in the tests, every text
// is its own.
#pragma once

#include <libintl.h>

#include <concepts>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zelkan {

inline constexpr const char* textDomain = "zelkan";

// The text in the player's language. The result is the catalog's own memory or `text` itself.
inline const char* _(const char* text) {
  return dgettext(textDomain, text);
}

// The text in the player's language for `n` of something: the catalog gives each of its language's
// forms ("1 white stone", "2 white stones"). Japanese has one form, so the text is written once.
inline const char* P_(const char* text, unsigned long n) {
  return dngettext(textDomain, text, text, n);
}

// Marks a text for the catalog where it is written, to be looked up later with _.
constexpr const char* N_(const char* text) {
  return text;
}

// The same for a text whose words mean different things in different places ("先手" is a menu
// item that starts a game moving first, and a side's label on the panel): the context tells the
// catalog which.
const char* C_(const char* context, const char* text);

// A menu caption as the text names it: without the underscore that marks its mnemonic ("_Game"
// names "Game"); a doubled underscore is one.
std::string menuName(const char* caption);

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

// One fill-in of a text: a number, in the standard decimal form of std::to_string, or words.
struct FillIn {
  template <std::integral Number>
  FillIn(Number n) : text(std::to_string(n)) {}
  FillIn(const char* words) : text(words) {}
  FillIn(std::string_view words) : text(words) {}
  FillIn(const std::string& words) : text(words) {}
  std::string text;
};

// A text with its fill-ins, written as printf writes them: "%d" and "%s" take the fill-ins in
// turn, "%2$d" and "%1$s" the one of that number, so a translation may put them in another order;
// "%%" is a percent sign. A fill-in marker beyond the fill-ins, or one not understood, is left as
// it stands. The texts are c-format in the catalog, so msgfmt refuses a translation that drops a
// fill-in or adds one.
std::string fill(const char* text, std::initializer_list<FillIn> fillIns);

}  // namespace zelkan
