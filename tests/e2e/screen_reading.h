// Reading the game's drawing area off a screenshot: the board as one character per cell, the
// frame, the title plate, the panel's parts; all compared pixel by pixel with the game's
// pictures.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/game_state.h"
#include "view/canvas.h"
#include "view/picture_list.h"

namespace zelkan::test {

// A box of pixels of the drawing area, [x0, x1) x [y0, y1).
struct Box {
  int x0, y0, x1, y1;
  bool holds(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// One cell as a character: '.' empty, '+' under black's influence, '-' under white's, 'B' and
// 'W' stones, 'b' and 'w' stones with the latest-move mark, 'S' a picked-up stone, '?' other.
// The band of this many pixels round the cell's picture is not read: its outer line is shared
// with the neighbours, and the line inside it carries the frame of a cursor or a hint.
inline constexpr int cellBandUnread = 2;
char cellOf(const Canvas& area, int x, int y);

// The whole board that way: a line of 19 characters per row, top row first.
std::string boardMap(const Canvas& area);

// The character of cell (x, y) in a board map, and how many cells show one of `looks`.
char at(const std::string& map, int x, int y);
long count(const std::string& map, std::string_view looks);

// The starting position: white in rows 1-2, black in rows 18-19; with the influence map, rows
// 3-5 white's and rows 15-17 black's.
std::string startMap(bool influence);

// A position as boardMap shows it with no latest-move mark, tinted where the influence map
// would tint it if `influence`.
std::string positionMap(const Board& board, bool influence);

// The frame round the grid: the rims of its four bars that the cells leave visible.
::testing::AssertionResult showsFrame(const Canvas& area);

// The box the frame and the board fill; the title plate's.
Box boardBox();
Box titlePlateBox();
int titleX();
int titleY();

// Where the panel's robot stands, and the two lines of the move count (rows 9 and 10).
int robotX();
int robotY();
Box moveLine(double row);

// How many pixels of the box differ from the window's background.
int inkedPixels(const Canvas& area, Box box);

// Whether two screenshots agree over the box.
bool sameIn(const Canvas& a, const Canvas& b, Box box);

}  // namespace zelkan::test
