// Thousands of seeded random lines, mostly near-misses of real commands, through one engine.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tools/engine/engine.h"

namespace zelkan {
namespace {

using Words = std::vector<std::string>;

class LineMaker {
 public:
  explicit LineMaker(std::uint32_t seed) : rng_(seed) {}

  std::string line(const GameState& s) {
    switch (roll(20)) {
      case 0:
      case 1:
        return randomBytes(roll(40));
      case 2:
        return longLine(s);
      case 3:
        return comment(s);
      case 4:
      case 5:
      case 6:
      case 7:
      case 8:
        return join(command(s));
      default:
        return join(mutate(command(s)));
    }
  }

 private:
  int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  template <typename T>
  const T& pick(const std::vector<T>& from) {
    return from[roll(static_cast<int>(from.size()))];
  }

  char oddByte() {
    static const std::vector<char> odd = {'\0', '\t', '\r', ' ', '#', '\x7f', '\x80', '\xff'};
    if (roll(3) == 0) return pick(odd);
    char c = '\n';
    while (c == '\n')
      c = static_cast<char>(roll(256));
    return c;
  }

  std::string randomBytes(int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
      out += oddByte();
    return out;
  }

  std::string number(int lo, int hi) {
    return std::to_string(std::uniform_int_distribution<int>(lo, hi)(rng_));
  }

  std::string oddNumber() {
    static const std::vector<std::string> odd = {
        "-1", "0",   "20",    "99999999999999999999",  "1e3", "+5",      " 5", "", "-0", "0x5",
        "5.", "100", "10000", "-99999999999999999999", "1 9", "\xd9\xa3"};
    return pick(odd);
  }

  // A ROWS string: of the right form half of the time, of the wrong length or with a wrong
  // character otherwise. Each side fills up to a third of the cells, so one side may well have
  // no more than half the stones of the other.
  std::string rows() {
    std::string out;
    const int length = roll(2) ? 361 : roll(2) ? 361 + roll(11) - 5 : roll(800);
    const int black = roll(33);
    const int white = roll(33);
    for (int i = 0; i < length; ++i) {
      const int r = roll(100);
      out += r < black ? 'B' : r < black + white ? 'W' : '.';
    }
    if (length > 0 && roll(3) == 0) {
      static const std::vector<char> wrong = {'b', 'w', 'x', '0', '\0', '\xff', ' ', '\t', '#'};
      for (int n = roll(3) + 1; n > 0; --n)
        out[roll(length)] = pick(wrong);
    }
    return out;
  }

  // A move of a stone of the side to move along its row or column: to a random cell of it, or,
  // more often, to the first empty cell in one direction (legal unless it passes both colours).
  Words move(const char* verb, const GameState& s) {
    int x = roll(19) + 1;
    int y = roll(19) + 1;
    for (int tries = 0; tries < 40 && s.board(x, y) != s.turnColour; ++tries) {
      x = roll(19) + 1;
      y = roll(19) + 1;
    }
    const bool alongRow = roll(2) != 0;
    int toX = x;
    int toY = y;
    if (roll(3) == 0) {
      (alongRow ? toX : toY) = roll(19) + 1;
    } else {
      const int step = roll(2) ? 1 : -1;
      do {
        (alongRow ? toX : toY) += step;
      } while (onBoard(toX, toY) && s.board(toX, toY) != cellEmpty);
    }
    return {verb, std::to_string(x), std::to_string(y), std::to_string(toX), std::to_string(toY)};
  }

  Words command(const GameState& s) {
    switch (roll(14)) {
      case 12:
        return {"level", pick(Words{"weak", "normal", "strong"})};
      case 13:
        return {"genmove", number(0, 59)};
      case 0:
        return {"clear_board"};
      case 1:
        return {"board"};
      case 2:
        return {"influence"};
      case 3:
        return {"judge"};
      case 4:
        return {"quit"};
      case 5:
        return {"set_position",  rows(),          roll(2) ? "B" : "W",
                number(0, 9999), number(0, 9999), number(roll(3) ? 0 : 99, 99)};
      case 6:
      case 7:
        return move("legal", s);
      default:
        return move("play", s);
    }
  }

  // Drops, adds, swaps or spoils a word or two.
  Words mutate(Words w) {
    for (int n = roll(2) + 1; n > 0; --n) {
      const int i = roll(static_cast<int>(w.size()));
      switch (roll(6)) {
        case 0:
          w.erase(w.begin() + i);
          break;
        case 1:
          w.insert(w.begin() + i, roll(2) ? oddNumber() : randomBytes(roll(5) + 1));
          break;
        case 2:
          std::swap(w[i], w[roll(static_cast<int>(w.size()))]);
          break;
        case 3:
          w[i] = oddNumber();
          break;
        case 4:
          w[i].insert(w[i].begin() + roll(static_cast<int>(w[i].size()) + 1), oddByte());
          break;
        default:
          if (i > 0) w[i] = rows();
          break;
      }
      if (w.empty()) break;
    }
    return w;
  }

  std::string join(const Words& w) {
    static const std::vector<std::string> gaps = {" ", " ", " ", "  ", "\t", " \r"};
    std::string out = roll(8) == 0 ? " " : "";
    for (std::size_t i = 0; i < w.size(); ++i)
      out += (i ? pick(gaps) : "") + w[i];
    if (roll(8) == 0) out += '\r';
    return out;
  }

  // A comment: a command, spoiled or not, behind a '#', now and then with many more words.
  std::string comment(const GameState& s) {
    std::string out = roll(2) ? "#" : " \t# ";
    out += join(mutate(command(s)));
    for (int n = roll(3) ? 0 : roll(12); n > 0; --n)
      out.append(" ").append(number(0, 99));
    return out;
  }

  // A command padded past the limit (now and then exactly to it).
  std::string longLine(const GameState& s) {
    std::string out = join(command(s));
    const std::size_t length = roll(4) == 0 ? Engine::maxLineBytes : 4097 + roll(5000);
    if (out.size() < length) out += roll(2) ? std::string(length - out.size(), ' ') : "";
    while (out.size() < length)
      out += oddByte();
    return out;
  }

  std::mt19937 rng_;
};

// Blank lines and comments within the length limit get no answer.
bool ignored(const std::string& line) {
  if (line.size() > Engine::maxLineBytes) return false;
  const std::size_t first = line.find_first_not_of(" \t\r");
  return first == std::string::npos || line[first] == '#';
}

std::string printable(const std::string& line) {
  std::string out;
  for (const char c : line.substr(0, 200)) {
    if (c >= ' ' && c < '\x7f') {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
      out += hex;
    }
  }
  return line.size() > 200 ? out + "... (" + std::to_string(line.size()) + " bytes)" : out;
}

bool soundState(const GameState& s) {
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      const Code c = s.board(x, y);
      if (c != cellEmpty && c != cellBlack && c != cellWhite) return false;
    }
  }
  return s.turnColour == cellBlack || s.turnColour == cellWhite;
}

TEST(EngineFuzz, EveryLineGetsOneFramedAnswerAndRefusalsChangeNothing) {
  Engine engine(2000);  // the strong level thinks briefly
  LineMaker maker(20261207);
  int refusals = 0;
  int moves = 0;
  int gameEnds = 0;
  for (int i = 0; i < 5000; ++i) {
    const std::string line = maker.line(engine.state());
    SCOPED_TRACE("line " + std::to_string(i) + ": " + printable(line));
    const std::string before = engine.handle("board").value();
    const bool overBefore = engine.gameOver();

    const auto answer = engine.handle(line);
    if (ignored(line)) {
      ASSERT_FALSE(answer) << *answer;
      continue;
    }
    ASSERT_TRUE(answer);
    ASSERT_TRUE(answer->starts_with("= ") || answer->starts_with("? ")) << *answer;
    ASSERT_EQ(answer->find("\n\n"), answer->size() - 2) << *answer;
    if (answer->starts_with("? ")) {
      ++refusals;
      ASSERT_EQ(engine.handle("board").value(), before) << *answer;
      ASSERT_EQ(engine.gameOver(), overBefore) << *answer;
    } else if (line.find("play") != std::string::npos ||
               line.find("genmove") != std::string::npos) {
      ++moves;
      if (engine.gameOver()) ++gameEnds;
    }
    ASSERT_TRUE(soundState(engine.state()));
  }
  // The lines reach deep enough: many are refused, yet games are played and end.
  EXPECT_GT(refusals, 2000);
  EXPECT_GT(moves, 50);
  EXPECT_GT(gameEnds, 5);
}

}  // namespace
}  // namespace zelkan
