#include "com/search_position.h"

#include <bit>

#include "com/mix.h"
#include "core/counts.h"

namespace zelkan {
namespace {

constexpr int directions[4] = {-SearchPosition::stride, SearchPosition::stride, -1, 1};
constexpr std::uint32_t rowMask = ((1u << boardSize) - 1) << 1;  // bits 1..19

// Zobrist keys of a stone of each side on each cell, fixed so that searches repeat.
constexpr auto stoneKeys = [] {
  std::array<std::array<std::uint64_t, SearchPosition::cellCount>, 2> keys{};
  std::uint64_t state = 0x5a656c6b616e2121ull;
  for (auto& side : keys) {
    for (auto& key : side)
      key = nextMix(state);
  }
  return keys;
}();

// The cells with influence at least 3, 2 and 1 of each side's stones, whose rows are given: the
// king's-step neighbourhoods of radius 1, 2 and 3. Both sides at once, a row of black's in the low
// half of a word and the same row of white's in the high half: rows keep to bits 1 to 19, so
// nothing spreads from one half to the other.
struct Reach {
  std::array<std::array<std::uint64_t, SearchPosition::stride>, 3> rows{};
};

constexpr std::uint64_t bothRows = rowMask | std::uint64_t{rowMask} << 32;

std::uint64_t bothSides(std::uint32_t black, std::uint32_t white) {
  return black | std::uint64_t{white} << 32;
}

Reach reachOf(const std::array<SearchPosition::RowMasks, 2>& stones) {
  Reach r;
  std::array<std::uint64_t, SearchPosition::stride> from{};
  for (int y = 0; y < SearchPosition::stride; ++y)
    from[y] = bothSides(stones[0][y], stones[1][y]);
  for (int level = 0; level < 3; ++level) {
    auto& to = r.rows[level];
    for (int y = 1; y <= boardSize; ++y) {
      const std::uint64_t line = from[y - 1] | from[y] | from[y + 1];
      to[y] = (line | line << 1 | line >> 1) & bothRows;
    }
    from = to;
  }
  return r;
}

// The bits set in v. Without the processor's own instruction (the baseline x86-64 has none),
// std::popcount calls a library routine, a sixth of the whole search's time; this is a few
// arithmetic steps inline.
int bitCount(std::uint64_t v) {
#if defined(__POPCNT__) || !defined(__x86_64__)
  return std::popcount(v);
#else
  v -= v >> 1 & 0x5555555555555555ull;
  v = (v & 0x3333333333333333ull) + (v >> 2 & 0x3333333333333333ull);
  v = (v + (v >> 4)) & 0x0f0f0f0f0f0f0f0full;
  return static_cast<int>(v * 0x0101010101010101ull >> 56);
#endif
}

}  // namespace

SearchPosition::SearchPosition(const GameState& s) {
  cells_.fill(wall);
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      const Code c = s.board(x, y);
      cells_[index(x, y)] = empty;
      if (c == cellBlack) put(index(x, y), 0);
      if (c == cellWhite) put(index(x, y), 1);
    }
  }
  lost_ = {s.blackLost, s.whiteLost};
  moveNumber_ = s.moveNumber;
  if (s.turnColour == cellWhite) pass();
}

std::uint64_t SearchPosition::sideKey() {
  return 0x9e3779b97f4a7c15ull;
}

void SearchPosition::put(int i, int side) {
  cells_[i] = static_cast<std::int8_t>(1 + side);
  rows_[side][yOf(i)] |= 1u << xOf(i);
  ++stones_[side];
  key_ ^= stoneKeys[side][i];
}

void SearchPosition::remove(int i) {
  const int side = cells_[i] - 1;
  cells_[i] = empty;
  rows_[side][yOf(i)] &= ~(1u << xOf(i));
  --stones_[side];
  key_ ^= stoneKeys[side][i];
}

int SearchPosition::at(int x, int y) const {
  const int c = cells_[index(x, y)];
  return c == empty ? 2 : c - 1;
}

std::uint64_t SearchPosition::key() const {
  const std::uint64_t counters =
      static_cast<std::uint16_t>(moveNumber_) |
      static_cast<std::uint64_t>(static_cast<std::uint16_t>(lost_[0])) << 16 |
      static_cast<std::uint64_t>(static_cast<std::uint16_t>(lost_[1])) << 32;
  return key_ ^ mix64(counters);
}

SearchPosition::RowMasks SearchPosition::touchingEnemy() const {
  RowMasks touching{};
  const RowMasks& enemy = rows_[side_ ^ 1];
  for (int y = 1; y <= boardSize; ++y)
    touching[y] = (enemy[y - 1] | enemy[y + 1] | enemy[y] << 1 | enemy[y] >> 1) & rowMask;
  return touching;
}

int SearchPosition::generateMoves(std::array<PackedMove, maxMoves>& moves,
                                  bool touchingOnly) const {
  RowMasks allowed;
  if (touchingOnly) {
    allowed = touchingEnemy();
  } else {
    allowed.fill(rowMask);
  }
  const auto add = [&](int from, int to, int& n) {
    if (holds(allowed, to)) moves[n++] = pack(from, to);
  };
  int n = 0;
  for (int y = 1; y <= boardSize; ++y) {
    for (std::uint32_t bits = rows_[side_][y]; bits; bits &= bits - 1) {
      const int from = index(std::countr_zero(bits), y);
      for (const int d : directions) {
        int i = from + d;
        const std::int8_t first = cells_[i];
        if (first == wall) continue;
        if (first == empty) {
          // A slide to every empty cell up to the first stone or the edge.
          for (; cells_[i] == empty; i += d)
            add(from, i, n);
        } else {
          // A jump over an unbroken line of one colour to the empty cell behind it.
          while (cells_[i] == first)
            i += d;
          if (cells_[i] == empty) add(from, i, n);
        }
      }
    }
  }
  return n;
}

bool SearchPosition::mayCapture(PackedMove m) const {
  const int to = toOf(m);
  const std::int8_t enemy = static_cast<std::int8_t>(2 - side_);
  bool touching = false;
  for (const int d : directions) {
    const int n = to + d;
    if (cells_[n] != enemy) continue;
    touching = true;
    bool free = false;
    for (const int e : directions)
      free = free || (n + e != to && cells_[n + e] == empty);
    if (!free) return true;
  }
  return touching && sandwichCount(m) > 0;
}

int SearchPosition::sandwichCount(PackedMove m) const {
  const int from = fromOf(m);
  const int to = toOf(m);
  const std::int8_t own = static_cast<std::int8_t>(1 + side_);
  const std::int8_t enemy = static_cast<std::int8_t>(2 - side_);
  int total = 0;
  for (const int d : directions) {
    int i = to + d;
    int count = 0;
    while (cells_[i] == enemy) {
      ++count;
      i += d;
    }
    // The origin is empty once the stone has left it.
    if (count > 0 && i != from && cells_[i] == own) total += count;
  }
  return total;
}

int SearchPosition::takeSandwich(int to, int dir) {
  const std::int8_t own = cells_[to];
  int i = to + dir;
  int count = 0;
  while (cells_[i] != own) {
    if (cells_[i] == empty || cells_[i] == wall) return 0;
    ++count;
    i += dir;
  }
  for (int k = 1; k <= count; ++k) {
    removed_[removedCount_++] = static_cast<std::int16_t>(to + k * dir);
    remove(to + k * dir);
  }
  return count;
}

int SearchPosition::takeGroupIfDead(int start, int colour) {
  ++currentStamp_;
  int size = 0;
  fill_[size++] = static_cast<std::int16_t>(start);
  stamp_[start] = currentStamp_;
  for (int k = 0; k < size; ++k) {
    for (const int d : directions) {
      const int n = fill_[k] + d;
      if (cells_[n] == empty) return 0;
      if (cells_[n] == colour && stamp_[n] != currentStamp_) {
        stamp_[n] = currentStamp_;
        fill_[size++] = static_cast<std::int16_t>(n);
      }
    }
  }
  for (int k = 0; k < size; ++k) {
    removed_[removedCount_++] = fill_[k];
    remove(fill_[k]);
  }
  return size;
}

bool SearchPosition::make(PackedMove m, Undo& u) {
  const int from = fromOf(m);
  const int to = toOf(m);
  const int mover = side_;
  const int enemy = mover ^ 1;
  u = {m, removedCount_, lost_[0], lost_[1], key_};
  remove(from);
  put(to, mover);
  // Sandwiches up, down, left and right, each stone counted in its owner's tally.
  for (const int d : directions)
    lost_[enemy] = static_cast<Code>(lost_[enemy] + takeSandwich(to, d));
  // Then every touching enemy group left without a liberty, counted in both tallies.
  for (const int d : directions) {
    if (cells_[to + d] != 1 + enemy) continue;
    const int taken = takeGroupIfDead(to + d, 1 + enemy);
    lost_[enemy] = static_cast<Code>(lost_[enemy] + taken);
    lost_[mover] = static_cast<Code>(lost_[mover] + taken);
  }
  ++moveNumber_;
  pass();
  return removedCount_ > u.removedFrom;
}

void SearchPosition::undo(const Undo& u) {
  pass();
  --moveNumber_;
  const int mover = side_;
  while (removedCount_ > u.removedFrom)
    put(removed_[--removedCount_], mover ^ 1);
  remove(toOf(u.move));
  put(fromOf(u.move), mover);
  lost_ = {u.blackLost, u.whiteLost};
  assert(key_ == u.key);
}

bool SearchPosition::gameOver() const {
  return endTest(moveNumber_, static_cast<Code>(stones_[1]), static_cast<Code>(stones_[0])) !=
         GameEnd::none;
}

int SearchPosition::judgementMargin() const {
  const Reach reach = reachOf(rows_);
  int blackArea = 0;
  int whiteArea = 0;
  // Two rows at a time, one counted in the high half of a word.
  std::uint64_t blackPair = 0;
  std::uint64_t whitePair = 0;
  for (int y = 1; y <= boardSize; ++y) {
    const std::uint32_t open = ~(rows_[0][y] | rows_[1][y]) & rowMask;
    // A side owns a cell when some influence level reaches it from that side alone.
    std::uint64_t owns = 0;
    for (int level = 0; level < 3; ++level) {
      const std::uint64_t both = reach.rows[level][y];
      owns |= both & ~(both >> 32 | both << 32);
    }
    owns &= bothSides(open, open);
    blackPair = blackPair << 32 | static_cast<std::uint32_t>(owns);
    whitePair = whitePair << 32 | owns >> 32;
    if (y % 2 == 0 || y == boardSize) {
      blackArea += bitCount(blackPair);
      whiteArea += bitCount(whitePair);
      blackPair = whitePair = 0;
    }
  }
  return (blackArea + 3 * stones_[0] + 2 * lost_[1]) - (whiteArea + 3 * stones_[1] + 2 * lost_[0]);
}

}  // namespace zelkan
