// A drawing area that assistive technology reads in words: a name and a text, asked of the
// window that draws it whenever they are read. Its accessible object is made only when assistive
// technology first asks for it.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace zelkan {

GtkWidget* newDescribedArea(AtkRole role, std::function<std::string()> name,
                            std::function<std::string()> text);

// After the picture changed: assistive technology, where it reads the area, hears the new name
// and text; `aloud`, a screen reader speaks them, wherever its focus is.
void tellDescribedAreaChanged(GtkWidget* area, bool aloud);

}  // namespace zelkan
