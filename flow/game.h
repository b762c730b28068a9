// The game as the window's handlers play it: board clicks and keys, the computer's turn, the
// mode and history commands, the end of a game and the judgement. Each handler runs to its end,
// animations and the computer's reply included, drawing on the canvas as it goes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "com/levels.h"

#include "core/game_record.h"
#include "core/game_state.h"
#include "core/move_completion.h"
#include "flow/game_window.h"
#include "view/canvas.h"
#include "view/texts.h"
#include "view/wait.h"

namespace zelkan {

class Game {
 public:
  Game(GameState& state, Canvas& canvas, GameWindow& window, WaitTools waits);

  SoundHandles sounds;  // filled in at start-up

  // The computer's strength, and the seed of the weak level's random choice.
  Level level = Level::normal;
  std::uint64_t seed = 0;
  // The strong level thinks until it has made this many moves, as the engine does, so it plays
  // the same move however busy the machine is. The safety stop ends a think that runs far past
  // anything a budget ever takes (a machine stalled, a budget set absurdly high).
  std::uint64_t strongBudget = defaultNodeBudget;
  double strongSafetyStop = 20;  // seconds

  // Marks, while a stone is picked up, every cell it may move to ("移動先表示").
  bool showDestinations = false;

  // The keys the game answers, by their key codes.
  static constexpr int keyReturn = 13, keyEscape = 27, keySpace = 32, keyLeft = 37, keyUp = 38,
                       keyRight = 39, keyDown = 40, keyHint = 72;  // H
  // The keys that speak, each a letter's code: the last move again, the position's facts, black's
  // and white's stones, where the picked-up stone may go, and a move typed.
  static constexpr int keyLastMove = 76,  // L
      keyPosition = 73,                   // I
      keyBlackStones = 66,                // B
      keyWhiteStones = 87,                // W
      keyDestinations = 68,               // D
      keyTypeMove = 77;                   // M

  // Every command of the window (a click, a key, a menu item) runs through here: the helps laid
  // over the board (the destination marks, a hint, the keyboard's cursor) are taken away first,
  // restoring exactly what lay under them, and laid again as they then stand once it is done. A
  // hint lasts until the next command that does more than speak.
  void command(const std::function<void()>& handler);

  // Window events. Mouse positions are in twips from the client area's top-left corner. Escape
  // ends the program; the arrow keys move the cursor over the board (shown from the first one
  // on), Return and space click its cell, H asks for a hint. The keys that speak tell a screen
  // reader what they ask and change nothing; M asks the window for a move to type (askLine) and
  // plays it as playTyped does.
  void mousePressed(double x, double y);
  void keyPressed(int keyCode);
  // A move typed as two cells' names ("K2 K8", see parseMoveName), played by the same two clicks
  // on its cells as a move by the mouse, a stone already picked up put down first; a click that
  // would only resume play after a step through the history is not needed. Anything else
  // changes nothing and says why: the line not understood, no game going on or not the player's
  // turn, no stone of the side to move on the first cell, or no move from it to the second.
  void playTyped(const std::string& text);
  // The keyboard's cursor leaves the board (the player clicked with the mouse).
  void hideCursor() { cursorShown_ = false; }

  // Menu commands.
  void TAIMAN();
  void SENTE();
  void GOTE();
  void MODORU();
  void SUSUMU();
  void SAISYO();
  void HANTEI();
  // "ヒント": on a player's turn in a game, the strong level's move for the side to move, marked
  // on the board; thought as the computer's turn is, with the thinking text and input held.
  void HINTO();

  // The position after `moveNumber` moves of the history, brought up as "戻" and "進" bring it
  // (the next click resumes play), with the move `played` from it and a `better` one marked from
  // cell to cell, each in its own way, until the next command. A number past the history only
  // sounds the refusal.
  void showPosition(int moveNumber, std::optional<ComMove> played, std::optional<ComMove> better);

  // The cells' names round the board ("座標表示"), drawn at once; off, the margins are as
  // before.
  void showCoordinates(bool on);
  bool coordinatesShown() const { return coordinatesShown_; }

  // Shows a game record that `replayed` holds replayed (its history, and its last position with
  // the side to move): the history is then the record's, and the board its last position. An
  // unfinished game goes on in the record's mode (two players when it names none), the
  // computer's turn waiting for a click as after "進"; a finished one is over, to be stepped
  // through, and tells how it ended in the judgement's box.
  void openRecord(const GameState& replayed, const GameRecord& record, GameEnd end);
  // Brings `finished`, the game that has just ended and been judged, back onto the board to be
  // studied, as openRecord shows it but without a box: its end was told as it ended. False, and
  // nothing changed, when it does not replay.
  bool bringBack(const GameRecord& finished);

  // The computer's whole turn: thinking, search, the move with its animation, the record, the
  // panel and the end test. Expects turnColour = comColour.
  void com_打つ();

  // What assistive technology reads of the game (flow/board_reading.cpp): a cell as a screen
  // reader says it ("K10, black stone", then what the helps mark there), the panel's facts, the
  // cell under the keyboard's cursor (none while it is hidden), and the picked-up stone's cell.
  std::string cellReading(int x, int y) const;
  std::string panelReading() const;
  std::optional<std::pair<int, int>> cursorCell() const;
  bool pickedAt(int x, int y) const;
  // The position on the board is the last of a finished game: nothing follows it, and a mode
  // chosen there starts a new game.
  bool gameOver() const;
  // A click in the middle of cell (x, y), as the keyboard's Return gives it.
  void cellPressed(int x, int y);

  // The end of a game: the reason, the judgement, and the question whether to go on.
  void 終了(Code white, Code black);

  // The counting animation of the judgement, and its result: who won, or, `interim` (a game
  // that goes on), only who leads.
  void 描画_判定(int blackStones, int whiteStones, int blackTerritory, int whiteTerritory,
                 int blackLost, int whiteLost);
  void 描画_判定メッセージ(int blackScore, int whiteScore, bool interim = false);

 private:
  void completeHumanMove();
  void replayMove(const MoveRecord& record);
  void replayCaptures(const CaptureLog& captures);
  void redrawMoveStone(int n);
  void endPendingSelection();
  std::optional<ComMove> think();
  std::optional<ComMove> strongMove();
  std::optional<ComMove> strongOrNormalMove();
  void liftHelps();
  void layHelps();
  void lay(int x, int y, void (*draw)(Canvas&, int, int));
  void layMove(const ComMove& move, void (*draw)(Canvas&, int, int, int, int));
  void refreshTakenCounts();
  void drawInfluenceIfTicked();
  void restorePosition(int p, bool marking);
  // openRecord's board, panel and state, with nothing told.
  void showRecord(const GameState& replayed, const GameRecord& record);
  // The starting position with no game, the panel's message area wiped, as "最初" and a Yes at
  // a game's end leave the board.
  void setUpAfresh();
  void judge(Code white, Code black, bool showMapFirst, bool interim = false);
  void wait(double seconds);
  void message(const std::string& text, const std::string& title);
  void comTurn(const std::string& moveSaid);
  // Move n of the history in words, as it is announced: the mover, its two cells and every cell
  // it took, read from the positions before and after it.
  std::string moveReading(int n) const;
  // The panel's facts and the move that led to the position, if any: where a player stands after
  // a step through the history or a record opened.
  std::string positionReading() const;
  std::string turnReading() const;
  // Tells assistive technology `text`, and keeps it as the last thing said.
  void say(const std::string& text);
  // Tells assistive technology the stone just picked up, unless a typed move picked it.
  void announcePick();
  std::string stonesReading(Code colour) const;
  std::string destinationsReading() const;
  // Why no move can be typed now, or none when one can.
  std::optional<std::string> typingRefusal() const;

  GameState& s_;
  Canvas& canvas_;
  GameWindow& window_;
  WaitTools waits_;
  std::unique_ptr<TranspositionTable> table_;  // the strong level's, kept for the whole game

  std::vector<Canvas::Patch> helps_;  // what lies under each help, in the order they were laid
  std::optional<ComMove> hint_;       // or the better move from a reviewed position
  std::optional<ComMove> played_;     // the move played from a reviewed position
  bool spokenOnly_ = false;           // the command only spoke: the helps stay as they were
  bool coordinatesShown_ = false;
  bool cursorShown_ = false;
  bool typing_ = false;  // a typed move is being played
  std::string said_;     // the last thing told to assistive technology
  int cursorX_ = 10;
  int cursorY_ = 10;
};

}  // namespace zelkan
