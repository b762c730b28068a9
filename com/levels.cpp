#include "com/levels.h"

#include <algorithm>
#include <vector>

#include "com/mix.h"
#include "com/search_position.h"
#include "com/strong_search.h"

namespace zelkan {
namespace {

std::optional<ComMove> weakMove(GameState& s, SecondSource& clock, std::uint64_t seed) {
  std::vector<ComMove> all;
  forEachCandidate(s.board, s.turnColour, opposite(s.turnColour), clock,
                   [&](const ComMove& m) { all.push_back(m); });
  if (all.empty()) return std::nullopt;
  // The same seed in the same position gives the same move; each position draws afresh.
  std::uint64_t state = mix64(seed) ^ SearchPosition(s).key();
  if (nextMix(state) % weakBlunderOneIn == 0) return all[nextMix(state) % all.size()];
  std::stable_sort(all.begin(), all.end(),
                   [](const ComMove& a, const ComMove& b) { return a.score > b.score; });
  const std::size_t choices = std::min<std::size_t>(weakChoices, all.size());
  return all[nextMix(state) % choices];
}

}  // namespace

std::optional<ComMove> chooseComMove(GameState& s, Level level, SecondSource& clock,
                                     const LevelLimits& limits) {
  switch (level) {
    case Level::weak:
      return weakMove(s, clock, limits.seed);
    case Level::normal:
      return searchComMove(s.board, s.turnColour, opposite(s.turnColour), clock);
    case Level::strong: {
      TranspositionTable table = TranspositionTable::forBudget(limits.nodeBudget);
      return strongSearch(s, limits.nodeBudget, limits.stop, table).move;
    }
  }
  return std::nullopt;
}

ComTurn playComTurn(GameState& s, SecondSource& clock, Level level, const LevelLimits& limits) {
  return playComMove(s, chooseComMove(s, level, clock, limits));
}

}  // namespace zelkan
