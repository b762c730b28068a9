#include "com/levels.h"

#include <algorithm>
#include <vector>

#include "com/mix.h"
#include "com/search_position.h"

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
      std::unique_ptr<TranspositionTable> own;
      TranspositionTable& table =
          limits.table != nullptr ? *limits.table : tableFor(own, limits.nodeBudget);
      table.newSearch();
      return strongSearch(s, limits.nodeBudget, limits.stop, table).move;
    }
  }
  return std::nullopt;
}

TranspositionTable& tableFor(std::unique_ptr<TranspositionTable>& kept, std::uint64_t nodeBudget) {
  const int log2 = TranspositionTable::log2ForBudget(nodeBudget);
  if (!kept || kept->bytes() != (std::size_t{1} << log2) * sizeof(TranspositionTable::Entry)) {
    kept.reset();  // the old table goes before the new one is made
    kept = std::make_unique<TranspositionTable>(log2);
  }
  return *kept;
}

ComTurn playComTurn(GameState& s, SecondSource& clock, Level level, const LevelLimits& limits) {
  return playComMove(s, chooseComMove(s, level, clock, limits));
}

const char* levelName(Level level) {
  return levelNames[static_cast<std::size_t>(level)];
}

std::optional<Level> levelNamed(std::string_view name) {
  const auto named = std::find(levelNames.begin(), levelNames.end(), name);
  if (named == levelNames.end()) return std::nullopt;
  return static_cast<Level>(named - levelNames.begin());
}

}  // namespace zelkan
