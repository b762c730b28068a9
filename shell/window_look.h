// What every window of the game has: its title, a size the player cannot change, and the game's
// icon.
#pragma once

#include <gtk/gtk.h>

namespace zelkan {

void dressGameWindow(GtkWidget* window, const char* title);

}  // namespace zelkan
