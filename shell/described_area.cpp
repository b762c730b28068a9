#include "shell/described_area.h"

#include <gtk/gtk-a11y.h>

#include "shell/accessible_text.h"
#include "shell/owning_type.h"
#include "shell/spoken_notice.h"

namespace zelkan {
namespace {

struct Words {
  AtkRole role = ATK_ROLE_IMAGE;
  std::function<std::string()> name;
  std::function<std::string()> text;
  AtkObject* accessible = nullptr;  // once assistive technology asked for it
};

// What the accessible object last read, and its status bar, which speaks a change aloud.
struct Read {
  std::string name;
  std::string text;
  AtkObject* bar = nullptr;

  Read() = default;
  Read(const Read&) = delete;
  Read& operator=(const Read&) = delete;
  ~Read() {
    if (bar != nullptr) g_object_unref(bar);
  }
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

using AreaType = OwningType<&ZelkanDescribedArea::words>;
using AccessibleType = OwningType<&ZelkanDescribedAccessible::read>;

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

void accessibleClassInit(gpointer klass) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->initialize = [](AtkObject* accessible, gpointer data) {
    ATK_OBJECT_CLASS(AccessibleType::parent)->initialize(accessible, data);
    readOf(accessible).bar = newNoticeBar(accessible, 0, "");
    if (Words* words = wordsOfAccessible(accessible)) {
      words->accessible = accessible;
      atk_object_set_role(accessible, words->role);
    }
  };
  atk->get_n_children = [](AtkObject* a) -> gint { return wordsOfAccessible(a) != nullptr; };
  atk->ref_child = [](AtkObject* a, gint i) -> AtkObject* {
    return i == 0 && wordsOfAccessible(a) != nullptr ? ATK_OBJECT(g_object_ref(readOf(a).bar))
                                                     : nullptr;
  };
  atk->get_name = [](AtkObject* a) -> const gchar* { return readNow(a).name.c_str(); };
  GTK_ACCESSIBLE_CLASS(klass)->widget_unset = [](GtkAccessible* a) {
    GTK_ACCESSIBLE_CLASS(AccessibleType::parent)->widget_unset(a);
    silence(readOf(ATK_OBJECT(a)).bar);
  };
  atk->get_description = [](AtkObject* a) -> const gchar* { return readNow(a).text.c_str(); };
}

GType accessibleType() {
  static const GType type = [] {
    const GType t = AccessibleType::registerAs<accessibleClassInit, ZelkanDescribedAccessibleClass>(
        GTK_TYPE_WIDGET_ACCESSIBLE, "ZelkanDescribedAccessible");
    const GInterfaceInfo text{initWholeText<textNow>, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_TEXT, &text);
    return t;
  }();
  return type;
}

void areaClassInit(gpointer klass) {
  gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(klass), accessibleType());
}

GType areaType() {
  static const GType type = AreaType::registerAs<areaClassInit, ZelkanDescribedAreaClass>(
      GTK_TYPE_DRAWING_AREA, "ZelkanDescribedArea");
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

void tellDescribedAreaChanged(GtkWidget* area, bool aloud) {
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
  if (aloud) sayThrough(read.bar, name.empty() ? text : name + "\n" + text);
}

}  // namespace zelkan
