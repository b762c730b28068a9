// zelkan-match: plays two of the computer's levels (or a random legal mover) against each other
// from seeded random openings, each side taking black in every other game, and prints the
// results, the mean judgement margin and the time per move.
//
//   zelkan-match A B [-n GAMES] [--seed S] [--budget NODES] [--records DIR]
//
// A and B are weak, normal, strong or random. Games 2k and 2k + 1 share an opening of 4 to 8
// random legal moves, A playing black in the first and white in the second. With --records, every
// game is written to DIR as a game record, "game-0001.zelkan" and on, for the window to open.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <cstring>
#include <filesystem>
#include "com/levels.h"
#include "com/mix.h"
#include "com/search_position.h"
#include "core/game_record.h"
#include "core/judgement.h"
#include "core/setup.h"
#include "files/atomic_file.h"

namespace zelkan {
namespace {

struct Player {
  std::string name;
  std::optional<Level> level;   // none: the random mover
  std::vector<double> seconds;  // time of each move it chose
};

std::optional<Player> playerNamed(std::string_view name) {
  if (const std::optional<Level> level = levelNamed(name))
    return Player{levelName(*level), level, {}};
  if (name == "random") return Player{"random", std::nullopt, {}};
  return std::nullopt;
}

// A uniformly random legal move of the side to move, or none.
std::optional<ComMove> randomMove(const GameState& s, std::uint64_t& rng) {
  std::array<PackedMove, SearchPosition::maxMoves> moves;
  const int n = SearchPosition(s).generateMoves(moves);
  if (n == 0) return std::nullopt;
  const PackedMove m = moves[nextMix(rng) % static_cast<std::uint64_t>(n)];
  const int from = SearchPosition::fromOf(m);
  const int to = SearchPosition::toOf(m);
  return ComMove{
      static_cast<Code>(SearchPosition::xOf(from)), static_cast<Code>(SearchPosition::yOf(from)),
      static_cast<Code>(SearchPosition::xOf(to)), static_cast<Code>(SearchPosition::yOf(to)), 0};
}

// Plays one game, its moves kept in `record`; returns black's judgement margin at its end.
int playGame(GameState& s, Player& black, Player& white, std::uint64_t openingSeed,
             std::uint64_t gameSeed, std::uint64_t budget, GameRecord& record) {
  record = GameRecord{};
  record.otherKeys = {{"black", black.name}, {"white", white.name}};
  初期設定(s);
  s.gameMode = modeCom;
  s.turnColour = cellBlack;
  s.otherColour = cellWhite;
  std::uint64_t openingRng = openingSeed;
  const int opening = 4 + static_cast<int>(nextMix(openingRng) % 5);
  std::uint64_t rng = gameSeed;
  int passes = 0;
  for (bool over = false; !over && passes < 2;) {
    Player& p = s.turnColour == cellBlack ? black : white;
    std::optional<ComMove> chosen;
    if (s.moveNumber < opening) {
      chosen = randomMove(s, openingRng);
    } else {
      const auto start = std::chrono::steady_clock::now();
      if (p.level) {
        FixedSecond clock(0);
        LevelLimits limits;
        limits.seed = mix64(gameSeed + static_cast<std::uint64_t>(s.moveNumber));
        limits.nodeBudget = budget;
        chosen = chooseComMove(s, *p.level, clock, limits);
      } else {
        chosen = randomMove(s, rng);
      }
      const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
      p.seconds.push_back(spent.count());
    }
    const ComTurn turn = playComMove(s, chosen);
    passes = turn.passed ? passes + 1 : 0;
    if (!turn.passed && !turn.record.done) {
      std::fprintf(stderr, "zelkan-match: %s chose an illegal move\n", p.name.c_str());
      std::exit(2);
    }
    over = !turn.passed && turn.record.end != GameEnd::none;
    const MoveRecord& r = turn.record;
    record.moves.push_back({turn.passed, r.fromX, r.fromY, r.toX, r.toY});
    if (over) finishRecord(record, s, r.end);
  }
  const Scores sc = judgePosition(s);
  return sc.black - sc.white;
}

void printTimes(const Player& p, const char* label) {
  std::vector<double> t = p.seconds;
  if (t.empty()) return;
  std::sort(t.begin(), t.end());
  std::printf("time per move %s (%s): median %.4f s, max %.4f s, over %zu moves\n", label,
              p.name.c_str(), t[t.size() / 2], t.back(), t.size());
}

int usage() {
  std::fprintf(stderr,
               "usage: zelkan-match A B [-n GAMES] [--seed S] [--budget NODES] [--records DIR]\n"
               "       A, B: weak, normal, strong or random\n");
  return 2;
}

}  // namespace
}  // namespace zelkan

int main(int argc, char** argv) {
  using namespace zelkan;
  if (argc < 3) return usage();
  auto a = playerNamed(argv[1]);
  auto b = playerNamed(argv[2]);
  if (!a || !b) return usage();
  long games = 200;
  std::uint64_t seed = 1;
  std::uint64_t budget = defaultNodeBudget;
  std::filesystem::path records;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    if (option == "--records") {
      records = argv[i + 1];
      continue;
    }
    const long long value = std::strtoll(argv[i + 1], nullptr, 10);
    if (value < 0) return usage();
    if (option == "-n") {
      games = static_cast<long>(value);
    } else if (option == "--seed") {
      seed = static_cast<std::uint64_t>(value);
    } else if (option == "--budget") {
      budget = static_cast<std::uint64_t>(value);
    } else {
      return usage();
    }
  }
  if ((argc - 3) % 2 != 0) return usage();

  if (!records.empty()) {
    std::error_code error;
    std::filesystem::create_directories(records, error);
    if (error) {
      std::fprintf(stderr, "zelkan-match: %s: %s\n", records.c_str(), error.message().c_str());
      return 1;
    }
  }

  auto s = std::make_unique<GameState>();
  GameRecord record;
  long wins = 0;
  long losses = 0;
  long draws = 0;
  double marginSum = 0;
  for (long g = 0; g < games; ++g) {
    const bool aBlack = g % 2 == 0;
    const std::uint64_t openingSeed = mix64(seed * 1000003 + static_cast<std::uint64_t>(g / 2));
    const std::uint64_t gameSeed = mix64(openingSeed + 1 + static_cast<std::uint64_t>(g));
    const int blackMargin = aBlack ? playGame(*s, *a, *b, openingSeed, gameSeed, budget, record)
                                   : playGame(*s, *b, *a, openingSeed, gameSeed, budget, record);
    if (!records.empty()) {
      char name[32];
      std::snprintf(name, sizeof name, "game-%04ld.zelkan", g + 1);
      AtomicWriteOptions options;
      options.rewriteInPlace = false;
      const int error = writeFileAtomically(records / name, writeRecord(record), options);
      if (error != 0) {
        std::fprintf(stderr, "zelkan-match: %s: %s\n", (records / name).c_str(),
                     std::strerror(error));
        return 1;
      }
    }
    const int margin = aBlack ? blackMargin : -blackMargin;
    marginSum += margin;
    if (margin > 0) ++wins;
    if (margin < 0) ++losses;
    if (margin == 0) ++draws;
    std::fprintf(stderr, "game %ld: %s as %s, margin %+d after %d moves (%ld-%ld-%ld)\n", g + 1,
                 a->name.c_str(), aBlack ? "black" : "white", margin, s->moveNumber, wins, losses,
                 draws);
  }
  std::printf("%s against %s, %ld games, seed %llu, budget %llu\n", a->name.c_str(),
              b->name.c_str(), games, static_cast<unsigned long long>(seed),
              static_cast<unsigned long long>(budget));
  std::printf("%s: %ld wins, %ld losses, %ld draws (%.1f%% won)\n", a->name.c_str(), wins, losses,
              draws, games ? 100.0 * static_cast<double>(wins) / static_cast<double>(games) : 0.0);
  std::printf("mean judgement margin (%s minus %s): %+.1f\n", a->name.c_str(), b->name.c_str(),
              games ? marginSum / static_cast<double>(games) : 0.0);
  printTimes(*a, "A");
  printTimes(*b, "B");
  return 0;
}
