// The text interface of an accessible object whose whole text is one string, read by `Text`:
// what screen readers read of it, in characters, not bytes.
#pragma once

#include <atk/atk.h>

#include <string>

namespace zelkan {

template <const std::string& (*Text)(AtkObject*)>
void initWholeText(gpointer i, gpointer) {
  auto* iface = static_cast<AtkTextIface*>(i);
  iface->get_text = [](AtkText* text, gint start, gint end) -> gchar* {
    const std::string& s = Text(ATK_OBJECT(text));
    const glong length = g_utf8_strlen(s.c_str(), -1);
    if (end < 0 || end > length) end = static_cast<gint>(length);
    if (start < 0 || start > end) start = end;
    return g_utf8_substring(s.c_str(), start, end);
  };
  iface->get_character_count = [](AtkText* text) -> gint {
    return static_cast<gint>(g_utf8_strlen(Text(ATK_OBJECT(text)).c_str(), -1));
  };
  iface->get_caret_offset = [](AtkText*) -> gint { return 0; };
}

// Replaces the object's whole `text` with `now`, telling assistive technology of each step.
inline void replaceWholeText(AtkObject* object, std::string& text, const std::string& now) {
  g_signal_emit_by_name(object, "text-changed::delete", 0,
                        static_cast<gint>(g_utf8_strlen(text.c_str(), -1)));
  text = now;
  g_signal_emit_by_name(object, "text-changed::insert", 0,
                        static_cast<gint>(g_utf8_strlen(text.c_str(), -1)));
}

}  // namespace zelkan
