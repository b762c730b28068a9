#include "shell/main_window.h"
#include "shell/board_accessible.h"
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

void MainWindow::startUp() {
  if (started_ || window_ != nullptr) return;
  // Sound first: a device that cannot be opened is reported before the window appears.
  sound_.folder = soundFolder;
  sound_.startUp(1);
  game_->sounds = sound_.sounds;

  window_ = gtk_application_window_new(app_);
  gate_.tellFailure = [this](const std::string& text) {
    show(text, _("Zelkan"), Buttons::ok, Icon::warning);
  };
  // Held by the application too, so the window outlives it whatever ends first.
  g_object_ref(window_);
  // TRANSLATORS: the game's name, as the window's title; usually kept as it is.
  dressGameWindow(window_, _("Zelkan"));
  gtk_window_move(GTK_WINDOW(window_), -4, -4);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(onKeyPress), this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
  g_signal_connect(window_, "window-state-event", G_CALLBACK(onWindowState), this);

  // The menu bar is the application's, drawn by the window above the drawing area. The window
  // opens at the client area's size and may grow from there, never shrink below it.
  area_ = newBoardArea(*game_, fit_, gate_, [this](int x, int y) {
    handle([this, x, y] {
      game_->hideCursor();
      game_->cellPressed(x, y);
    });
  });
  gtk_widget_set_size_request(area_, clientWidth, clientHeight);
  gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK(onButtonPress), this);
  gtk_container_add(GTK_CONTAINER(window_), area_);
  // The image is drawn at the desktop's scale, as the window is realised on its screen; later it
  // follows the window's size and scale (refit).
  gtk_widget_realize(window_);
  takeBarClicks();
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

  if (!keptGamesFolder.empty()) {
    kept_ = std::make_unique<KeptGames>(keptGamesFolder, [this](int error) {
      // From the writer's thread: the box is the window's, once it is free.
      auto* call = new std::pair<MainWindow*, int>(this, error);
      g_idle_add(
          [](gpointer data) -> gboolean {
            const std::unique_ptr<std::pair<MainWindow*, int>> c(
                static_cast<std::pair<MainWindow*, int>*>(data));
            MainWindow& w = *c->first;
            return w.gate_.guard(G_SOURCE_REMOVE, [&] {
              w.tellKeepingFailed(c->second);
              return G_SOURCE_REMOVE;
            });
          },
          call);
    });
  }
  records_ = RecordModel(keptGamesFolder);
  refreshRecentGames();
  followRecords();

  gtk_widget_show_all(window_);
  started_ = true;
  for (const std::filesystem::path& path : std::exchange(toOpen_, {}))
    openLater(path);
}

// Every command's handler runs through the gate: to its end with input held, and then the
// window shows what it drew since its last refresh.
void MainWindow::handle(Handler handler) {
  gate_.submit([this, h = std::move(handler)] {
    game_->command(h);
    queueChangedBox();
    followRecords();
    tellBoardChanged(area_);
    review_.follow(state_->moveNumber);
  });
}

// Asks for a draw of only the part of the image drawn on since the last one: a whole-window copy
// for every stone moved would keep screen-sized buffers busy on the display connection.
void MainWindow::queueChangedBox() {
  const PixelBox box = canvas_.takeChangedBox();
  if (area_ == nullptr || box.empty()) return;
  if (fit_.zoom == 1 && fit_.scale == canvas_.scale()) {  // shown pixel for pixel
    const int s = canvas_.scale();
    const int x0 = box.x0 / s;
    const int y0 = box.y0 / s;
    gtk_widget_queue_draw_area(area_, x0, y0, (box.x1 + s - 1) / s - x0, (box.y1 + s - 1) / s - y0);
    return;
  }
  const PixelBox shown = shownBox(canvas_, fit_, box);
  gtk_widget_queue_draw_area(area_, shown.x0, shown.y0, shown.x1 - shown.x0, shown.y1 - shown.y0);
}

// Needs no turn of the event gate: a window resized during a pause, an animation or a think is
// shown at its new size at once, and the game goes on as it was.
bool MainWindow::refit() {
  fit_ = fitImage(gtk_widget_get_allocated_width(area_), gtk_widget_get_allocated_height(area_),
                  gtk_widget_get_scale_factor(area_));
  if (fit_.scale == canvas_.scale()) return false;
  canvas_.redrawAt(fit_.scale);
  return true;
}

void MainWindow::toggleFullScreen() {
  if (window_ == nullptr) return;
  if (fullScreen_)
    gtk_window_unfullscreen(GTK_WINDOW(window_));
  else
    gtk_window_fullscreen(GTK_WINDOW(window_));
}

gboolean MainWindow::onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  w->fullScreen_ = (event->new_window_state & GDK_WINDOW_STATE_FULLSCREEN) != 0;
  if (GSimpleAction* fullScreen = w->action("fullscreen"))
    g_simple_action_set_state(fullScreen, g_variant_new_boolean(w->fullScreen_));
  return FALSE;
}

// The bar's items with no submenu (戻, 進, その他, 遊び方): GTK activates such an item only after a
// long press, so a click is taken on the button's release; the keyboard still activates it.
void MainWindow::takeBarClicks() {
  GtkWidget* bar = nullptr;
  gtk_container_forall(
      GTK_CONTAINER(window_),
      [](GtkWidget* child, gpointer found) {
        if (GTK_IS_MENU_BAR(child)) *static_cast<GtkWidget**>(found) = child;
      },
      &bar);
  if (bar == nullptr) return;
  GList* items = gtk_container_get_children(GTK_CONTAINER(bar));
  for (GList* i = items; i != nullptr; i = i->next) {
    if (gtk_menu_item_get_submenu(GTK_MENU_ITEM(i->data)) == nullptr)
      g_signal_connect(i->data, "button-release-event", G_CALLBACK(onBarItemRelease), this);
  }
  // "対局" lists the newest kept games as it opens.
  if (items != nullptr) {
    g_signal_connect(items->data, "select", G_CALLBACK(+[](GtkMenuItem*, gpointer self) {
                       auto* w = static_cast<MainWindow*>(self);
                       w->gate_.guard(0, [w] {
                         w->refreshRecentGames();
                         return 0;
                       });
                     }),
                     this);
  }
  g_list_free(items);
}

gboolean MainWindow::onBarItemRelease(GtkWidget* item, GdkEventButton*, gpointer) {
  gtk_menu_shell_deactivate(GTK_MENU_SHELL(gtk_widget_get_parent(item)));
  gtk_menu_item_activate(GTK_MENU_ITEM(item));
  return TRUE;
}

gboolean MainWindow::onDraw(GtkWidget* area, cairo_t* cr, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  // The larger image may not be had (refit): the window shows what it can and goes on.
  return w->gate_.guard(TRUE, [&] {
    if (w->refit()) {
      // The whole image is new: shown whole, this time or the next.
      w->canvas_.takeChangedBox();
      GdkRectangle clip;
      if (gdk_cairo_get_clip_rectangle(cr, &clip) &&
          (clip.x > 0 || clip.y > 0 || clip.width < w->fit_.areaWidth ||
           clip.height < w->fit_.areaHeight))
        gtk_widget_queue_draw(area);
    }
    paintFitted(cr, w->canvas_, w->fit_);
    return TRUE;
  });
}

gboolean MainWindow::onButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
  if (event->type != GDK_BUTTON_PRESS) return TRUE;  // the extra events of double clicks
  auto* w = static_cast<MainWindow*>(self);
  // Through whole window pixels, as at scale 1: every cell is hit alike at every scale and size.
  const auto [x, y] = twipsAt(w->fit_, event->x, event->y);
  // Copied by name: clang 14 cannot capture a structured binding.
  w->handle([w, x = x, y = y] {
    w->game_->hideCursor();  // a player back at the mouse
    w->game_->mousePressed(x, y);
  });
  return TRUE;
}

gboolean MainWindow::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* w = static_cast<MainWindow*>(self);
  // The keys the game answers; every other key (F10 and the like) goes on to the menus. A letter
  // is its capital's code, as the game names its keys.
  static constexpr std::pair<guint, int> keys[] = {
      {GDK_KEY_Escape, Game::keyEscape},   {GDK_KEY_Left, Game::keyLeft},
      {GDK_KEY_KP_Left, Game::keyLeft},    {GDK_KEY_Right, Game::keyRight},
      {GDK_KEY_KP_Right, Game::keyRight},  {GDK_KEY_Up, Game::keyUp},
      {GDK_KEY_KP_Up, Game::keyUp},        {GDK_KEY_Down, Game::keyDown},
      {GDK_KEY_KP_Down, Game::keyDown},    {GDK_KEY_Return, Game::keyReturn},
      {GDK_KEY_KP_Enter, Game::keyReturn}, {GDK_KEY_space, Game::keySpace}};
  static constexpr int letters[] = {
      Game::keyHint,        Game::keyLastMove,     Game::keyPosition, Game::keyBlackStones,
      Game::keyWhiteStones, Game::keyDestinations, Game::keyTypeMove};
  const guint capital = gdk_keyval_to_upper(event->keyval);
  const auto key = std::ranges::find(keys, event->keyval, &std::pair<guint, int>::first);
  const bool letter = capital >= GDK_KEY_A && capital <= GDK_KEY_Z &&
                      std::ranges::find(letters, static_cast<int>(capital)) != std::end(letters);
  if (key == std::end(keys) && !letter) return FALSE;
  const int code = letter ? static_cast<int>(capital) : key->second;
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
                                    Buttons buttons, Icon icon, Heading heading) {
  // The box opens over everything drawn so far; while it is open the window repaints itself.
  repaintNow();
  GtkWidget* parent = window_ != nullptr && gtk_widget_get_visible(window_) ? window_ : nullptr;
  GtkWidget* dialog =
      gtk_message_dialog_new(GTK_WINDOW(parent), GTK_DIALOG_MODAL,
                             icon == Icon::warning ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER,
                             GTK_BUTTONS_NONE, "%s", text.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  if (heading == Heading::title) {
    // A desktop may draw an attached box without its title: the title's words lead the text.
    gchar* markup = g_markup_printf_escaped("<b>%s</b>", title.c_str());
    g_object_set(dialog, "text", markup, "use-markup", TRUE, "secondary-text", text.c_str(),
                 nullptr);
    g_free(markup);
  }
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
  speakAfresh(area_);
  gate_.dialogOpened(dialog);
  const int response = gtk_dialog_run(GTK_DIALOG(dialog));
  gate_.dialogClosed(dialog);
  gtk_widget_destroy(dialog);
  if (buttons == Buttons::ok) return Answer::ok;
  // Only an explicit "いいえ" is No; closing the box counts as Yes.
  return response == GTK_RESPONSE_NO ? Answer::no : Answer::yes;
}

std::optional<std::string> MainWindow::askLine(const std::string& prompt,
                                               const std::string& title) {
  repaintNow();
  GtkWidget* dialog = gtk_dialog_new_with_buttons(
      title.c_str(), GTK_WINDOW(window_), GTK_DIALOG_MODAL,
      // TRANSLATORS: the button that closes a box without doing anything: "Cancel".
      _("キャンセル"), GTK_RESPONSE_CANCEL, _("OK"), GTK_RESPONSE_OK, nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
  gtk_container_set_border_width(GTK_CONTAINER(content), 12);
  gtk_box_set_spacing(GTK_BOX(content), 6);
  GtkWidget* label = gtk_label_new(prompt.c_str());
  gtk_label_set_xalign(GTK_LABEL(label), 0);
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(label), 40);
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), entry);  // the entry is named by the prompt
  gtk_box_pack_start(GTK_BOX(content), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), entry, FALSE, FALSE, 0);
  gtk_widget_show_all(dialog);
  speakAfresh(area_);
  gate_.dialogOpened(dialog);
  const int response = gtk_dialog_run(GTK_DIALOG(dialog));
  gate_.dialogClosed(dialog);
  std::optional<std::string> line;
  if (response == GTK_RESPONSE_OK) line = gtk_entry_get_text(GTK_ENTRY(entry));
  gtk_widget_destroy(dialog);
  return line;
}

void MainWindow::announce(const std::string& text) {
  if (area_ != nullptr) announceOnBoard(area_, text);
}

int MainWindow::second() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_sec;
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

// Both ways of ending let the kept game's last text reach its file first.
void MainWindow::endAtOnce() {
  if (kept_) kept_->flushNow();
  std::_Exit(0);
}

void MainWindow::shutDownAndEnd() {
  if (kept_) kept_->flushNow();
  sound_.終了処理();
  std::_Exit(0);
}

// The about box, as the desktop's about dialog: the game's own text whole, its version, icon,
// licence and translators, titled like the window, with its sound as it opens.
void MainWindow::SONOTA() {
  playSound(game_->sounds.sndOther);
  repaintNow();
  GtkWidget* about = gtk_about_dialog_new();
  GtkAboutDialog* a = GTK_ABOUT_DIALOG(about);
  gtk_about_dialog_set_program_name(a, _("Zelkan"));
  gtk_about_dialog_set_version(a, ZELKAN_VERSION);
  // TRANSLATORS: the about box: "Zelkan  version %s" (%s the version's number, as 1.0), "A
  // territory game: move stones to sandwich and surround the other side's stones", "By the
  // Zelkan developers".
  gchar* comments =
      g_strdup_printf(_("Zelkan  バージョン %s\n\n石を動かして挟み、囲んで取る陣取りゲーム\n"
                        "作：Zelkan 開発チーム"),
                      ZELKAN_VERSION);
  gtk_about_dialog_set_comments(a, comments);
  g_free(comments);
  gtk_about_dialog_set_license_type(a, GTK_LICENSE_GPL_3_0);
  // TRANSLATORS: your name and address, one translator a line, shown in the about box.
  const char* translators = _("translator-credits");
  if (isTranslated("translator-credits", translators))
    gtk_about_dialog_set_translator_credits(a, translators);
  if (GdkPixbuf* icon = gdk_pixbuf_get_from_surface(iconSurface(), 0, 0, 32, 32)) {
    gtk_about_dialog_set_logo(a, icon);
    g_object_unref(icon);
  }
  gtk_window_set_title(GTK_WINDOW(about), _("Zelkan"));
  gtk_window_set_transient_for(GTK_WINDOW(about), GTK_WINDOW(window_));
  gtk_window_set_modal(GTK_WINDOW(about), TRUE);
  gtk_dialog_set_default_response(GTK_DIALOG(about), GTK_RESPONSE_DELETE_EVENT);
  gtk_widget_show_all(about);
  // Return closes it, as it answers every other box.
  if (GtkWidget* close =
          gtk_dialog_get_widget_for_response(GTK_DIALOG(about), GTK_RESPONSE_DELETE_EVENT))
    gtk_widget_grab_focus(close);
  gate_.dialogOpened(about);
  gtk_dialog_run(GTK_DIALOG(about));
  gate_.dialogClosed(about);
  gtk_widget_destroy(about);
}

}  // namespace zelkan
