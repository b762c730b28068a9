// The computer's move: every legal move of every computer stone is tried on the board and
// scored, and the first one with the highest score is chosen.
#pragma once

#include <optional>

#include "com/scoring.h"
#include "com/second_source.h"
#include "core/game_state.h"
#include "core/move_completion.h"
#include "core/movement.h"

namespace zelkan {

struct ComMove {
  Code fromX = 0;
  Code fromY = 0;
  Code toX = 0;
  Code toY = 0;
  double score = 0;
};

// emptyValue(x, y) = 調査_空数値(x, y) for every playable cell of board.
void fillEmptyValue(const Board& board, OpennessGrid& emptyValue);

// Calls visit(ComMove) for every legal move of comColour's stones, scored, in search order:
// origin column 1..19 (outer) and row 1..19 (inner), then for each origin the row moves to
// columns 1..19 and the column moves to rows 1..19. Each candidate is scored on board itself with
// the move made, and board is restored before visit is called. Allocates nothing.
template <typename Visit>
void forEachCandidate(Board& board, Code comColour, Code humanColour, SecondSource& clock,
                      Visit&& visit) {
  OpennessGrid emptyValue;
  fillEmptyValue(board, emptyValue);
  const ScoringContext context{board, emptyValue, comColour, humanColour, clock};
  const auto consider = [&](int x, int y, int toX, int toY) {
    if (移動チェック(board, x, y, toX, toY, comColour) == flagNo) return;
    const Code origin = board(x, y);
    board(x, y) = cellEmpty;
    board(toX, toY) = origin;
    const double score = 調査_得点(context, x, y, toX, toY);
    board(x, y) = origin;
    board(toX, toY) = cellEmpty;
    visit(ComMove{static_cast<Code>(x), static_cast<Code>(y), static_cast<Code>(toX),
                  static_cast<Code>(toY), score});
  };
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      if (board(x, y) != comColour) continue;
      for (int k = 1; k <= boardSize; ++k)
        consider(x, y, k, y);
      for (int k = 1; k <= boardSize; ++k)
        consider(x, y, x, k);
    }
  }
}

// The first candidate with the strictly highest score, or nothing when comColour has no legal
// move. board is left as it was.
std::optional<ComMove> searchComMove(Board& board, Code comColour, Code humanColour,
                                     SecondSource& clock);

struct ComTurn {
  bool passed = false;  // no legal move: nothing was played
  ComMove chosen;       // the move played, unless passed
  MoveRecord record;    // its completion, unless passed
};

// The rule part of the computer's turn for the side to move (s.turnColour, against the other
// colour): the search, then the move completed like any other move. The turn is handed over
// (turnColour and otherColour swapped) unless the move ended the game. With no legal move the
// side passes: the turn is handed over and nothing else changes.
ComTurn playComTurn(GameState& s, SecondSource& clock);

// The rest of the computer's turn once a move is chosen (or none, for a pass), as above.
ComTurn playComMove(GameState& s, const std::optional<ComMove>& chosen);

}  // namespace zelkan
