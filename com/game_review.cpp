#include "com/game_review.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "com/strong_search.h"
#include "core/judgement.h"
#include "core/move_completion.h"

namespace zelkan {
namespace {

// A position as the search needs it.
struct Position {
  Board board;
  Code side = cellBlack;  // to move
  Code blackLost = 0;
  Code whiteLost = 0;
  Code moveNumber = 0;
  bool over = false;
};

Position positionOf(const GameState& s, bool over) {
  return {s.board, s.turnColour, s.blackLost, s.whiteLost, s.moveNumber, over};
}

void load(GameState& s, const Position& p) {
  s.board = p.board;
  s.turnColour = p.side;
  s.otherColour = opposite(p.side);
  s.blackLost = p.blackLost;
  s.whiteLost = p.whiteLost;
  s.moveNumber = p.moveNumber;
  s.historyEnd = p.moveNumber;
}

int judgementMargin(const GameState& s) {
  const Scores sc = judgePosition(s);
  return sc.black - sc.white;
}

RecordMove recordMove(const ComMove& m) {
  return {false, m.fromX, m.fromY, m.toX, m.toY};
}

// A search's value in judgement points, black minus white: its last two depths weighed two to
// one. A search a ply deeper favours the side that makes the last move before the horizon by
// 20 points and more, so one depth alone makes the graph a saw blade; the deeper depth weighs
// more, for the value after a move is then closest to the next position's own search.
int blackPoints(Code mover, const std::array<int, 2>& v) {
  const int points = (2 * judgementPoints(v[0]) + judgementPoints(v[1])) / 3;
  return mover == cellBlack ? points : -points;
}

class Review {
 public:
  Review(const GameState& start, std::span<const RecordMove> moves, const ReviewOptions& options);
  std::vector<ReviewRow> run();

 private:
  bool stopped() const {
    return failed_.load(std::memory_order_relaxed) ||
           (options_.stop != nullptr && options_.stop->load(std::memory_order_relaxed));
  }
  int rowCount() const { return static_cast<int>(positions_.size()) - 1; }
  void work();
  ReviewRow rowOf(int k, GameState& s, TranspositionTable& table) const;
  int worthOf(GameState& s, TranspositionTable& table) const;

  std::span<const RecordMove> moves_;
  const ReviewOptions& options_;
  std::vector<Position> positions_;  // after 0, 1, ... moves; the last may be over
  std::atomic<bool> failed_ = false;

  std::mutex mutex_;  // guards everything below
  int next_ = 0;      // the next move to review
  std::exception_ptr failure_;
  std::vector<ReviewRow> rows_;
  std::mutex giving_;  // one onRow call at a time
};

Review::Review(const GameState& start, std::span<const RecordMove> moves,
               const ReviewOptions& options)
    : moves_(moves), options_(options) {
  auto s = std::make_unique<GameState>(start);
  positions_.push_back(positionOf(*s, false));
  for (const RecordMove& m : moves) {
    bool over = false;
    if (!m.pass) {
      const MoveRecord r = completeMove(*s, m.x1, m.y1, m.x2, m.y2);
      if (!r.done) break;
      over = r.end != GameEnd::none;
    }
    if (!over) std::swap(s->turnColour, s->otherColour);
    positions_.push_back(positionOf(*s, over));
    if (over) break;
  }
}

// The worth of the position in s, black minus white, as the strong level's search finds it; a
// side without a legal move passes, and two passes leave the position as it stands.
int Review::worthOf(GameState& s, TranspositionTable& table) const {
  const auto stop = [this] { return stopped(); };
  for (int passes = 0; passes < 2; ++passes) {
    table.newSearch();
    PlayedValues found;
    const StrongSearchResult r = strongSearch(s, options_.nodeBudget, stop, table, nullptr, &found);
    const Code mover = s.turnColour;
    if (passes > 0) std::swap(s.turnColour, s.otherColour);
    if (r.move) return blackPoints(mover, found.best);
    if (passes == 0) std::swap(s.turnColour, s.otherColour);
  }
  return judgementMargin(s);
}

// Move k's row: one search of the position before it, the move played and the search's choice
// both its root moves, valued at the same depths. A pass is worth the position it leaves.
ReviewRow Review::rowOf(int k, GameState& s, TranspositionTable& table) const {
  ReviewRow row;
  row.index = k;
  row.played = moves_[static_cast<std::size_t>(k)];
  row.best = row.played;
  const Position& after = positions_[static_cast<std::size_t>(k) + 1];
  if (row.played.pass) {
    load(s, after);
    row.value = after.over ? judgementMargin(s) : worthOf(s, table);
    row.bestValue = row.value;
    return row;
  }
  load(s, positions_[static_cast<std::size_t>(k)]);
  const ComMove played{row.played.x1, row.played.y1, row.played.x2, row.played.y2, 0};
  PlayedValues found;
  table.newSearch();
  const auto stop = [this] { return stopped(); };
  const StrongSearchResult r = strongSearch(s, options_.nodeBudget, stop, table, &played, &found);
  const Code mover = s.turnColour;
  row.best = recordMove(*r.move);  // the move played is legal, so there is a choice
  row.value = blackPoints(mover, found.played);
  row.bestValue = blackPoints(mover, found.best);
  row.loss = std::max(0, (mover == cellBlack ? 1 : -1) * (row.bestValue - row.value));
  row.moveClass = classOfLoss(row.loss);
  return row;
}

void Review::work() {
  std::unique_ptr<GameState> s;
  std::unique_ptr<TranspositionTable> table;
  try {
    s = std::make_unique<GameState>();
    table = std::make_unique<TranspositionTable>(
        TranspositionTable::log2ForBudget(options_.nodeBudget));
  } catch (...) {
    std::lock_guard lock(mutex_);
    if (!failure_) failure_ = std::current_exception();
    failed_ = true;
    return;
  }
  for (;;) {
    int k = 0;
    {
      std::lock_guard lock(mutex_);
      if (next_ >= rowCount() || stopped()) return;
      k = next_++;
    }
    ReviewRow row;
    try {
      row = rowOf(k, *s, *table);
    } catch (...) {
      std::lock_guard lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      failed_ = true;
      return;
    }
    {
      std::lock_guard lock(mutex_);
      if (stopped()) return;  // a search cut short by a stop is worth nothing
      rows_.push_back(row);
    }
    if (options_.onRow) {
      std::lock_guard lock(giving_);
      options_.onRow(row);
    }
  }
}

std::vector<ReviewRow> Review::run() {
  std::vector<std::thread> helpers;
  // The number of moves is fixed before any helper starts: nothing shared is read unlocked.
  const int helperCount = std::min(options_.workers, rowCount()) - 1;
  for (int i = 0; i < helperCount; ++i) {
    try {
      helpers.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
      break;  // fewer threads: the same rows, later
    }
  }
  work();
  for (std::thread& t : helpers)
    t.join();
  if (failure_) std::rethrow_exception(failure_);
  std::sort(rows_.begin(), rows_.end(),
            [](const ReviewRow& a, const ReviewRow& b) { return a.index < b.index; });
  return rows_;
}

}  // namespace

MoveClass classOfLoss(int loss) {
  if (loss >= blunderLoss) return MoveClass::blunder;
  if (loss >= mistakeLoss) return MoveClass::mistake;
  if (loss >= inaccuracyLoss) return MoveClass::inaccuracy;
  if (loss >= goodLoss) return MoveClass::good;
  return MoveClass::best;
}

const char* moveClassName(MoveClass c) {
  switch (c) {
    case MoveClass::best:
      return "best";
    case MoveClass::good:
      return "good";
    case MoveClass::inaccuracy:
      return "inaccuracy";
    case MoveClass::mistake:
      return "mistake";
    case MoveClass::blunder:
      return "blunder";
  }
  return "best";
}

std::vector<ReviewRow> reviewGame(const GameState& start, std::span<const RecordMove> moves,
                                  const ReviewOptions& options) {
  return Review(start, moves, options).run();
}

}  // namespace zelkan
