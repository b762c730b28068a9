#include "shell/main_window.h"
#include "shell/window_look.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <random>
#include <utility>

#include "core/setup.h"
#include "sound/sound_library.h"
#include "view/board_drawing.h"
#include "view/coordinates.h"
#include "view/panel_drawing.h"
#include "view/pictures.h"
#include "view/texts.h"

namespace zelkan {
namespace {

MenuOption optionOf(int index) {
  return index == 0 ? MenuOption::SEIRYOKU : MenuOption::BGM;
}

}  // namespace

// The strength's name in its action, as the engine names the levels.
const char* levelName(Level level) {
  switch (level) {
    case Level::weak:
      return "weak";
    case Level::strong:
      return "strong";
    case Level::normal:
      break;
  }
  return "normal";
}

MainWindow::MainWindow() : state_(std::make_unique<GameState>()), sound_(*this) {
  WaitTools waits = realWaitTools();
  waits.sleep = &EventGate::sleep;
  game_ = std::make_unique<Game>(*state_, canvas_, *this, std::move(waits));
  game_->seed = std::random_device{}();  // the weak level plays differently each run
  canvas_.repaintNow = [this] { repaintNow(); };
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) gtk_widget_destroy(window_);
}

void MainWindow::startUp(GtkApplication* app) {
  app_ = app;
  // Sound first: a device that cannot be opened is reported before the window appears.
  sound_.startUp(1);
  game_->sounds = sound_.sounds;

  window_ = gtk_application_window_new(app_);
  // Held by the application too, so the window outlives it whatever ends first.
  g_object_ref(window_);
  // TRANSLATORS: the game's name, as the window's title; usually kept as it is.
  dressGameWindow(window_, _("Zelkan"));
  gtk_window_move(GTK_WINDOW(window_), -4, -4);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(onKeyPress), this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_container_add(GTK_CONTAINER(window_), box);
  menuBar_ = buildMenuBar();
  gtk_box_pack_start(GTK_BOX(box), menuBar_, FALSE, FALSE, 0);
  area_ = gtk_drawing_area_new();
  gtk_widget_set_size_request(area_, clientWidth, clientHeight);
  gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK(onButtonPress), this);
  gtk_box_pack_start(GTK_BOX(box), area_, FALSE, FALSE, 0);
  // The image is drawn at the desktop's scale, as the window is realised on its screen; a
  // window later moved to a screen of another scale keeps it and is shown resampled there.
  gtk_widget_realize(window_);
  // The image lives where the display can copy from it directly (shared memory on X): copying a
  // plain image makes a shared-memory copy of it first, for every repaint, and on a busy
  // connection those copies pile up.
  GdkWindow* shown = gtk_widget_get_window(window_);
  canvas_.setScale(std::clamp(gtk_widget_get_scale_factor(window_), 1, largestScale),
                   [shown](int width, int height) {
                     return gdk_window_create_similar_image_surface(shown, CAIRO_FORMAT_RGB24,
                                                                    width, height, 1);
                   });

  GameState& s = *state_;
  s.resumePending = flagNo;
  s.gameMode = modeNone;
  初期設定(s, canvas_);
  調査_保存(s, s.moveNumber);
  drawBoardFrame(canvas_);
  描画_盤(canvas_, s.board);
  読込_環境設定ファイル();
  drawTitlePlate(canvas_);

  gtk_widget_show_all(window_);
  started_ = true;
  for (const std::filesystem::path& path : std::exchange(toOpen_, {}))
    openLater(path);
}

// The menu tree, left to right: 対局, 局面, 戻, 進, ｵﾌﾟｼｮﾝ, その他, 遊び方. Each item runs an
// action of the application ("app." and its name), which the keys and a second start of the program
// can run too.
GtkWidget* MainWindow::buildMenuBar() {
  Game& g = *game_;
  GtkWidget* bar = gtk_menu_bar_new();

  // TRANSLATORS: the menu "Game": a game for two players ("versus a person"), a game against
  // the computer ("versus COM") moving first or second, and quitting the program.
  GtkWidget* game = addSubmenu(bar, _("対局"));
  addItem(game, _("対MAN"), "two-players", [&g] { g.TAIMAN(); });
  GtkWidget* com = addSubmenu(game, _("対COM"));
  // TRANSLATORS: start a game against the computer moving first (black) or second (white).
  addItem(com, C_("menu", "先手"), "computer-second", [&g] { g.SENTE(); });
  addItem(com, C_("menu", "後手"), "computer-first", [&g] { g.GOTE(); });
  addItem(game, _("終了"), "quit", [this] { endAtOnce(); });
  gtk_menu_shell_append(GTK_MENU_SHELL(game), gtk_separator_menu_item_new());
  // TRANSLATORS: "Open...": a saved game record, chosen in a file chooser.
  GtkWidget* open = addItem(game, _("開く..."), "open", [this] { openRecordChosen(); });
  // TRANSLATORS: "Save...": the game as a record, to a file chosen in a file chooser.
  GtkWidget* save = addItem(game, _("保存..."), "save", [this] { saveRecordChosen(); });
  gtk_accel_label_set_accel(GTK_ACCEL_LABEL(gtk_bin_get_child(GTK_BIN(open))), GDK_KEY_o,
                            GDK_CONTROL_MASK);
  gtk_accel_label_set_accel(GTK_ACCEL_LABEL(gtk_bin_get_child(GTK_BIN(save))), GDK_KEY_s,
                            GDK_CONTROL_MASK);

  // TRANSLATORS: the menu "Position": back to the start position, and judge the position now.
  GtkWidget* position = addSubmenu(bar, _("局面"));
  addItem(position, _("最初"), "first", [&g] { g.SAISYO(); });
  addItem(position, _("途中判定"), "judge", [&g] { g.HANTEI(); });
  // TRANSLATORS: "Hint": the computer shows a good move for the side to move.
  addItem(position, _("ヒント"), "hint", [&g] { g.HINTO(); });

  // TRANSLATORS: the menu bar's "Back" and "Forward" through the moves played.
  addBarItem(bar, _("戻"), "back", [&g] { g.MODORU(); });
  addBarItem(bar, _("進"), "forward", [&g] { g.SUSUMU(); });

  // TRANSLATORS: the menu "Options": show the influence map, background music, and the
  // computer's strength: weak, normal, strong.
  GtkWidget* options = addSubmenu(bar, _("ｵﾌﾟｼｮﾝ"));
  addCheckItem(options, _("勢力表示"), "influence", MenuOption::SEIRYOKU, [this] { SEIRYOKU(); });
  addCheckItem(options, _("BGM"), "music", MenuOption::BGM, [this] { BGM(); });
  GtkWidget* strength = addSubmenu(options, _("強さ"));
  strengthAction_ = g_simple_action_new_stateful("strength", G_VARIANT_TYPE_STRING,
                                                 g_variant_new_string(levelName(game_->level)));
  g_signal_connect(strengthAction_, "activate", G_CALLBACK(onStrength), this);
  g_action_map_add_action(G_ACTION_MAP(app_), G_ACTION(strengthAction_));
  g_object_unref(strengthAction_);
  addLevelItem(strength, _("弱い"), Level::weak);
  addLevelItem(strength, _("普通"), Level::normal);
  addLevelItem(strength, _("強い"), Level::strong);
  showLevel();
  // TRANSLATORS: "Show moves": mark every cell the picked-up stone may move to.
  destinationsItem_ = gtk_check_menu_item_new_with_label(_("移動先表示"));
  // A click has flipped the mark already; the key or another program's call has not.
  destinationsAction_ = addAction("destinations", g_variant_new_boolean(FALSE), [this] {
    game_->showDestinations = !game_->showDestinations;
    tickQuietly(destinationsItem_, game_->showDestinations);
    setState(destinationsAction_, g_variant_new_boolean(game_->showDestinations));
    書込_環境設定ファイル();
  });
  activateOnItem(destinationsItem_, "destinations");
  gtk_menu_shell_append(GTK_MENU_SHELL(options), destinationsItem_);

  // TRANSLATORS: the menu bar's "Other", which opens the about box.
  addBarItem(bar, _("その他"), "about", [this] { SONOTA(); });
  addBarItem(bar, _("遊び方"), "rules", [this] { rules_.present(); });

  static const char* const openKeys[] = {"<Control>o", nullptr};
  static const char* const saveKeys[] = {"<Control>s", nullptr};
  static const char* const hintKeys[] = {"h", nullptr};
  static const char* const rulesKeys[] = {"F1", nullptr};
  gtk_application_set_accels_for_action(app_, "app.open", openKeys);
  gtk_application_set_accels_for_action(app_, "app.save", saveKeys);
  gtk_application_set_accels_for_action(app_, "app.hint", hintKeys);
  gtk_application_set_accels_for_action(app_, "app.rules", rulesKeys);
  return bar;
}

// An action of the application running `handler` through handle(); stateful when `state` is
// given.
GSimpleAction* MainWindow::addAction(const char* name, GVariant* state, Handler handler) {
  GSimpleAction* action = state != nullptr ? g_simple_action_new_stateful(name, nullptr, state)
                                           : g_simple_action_new(name, nullptr);
  g_signal_connect(action, "activate", G_CALLBACK(onAction),
                   const_cast<Handler*>(keep(std::move(handler))));
  g_action_map_add_action(G_ACTION_MAP(app_), G_ACTION(action));
  g_object_unref(action);  // the application keeps it
  return action;
}

// The item runs the action of that name when activated.
void MainWindow::activateOnItem(GtkWidget* item, const char* action) {
  g_object_set_data(G_OBJECT(item), "zelkan-action", const_cast<char*>(action));
  g_signal_connect(item, "activate", G_CALLBACK(onItemActivate), this);
}

void MainWindow::setState(GSimpleAction* action, GVariant* state) {
  if (action != nullptr) g_simple_action_set_state(action, state);
}

const MainWindow::Handler* MainWindow::keep(Handler handler) {
  handlers_.push_back([this, h = std::move(handler)] { handle(h); });
  return &handlers_.back();
}

// Every event's handler runs through here: to its end with input held, and then the window
// shows what it drew since its last refresh.
void MainWindow::handle(const Handler& handler) {
  gate_.run([this, &handler] { game_->command(handler); });
  queueChangedBox();
}

// Asks for a draw of only the part of the image drawn on since the last one: a whole-window copy
// for every stone moved would keep screen-sized buffers busy on the display connection.
void MainWindow::queueChangedBox() {
  const PixelBox box = canvas_.takeChangedBox();
  if (area_ == nullptr || box.empty()) return;
  const int s = canvas_.scale();
  const int x0 = box.x0 / s;
  const int y0 = box.y0 / s;
  gtk_widget_queue_draw_area(area_, x0, y0, (box.x1 + s - 1) / s - x0, (box.y1 + s - 1) / s - y0);
}

GtkWidget* MainWindow::addSubmenu(GtkWidget* shell, const char* caption) {
  GtkWidget* item = gtk_menu_item_new_with_label(caption);
  GtkWidget* menu = gtk_menu_new();
  gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), menu);
  gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
  return menu;
}

GtkWidget* MainWindow::addItem(GtkWidget* shell, const char* caption, const char* action,
                               Handler handler) {
  GtkWidget* item = gtk_menu_item_new_with_label(caption);
  addAction(action, nullptr, std::move(handler));
  activateOnItem(item, action);
  gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
  return item;
}

// An item with no submenu directly on the bar. GTK activates such an item only after a long
// press, so a click is taken on the button's release; the keyboard still activates it.
void MainWindow::addBarItem(GtkWidget* bar, const char* caption, const char* action,
                            Handler handler) {
  GtkWidget* item = gtk_menu_item_new_with_label(caption);
  addAction(action, nullptr, std::move(handler));
  activateOnItem(item, action);
  g_signal_connect(item, "button-release-event", G_CALLBACK(onBarItemRelease), this);
  gtk_menu_shell_append(GTK_MENU_SHELL(bar), item);
}

void MainWindow::addCheckItem(GtkWidget* shell, const char* caption, const char* action,
                              MenuOption option, Handler handler) {
  GtkWidget* item = gtk_check_menu_item_new_with_label(caption);
  const int index = static_cast<int>(option);
  checkItems_[index] = item;
  gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), ticks_[index]);
  // GTK flips the mark itself on a click; the handler decides, so the mark is put back first.
  handler = [this, index, h = std::move(handler)] {
    setTicked(optionOf(index), ticks_[index]);
    h();
  };
  checkActions_[index] =
      addAction(action, g_variant_new_boolean(ticks_[index]), std::move(handler));
  activateOnItem(item, action);
  gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
}

// A radio item of the strength submenu. GTK moves the mark itself and activates both the item
// that gains it and the one that loses it; only the one that gains it runs the action, with its
// level.
void MainWindow::addLevelItem(GtkWidget* shell, const char* caption, Level level) {
  GSList* group = nullptr;
  if (level != Level::weak)
    group = gtk_radio_menu_item_get_group(GTK_RADIO_MENU_ITEM(levelItems_[0]));
  GtkWidget* item = gtk_radio_menu_item_new_with_label(group, caption);
  levelItems_[static_cast<int>(level)] = item;
  g_object_set_data(G_OBJECT(item), "zelkan-level", const_cast<char*>(levelName(level)));
  g_signal_connect(item, "activate", G_CALLBACK(onLevelItem), this);
  gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
}

// Puts the radio mark on the item of the computer's level, without running any handler.
void MainWindow::showLevel() {
  for (GtkWidget* item : levelItems_) {
    g_signal_handlers_block_matched(item, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                    reinterpret_cast<gpointer>(onLevelItem), nullptr);
  }
  GtkWidget* chosen = levelItems_[static_cast<int>(game_->level)];
  gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(chosen), TRUE);
  setState(strengthAction_, g_variant_new_string(levelName(game_->level)));
  for (GtkWidget* item : levelItems_)
    g_signal_handlers_unblock_matched(item, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                      reinterpret_cast<gpointer>(onLevelItem), nullptr);
}

void MainWindow::onAction(GSimpleAction*, GVariant*, gpointer handler) {
  (*static_cast<const Handler*>(handler))();
}

void MainWindow::onItemActivate(GtkMenuItem* item, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  const auto* action = static_cast<const char*>(g_object_get_data(G_OBJECT(item), "zelkan-action"));
  g_action_group_activate_action(G_ACTION_GROUP(w->app_), action, nullptr);
}

void MainWindow::onLevelItem(GtkMenuItem* item, gpointer self) {
  if (!gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item))) return;
  const auto* name = static_cast<const char*>(g_object_get_data(G_OBJECT(item), "zelkan-level"));
  g_action_group_activate_action(G_ACTION_GROUP(static_cast<MainWindow*>(self)->app_), "strength",
                                 g_variant_new_string(name));
}

// The strength's action, from its radio item or from outside: the computer plays at the level
// named from its next move on, and the radio mark shows it.
void MainWindow::onStrength(GSimpleAction*, GVariant* parameter, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  const std::string_view name = g_variant_get_string(parameter, nullptr);
  for (const Level level : {Level::weak, Level::normal, Level::strong}) {
    if (name != levelName(level)) continue;
    w->handle([w, level] {
      w->pickLevel(level);
      w->showLevel();
    });
  }
}

gboolean MainWindow::onBarItemRelease(GtkWidget* item, GdkEventButton*, gpointer self) {
  gtk_menu_shell_deactivate(GTK_MENU_SHELL(gtk_widget_get_parent(item)));
  onItemActivate(GTK_MENU_ITEM(item), self);
  return TRUE;
}

gboolean MainWindow::onDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  // One pixel of the image to one of the screen when the window's scale is the image's.
  const double toWindow = 1.0 / w->canvas_.scale();
  cairo_scale(cr, toWindow, toWindow);
  cairo_set_source_surface(cr, w->canvas_.surface(), 0, 0);
  cairo_paint(cr);
  return TRUE;
}

gboolean MainWindow::onButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  if (event->type != GDK_BUTTON_PRESS) return TRUE;  // the extra events of double clicks
  auto* w = static_cast<MainWindow*>(self);
  // Through whole window pixels, as at scale 1: every cell is hit alike at every scale.
  const double x = std::floor(event->x) * twipsPerPixel;
  const double y = std::floor(event->y) * twipsPerPixel;
  w->handle([w, x, y] { w->game_->mousePressed(x, y); });
  return TRUE;
}

gboolean MainWindow::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  if (event->keyval == GDK_KEY_F1) {
    w->handle([w] { w->rules_.present(); });
    return TRUE;
  }
  // The keys the game answers; every other key (F10 and the like) goes on to the menus.
  static constexpr std::pair<guint, int> keys[] = {
      {GDK_KEY_Escape, Game::keyEscape},   {GDK_KEY_Left, Game::keyLeft},
      {GDK_KEY_KP_Left, Game::keyLeft},    {GDK_KEY_Right, Game::keyRight},
      {GDK_KEY_KP_Right, Game::keyRight},  {GDK_KEY_Up, Game::keyUp},
      {GDK_KEY_KP_Up, Game::keyUp},        {GDK_KEY_Down, Game::keyDown},
      {GDK_KEY_KP_Down, Game::keyDown},    {GDK_KEY_Return, Game::keyReturn},
      {GDK_KEY_KP_Enter, Game::keyReturn}, {GDK_KEY_space, Game::keySpace},
      {GDK_KEY_h, Game::keyHint},          {GDK_KEY_H, Game::keyHint}};
  const auto key = std::ranges::find(keys, event->keyval, &std::pair<guint, int>::first);
  if (key == std::end(keys)) return FALSE;
  const int code = key->second;
  // With Ctrl or Alt held a key is the menus' or the desktop's, Escape aside.
  if (code != Game::keyEscape && (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0)
    return FALSE;
  w->handle([w, code] { w->game_->keyPressed(code); });
  return TRUE;
}

gboolean MainWindow::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  w->handle([w] { w->shutDownAndEnd(); });
  return TRUE;
}

void MainWindow::repaintNow() {
  if (area_ == nullptr) return;
  queueChangedBox();
  if (GdkWindow* window = gtk_widget_get_window(area_)) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gdk_window_process_updates(window, TRUE);
    G_GNUC_END_IGNORE_DEPRECATIONS
  }
  gdk_display_flush(gdk_display_get_default());
}

MessageBox::Answer MainWindow::show(const std::string& text, const std::string& title,
                                    Buttons buttons, Icon icon) {
  // The box opens over everything drawn so far; while it is open the window repaints itself.
  repaintNow();
  GtkWidget* parent = window_ != nullptr && gtk_widget_get_visible(window_) ? window_ : nullptr;
  GtkWidget* dialog =
      gtk_message_dialog_new(GTK_WINDOW(parent), GTK_DIALOG_MODAL,
                             icon == Icon::warning ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER,
                             GTK_BUTTONS_NONE, "%s", text.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  if (icon == Icon::warning) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_message_dialog_set_image(
        GTK_MESSAGE_DIALOG(dialog),
        gtk_image_new_from_icon_name("dialog-warning", GTK_ICON_SIZE_DIALOG));
    G_GNUC_END_IGNORE_DEPRECATIONS
  }
  if (buttons == Buttons::yesNo) {
    // TRANSLATORS: the buttons "Yes" and "No".
    gtk_dialog_add_button(GTK_DIALOG(dialog), _("はい"), GTK_RESPONSE_YES);
    gtk_dialog_add_button(GTK_DIALOG(dialog), _("いいえ"), GTK_RESPONSE_NO);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_YES);
  } else {
    gtk_dialog_add_button(GTK_DIALOG(dialog), _("OK"), GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  }
  gtk_widget_show_all(dialog);
  gate_.dialogOpened(dialog);
  const int response = gtk_dialog_run(GTK_DIALOG(dialog));
  gate_.dialogClosed(dialog);
  gtk_widget_destroy(dialog);
  if (buttons == Buttons::ok) return Answer::ok;
  // Only an explicit "いいえ" is No; closing the box counts as Yes.
  return response == GTK_RESPONSE_NO ? Answer::no : Answer::yes;
}

int MainWindow::second() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_sec;
}

bool MainWindow::isTicked(MenuOption option) const {
  return ticks_[static_cast<int>(option)];
}

void MainWindow::setTicked(MenuOption option, bool ticked) {
  const int index = static_cast<int>(option);
  ticks_[index] = ticked;
  if (GtkWidget* item = checkItems_[index]) tickQuietly(item, ticked);
  setState(checkActions_[index], g_variant_new_boolean(ticked));
}

// Sets a check item's mark without running its handler.
void MainWindow::tickQuietly(GtkWidget* item, bool ticked) {
  g_signal_handlers_block_matched(item, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                  reinterpret_cast<gpointer>(onItemActivate), nullptr);
  gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), ticked);
  g_signal_handlers_unblock_matched(item, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                    reinterpret_cast<gpointer>(onItemActivate), nullptr);
}

void MainWindow::playSound(std::int32_t handle) {
  dsPlay(handle);
}
void MainWindow::playLooping(std::int32_t handle) {
  dsPlayLooping(handle);
}
void MainWindow::stopSound(std::int32_t handle) {
  dsStop(handle);
}

void MainWindow::endAtOnce() {
  std::_Exit(0);
}

void MainWindow::shutDownAndEnd() {
  sound_.終了処理();
  std::_Exit(0);
}

void MainWindow::SONOTA() {
  playSound(game_->sounds.sndOther);
  // TRANSLATORS: the about box: "Zelkan  version 1.0", "A territory game: move stones to
  // sandwich and surround the other side's", "By the Zelkan developers".
  show(_("Zelkan  バージョン 1.0\n\n石を動かして挟み、囲んで取る陣取りゲーム\n"
         "作：Zelkan 開発チーム"),
       _("Zelkan"), Buttons::ok, Icon::none);
}

}  // namespace zelkan
