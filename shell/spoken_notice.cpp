#include "shell/spoken_notice.h"

#include "shell/accessible_text.h"
#include "shell/owning_type.h"

namespace zelkan {
namespace {

// The bar's own state: its sentence, its place in its parent, its notification.
struct Bar {
  std::string text;
  int index = 0;
  bool silent = false;
  AtkObject* notice = nullptr;

  Bar() = default;
  Bar(const Bar&) = delete;
  Bar& operator=(const Bar&) = delete;
  ~Bar() {
    if (notice != nullptr) g_object_unref(notice);
  }
};

}  // namespace
}  // namespace zelkan

extern "C" {
struct ZelkanNoticeBar {
  AtkObject parent;
  zelkan::Bar* bar;
};
struct ZelkanNoticeBarClass {
  AtkObjectClass parentClass;
};
}  // extern "C"

namespace zelkan {
namespace {

using BarType = OwningType<&ZelkanNoticeBar::bar>;

GType barType();

Bar& barOf(AtkObject* object) {
  return *reinterpret_cast<ZelkanNoticeBar*>(object)->bar;
}
const std::string& barText(AtkObject* object) {
  return barOf(object).text;
}

AtkStateSet* shownStates(AtkStateSet* set, bool defunct) {
  if (defunct) {
    atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
    return set;
  }
  for (AtkStateType state : {ATK_STATE_VISIBLE, ATK_STATE_SHOWING, ATK_STATE_ENABLED})
    atk_state_set_add_state(set, state);
  return set;
}

// ---- the notification: a plain object, named by its bar

void noticeClassInit(gpointer klass, gpointer) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->get_name = [](AtkObject* notice) -> const gchar* {
    AtkObject* bar = atk_object_get_parent(notice);
    return bar != nullptr ? barText(bar).c_str() : "";
  };
  atk->get_index_in_parent = [](AtkObject*) -> gint { return 0; };
  atk->ref_state_set = [](AtkObject* notice) {
    AtkObject* bar = atk_object_get_parent(notice);
    AtkStateSet* set = ATK_OBJECT_CLASS(g_type_class_peek(ATK_TYPE_OBJECT))->ref_state_set(notice);
    return shownStates(set, bar == nullptr || barOf(bar).silent);
  };
}

GType noticeType() {
  static const GType type = g_type_register_static_simple(
      ATK_TYPE_OBJECT, g_intern_static_string("ZelkanNotice"), sizeof(AtkObjectClass),
      noticeClassInit, sizeof(AtkObject), nullptr, GTypeFlags(0));
  return type;
}

// ---- the bar

void barClassInit(gpointer klass) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->get_name = [](AtkObject* bar) -> const gchar* { return barText(bar).c_str(); };
  atk->get_index_in_parent = [](AtkObject* bar) -> gint { return barOf(bar).index; };
  atk->get_n_children = [](AtkObject* bar) -> gint { return barOf(bar).silent ? 0 : 1; };
  atk->ref_child = [](AtkObject* bar, gint i) -> AtkObject* {
    const Bar& b = barOf(bar);
    return i == 0 && !b.silent ? ATK_OBJECT(g_object_ref(b.notice)) : nullptr;
  };
  atk->ref_state_set = [](AtkObject* bar) {
    return shownStates(ATK_OBJECT_CLASS(BarType::parent)->ref_state_set(bar), barOf(bar).silent);
  };
}

GType barType() {
  static const GType type = [] {
    const GType t =
        BarType::registerAs<barClassInit, ZelkanNoticeBarClass>(ATK_TYPE_OBJECT, "ZelkanNoticeBar");
    const GInterfaceInfo text{initWholeText<barText>, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_TEXT, &text);
    return t;
  }();
  return type;
}

}  // namespace

AtkObject* newNoticeBar(AtkObject* parent, int index, const std::string& text) {
  AtkObject* bar = ATK_OBJECT(g_object_new(barType(), nullptr));
  Bar& b = barOf(bar);
  b.text = text;
  b.index = index;
  atk_object_set_role(bar, ATK_ROLE_STATUSBAR);
  atk_object_set_parent(bar, parent);
  b.notice = ATK_OBJECT(g_object_new(noticeType(), nullptr));
  atk_object_set_role(b.notice, ATK_ROLE_NOTIFICATION);
  atk_object_set_parent(b.notice, bar);
  return bar;
}

void sayThrough(AtkObject* bar, const std::string& text) {
  Bar& b = barOf(bar);
  if (b.silent) return;
  // Its text changes without a word of its own: a reader that spoke the change (Orca does,
  // where the focus is the bar's parent) would speak the sentence twice.
  b.text = text;
  if (text.empty()) return;
  // Hidden and shown again: a reader that keeps states hears it shown each time.
  atk_object_notify_state_change(b.notice, ATK_STATE_SHOWING, FALSE);
  atk_object_notify_state_change(b.notice, ATK_STATE_SHOWING, TRUE);
}

void silence(AtkObject* bar) {
  Bar& b = barOf(bar);
  if (b.silent) return;
  b.silent = true;
  atk_object_notify_state_change(b.notice, ATK_STATE_DEFUNCT, TRUE);
  atk_object_notify_state_change(bar, ATK_STATE_DEFUNCT, TRUE);
}

}  // namespace zelkan
