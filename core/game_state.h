// The game-state record: the board, its codes, the history and every counter of one game.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

namespace zelkan {

// Cell codes, colours, modes, coordinates and counters are 16-bit signed integers.
using Code = std::int16_t;

// Cell codes. They double as the identifiers of the two sides and as palette indexes.
inline constexpr Code cellEmpty = 14;
inline constexpr Code cellBlack = 0;
inline constexpr Code cellWhite = 15;

// The other side's colour.
constexpr Code opposite(Code colour) {
  return colour == cellBlack ? cellWhite : cellBlack;
}

// Picture codes of a stone being removed. They are fractional, so whatever carries a picture
// code is a double; they are never stored in the board.
using PictureCode = double;
inline constexpr PictureCode codeBlackTaken = 0.1;  // first removal frame of a black stone
inline constexpr PictureCode codeWhiteTaken = 0.2;  // first removal frame of a white stone
inline constexpr PictureCode codeVanish = 0.3;      // second removal frame, either colour

// Truth values of every yes/no probe and flag.
enum Flag : std::int16_t { flagNo = 0, flagYes = 1 };

// Game modes; modeNone is also the turn colour before a game starts.
inline constexpr Code modeNone = 9;
inline constexpr Code modeCom = 2;
inline constexpr Code modeMan = 3;

// Screen geometry in twips, and the two palette indexes of the board.
inline constexpr Code cellWidth = 330;
inline constexpr Code cellHeight = 330;
inline constexpr Code boardLeft = 50;
inline constexpr Code boardTop = -100;
inline constexpr Code backColour = 8;   // window background
inline constexpr Code markColour = 11;  // mark on the latest moved stone

inline constexpr Code boardSize = 19;      // playable cells are 1..19 in both directions
inline constexpr Code moveLimit = 100;     // the game ends when this many moves are made
inline constexpr Code stonesPerSide = 38;  // each side's stones at the start
inline constexpr int historySize = 501;    // move log and position store entries, 0..500

// A 20 x 20 grid indexed (x, y), x the column from the left and y the row from the top.
// Row 0 and column 0 exist but are never used by the rules. x varies fastest in storage.
template <typename T>
class Grid {
 public:
  static constexpr int side = 20;

  T& operator()(int x, int y) {
    assert(x >= 0 && x < side && y >= 0 && y < side);
    return cells_[y * side + x];
  }
  const T& operator()(int x, int y) const {
    assert(x >= 0 && x < side && y >= 0 && y < side);
    return cells_[y * side + x];
  }
  void fill(T value) { cells_.fill(value); }
  bool operator==(const Grid&) const = default;

 private:
  std::array<T, side * side> cells_{};
};

using Board = Grid<Code>;
using MarkBoard = Grid<std::int8_t>;

// The one record of the game. Fields the game leaves unset read as 0 until first written.
struct GameState {
  Code gameMode = modeNone;
  Code turnColour = modeNone;  // side to move, or modeNone before a game starts
  Code otherColour = 0;        // side not to move
  Code humanColour = 0;
  Code comColour = 0;

  Code selState = 0;  // 0: choose a stone, 1: choose the selected stone's destination
  Code selX = 0;
  Code selY = 0;
  Code selColour = 0;
  Code destX = 0;
  Code destY = 0;

  Code moveNumber = 0;  // moves in the current line of play; index of the current snapshot
  Code historyEnd = 0;  // highest move number recorded in the history

  // Entry k holds the destination and the mover's colour of move k + 1.
  std::array<Code, historySize> moveLogX{};
  std::array<Code, historySize> moveLogY{};
  std::array<Code, historySize> moveLogColour{};

  // Loss tallies. They are not 38 minus the stones on the board: a surround capture adds the
  // group to the loser's and to the capturer's tally.
  Code blackLost = 0;
  Code whiteLost = 0;

  Flag resumePending = flagNo;  // the next board click only resumes play

  Board board;
  MarkBoard markBoard;

  // Entry k is the board after k moves; entry 0 the starting position. The tallies after k
  // moves are entry k of their own two arrays: a step through the history brings back both.
  std::array<Board, historySize> snapshots{};
  std::array<Code, historySize> blackLostAt{};
  std::array<Code, historySize> whiteLostAt{};
};

// True for a playable cell, 1..19 in both directions.
constexpr bool onBoard(int x, int y) {
  return x >= 1 && x <= boardSize && y >= 1 && y <= boardSize;
}

}  // namespace zelkan
