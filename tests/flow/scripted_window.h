// A window for the game that answers from a script and writes down everything it is asked,
// with the time on a scripted clock, so the tests can check what a player would see and hear
// and when.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/setup.h"
#include "flow/game.h"
#include "view/board_drawing.h"
#include "view/panel_drawing.h"

namespace zelkan::test {

struct Event {
  // "sound", "loop", "stop", "box", "ask", "refresh", "say", "end", "shutdown"
  std::string what;
  std::string detail;
  double time;
};

class ScriptedWindow : public GameWindow {
 public:
  double clock = 0;
  int fixedSecond = 0;
  std::vector<Event> events;
  std::deque<Answer> answers;     // answers to Yes/No questions, in order; Yes when empty
  std::deque<std::string> lines;  // lines typed when asked, in order; cancelled when empty
  bool ticks[2] = {false, false};
  bool ended = false;
  std::function<void(GameEnd)> kept;  // told of every move kept

  Answer show(const std::string& text, const std::string& title, Buttons buttons, Icon icon,
              Heading) override {
    log("box", title + "|" + text + (icon == Icon::warning ? "|warning" : ""));
    if (buttons == Buttons::ok) return Answer::ok;
    if (answers.empty()) return Answer::yes;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> askLine(const std::string& prompt, const std::string& title) override {
    log("ask", title + "|" + prompt);
    if (lines.empty()) return std::nullopt;
    std::string line = lines.front();
    lines.pop_front();
    return line;
  }
  int second() override { return fixedSecond; }
  bool isTicked(MenuOption o) const override { return ticks[static_cast<int>(o)]; }
  void setTicked(MenuOption o, bool t) override { ticks[static_cast<int>(o)] = t; }
  void playSound(std::int32_t h) override { log("sound", std::to_string(h)); }
  void playLooping(std::int32_t h) override { log("loop", std::to_string(h)); }
  void stopSound(std::int32_t h) override { log("stop", std::to_string(h)); }
  void keepGame(GameEnd end) override {
    if (kept) kept(end);
  }
  void announce(const std::string& text) override { log("say", text); }
  void endAtOnce() override {
    log("end", "");
    ended = true;
  }
  void shutDownAndEnd() override {
    log("shutdown", "");
    ended = true;
  }

  void log(const std::string& what, const std::string& detail) {
    events.push_back({what, detail, clock});
  }

  // The events of one kind, in order, as "detail" strings.
  std::vector<std::string> all(const std::string& what) const {
    std::vector<std::string> out;
    for (const Event& e : events) {
      if (e.what == what) out.push_back(e.detail);
    }
    return out;
  }
  std::vector<std::string> boxes() const { return all("box"); }
  std::vector<std::string> sounds() const { return all("sound"); }
};

// Sound handles the tests can tell apart.
inline constexpr SoundHandles testSounds{1, 2, 3, 4, 5};
inline const std::string other = "1", forbidden = "2", stone = "3", bgm = "4", vanish = "5";

// The game as the program starts it: frame, board and title plate drawn, no game running.
struct GameFixture {
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  Canvas canvas;
  ScriptedWindow window;
  Game game{*state, canvas, window, scriptedWaits()};

  GameFixture() {
    game.sounds = testSounds;
    canvas.repaintNow = [this] { window.log("refresh", ""); };
    drawBoardFrame(canvas);
    初期設定(*state, canvas);
    調査_保存(*state, state->moveNumber);
    描画_盤(canvas, state->board);
    drawTitlePlate(canvas);
  }

  WaitTools scriptedWaits() {
    WaitTools tools;
    tools.now = [this] { return window.clock; };
    tools.sleep = [this](double seconds) { window.clock += seconds; };
    return tools;
  }

  // A click in the middle of cell (x, y).
  void click(int x, int y) {
    game.mousePressed(boardLeft + cellWidth * (x + 0.5), boardTop + cellHeight * (y + 0.5));
  }
  void move(int x1, int y1, int x2, int y2) {
    click(x1, y1);
    click(x2, y2);
  }
  void clearLog() { window.events.clear(); }

  // White keeps 20 stones, one of them on (5, 9) between black (5, 8) and the black stone that
  // slides up column 5: taking it, (5, 18) to (5, 10), leaves 19 against 38 and ends the game.
  void twentyWhiteStones() {
    for (int x = 1; x <= 18; ++x)
      state->board(x, 2) = cellEmpty;
    state->board(5, 1) = cellEmpty;
    state->board(5, 9) = cellWhite;
    state->board(6, 18) = cellEmpty;
    state->board(5, 8) = cellBlack;
    調査_保存(*state, 0);
    描画_盤(canvas, state->board);
  }
};

}  // namespace zelkan::test
