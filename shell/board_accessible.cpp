#include "shell/board_accessible.h"

#include <gtk/gtk-a11y.h>

#include <array>
#include <memory>
#include <optional>
#include <utility>

#include "shell/accessible_text.h"
#include "shell/owning_type.h"
#include "view/texts.h"

namespace zelkan {
namespace {

constexpr int cellCount = boardSize * boardSize;

// What the area keeps for its accessible object, which may ask for it as long as the area lives.
struct BoardLink {
  const Game* game = nullptr;
  std::function<void(int, int)> press;
  AtkObject* accessible = nullptr;  // the area's, once assistive technology asked for it
  std::string said;                 // the last announcement
};

// The cells' and the status's own state, as assistive technology last heard it.
struct CellTold {
  int x = 0;
  int y = 0;
  std::string reading;
  bool focused = false;
  bool selected = false;
};

// The board's own state; it holds a reference to each cell made and to the status.
struct BoardTold {
  std::array<AtkObject*, cellCount> cells{};
  AtkObject* status = nullptr;
  std::string description;

  BoardTold() = default;
  BoardTold(const BoardTold&) = delete;
  BoardTold& operator=(const BoardTold&) = delete;
  ~BoardTold() {
    for (AtkObject* cell : cells) {
      if (cell != nullptr) g_object_unref(cell);
    }
    if (status != nullptr) g_object_unref(status);
  }
};

}  // namespace
}  // namespace zelkan

using zelkan::BoardLink;
using zelkan::BoardTold;
using zelkan::CellTold;

extern "C" {

struct ZelkanBoardArea {
  GtkDrawingArea parent;
  BoardLink* link;
};
struct ZelkanBoardAreaClass {
  GtkDrawingAreaClass parentClass;
};

struct ZelkanBoardAccessible {
  GtkWidgetAccessible parent;
  BoardTold* told;
};
struct ZelkanBoardAccessibleClass {
  GtkWidgetAccessibleClass parentClass;
};

struct ZelkanBoardCell {
  AtkObject parent;
  CellTold* told;
};
struct ZelkanBoardCellClass {
  AtkObjectClass parentClass;
};

struct ZelkanBoardStatus {
  AtkObject parent;
  std::string* text;
};
struct ZelkanBoardStatusClass {
  AtkObjectClass parentClass;
};

}  // extern "C"

namespace zelkan {
namespace {

using AreaType = OwningType<&ZelkanBoardArea::link>;
using BoardType = OwningType<&ZelkanBoardAccessible::told>;
using CellType = OwningType<&ZelkanBoardCell::told>;
using StatusType = OwningType<&ZelkanBoardStatus::text>;

GType boardAreaType();
GType boardAccessibleType();
GType cellType();
GType statusType();

BoardLink* linkOf(GtkWidget* area) {
  return area != nullptr ? reinterpret_cast<ZelkanBoardArea*>(area)->link : nullptr;
}
// The link of the area a board's accessible object reads; none once the area is gone.
BoardLink* linkOfBoard(AtkObject* board) {
  return board != nullptr ? linkOf(gtk_accessible_get_widget(GTK_ACCESSIBLE(board))) : nullptr;
}
BoardTold& toldOf(AtkObject* board) {
  return *reinterpret_cast<ZelkanBoardAccessible*>(board)->told;
}
CellTold& toldOfCell(AtkObject* cell) {
  return *reinterpret_cast<ZelkanBoardCell*>(cell)->told;
}
std::string& textOf(AtkObject* status) {
  return *reinterpret_cast<ZelkanBoardStatus*>(status)->text;
}
const std::string& statusText(AtkObject* status) {
  return textOf(status);
}
int indexOf(int x, int y) {
  return (y - 1) * boardSize + (x - 1);
}

void addStates(AtkStateSet* set, std::initializer_list<AtkStateType> states) {
  for (AtkStateType state : states)
    atk_state_set_add_state(set, state);
}

// ---- a cell

// Whether the cell is the keyboard cursor's, with the board holding the keyboard, and whether
// its stone is picked up.
std::pair<bool, bool> focusAndSelection(AtkObject* cell) {
  AtkObject* board = atk_object_get_parent(cell);
  const BoardLink* link = linkOfBoard(board);
  if (link == nullptr) return {false, false};
  const CellTold& c = toldOfCell(cell);
  GtkWidget* area = gtk_accessible_get_widget(GTK_ACCESSIBLE(board));
  return {link->game->cursorCell() == std::pair{c.x, c.y} && gtk_widget_has_focus(area),
          link->game->pickedAt(c.x, c.y)};
}

const gchar* cellName(AtkObject* cell) {
  CellTold& c = toldOfCell(cell);
  if (const BoardLink* link = linkOfBoard(atk_object_get_parent(cell)))
    c.reading = link->game->cellReading(c.x, c.y);
  return c.reading.c_str();
}

gint cellIndex(AtkObject* cell) {
  const CellTold& c = toldOfCell(cell);
  return indexOf(c.x, c.y);
}

AtkStateSet* cellStates(AtkObject* cell) {
  AtkStateSet* set = ATK_OBJECT_CLASS(CellType::parent)->ref_state_set(cell);
  if (linkOfBoard(atk_object_get_parent(cell)) == nullptr) {
    atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
    return set;
  }
  addStates(set, {ATK_STATE_VISIBLE, ATK_STATE_SHOWING, ATK_STATE_ENABLED, ATK_STATE_SENSITIVE,
                  ATK_STATE_FOCUSABLE, ATK_STATE_SELECTABLE});
  const auto [focused, selected] = focusAndSelection(cell);
  if (focused) atk_state_set_add_state(set, ATK_STATE_FOCUSED);
  if (selected) atk_state_set_add_state(set, ATK_STATE_SELECTED);
  return set;
}

// The cell's one action, a click on it: run from the main loop once the request has been
// answered, as the click may think, animate and open boxes for a long while.
gboolean pressCell(AtkAction* action, gint i) {
  AtkObject* board = atk_object_get_parent(ATK_OBJECT(action));
  GtkWidget* area = board != nullptr ? gtk_accessible_get_widget(GTK_ACCESSIBLE(board)) : nullptr;
  if (i != 0 || area == nullptr) return FALSE;
  struct Press {
    GtkWidget* area;
    int x;
    int y;
  };
  const CellTold& c = toldOfCell(ATK_OBJECT(action));
  g_idle_add(
      [](gpointer data) -> gboolean {
        const std::unique_ptr<Press> p(static_cast<Press*>(data));
        if (BoardLink* link = linkOf(p->area)) link->press(p->x, p->y);
        g_object_unref(p->area);
        return G_SOURCE_REMOVE;
      },
      new Press{GTK_WIDGET(g_object_ref(area)), c.x, c.y});
  return TRUE;
}

void cellActionInit(gpointer i, gpointer) {
  auto* iface = static_cast<AtkActionIface*>(i);
  iface->do_action = pressCell;
  iface->get_n_actions = [](AtkAction*) -> gint { return 1; };
  iface->get_name = [](AtkAction*, gint i) -> const gchar* { return i == 0 ? "click" : nullptr; };
  iface->get_localized_name = [](AtkAction*, gint i) -> const gchar* {
    // TRANSLATORS: the action of a board cell, as a screen reader names it: "Click".
    return i == 0 ? _("クリック") : nullptr;
  };
}

void cellClassInit(gpointer klass) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->get_name = cellName;
  atk->get_index_in_parent = cellIndex;
  atk->ref_state_set = cellStates;
}

GType cellType() {
  static const GType type = [] {
    const GType t = CellType::registerAs<cellClassInit, ZelkanBoardCellClass>(ATK_TYPE_OBJECT,
                                                                              "ZelkanBoardCell");
    const GInterfaceInfo action{cellActionInit, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_ACTION, &action);
    return t;
  }();
  return type;
}

AtkObject* newCell(AtkObject* board, int x, int y) {
  AtkObject* cell = ATK_OBJECT(g_object_new(cellType(), nullptr));
  CellTold& c = toldOfCell(cell);
  c.x = x;
  c.y = y;
  atk_object_set_role(cell, ATK_ROLE_TABLE_CELL);
  atk_object_set_parent(cell, board);
  if (const BoardLink* link = linkOfBoard(board)) c.reading = link->game->cellReading(x, y);
  return cell;
}

// ---- the live status

AtkAttributeSet* liveAttributes(AtkObject*) {
  // Spoken as it changes, politely, whole; as a web page's live region is.
  AtkAttributeSet* set = nullptr;
  for (const auto& [name, value] : {std::pair{"live", "polite"},
                                    {"container-live", "polite"},
                                    {"atomic", "true"},
                                    {"container-atomic", "true"}}) {
    auto* a = static_cast<AtkAttribute*>(g_malloc(sizeof(AtkAttribute)));
    a->name = g_strdup(name);
    a->value = g_strdup(value);
    set = g_slist_prepend(set, a);
  }
  return set;
}

void statusClassInit(gpointer klass) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->get_name = [](AtkObject* status) -> const gchar* { return textOf(status).c_str(); };
  atk->get_index_in_parent = [](AtkObject*) -> gint { return cellCount; };
  atk->get_attributes = liveAttributes;
  atk->ref_state_set = [](AtkObject* status) {
    AtkStateSet* set = ATK_OBJECT_CLASS(StatusType::parent)->ref_state_set(status);
    addStates(set, {ATK_STATE_VISIBLE, ATK_STATE_SHOWING, ATK_STATE_ENABLED});
    return set;
  };
}

GType statusType() {
  static const GType type = [] {
    const GType t = StatusType::registerAs<statusClassInit, ZelkanBoardStatusClass>(
        ATK_TYPE_OBJECT, "ZelkanBoardStatus");
    const GInterfaceInfo text{initWholeText<statusText>, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_TEXT, &text);
    return t;
  }();
  return type;
}

void setStatus(AtkObject* status, const std::string& text) {
  std::string& s = textOf(status);
  if (s == text) return;
  replaceWholeText(status, s, text);
  g_object_notify(G_OBJECT(status), "accessible-name");
}

// ---- the board

AtkObject* refCell(AtkObject* board, gint i) {
  BoardTold& told = toldOf(board);
  if (i == cellCount) return ATK_OBJECT(g_object_ref(told.status));
  if (i < 0 || i > cellCount) return nullptr;
  if (told.cells[i] == nullptr)
    told.cells[i] = newCell(board, i % boardSize + 1, i / boardSize + 1);
  return ATK_OBJECT(g_object_ref(told.cells[i]));
}

void boardInitialize(AtkObject* board, gpointer data) {
  ATK_OBJECT_CLASS(BoardType::parent)->initialize(board, data);
  // TRANSLATORS: the board as a screen reader names it.
  atk_object_set_name(board, _("盤"));
  atk_object_set_role(board, ATK_ROLE_TABLE);
  BoardTold& told = toldOf(board);
  told.status = ATK_OBJECT(g_object_new(statusType(), nullptr));
  atk_object_set_role(told.status, ATK_ROLE_STATUSBAR);
  atk_object_set_parent(told.status, board);
  if (BoardLink* link = linkOfBoard(board)) {
    // Read by assistive technology, the board takes the keyboard, so a screen reader's focus rests
    // on it and follows the cursor. Not before: GTK's own focus tracking would make this object
    // for every player.
    GtkWidget* area = gtk_accessible_get_widget(GTK_ACCESSIBLE(board));
    gtk_widget_set_can_focus(area, TRUE);
    g_idle_add(
        [](gpointer data) -> gboolean {
          auto* area = static_cast<GtkWidget*>(data);
          GtkWidget* top = gtk_widget_get_toplevel(area);
          if (GTK_IS_WINDOW(top) && gtk_window_get_focus(GTK_WINDOW(top)) == nullptr)
            gtk_widget_grab_focus(area);
          g_object_unref(area);
          return G_SOURCE_REMOVE;
        },
        g_object_ref(area));
    link->accessible = board;
    textOf(told.status) = link->said;
    told.description = link->game->panelReading();
  }
}

void boardTableInit(gpointer i, gpointer) {
  auto* iface = static_cast<AtkTableIface*>(i);
  iface->ref_at = [](AtkTable* table, gint row, gint column) -> AtkObject* {
    if (row < 0 || row >= boardSize || column < 0 || column >= boardSize) return nullptr;
    return refCell(ATK_OBJECT(table), row * boardSize + column);
  };
  iface->get_index_at = [](AtkTable*, gint row, gint column) -> gint {
    return row * boardSize + column;
  };
  iface->get_column_at_index = [](AtkTable*, gint i) -> gint {
    return i >= 0 && i < cellCount ? i % boardSize : -1;
  };
  iface->get_row_at_index = [](AtkTable*, gint i) -> gint {
    return i >= 0 && i < cellCount ? i / boardSize : -1;
  };
  iface->get_n_columns = [](AtkTable*) -> gint { return boardSize; };
  iface->get_n_rows = [](AtkTable*) -> gint { return boardSize; };
}

void boardClassInit(gpointer klass) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->initialize = boardInitialize;
  atk->get_n_children = [](AtkObject*) -> gint { return cellCount + 1; };
  atk->ref_child = refCell;
  atk->get_description = [](AtkObject* board) -> const gchar* {
    BoardTold& told = toldOf(board);
    if (const BoardLink* link = linkOfBoard(board)) told.description = link->game->panelReading();
    return told.description.c_str();
  };
  atk->ref_state_set = [](AtkObject* board) {
    AtkStateSet* set = ATK_OBJECT_CLASS(BoardType::parent)->ref_state_set(board);
    atk_state_set_add_state(set, ATK_STATE_MANAGES_DESCENDANTS);
    return set;
  };
}

GType boardAccessibleType() {
  static const GType type = [] {
    const GType t = BoardType::registerAs<boardClassInit, ZelkanBoardAccessibleClass>(
        GTK_TYPE_WIDGET_ACCESSIBLE, "ZelkanBoardAccessible");
    const GInterfaceInfo table{boardTableInit, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_TABLE, &table);
    return t;
  }();
  return type;
}

// ---- the area

void areaClassInit(gpointer klass) {
  // GTK makes the accessible object the first time it is asked for, not before.
  gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(klass), boardAccessibleType());
}

GType boardAreaType() {
  static const GType type = AreaType::registerAs<areaClassInit, ZelkanBoardAreaClass>(
      GTK_TYPE_DRAWING_AREA, "ZelkanBoardArea");
  return type;
}

}  // namespace

GtkWidget* newBoardArea(const Game& game, std::function<void(int x, int y)> press) {
  GtkWidget* area = GTK_WIDGET(g_object_new(boardAreaType(), nullptr));
  BoardLink* link = linkOf(area);
  link->game = &game;
  link->press = std::move(press);
  return area;
}

void tellBoardChanged(GtkWidget* area) {
  const BoardLink* link = linkOf(area);
  if (link == nullptr || link->accessible == nullptr) return;
  AtkObject* board = link->accessible;
  BoardTold& told = toldOf(board);
  const Game& game = *link->game;
  // The cursor's cell is made if need be, so the focus can move to it.
  if (const auto cursor = game.cursorCell())
    g_object_unref(refCell(board, indexOf(cursor->first, cursor->second)));
  for (AtkObject* cell : told.cells) {
    if (cell == nullptr) continue;
    CellTold& c = toldOfCell(cell);
    std::string reading = game.cellReading(c.x, c.y);
    if (reading != c.reading) {
      c.reading = std::move(reading);
      g_object_notify(G_OBJECT(cell), "accessible-name");
    }
    const auto [focused, selected] = focusAndSelection(cell);
    if (selected != c.selected) atk_object_notify_state_change(cell, ATK_STATE_SELECTED, selected);
    c.selected = selected;
    if (focused == c.focused) continue;
    c.focused = focused;
    atk_object_notify_state_change(cell, ATK_STATE_FOCUSED, focused);
    if (focused) g_signal_emit_by_name(board, "active-descendant-changed", cell);
  }
  std::string description = game.panelReading();
  if (description != told.description) {
    told.description = std::move(description);
    g_object_notify(G_OBJECT(board), "accessible-description");
  }
}

void announceOnBoard(GtkWidget* area, const std::string& text) {
  BoardLink* link = linkOf(area);
  if (link == nullptr) return;
  link->said = text;
  if (link->accessible != nullptr) setStatus(toldOf(link->accessible).status, text);
}

}  // namespace zelkan
