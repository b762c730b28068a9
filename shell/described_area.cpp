#include "shell/described_area.h"

#include <gtk/gtk-a11y.h>

#include "shell/accessible_text.h"

namespace zelkan {
namespace {

struct Words {
  AtkRole role = ATK_ROLE_IMAGE;
  std::function<std::string()> name;
  std::function<std::string()> text;
  AtkObject* accessible = nullptr;  // once assistive technology asked for it
};

// What the accessible object last read.
struct Read {
  std::string name;
  std::string text;
};

}  // namespace
}  // namespace zelkan

extern "C" {
struct ZelkanDescribedArea {
  GtkDrawingArea parent;
  zelkan::Words* words;
};
struct ZelkanDescribedAreaClass {
  GtkDrawingAreaClass parentClass;
};
struct ZelkanDescribedAccessible {
  GtkWidgetAccessible parent;
  zelkan::Read* read;
};
struct ZelkanDescribedAccessibleClass {
  GtkWidgetAccessibleClass parentClass;
};
}  // extern "C"

namespace zelkan {
namespace {

gpointer areaParent = nullptr;
gpointer accessibleParent = nullptr;

Words* wordsOf(GtkWidget* area) {
  return area != nullptr ? reinterpret_cast<ZelkanDescribedArea*>(area)->words : nullptr;
}
Read& readOf(AtkObject* accessible) {
  return *reinterpret_cast<ZelkanDescribedAccessible*>(accessible)->read;
}
Words* wordsOfAccessible(AtkObject* accessible) {
  return wordsOf(gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible)));
}

// Reads the area's words afresh, unless the area is gone.
Read& readNow(AtkObject* accessible) {
  Read& read = readOf(accessible);
  if (const Words* words = wordsOfAccessible(accessible)) {
    read.name = words->name();
    read.text = words->text();
  }
  return read;
}

const std::string& textNow(AtkObject* accessible) {
  return readNow(accessible).text;
}

GType accessibleType() {
  static const GType type = [] {
    const GType t = g_type_register_static_simple(
        GTK_TYPE_WIDGET_ACCESSIBLE, "ZelkanDescribedAccessible",
        sizeof(ZelkanDescribedAccessibleClass),
        [](gpointer klass, gpointer) {
          accessibleParent = g_type_class_peek_parent(klass);
          AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
          atk->initialize = [](AtkObject* accessible, gpointer data) {
            ATK_OBJECT_CLASS(accessibleParent)->initialize(accessible, data);
            if (Words* words = wordsOfAccessible(accessible)) {
              words->accessible = accessible;
              atk_object_set_role(accessible, words->role);
            }
          };
          atk->get_name = [](AtkObject* a) -> const gchar* { return readNow(a).name.c_str(); };
          atk->get_description = [](AtkObject* a) -> const gchar* {
            return readNow(a).text.c_str();
          };
          G_OBJECT_CLASS(klass)->finalize = [](GObject* object) {
            delete reinterpret_cast<ZelkanDescribedAccessible*>(object)->read;
            G_OBJECT_CLASS(accessibleParent)->finalize(object);
          };
        },
        sizeof(ZelkanDescribedAccessible),
        [](GTypeInstance* instance, gpointer) {
          reinterpret_cast<ZelkanDescribedAccessible*>(instance)->read = new Read;
        },
        GTypeFlags(0));
    const GInterfaceInfo text{initWholeText<textNow>, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_TEXT, &text);
    return t;
  }();
  return type;
}

GType areaType() {
  static const GType type = g_type_register_static_simple(
      GTK_TYPE_DRAWING_AREA, "ZelkanDescribedArea", sizeof(ZelkanDescribedAreaClass),
      [](gpointer klass, gpointer) {
        areaParent = g_type_class_peek_parent(klass);
        gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(klass), accessibleType());
        G_OBJECT_CLASS(klass)->finalize = [](GObject* object) {
          delete reinterpret_cast<ZelkanDescribedArea*>(object)->words;
          G_OBJECT_CLASS(areaParent)->finalize(object);
        };
      },
      sizeof(ZelkanDescribedArea),
      [](GTypeInstance* instance, gpointer) {
        reinterpret_cast<ZelkanDescribedArea*>(instance)->words = new Words;
      },
      GTypeFlags(0));
  return type;
}

}  // namespace

GtkWidget* newDescribedArea(AtkRole role, std::function<std::string()> name,
                            std::function<std::string()> text) {
  GtkWidget* area = GTK_WIDGET(g_object_new(areaType(), nullptr));
  Words* words = wordsOf(area);
  words->role = role;
  words->name = std::move(name);
  words->text = std::move(text);
  return area;
}

void tellDescribedAreaChanged(GtkWidget* area) {
  const Words* words = wordsOf(area);
  if (words == nullptr || words->accessible == nullptr) return;
  AtkObject* accessible = words->accessible;
  Read& read = readOf(accessible);
  const std::string name = words->name();
  const std::string text = words->text();
  if (text != read.text) {
    replaceWholeText(accessible, read.text, text);
    g_object_notify(G_OBJECT(accessible), "accessible-description");
  }
  if (name != read.name) {
    read.name = name;
    g_object_notify(G_OBJECT(accessible), "accessible-name");
  }
}

}  // namespace zelkan
