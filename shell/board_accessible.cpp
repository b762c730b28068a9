#include "shell/board_accessible.h"

#include <gtk/gtk-a11y.h>

#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include "shell/owning_type.h"
#include "shell/spoken_notice.h"
#include "view/coordinates.h"
#include "view/texts.h"

namespace zelkan {
namespace {

constexpr int cellCount = boardSize * boardSize;

// What the area keeps for its accessible object, which may ask for it as long as the area lives.
struct BoardLink {
  const Game* game = nullptr;
  const Fit* fit = nullptr;
  EventGate* gate = nullptr;
  std::function<void(int, int)> press;
  AtkObject* accessible = nullptr;  // the area's, once assistive technology asked for it
  std::string said;                 // the last announcement
  gint64 spokenUntil = 0;           // about when a screen reader has spoken it, monotonic µs
  bool joinable = false;            // the command that said it still runs
};

// About how long a screen reader takes to speak a sentence at its usual rate, in µs: some ten
// characters a second in Japanese, more in English.
gint64 speakingTime(const std::string& text) {
  return g_utf8_strlen(text.c_str(), -1) * G_USEC_PER_SEC / 10;
}

// A cell's own state, as assistive technology last heard it.
struct CellTold {
  int x = 0;
  int y = 0;
  std::string reading;
  bool focused = false;
  bool selected = false;
};

// The board's own state: its grid, each cell made, its status bar; it holds a reference to each,
// let go when its widget goes.
struct BoardTold {
  AtkObject* grid = nullptr;
  std::array<AtkObject*, cellCount> cells{};
  AtkObject* bar = nullptr;
  std::string description;

  BoardTold() = default;
  BoardTold(const BoardTold&) = delete;
  BoardTold& operator=(const BoardTold&) = delete;
  ~BoardTold() { letGo(); }
  void letGo() {
    for (AtkObject*& cell : cells) {
      if (cell != nullptr) g_object_unref(std::exchange(cell, nullptr));
    }
    if (bar != nullptr) g_object_unref(std::exchange(bar, nullptr));
    if (grid != nullptr) g_object_unref(std::exchange(grid, nullptr));
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

}  // extern "C"

namespace zelkan {
namespace {

using AreaType = OwningType<&ZelkanBoardArea::link>;
using BoardType = OwningType<&ZelkanBoardAccessible::told>;
using CellType = OwningType<&ZelkanBoardCell::told>;

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
// The board a grid or a cell belongs to; none once it has been let go.
AtkObject* boardOfGrid(AtkObject* grid) {
  return grid != nullptr ? atk_object_get_parent(grid) : nullptr;
}
AtkObject* boardOfCell(AtkObject* cell) {
  return boardOfGrid(atk_object_get_parent(cell));
}

// What assistive technology asks runs under the gate's guard: a failure is told, never thrown
// through ATK's C frames. Without the area there is nothing to read: `failed`.
template <typename Result, typename Body>
Result reading(AtkObject* board, Result failed, Body&& body) {
  BoardLink* link = linkOfBoard(board);
  if (link == nullptr) return failed;
  return link->gate->guard(failed, [&]() -> Result { return body(*link); });
}

// The grid's rows count from black's side, as the cells' names do: row 0 is row 1, the bottom.
int indexOf(int x, int y) {
  return (boardSize - y) * boardSize + (x - 1);
}
std::pair<int, int> cellAt(int index) {
  return {index % boardSize + 1, boardSize - index / boardSize};
}

void addStates(AtkStateSet* set, std::initializer_list<AtkStateType> states) {
  for (AtkStateType state : states)
    atk_state_set_add_state(set, state);
}

// ---- a cell

// Whether the cell is the keyboard cursor's, with the board holding the keyboard, and whether
// its stone is picked up.
std::pair<bool, bool> focusAndSelection(const BoardLink& link, const CellTold& c) {
  GtkWidget* area = gtk_accessible_get_widget(GTK_ACCESSIBLE(link.accessible));
  return {link.game->cursorCell() == std::pair{c.x, c.y} && gtk_widget_has_focus(area),
          link.game->pickedAt(c.x, c.y)};
}

const gchar* cellName(AtkObject* cell) {
  CellTold& c = toldOfCell(cell);
  reading(boardOfCell(cell), 0, [&](const BoardLink& link) {
    c.reading = link.game->cellReading(c.x, c.y);
    return 0;
  });
  return c.reading.c_str();
}

AtkStateSet* cellStates(AtkObject* cell) {
  AtkStateSet* set = ATK_OBJECT_CLASS(CellType::parent)->ref_state_set(cell);
  const bool live = reading(boardOfCell(cell), false, [&](const BoardLink& link) {
    addStates(set, {ATK_STATE_VISIBLE, ATK_STATE_SHOWING, ATK_STATE_ENABLED, ATK_STATE_SENSITIVE,
                    ATK_STATE_FOCUSABLE, ATK_STATE_SELECTABLE});
    const auto [focused, selected] = focusAndSelection(link, toldOfCell(cell));
    if (focused) atk_state_set_add_state(set, ATK_STATE_FOCUSED);
    if (selected) atk_state_set_add_state(set, ATK_STATE_SELECTED);
    return true;
  });
  if (!live) atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
  return set;
}

// The cell's one action, a click on it: run from the main loop once the request has been
// answered, as the click may think, animate and open boxes for a long while.
gboolean pressCell(AtkAction* action, gint i) {
  AtkObject* board = boardOfCell(ATK_OBJECT(action));
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

// Where the cell is drawn, in the coordinates asked for: the area's own box, as GTK gives it,
// and the cell's place in the image as the image is fitted there.
void cellExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                 AtkCoordType coords) {
  *x = *y = *width = *height = -1;
  AtkObject* board = boardOfCell(ATK_OBJECT(component));
  reading(board, 0, [&](const BoardLink& link) {
    gint ax = 0, ay = 0, aw = 0, ah = 0;
    atk_component_get_extents(ATK_COMPONENT(board), &ax, &ay, &aw, &ah, coords);
    const CellTold& c = toldOfCell(ATK_OBJECT(component));
    const Fit& fit = *link.fit;
    const auto along = [&fit](double twips, int origin) {
      return origin + static_cast<int>(std::lround(twips / twipsPerPixel * fit.zoom));
    };
    *x = ax + along(twipsX(c.x), fit.x);
    *y = ay + along(twipsY(c.y), fit.y);
    *width = ax + along(twipsX(c.x + 1), fit.x) - *x;
    *height = ay + along(twipsY(c.y + 1), fit.y) - *y;
    return 0;
  });
}

void cellComponentInit(gpointer i, gpointer) {
  auto* iface = static_cast<AtkComponentIface*>(i);
  iface->get_extents = cellExtents;
  iface->grab_focus = [](AtkComponent*) -> gboolean { return FALSE; };
}

void cellClassInit(gpointer klass) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->get_name = cellName;
  atk->get_index_in_parent = [](AtkObject* cell) -> gint {
    const CellTold& c = toldOfCell(cell);
    return indexOf(c.x, c.y);
  };
  atk->ref_state_set = cellStates;
}

GType cellType() {
  static const GType type = [] {
    const GType t = CellType::registerAs<cellClassInit, ZelkanBoardCellClass>(ATK_TYPE_OBJECT,
                                                                              "ZelkanBoardCell");
    const GInterfaceInfo action{cellActionInit, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_ACTION, &action);
    const GInterfaceInfo component{cellComponentInit, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_COMPONENT, &component);
    return t;
  }();
  return type;
}

// ---- the grid: a table of the cells, each made the first time it is asked for

AtkObject* refCell(AtkObject* grid, gint i) {
  AtkObject* board = boardOfGrid(grid);
  if (i < 0 || i >= cellCount) return nullptr;
  return reading(board, static_cast<AtkObject*>(nullptr), [&](const BoardLink& link) {
    AtkObject*& cell = toldOf(board).cells[i];
    if (cell == nullptr) {
      cell = ATK_OBJECT(g_object_new(cellType(), nullptr));
      CellTold& c = toldOfCell(cell);
      std::tie(c.x, c.y) = cellAt(i);
      atk_object_set_role(cell, ATK_ROLE_TABLE_CELL);
      atk_object_set_parent(cell, grid);
      c.reading = link.game->cellReading(c.x, c.y);
    }
    return ATK_OBJECT(g_object_ref(cell));
  });
}

void gridTableInit(gpointer i, gpointer) {
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

void gridComponentInit(gpointer i, gpointer) {
  auto* iface = static_cast<AtkComponentIface*>(i);
  iface->get_extents = [](AtkComponent* grid, gint* x, gint* y, gint* width, gint* height,
                          AtkCoordType coords) {
    *x = *y = *width = *height = -1;
    if (AtkObject* board = boardOfGrid(ATK_OBJECT(grid)))
      atk_component_get_extents(ATK_COMPONENT(board), x, y, width, height, coords);
  };
}

void gridClassInit(gpointer klass, gpointer) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->get_n_children = [](AtkObject* grid) -> gint {
    return linkOfBoard(boardOfGrid(grid)) != nullptr ? cellCount : 0;
  };
  atk->ref_child = refCell;
  atk->get_index_in_parent = [](AtkObject*) -> gint { return 0; };
  atk->ref_state_set = [](AtkObject* grid) {
    AtkStateSet* set = ATK_OBJECT_CLASS(g_type_class_peek(ATK_TYPE_OBJECT))->ref_state_set(grid);
    if (linkOfBoard(boardOfGrid(grid)) == nullptr) {
      atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
      return set;
    }
    addStates(set, {ATK_STATE_VISIBLE, ATK_STATE_SHOWING, ATK_STATE_ENABLED,
                    ATK_STATE_MANAGES_DESCENDANTS});
    return set;
  };
}

GType gridType() {
  static const GType type = [] {
    const GType t = g_type_register_static_simple(
        ATK_TYPE_OBJECT, g_intern_static_string("ZelkanBoardGrid"), sizeof(AtkObjectClass),
        gridClassInit, sizeof(AtkObject), nullptr, GTypeFlags(0));
    const GInterfaceInfo table{gridTableInit, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_TABLE, &table);
    const GInterfaceInfo component{gridComponentInit, nullptr, nullptr};
    g_type_add_interface_static(t, ATK_TYPE_COMPONENT, &component);
    return t;
  }();
  return type;
}

// ---- the board

void boardInitialize(AtkObject* board, gpointer data) {
  ATK_OBJECT_CLASS(BoardType::parent)->initialize(board, data);
  // TRANSLATORS: the board as a screen reader names it.
  atk_object_set_name(board, _("盤"));
  // A spreadsheet's table: a screen reader speaks the cell reached, not its whole row.
  atk_object_set_role(board, ATK_ROLE_DOCUMENT_SPREADSHEET);
  BoardTold& told = toldOf(board);
  told.grid = ATK_OBJECT(g_object_new(gridType(), nullptr));
  atk_object_set_role(told.grid, ATK_ROLE_TABLE);
  atk_object_set_name(told.grid, _("盤"));
  atk_object_set_parent(told.grid, board);
  BoardLink* link = linkOfBoard(board);
  told.bar = newNoticeBar(board, 1, link != nullptr ? link->said : "");
  if (link == nullptr) return;
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
  told.description = link->game->panelReading();
}

// The widget is going: the cells, the grid and the status go with it, defunct to whoever still
// holds them, as GTK's own views let their children go.
void boardWidgetUnset(GtkAccessible* accessible) {
  GTK_ACCESSIBLE_CLASS(BoardType::parent)->widget_unset(accessible);
  BoardTold& told = toldOf(ATK_OBJECT(accessible));
  for (AtkObject* cell : told.cells) {
    if (cell != nullptr) atk_object_notify_state_change(cell, ATK_STATE_DEFUNCT, TRUE);
  }
  if (told.bar != nullptr) silence(told.bar);
  told.letGo();
}

void boardClassInit(gpointer klass) {
  AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
  atk->initialize = boardInitialize;
  atk->get_n_children = [](AtkObject* board) -> gint {
    return linkOfBoard(board) != nullptr ? 2 : 0;
  };
  atk->ref_child = [](AtkObject* board, gint i) -> AtkObject* {
    const BoardTold& told = toldOf(board);
    AtkObject* child = linkOfBoard(board) == nullptr ? nullptr
                       : i == 0                      ? told.grid
                       : i == 1                      ? told.bar
                                                     : nullptr;
    return child != nullptr ? ATK_OBJECT(g_object_ref(child)) : nullptr;
  };
  atk->get_description = [](AtkObject* board) -> const gchar* {
    BoardTold& told = toldOf(board);
    reading(board, 0, [&](const BoardLink& link) {
      told.description = link.game->panelReading();
      return 0;
    });
    return told.description.c_str();
  };
  GTK_ACCESSIBLE_CLASS(klass)->widget_unset = boardWidgetUnset;
}

GType boardAccessibleType() {
  static const GType type = BoardType::registerAs<boardClassInit, ZelkanBoardAccessibleClass>(
      GTK_TYPE_WIDGET_ACCESSIBLE, "ZelkanBoardAccessible");
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

GtkWidget* newBoardArea(const Game& game, const Fit& fit, EventGate& gate,
                        std::function<void(int x, int y)> press) {
  GtkWidget* area = GTK_WIDGET(g_object_new(boardAreaType(), nullptr));
  BoardLink* link = linkOf(area);
  link->game = &game;
  link->fit = &fit;
  link->gate = &gate;
  link->press = std::move(press);
  return area;
}

void tellBoardChanged(GtkWidget* area) {
  BoardLink* link = linkOf(area);
  if (link == nullptr) return;
  link->joinable = false;
  if (link->accessible == nullptr) return;
  AtkObject* board = link->accessible;
  BoardTold& told = toldOf(board);
  if (told.grid == nullptr) return;  // let go
  const Game& game = *link->game;
  // The cursor's cell is made if need be, so the focus can move to it.
  if (const auto cursor = game.cursorCell())
    g_object_unref(refCell(told.grid, indexOf(cursor->first, cursor->second)));
  for (AtkObject* cell : told.cells) {
    if (cell == nullptr) continue;
    CellTold& c = toldOfCell(cell);
    std::string reading = game.cellReading(c.x, c.y);
    if (reading != c.reading) {
      c.reading = std::move(reading);
      g_object_notify(G_OBJECT(cell), "accessible-name");
    }
    const auto [focused, selected] = focusAndSelection(*link, c);
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

void speakAfresh(GtkWidget* area) {
  if (BoardLink* link = linkOf(area)) link->joinable = false;
}

void announceOnBoard(GtkWidget* area, const std::string& text) {
  BoardLink* link = linkOf(area);
  if (link == nullptr) return;
  // A screen reader cuts a sentence short for the next one, so what one command says while its
  // last sentence is still being spoken (a move, then the computer's reply at once) is said
  // with it, whole. A new command's sentence replaces the last (Back, Back, Back).
  const gint64 now = g_get_monotonic_time();
  if (link->joinable && now < link->spokenUntil && !link->said.empty()) {
    link->said += " " + text;
  } else {
    link->said = text;
  }
  link->spokenUntil = now + speakingTime(link->said);
  link->joinable = true;
  if (link->accessible != nullptr && toldOf(link->accessible).bar != nullptr)
    sayThrough(toldOf(link->accessible).bar, link->said);
}

}  // namespace zelkan
