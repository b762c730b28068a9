#include "com/game_review.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
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

// What one search of a position found: the strong level's choice (none when the side to move
// has no legal move) and the position's worth, black minus white.
struct Searched {
  std::optional<ComMove> move;
  int value = 0;
};

// One piece of work: the search of position k, or of the position after the strong level's
// choice in position k where the game went another way.
struct Task {
  bool alternative = false;
  int k = 0;
};

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
  bool passAt(int k) const { return moves_[static_cast<std::size_t>(k)].pass; }
  void work();
  Searched search(GameState& s, TranspositionTable& table) const;
  int valueOf(const Task& t, GameState& s, TranspositionTable& table, Searched& found) const;
  // Under the lock: the row of move k when it is complete and not yet given.
  std::optional<ReviewRow> finish(int k);

  std::span<const RecordMove> moves_;
  const ReviewOptions& options_;
  std::vector<Position> positions_;  // after 0, 1, ... moves; the last may be over
  std::atomic<bool> failed_ = false;
  std::exception_ptr failure_;

  std::mutex mutex_;  // guards everything below, and the workers' waiting
  std::condition_variable changed_;
  std::deque<Task> queue_;
  int busy_ = 0;
  std::vector<std::optional<Searched>> searched_;  // per position
  std::vector<std::optional<int>> alternative_;    // per move: the choice's position's worth
  std::vector<bool> given_;
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
  searched_.resize(positions_.size());
  if (positions_.back().over) searched_.back() = Searched{std::nullopt, judgementMargin(*s)};
  alternative_.resize(positions_.size() - 1);
  given_.resize(positions_.size() - 1);
  // Positions in game order, so the first rows are ready early; each needed for the choice of
  // the move played from it or for the worth after the move before it.
  for (int k = 0; k < static_cast<int>(positions_.size()); ++k) {
    const bool choice = k < rowCount() && !passAt(k);
    if (!searched_[k] && (choice || k > 0)) queue_.push_back({false, k});
  }
}

Searched Review::search(GameState& s, TranspositionTable& table) const {
  const auto stop = [this] { return stopped(); };
  const auto worth = [&](Code side) {
    table.newSearch();
    const StrongSearchResult r = strongSearch(s, options_.nodeBudget, stop, table);
    const int points = judgementPoints(r.value);
    return Searched{r.move, side == cellBlack ? points : -points};
  };
  Searched found = worth(s.turnColour);
  if (found.move) return found;
  // No legal move: the side passes, and the position is worth what it is to the other side.
  std::swap(s.turnColour, s.otherColour);
  found = worth(s.turnColour);
  std::swap(s.turnColour, s.otherColour);
  if (found.move) return {std::nullopt, found.value};
  return {std::nullopt, judgementMargin(s)};
}

// The worth found by a task, with the search of a position in found.
int Review::valueOf(const Task& t, GameState& s, TranspositionTable& table, Searched& found) const {
  load(s, positions_[t.k]);
  if (!t.alternative) {
    found = search(s, table);
    return found.value;
  }
  const ComMove& m = *searched_[t.k]->move;  // written before this task was queued
  const MoveRecord r = completeMove(s, m.fromX, m.fromY, m.toX, m.toY);
  if (r.end != GameEnd::none) return judgementMargin(s);
  std::swap(s.turnColour, s.otherColour);
  return search(s, table).value;
}

std::optional<ReviewRow> Review::finish(int k) {
  if (k < 0 || k >= rowCount() || given_[k] || !searched_[k + 1]) return std::nullopt;
  ReviewRow row;
  row.index = k;
  row.played = moves_[k];
  row.value = searched_[k + 1]->value;
  row.best = row.played;
  row.bestValue = row.value;
  if (!row.played.pass) {
    if (!searched_[k]) return std::nullopt;
    if (searched_[k]->move) row.best = recordMove(*searched_[k]->move);
    if (row.best != row.played) {
      if (!alternative_[k]) return std::nullopt;
      row.bestValue = *alternative_[k];
    }
  }
  const int forMover = positions_[k].side == cellBlack ? 1 : -1;
  row.loss = std::max(0, forMover * (row.bestValue - row.value));
  row.moveClass = classOfLoss(row.loss);
  given_[k] = true;
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
    changed_.notify_all();
    return;
  }
  for (;;) {
    Task t;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return !queue_.empty() || busy_ == 0 || stopped(); });
      if (queue_.empty() || stopped()) {
        changed_.notify_all();
        return;
      }
      t = queue_.front();
      queue_.pop_front();
      ++busy_;
    }
    Searched found;
    int value = 0;
    try {
      value = valueOf(t, *s, *table, found);
    } catch (...) {
      std::lock_guard lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      failed_ = true;
    }
    std::vector<ReviewRow> ready;
    {
      std::lock_guard lock(mutex_);
      --busy_;
      if (!stopped()) {  // a search cut short by a stop is worth nothing
        if (t.alternative) {
          alternative_[t.k] = value;
        } else {
          searched_[t.k] = found;
          const bool differs = t.k < rowCount() && !passAt(t.k) && found.move &&
                               recordMove(*found.move) != moves_[t.k];
          if (differs) queue_.push_front({true, t.k});
        }
        for (const int k : {t.k - 1, t.k}) {
          if (auto row = finish(k)) {
            rows_.push_back(*row);
            ready.push_back(*row);
          }
        }
      }
      changed_.notify_all();
    }
    if (options_.onRow) {
      std::lock_guard lock(giving_);
      for (const ReviewRow& row : ready)
        options_.onRow(row);
    }
  }
}

std::vector<ReviewRow> Review::run() {
  // Counted before any helper starts: from then on the queue is the workers', under the lock.
  const int tasks = static_cast<int>(queue_.size());
  std::vector<std::thread> helpers;
  for (int i = 1; i < options_.workers && i < tasks; ++i) {
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
