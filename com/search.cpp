#include "com/search.h"

#include <algorithm>
#include <utility>

#include "com/positional_probes.h"

namespace zelkan {

void fillEmptyValue(const Board& board, OpennessGrid& emptyValue) {
  // below(i, j): empty playable cells with x <= i and y <= j. Each square's count then takes four
  // look-ups instead of 49 reads, and its openness comes from the same table as 調査_空数値's.
  Grid<int> below;
  for (int i = 1; i <= boardSize; ++i) {
    for (int j = 1; j <= boardSize; ++j) {
      below(i, j) =
          (board(i, j) == cellEmpty) + below(i - 1, j) + below(i, j - 1) - below(i - 1, j - 1);
    }
  }
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y) {
      const int x0 = std::max(x - 3, 1) - 1;
      const int x1 = std::min(x + 3, static_cast<int>(boardSize));
      const int y0 = std::max(y - 3, 1) - 1;
      const int y1 = std::min(y + 3, static_cast<int>(boardSize));
      emptyValue(x, y) = opennessOf(below(x1, y1) - below(x0, y1) - below(x1, y0) + below(x0, y0));
    }
  }
}

std::optional<ComMove> searchComMove(Board& board, Code comColour, Code humanColour,
                                     SecondSource& clock) {
  std::optional<ComMove> best;
  double bestScore = -9999;
  forEachCandidate(board, comColour, humanColour, clock, [&](const ComMove& m) {
    if (m.score > bestScore) {
      bestScore = m.score;
      best = m;
    }
  });
  return best;
}

ComTurn playComTurn(GameState& s, SecondSource& clock) {
  const Code human = opposite(s.turnColour);
  return playComMove(s, searchComMove(s.board, s.turnColour, human, clock));
}

ComTurn playComMove(GameState& s, const std::optional<ComMove>& chosen) {
  ComTurn turn;
  if (!chosen) {
    turn.passed = true;
    std::swap(s.turnColour, s.otherColour);
    return turn;
  }
  turn.chosen = *chosen;
  turn.record = completeMove(s, chosen->fromX, chosen->fromY, chosen->toX, chosen->toY);
  if (turn.record.done && turn.record.end == GameEnd::none) {
    std::swap(s.turnColour, s.otherColour);
  }
  return turn;
}

}  // namespace zelkan
