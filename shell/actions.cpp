// The game's commands as actions of the application, and the menu bar as a model drawn from
// them. Every command, whoever sends it (a menu item, its key, the desktop over D-Bus), enters
// the game through the event gate; the options are stateful actions whose state is the one truth
// that the game, the menu's marks and the settings file follow.
#include <string>
#include <string_view>
#include <utility>

#include "shell/main_window.h"
#include "view/texts.h"

namespace zelkan {

// A command: its action's name, the keys that run it, and what it does.
struct MainWindow::Command {
  const char* name;
  const char* keys[3];
  void (*run)(MainWindow& w);
  bool needsWindow = true;
};

namespace {

using W = MainWindow;

constexpr MainWindow::Command commands[] = {
    {"two-players", {}, [](W& w) { w.chooseMode(&Game::TAIMAN); }},
    {"computer-second", {}, [](W& w) { w.chooseMode(&Game::SENTE); }},
    {"computer-first", {}, [](W& w) { w.chooseMode(&Game::GOTE); }},
    {"quit", {"<Control>q"}, [](W& w) { w.endAtOnce(); }, false},
    {"open", {"<Control>o"}, [](W& w) { w.openRecordChosen(); }},
    {"save", {"<Control>s"}, [](W& w) { w.saveRecordChosen(); }},
    {"save-as", {"<Shift><Control>s"}, [](W& w) { w.saveRecordAs(); }},
    {"first", {}, [](W& w) { w.startAfresh(); }},
    {"judge", {}, [](W& w) { w.game().HANTEI(); }},
    {"hint", {"h"}, [](W& w) { w.game().HINTO(); }},
    {"analyse", {"a"}, [](W& w) { w.presentReview(); }},
    {"back", {"<Control>z"}, [](W& w) { w.game().MODORU(); }},
    {"forward", {"<Shift><Control>z"}, [](W& w) { w.game().SUSUMU(); }},
    {"about", {}, [](W& w) { w.SONOTA(); }},
    {"rules", {"F1"}, [](W& w) { w.presentRules(); }},
    {"fullscreen", {"F11"}, [](W& w) { w.toggleFullScreen(); }},
};

GMenuItem* item(const char* label, const char* action) {
  return g_menu_item_new(label, action);
}

void append(GMenu* menu, const char* label, const char* action) {
  g_menu_append(menu, label, action);
}

GMenu* submenu(GMenu* parent, const char* label) {
  GMenu* menu = g_menu_new();
  g_menu_append_submenu(parent, label, G_MENU_MODEL(menu));
  g_object_unref(menu);  // the parent keeps it
  return menu;
}

void appendLevel(GMenu* menu, const char* label, Level level) {
  GMenuItem* i = item(label, nullptr);
  g_menu_item_set_action_and_target_value(i, "app.strength",
                                          g_variant_new_string(levelName(level)));
  g_menu_append_item(menu, i);
  g_object_unref(i);
}

}  // namespace

// The menu bar, left to right: 対局, 局面, 戻, 進, ｵﾌﾟｼｮﾝ, その他, 遊び方.
GMenuModel* MainWindow::menuModel() {
  GMenu* bar = g_menu_new();
  // TRANSLATORS: the menu "Game": a game for two players ("versus a person"), a game against
  // the computer ("versus COM") moving first or second, and quitting the program. The menu's
  // captions may carry a mnemonic ("_Game").
  GMenu* game = submenu(bar, C_("menu", "対局"));
  GMenu* play = g_menu_new();
  append(play, C_("menu", "対MAN"), "app.two-players");
  GMenu* com = submenu(play, C_("menu", "対COM"));
  // TRANSLATORS: start a game against the computer moving first (black) or second (white).
  append(com, C_("menu", "先手"), "app.computer-second");
  append(com, C_("menu", "後手"), "app.computer-first");
  append(play, C_("menu", "終了"), "app.quit");
  g_menu_append_section(game, nullptr, G_MENU_MODEL(play));
  g_object_unref(play);
  GMenu* files = g_menu_new();
  // TRANSLATORS: "Open...": a saved game record, chosen in a file chooser.
  append(files, C_("menu", "開く..."), "app.open");
  // TRANSLATORS: "Recent Games": the newest games played, each kept as it was played.
  recentMenu_ = submenu(files, C_("menu", "最近の対局"));
  // TRANSLATORS: "Save...": the game as a record, to its file or to a file chosen in a file
  // chooser; "Save As...": always to a file chosen.
  append(files, C_("menu", "保存..."), "app.save");
  append(files, C_("menu", "名前を付けて保存..."), "app.save-as");
  g_menu_append_section(game, nullptr, G_MENU_MODEL(files));
  g_object_unref(files);

  // TRANSLATORS: the menu "Position": back to the start position, judge the position now,
  // "Hint": the computer shows a good move for the side to move, and "Review...": every move of
  // the game set against the computer's choice, in a window of its own.
  GMenu* position = submenu(bar, C_("menu", "局面"));
  append(position, C_("menu", "最初"), "app.first");
  append(position, C_("menu", "途中判定"), "app.judge");
  append(position, C_("menu", "ヒント"), "app.hint");
  append(position, C_("menu", "検討..."), "app.analyse");

  // TRANSLATORS: the menu bar's "Back" and "Forward" through the moves played.
  append(bar, C_("menu", "戻"), "app.back");
  append(bar, C_("menu", "進"), "app.forward");

  // TRANSLATORS: the menu "Options": show the influence map, background music, the computer's
  // strength (weak, normal, strong), "Show moves": mark every cell the picked-up stone may
  // move to, and "Show coordinates": the columns' letters and the rows' numbers round the board.
  GMenu* options = submenu(bar, C_("menu", "ｵﾌﾟｼｮﾝ"));
  append(options, C_("menu", "勢力表示"), "app.influence");
  append(options, C_("menu", "BGM"), "app.music");
  GMenu* strength = submenu(options, C_("menu", "強さ"));
  appendLevel(strength, C_("menu", "弱い"), Level::weak);
  appendLevel(strength, C_("menu", "普通"), Level::normal);
  appendLevel(strength, C_("menu", "強い"), Level::strong);
  append(options, C_("menu", "移動先表示"), "app.destinations");
  append(options, C_("menu", "座標表示"), "app.coordinates");
  // TRANSLATORS: "Keep Games": every game played is kept, to be found in "Recent Games".
  append(options, C_("menu", "対局を残す"), "app.keep-games");
  append(options, C_("menu", "全画面"), "app.fullscreen");

  // TRANSLATORS: the menu bar's "Other", which opens the about box, and "How to play", which
  // opens the rules.
  append(bar, C_("menu", "その他"), "app.about");
  append(bar, C_("menu", "遊び方"), "app.rules");
  return G_MENU_MODEL(bar);
}

void MainWindow::addActions(GtkApplication* app, std::function<void()> showWindow) {
  app_ = app;
  showWindow_ = std::move(showWindow);
  for (const Command& c : commands) {
    // Full screen is a command whose item carries a mark: the window's state, set as it changes.
    GSimpleAction* action =
        std::string_view(c.name) == "fullscreen"
            ? g_simple_action_new_stateful(c.name, nullptr, g_variant_new_boolean(FALSE))
            : g_simple_action_new(c.name, nullptr);
    g_object_set_data(G_OBJECT(action), "zelkan-command", const_cast<Command*>(&c));
    g_signal_connect(action, "activate", G_CALLBACK(onCommand), this);
    g_action_map_add_action(G_ACTION_MAP(app_), G_ACTION(action));
    g_object_unref(action);  // the application keeps it
    const std::string detailed = std::string("app.") + c.name;
    if (c.keys[0] != nullptr) gtk_application_set_accels_for_action(app_, detailed.c_str(), c.keys);
  }

  // The options start as the settings file says; a file that does not read as settings starts
  // them at the defaults, which the window writes when it starts up.
  startSettings_ = settingsFile.empty() ? SettingsFileReading{} : readSettingsFile(settingsFile);
  const SettingsFileReading& r = startSettings_;
  const bool influence = r.failed() || r.seiryokuOn;
  const bool music = !r.failed() && r.bgmOn;
  const std::pair<const char*, GVariant*> options[] = {
      {"influence", g_variant_new_boolean(influence)},
      {"music", g_variant_new_boolean(music)},
      {"strength", g_variant_new_string(levelName(r.level))},
      {"destinations", g_variant_new_boolean(r.destinations)},
      {"coordinates", g_variant_new_boolean(r.coordinates)},
      {"keep-games", g_variant_new_boolean(r.keepGames)},
  };
  for (const auto& [name, state] : options) {
    GSimpleAction* action = g_simple_action_new_stateful(
        name, g_variant_is_of_type(state, G_VARIANT_TYPE_STRING) ? G_VARIANT_TYPE_STRING : nullptr,
        state);
    g_signal_connect(action, "change-state", G_CALLBACK(onChangeState), this);
    g_action_map_add_action(G_ACTION_MAP(app_), G_ACTION(action));
    g_object_unref(action);
  }
  game_->level = r.level;
  game_->showDestinations = r.destinations;

  // "最近の対局"'s entries, by their place in the list the menu shows.
  GSimpleAction* recent = g_simple_action_new("open-recent", G_VARIANT_TYPE_INT32);
  g_signal_connect(recent, "activate",
                   G_CALLBACK(+[](GSimpleAction*, GVariant* index, gpointer self) {
                     auto* w = static_cast<MainWindow*>(self);
                     const int i = g_variant_get_int32(index);
                     w->showFirst();
                     w->handle([w, i] { w->openRecent(i); });
                   }),
                   this);
  g_action_map_add_action(G_ACTION_MAP(app_), G_ACTION(recent));
  g_object_unref(recent);
  // The greyed line of "最近の対局" with no game kept: an action never enabled.
  GSimpleAction* none = g_simple_action_new("no-recent-games", nullptr);
  g_simple_action_set_enabled(none, FALSE);
  g_action_map_add_action(G_ACTION_MAP(app_), G_ACTION(none));
  g_object_unref(none);

  GMenuModel* bar = menuModel();
  gtk_application_set_menubar(app_, bar);
  g_object_unref(bar);
}

// A command sent before the window is shown (from the desktop, to a game not yet running) shows
// it first.
void MainWindow::showFirst() {
  if (!started_ && showWindow_) showWindow_();
}

void MainWindow::onCommand(GSimpleAction* action, GVariant*, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  const auto* c =
      static_cast<const Command*>(g_object_get_data(G_OBJECT(action), "zelkan-command"));
  if (c->needsWindow) w->showFirst();
  w->handle([w, c] { c->run(*w); });
}

// Whoever changes an option's state (its menu item, a key, the desktop) asks for it here; the
// state itself changes only once the game has followed.
void MainWindow::onChangeState(GSimpleAction* action, GVariant* value, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  w->showFirst();
  const std::string name = g_action_get_name(G_ACTION(action));
  const bool on =
      g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN) && g_variant_get_boolean(value);
  const std::string level = g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)
                                ? g_variant_get_string(value, nullptr)
                                : "";
  w->handle([w, name, on, level] { w->setOption(name, on, level); });
}

}  // namespace zelkan
