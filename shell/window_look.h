// What every window of the game has: its title and the game's icon. Each may be made larger than
// it opens, and shows its picture as large as it fits.
#pragma once

#include <gtk/gtk.h>

namespace zelkan {

void dressGameWindow(GtkWidget* window, const char* title);

}  // namespace zelkan
