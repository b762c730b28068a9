// Positions from the middle of games the computer played against itself, kept so that
// searches can be measured and checked away from the starting position. Made with zelkan-engine:
// clear_board, then genmove 0 repeated, taking the board after the given number of moves.
#pragma once

#include <array>
#include <string_view>

#include "core/game_state.h"

namespace zelkan {

struct MidgamePosition {
  std::string_view name;
  std::string_view rows;  // 361 characters, row 1..19 outer, column 1..19 inner: '.', 'B', 'W'
  Code side;              // to move
};

inline constexpr std::array<MidgamePosition, 3> midgamePositions{{
    {"move20",
     "WWWWWWWWWW.WWWWWWWWWWWW...WWW.WWWWWWWW..........................W..........................."
     "..........................W..................B.............................................."
     "...........................B...B...............B............................................"
     "W..................B.............B.B...........BB......BBBBBBBBBBBBBBB.BB.BBBBBBBBBBB",
     cellBlack},
    {"move45",
     "WWWW...W.W.WWWWWWWWWW.W...W...WWWWWWWW....W.................W..B..W..............B.B.B......"
     ".......................W...B..............B..B.............................................."
     ".W......W.....B.W..........B...................B............................................"
     "W..................B...........................B.........BBBBBBBBBBBBB..B.BBBBBBBBBBB",
     cellWhite},
    {"move80",
     "WWWW...W.W.WWWWWWWWW......W...WWW.WWWW......W.............W..B.B..W..............B.........."
     "........W.W..............W.B.......B......B...................B......B......................"
     "........W.....B.W...B..................B.......B.........................B...B.............B"
     "...............................................B.........BBB..BBBBBBBB..B.B.BBBB.BBBB",
     cellBlack},
}};

// The board of a position; rows must hold 361 of '.', 'B' and 'W'.
inline Board boardFromRows(std::string_view rows) {
  Board board;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      const char c = rows[(y - 1) * boardSize + (x - 1)];
      board(x, y) = c == 'B' ? cellBlack : c == 'W' ? cellWhite : cellEmpty;
    }
  }
  return board;
}

}  // namespace zelkan
