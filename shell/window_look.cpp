#include "shell/window_look.h"

#include "view/pictures.h"

namespace zelkan {

void dressGameWindow(GtkWidget* window, const char* title) {
  gtk_window_set_title(GTK_WINDOW(window), title);
  if (GdkPixbuf* icon = gdk_pixbuf_get_from_surface(iconSurface(), 0, 0, 32, 32)) {
    gtk_window_set_icon(GTK_WINDOW(window), icon);
    g_object_unref(icon);
  }
}

}  // namespace zelkan
