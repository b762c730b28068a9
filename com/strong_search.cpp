#include "com/strong_search.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "com/mix.h"

namespace zelkan {
namespace {

constexpr int winBonus = 5000;
constexpr int infinity = 30000;
constexpr int maxPly = 64;
constexpr int maxCaptureDepth = 6;  // capture replies searched past the horizon
constexpr std::uint64_t stopInterval = 1024;
constexpr int captureCrowd = 64;  // captures in one node: more than any game's usual position

enum Bound : std::uint8_t { exact = 1, lower = 2, upper = 3 };

// Move-ordering keys, highest first.
constexpr int tableMoveKey = 1 << 30;
constexpr int captureKey = 1 << 24;
constexpr int killerKey = 1 << 22;

class Searcher {
 public:
  Searcher(const GameState& s, std::uint64_t budget, const std::function<bool()>& stop,
           TranspositionTable& table)
      : pos_(s),
        budget_(budget),
        stop_(stop),
        table_(table),
        plies_(new Ply[maxPly + 1]),
        history_(SearchPosition::cellCount * SearchPosition::cellCount) {}

  StrongSearchResult run(const GameState& s, const ComMove* played, PlayedValues* values);

 private:
  struct Ply {
    std::array<PackedMove, SearchPosition::maxMoves> moves;
    std::array<int, SearchPosition::maxMoves> keys;  // never negative
    std::array<std::uint64_t, SearchPosition::maxMoves> sorted;
    std::array<PackedMove, 2> killers{};
  };

  // The value of the position for the side to move.
  int evaluate() const {
    const int margin = pos_.judgementMargin();
    return pos_.side() == 0 ? margin : -margin;
  }
  int terminal() const {
    const int value = finalValue(pos_.judgementMargin());
    return pos_.side() == 0 ? value : -value;
  }

  bool counted() {
    ++nodes_;
    if (nodes_ >= nextStopCheck_) {
      nextStopCheck_ = nodes_ - nodes_ % stopInterval + stopInterval;
      if (stop_ && stop_()) aborted_ = true;
    }
    if (nodes_ >= budget_) aborted_ = true;
    return !aborted_;
  }

  // Picks the move with the highest key among moves[i..n) and swaps it to i.
  // Past the first few picks, where most cut-offs happen, the rest is sorted once instead.
  static void pickNext(Ply& p, int i, int n) {
    constexpr int picks = 6;
    if (i > picks) return;
    if (i == picks) {
      for (int k = i; k < n; ++k)
        p.sorted[k] = static_cast<std::uint64_t>(p.keys[k]) << 32 | p.moves[k];
      std::sort(p.sorted.begin() + i, p.sorted.begin() + n, std::greater<>());
      for (int k = i; k < n; ++k) {
        p.moves[k] = static_cast<PackedMove>(p.sorted[k]);
        p.keys[k] = static_cast<int>(p.sorted[k] >> 32);
      }
      return;
    }
    int best = i;
    for (int k = i + 1; k < n; ++k) {
      if (p.keys[k] > p.keys[best]) best = k;
    }
    std::swap(p.moves[i], p.moves[best]);
    std::swap(p.keys[i], p.keys[best]);
  }

  void orderMoves(Ply& p, int n, PackedMove tableMove) {
    const SearchPosition::RowMasks touching = pos_.touchingEnemy();
    for (int i = 0; i < n; ++i) {
      const PackedMove m = p.moves[i];
      int key =
          history_[SearchPosition::fromOf(m) * SearchPosition::cellCount + SearchPosition::toOf(m)];
      if (m == tableMove) {
        key = tableMoveKey;
      } else if (SearchPosition::holds(touching, SearchPosition::toOf(m))) {
        const int taken = pos_.sandwichCount(m);
        if (taken > 0) key = captureKey + taken * 1024 + std::min(key, 1023);
      }
      if (key < killerKey && (m == p.killers[0] || m == p.killers[1])) key = killerKey;
      p.keys[i] = key;
    }
  }

  // After a move was made: its value for the side that made it. A quiet move late in the order
  // is first searched less deep, and again in full only when it looks better than the best.
  int childValue(int depth, int alpha, int beta, int ply, bool fullWindow, int reduction = 0) {
    if (pos_.gameOver()) return -terminal();
    if (fullWindow) return -search(depth - 1, -beta, -alpha, ply + 1, false);
    if (reduction > 0) {
      const int v = -search(depth - 1 - reduction, -alpha - 1, -alpha, ply + 1, false);
      if (v <= alpha || aborted_) return v;
    }
    int v = -search(depth - 1, -alpha - 1, -alpha, ply + 1, false);
    if (v > alpha && v < beta && !aborted_) v = -search(depth - 1, -beta, -alpha, ply + 1, false);
    return v;
  }

  int search(int depth, int alpha, int beta, int ply, bool passed);
  int captures(int alpha, int beta, int ply, int captureDepth);
  // The exact value of root move m for the mover, searched as an iteration of that depth
  // searches it; at depth 0 the position as it stands after the move.
  int rootValue(PackedMove m, int depth) {
    SearchPosition::Undo u;
    pos_.make(m, u);
    const int v = pos_.gameOver() ? -terminal()
                  : depth == 0    ? -evaluate()
                                  : childValue(depth, -infinity, infinity, 0, true);
    pos_.undo(u);
    return v;
  }
  // A search's best moves by iteration, the first (depth 0) the game's own choice unsearched.
  struct Chosen {
    PackedMove move = 0;
    int value = 0;
  };
  void valuePlayed(PackedMove played, const std::vector<Chosen>& chosen, PlayedValues& values);

  SearchPosition pos_;
  std::uint64_t budget_;
  const std::function<bool()>& stop_;
  TranspositionTable& table_;
  // Left uninitialised: a search touches only the plies and moves it reaches.
  std::unique_ptr<Ply[]> plies_;
  std::vector<int> history_;  // from * cellCount + to: how often the move cut off, by depth
  std::uint64_t nodes_ = 0;
  std::uint64_t nextStopCheck_ = stopInterval;
  bool aborted_ = false;
};

int Searcher::search(int depth, int alpha, int beta, int ply, bool passed) {
  // Every move of the last turn ends the game, so that turn is always searched in full.
  if (pos_.moveNumber() == moveLimit - 1) depth = std::max(depth, 1);
  if (depth <= 0 || ply >= maxPly) return captures(alpha, beta, ply, 0);

  const std::uint64_t key = pos_.key();
  const std::uint64_t tag = table_.tagOf(key);
  TranspositionTable::Entry& entry = table_.slot(key);
  PackedMove tableMove = 0;
  if (entry.key == tag) {
    tableMove = entry.move;
    if (entry.depth >= depth) {
      const int v = entry.value;
      if (entry.bound == exact) return v;
      if (entry.bound == lower && v >= beta) return v;
      if (entry.bound == upper && v <= alpha) return v;
    }
  }

  // A side that could pass and still be above beta is above it: try the pass, less deep.
  if (!passed && ply > 0 && depth >= 3 && beta < winBonus / 2 && evaluate() >= beta) {
    pos_.pass();
    const int v = -search(depth - 3, -beta, -beta + 1, ply + 1, true);
    pos_.pass();
    if (aborted_) return 0;
    if (v >= beta) return v;
  }

  Ply& p = plies_[ply];
  const int n = pos_.generateMoves(p.moves);
  if (n == 0) {
    // No legal move: the side passes; two passes in a row leave the position as it is.
    if (passed) return evaluate();
    pos_.pass();
    const int v = -search(depth - 1, -beta, -alpha, ply + 1, true);
    pos_.pass();
    return v;
  }
  orderMoves(p, n, tableMove);

  const int alphaIn = alpha;
  int best = -infinity;
  PackedMove bestMove = p.moves[0];
  for (int i = 0; i < n; ++i) {
    pickNext(p, i, n);
    const PackedMove m = p.moves[i];
    SearchPosition::Undo u;
    if (!counted()) return 0;
    const bool took = pos_.make(m, u);
    const int reduction =
        depth >= 3 && i >= 3 && !took && p.keys[i] < killerKey ? (i >= 12 ? 2 : 1) : 0;
    const int v = childValue(depth, alpha, beta, ply, i == 0, reduction);
    pos_.undo(u);
    if (aborted_) return 0;
    if (v > best) {
      best = v;
      bestMove = m;
    }
    if (v > alpha) alpha = v;
    if (alpha >= beta) {
      if (p.keys[i] < captureKey) {
        if (p.killers[0] != m) p.killers = {m, p.killers[0]};
        int& h = history_[SearchPosition::fromOf(m) * SearchPosition::cellCount +
                          SearchPosition::toOf(m)];
        h = std::min(h + depth * depth, killerKey - 1);
      }
      break;
    }
  }

  if (entry.key != tag || entry.depth <= depth) {
    entry.key = tag;
    entry.move = bestMove;
    entry.value = static_cast<std::int16_t>(best);
    entry.depth = static_cast<std::int8_t>(depth);
    entry.bound = best >= beta ? lower : best > alphaIn ? exact : upper;
  }
  return best;
}

int Searcher::captures(int alpha, int beta, int ply, int captureDepth) {
  if (pos_.moveNumber() == moveLimit - 1 && ply < maxPly) return search(1, alpha, beta, ply, false);
  const int standPat = evaluate();
  if (standPat >= beta) return standPat;
  if (captureDepth >= maxCaptureDepth || ply >= maxPly) return standPat;
  alpha = std::max(alpha, standPat);
  int best = standPat;

  Ply& p = plies_[ply];
  const int all = pos_.generateMoves(p.moves, true);
  int n = 0;
  for (int i = 0; i < all; ++i) {
    const PackedMove m = p.moves[i];
    if (!pos_.mayCapture(m)) continue;
    p.moves[n] = m;
    p.keys[n++] = pos_.sandwichCount(m);
  }
  // Sorting out a crowd of captures costs more than the few moves made from it: such a node
  // counts as a move for every 16 captures it may make, up to the budget's last move (this node
  // was reached by a move within it). A game's usual positions never hold such a crowd.
  if (n >= captureCrowd)
    nodes_ += std::min(static_cast<std::uint64_t>(n / 16), budget_ - nodes_ - 1);
  for (int i = 0; i < n; ++i) {
    pickNext(p, i, n);
    SearchPosition::Undo u;
    if (!counted()) return 0;
    if (!pos_.make(p.moves[i], u) && !pos_.gameOver()) {
      pos_.undo(u);
      continue;
    }
    const int v =
        pos_.gameOver() ? -terminal() : -captures(-beta, -alpha, ply + 1, captureDepth + 1);
    pos_.undo(u);
    if (aborted_) return 0;
    if (v > best) best = v;
    if (v > alpha) alpha = v;
    if (alpha >= beta) break;
  }
  return best;
}

StrongSearchResult Searcher::run(const GameState& s, const ComMove* played, PlayedValues* values) {
  StrongSearchResult result;
  // The root's moves in the order of the game's own scoring, so captures and the tactical terms
  // come first; the clock is held still so the search repeats.
  std::vector<PackedMove> root;
  {
    Board board = s.board;
    const Code com = s.turnColour;
    const Code human = opposite(com);
    FixedSecond still(0);
    std::vector<ComMove> scored;
    forEachCandidate(board, com, human, still, [&](const ComMove& m) { scored.push_back(m); });
    std::stable_sort(scored.begin(), scored.end(),
                     [](const ComMove& a, const ComMove& b) { return a.score > b.score; });
    for (const ComMove& m : scored) {
      root.push_back(SearchPosition::pack(SearchPosition::index(m.fromX, m.fromY),
                                          SearchPosition::index(m.toX, m.toY)));
    }
  }
  if (root.empty()) return result;

  const auto moveOf = [](PackedMove m, int value) {
    const int from = SearchPosition::fromOf(m);
    const int to = SearchPosition::toOf(m);
    return ComMove{static_cast<Code>(SearchPosition::xOf(from)),
                   static_cast<Code>(SearchPosition::yOf(from)),
                   static_cast<Code>(SearchPosition::xOf(to)),
                   static_cast<Code>(SearchPosition::yOf(to)), static_cast<double>(value)};
  };
  // Should the budget run out before a single move is searched, the game's own first choice is
  // played, valued as it stands after the move.
  result.value = rootValue(root[0], 0);
  result.move = moveOf(root[0], result.value);
  std::vector<Chosen> chosen{{root[0], result.value}};  // by the depth that found each
  const auto finish = [&] {
    result.nodes = nodes_;
    if (values != nullptr) {
      const PackedMove m =
          played == nullptr
              ? chosen.back().move
              : SearchPosition::pack(SearchPosition::index(played->fromX, played->fromY),
                                     SearchPosition::index(played->toX, played->toY));
      valuePlayed(m, chosen, *values);
    }
    return result;
  };
  if (root.size() == 1) return finish();

  // Past the last move of the game there is nothing more to see.
  const int movesLeft = moveLimit - s.moveNumber;
  for (int depth = 1; depth <= std::min(maxPly, movesLeft); ++depth) {
    if (stop_ && stop_()) break;
    int alpha = -infinity;
    const int beta = infinity;
    std::size_t bestIndex = root.size();
    for (std::size_t i = 0; i < root.size(); ++i) {
      SearchPosition::Undo u;
      if (!counted()) break;
      pos_.make(root[i], u);
      const int v = childValue(depth, alpha, beta, 0, i == 0);
      pos_.undo(u);
      if (aborted_) break;
      if (v > alpha) {
        alpha = v;
        bestIndex = i;
      }
    }
    if (bestIndex < root.size()) {
      // Moves searched to the end of an iteration cut short are still better than the first.
      std::rotate(root.begin(), root.begin() + static_cast<long>(bestIndex),
                  root.begin() + static_cast<long>(bestIndex) + 1);
      result.move = moveOf(root[0], alpha);
      result.value = alpha;
      chosen.resize(static_cast<std::size_t>(depth) + 1);
      chosen.back() = {root[0], alpha};
    }
    if (aborted_) break;
    result.depth = depth;
  }
  return finish();
}

void Searcher::valuePlayed(PackedMove played, const std::vector<Chosen>& chosen,
                           PlayedValues& values) {
  // The best at each depth is what that iteration found, and the choice is worth it at both. A
  // move played apart from the choice is searched with the table the search filled, then a depth
  // shallower afresh: what the table learnt deeper would otherwise answer for it. In a budget of
  // its own; should it run out, the depths are taken one shallower, down to the moves as they
  // stand.
  const std::uint64_t extra = budget_;
  for (int deep = static_cast<int>(chosen.size()) - 1; deep >= 0; --deep) {
    aborted_ = false;
    budget_ = nodes_ + extra;
    values.depth = deep;
    const bool choice = played == chosen[static_cast<std::size_t>(deep)].move;
    for (std::size_t i = 0; i < values.played.size(); ++i) {
      const int depth = std::max(deep - static_cast<int>(i), 0);
      values.best[i] = chosen[static_cast<std::size_t>(depth)].value;
      if (choice || played == chosen[static_cast<std::size_t>(depth)].move) {
        values.played[i] = values.best[i];
      } else {
        if (i > 0) table_.newSearch();
        values.played[i] = rootValue(played, depth);
      }
    }
    if (!aborted_ || (stop_ && stop_())) return;
  }
}

}  // namespace

TranspositionTable::TranspositionTable(int log2Entries)
    : entries_(std::make_unique<Entry[]>(std::size_t{1} << log2Entries)),
      mask_((std::uint64_t{1} << log2Entries) - 1) {}

int TranspositionTable::log2ForBudget(std::uint64_t nodeBudget) {
  int log2 = 12;
  while (log2 < 21 && (std::uint64_t{1} << log2) < nodeBudget)
    ++log2;
  return log2;
}

void TranspositionTable::newSearch() {
  salt_ = mix64(++searches_);
}

int finalValue(int blackMinusWhite) {
  if (blackMinusWhite > 0) return blackMinusWhite + winBonus;
  if (blackMinusWhite < 0) return blackMinusWhite - winBonus;
  return 0;
}

int judgementPoints(int value) {
  if (value > winBonus / 2) return value - winBonus;
  if (value < -winBonus / 2) return value + winBonus;
  return value;
}

StrongSearchResult strongSearch(const GameState& s, std::uint64_t nodeBudget,
                                const std::function<bool()>& stop, TranspositionTable& table,
                                const ComMove* played, PlayedValues* values) {
  return Searcher(s, nodeBudget, stop, table).run(s, played, values);
}

}  // namespace zelkan
