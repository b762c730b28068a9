// A sentence a screen reader speaks the moment it is said, wherever the reader's focus is: a
// status bar holding the last sentence as its text, and inside it a notification that is shown
// anew with each sentence. Orca speaks a notification as it is shown, and one inside a status bar
// without naming its role; it passes over a status's text that changes with no key pressed.
#pragma once

#include <atk/atk.h>

#include <string>

namespace zelkan {

// A status bar, child number `index` of `parent`, holding `text` (owned by the caller: one
// reference).
AtkObject* newNoticeBar(AtkObject* parent, int index, const std::string& text);

// Says `text` through the bar: its text becomes `text`, and its notification is shown again
// with it, even when the same sentence is said twice (a key asked for it again).
void sayThrough(AtkObject* bar, const std::string& text);

// The bar and its notification are defunct from now on (their window is gone).
void silence(AtkObject* bar);

}  // namespace zelkan
