// The engine's genmove and candidates commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "bench/midgame_positions.h"
#include "com/game_review.h"
#include "tests/engine/test_rows.h"
#include "tools/engine/engine.h"

namespace zelkan::test {
namespace {

std::string ask(Engine& engine, const std::string& line) {
  return engine.handle(line).value();
}

// Black's one stone on (1, 1) is walled in by white stones along row 1 and column 1.
std::string walledInRows() {
  std::string rows(361, '.');
  for (int k = 0; k < 19; ++k)
    rows[k] = rows[k * 19] = 'W';
  rows[0] = 'B';
  return rows;
}

std::vector<std::string> payloadLines(const std::string& answer) {
  std::vector<std::string> lines;
  std::istringstream in(answer.substr(2));
  for (std::string line; std::getline(in, line) && !line.empty();)
    lines.push_back(line);
  return lines;
}

TEST(EngineGenmove, PlaysTheFirstOfTheStartingTiesAndPassesTheTurn) {
  Engine engine;
  EXPECT_EQ(ask(engine, "genmove 30"), "= 4 18 4 3 38 38 0 0 none\n\n");
  const std::string board = ask(engine, "board");
  EXPECT_EQ(board.substr(board.size() - 10), " W 0 0 1\n\n");
  // White's mirror move (4, 2) -> (4, 17) is now blocked; the next of its ties is played.
  EXPECT_EQ(ask(engine, "genmove 30"), "= 5 2 5 17 38 38 0 0 none\n\n");
}

TEST(EngineGenmove, ReportsCapturesAndTheEnd) {
  Engine engine;
  // Black to move at move 99 can take the white stone on (11, 10) against its stone on (12, 10).
  std::string rows(361, '.');
  rows[9 * 19 + 2] = 'B';   // (3, 10)
  rows[9 * 19 + 10] = 'W';  // (11, 10)
  rows[9 * 19 + 11] = 'B';  // (12, 10)
  rows[0] = 'W';            // (1, 1)
  ASSERT_EQ(ask(engine, "set_position " + rows + " B 0 0 99"), "= \n\n");
  EXPECT_EQ(ask(engine, "genmove 0"), "= 3 10 10 10 1 2 0 1 limit\n\n");
  EXPECT_EQ(ask(engine, "genmove 0"), "? game over\n\n");
  EXPECT_EQ(ask(engine, "genmove 99"), "? game over\n\n");  // before any other check
  EXPECT_FALSE(payloadLines(ask(engine, "candidates 0")).empty())
      << "candidates still answers after the end";
}

TEST(EngineGenmove, RefusesABadSecondAndChangesNothing) {
  Engine engine;
  const std::string before = ask(engine, "board");
  for (const char* line : {"genmove 60", "genmove -1", "genmove x", "genmove 1.5"}) {
    const std::string answer = ask(engine, line);
    EXPECT_EQ(answer.rfind("? ", 0), 0u) << line;
    EXPECT_NE(answer.find("SECOND"), std::string::npos) << line;
  }
  EXPECT_NE(ask(engine, "genmove").find("SECOND"), std::string::npos);
  EXPECT_EQ(ask(engine, "genmove 1 2").rfind("? ", 0), 0u);
  EXPECT_EQ(ask(engine, "board"), before);
}

TEST(EngineGenmove, PassesWithNoLegalMove) {
  Engine engine;
  ASSERT_EQ(ask(engine, "set_position " + walledInRows() + " B 3 4 12"), "= \n\n");
  EXPECT_EQ(ask(engine, "candidates 0"), "= \n\n");
  EXPECT_EQ(ask(engine, "genmove 0"), "= pass\n\n");
  EXPECT_EQ(ask(engine, "board"), "= " + walledInRows() + " W 3 4 12\n\n");
  EXPECT_NE(ask(engine, "genmove 0"), "= pass\n\n");  // white can move
}

// genmove's level: kept by clear_board and set_position, each level's answers repeating from the
// same position (and differing from the normal level's there), candidates always the normal
// level's.
TEST(EngineLevel, SetsTheLevelGenmovePlaysAtAndKeepsIt) {
  Engine engine;
  const std::string candidates = ask(engine, "candidates 5");
  const std::string normalStart = ask(engine, "genmove 5");
  EXPECT_EQ(normalStart, "= 4 18 4 3 38 38 0 0 none\n\n") << "still normal";
  const std::string midgame = "set_position " + std::string(midgamePositions[1].rows) + " W 0 0 45";
  ASSERT_EQ(ask(engine, midgame), "= \n\n");
  const std::string normalMidgame = ask(engine, "genmove 5");

  for (const char* level : {"weak", "strong", "normal"}) {
    SCOPED_TRACE(level);
    ASSERT_EQ(ask(engine, std::string("level ") + level), "= \n\n");
    ASSERT_EQ(ask(engine, "clear_board"), "= \n\n");
    const std::string first = ask(engine, "genmove 5");
    ASSERT_EQ(ask(engine, midgame), "= \n\n");
    const std::string fromMidgame = ask(engine, "genmove 5");
    EXPECT_EQ(first != normalStart, level != std::string("normal")) << first;
    EXPECT_EQ(fromMidgame != normalMidgame, level != std::string("normal")) << fromMidgame;

    EXPECT_EQ(ask(engine, "clear_board"), "= \n\n");
    EXPECT_EQ(ask(engine, "candidates 5"), candidates);
    EXPECT_EQ(ask(engine, "genmove 5"), first);
    EXPECT_EQ(ask(engine, midgame), "= \n\n");
    EXPECT_EQ(ask(engine, "genmove 5"), fromMidgame);
  }
}

// A board full but for a hole in one column, as set_position allows: the strong level's search
// holds move lists and lines of captures far beyond any real game's, and its move is what play
// makes of the same move.
TEST(EngineLevel, TheStrongLevelSearchesABoardFullOfStones) {
  std::string rows;
  for (int y = 1; y <= 19; ++y) {
    for (int x = 1; x <= 19; ++x)
      rows += x == 10 && y >= 15 && y <= 18 ? '.' : y <= 15 ? 'W' : 'B';
  }
  const std::string position = "set_position " + rows + " B 0 0 10";
  Engine engine;
  ASSERT_EQ(ask(engine, "level strong"), "= \n\n");
  ASSERT_EQ(ask(engine, position), "= \n\n");
  const std::string answer = ask(engine, "genmove 0");
  std::istringstream words(answer.substr(2));
  std::string move, word, outcome;
  for (int i = 0; i < 4 && words >> word; ++i)
    move += " " + word;
  std::getline(words, outcome);
  EXPECT_EQ(move, " 10 19 10 15") << "every white stone taken";
  ASSERT_EQ(ask(engine, "level normal"), "= \n\n");
  ASSERT_EQ(ask(engine, position), "= \n\n");
  EXPECT_EQ(ask(engine, "play" + move), "=" + outcome + "\n\n");
}

std::vector<std::string> wordsOf(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;)
    words.push_back(word);
  return words;
}

// analyse sets every move against the strong level's choice at the same budget: a move that
// opens a sandwich of five is a blunder, the strong level's own games are best throughout, and a
// game without a move has no row.
TEST(EngineAnalyse, SetsEachMoveAgainstTheStrongLevelsChoice) {
  Engine engine(3000);
  ASSERT_EQ(ask(engine, "level strong"), "= \n\n");
  // Black's (10, 5) bars white's (10, 3) from (10, 10), closing black's line (5..9, 10) against
  // white's (4, 10).
  const std::string opens = "set_position " +
                            with(emptyRows(), {{5, 10, 'B'},
                                               {6, 10, 'B'},
                                               {7, 10, 'B'},
                                               {8, 10, 'B'},
                                               {9, 10, 'B'},
                                               {10, 5, 'B'},
                                               {15, 18, 'B'},
                                               {16, 18, 'B'},
                                               {4, 10, 'W'},
                                               {10, 3, 'W'},
                                               {1, 1, 'W'},
                                               {2, 1, 'W'},
                                               {3, 1, 'W'},
                                               {4, 1, 'W'},
                                               {5, 1, 'W'},
                                               {6, 1, 'W'}}) +
                            " B 0 0 20";
  ASSERT_EQ(ask(engine, opens), "= \n\n");
  const std::vector<std::string> choice = wordsOf(ask(engine, "genmove 0").substr(2));
  ASSERT_EQ(ask(engine, opens), "= \n\n");
  ASSERT_EQ(ask(engine, "play 10 5 15 5"), "= 8 8 0 0 none\n\n");
  ASSERT_EQ(ask(engine, "play 10 3 10 10"), "= 8 3 5 0 lead\n\n");
  const std::vector<std::string> judged = wordsOf(ask(engine, "judge").substr(2));
  const std::vector<std::string> rows = payloadLines(ask(engine, "analyse"));
  ASSERT_EQ(rows.size(), 2u);
  const std::vector<std::string> blunder = wordsOf(rows[0]);
  ASSERT_EQ(blunder.size(), 13u) << rows[0];
  EXPECT_EQ(rows[0].rfind("1 10 5 15 5 ", 0), 0u);
  EXPECT_EQ(std::vector(blunder.begin() + 6, blunder.begin() + 10),
            std::vector(choice.begin(), choice.begin() + 4));
  EXPECT_GE(std::stoi(blunder[11]), blunderLoss);
  EXPECT_EQ(blunder[12], "blunder");
  const int margin = std::stoi(judged[0]) - std::stoi(judged[1]);
  EXPECT_EQ(rows[1], "2 10 3 10 10 " + std::to_string(margin) + " 10 3 10 10 " +
                         std::to_string(margin) + " 0 best")
      << "the game's end is worth its judgement";

  // From the start, and from black walled in (a pass, then white's move that ends the game).
  for (const std::string& setup :
       {std::string("clear_board"), "set_position " + walledInRows() + " B 0 0 12"}) {
    ASSERT_EQ(ask(engine, setup), "= \n\n");
    int moves = 0;
    for (; moves < 8 && !engine.gameOver(); ++moves)
      ASSERT_EQ(ask(engine, "genmove 0").rfind("= ", 0), 0u);
    const std::string board = ask(engine, "board");
    const std::vector<std::string> lines = payloadLines(ask(engine, "analyse 3000"));
    EXPECT_EQ(ask(engine, "board"), board);
    ASSERT_EQ(ask(engine, "threads 3"), "= \n\n");
    EXPECT_EQ(payloadLines(ask(engine, "analyse 3000")), lines) << "other workers, same rows";
    ASSERT_EQ(static_cast<int>(lines.size()), moves);
    for (int n = 1; n <= moves; ++n) {
      const std::vector<std::string> w = wordsOf(lines[n - 1]);
      ASSERT_EQ(w.size(), w[1] == "pass" ? 7u : 13u) << lines[n - 1];
      EXPECT_EQ(w[0], std::to_string(n));
      const std::size_t best = w.size() == 7 ? 3 : 6;
      EXPECT_EQ(std::vector(w.begin() + 1, w.begin() + best),
                std::vector(w.begin() + best, w.begin() + 2 * best - 1))
          << lines[n - 1];
      EXPECT_EQ(w[2 * best - 1] + " " + w[2 * best], "0 best") << lines[n - 1];
    }
  }
  ASSERT_EQ(ask(engine, "clear_board"), "= \n\n");
  EXPECT_EQ(ask(engine, "analyse 10"), "= \n\n");
}

TEST(EngineCandidates, ListsEveryCandidateInSearchOrderAndChangesNothing) {
  Engine engine;
  const std::string before = ask(engine, "board");
  const std::vector<std::string> lines = payloadLines(ask(engine, "candidates 7"));
  ASSERT_EQ(lines.size(), 304u);
  // Origin column 1 first: (1, 18) slides up to rows 3..17, then (1, 19) jumps to row 17.
  EXPECT_EQ(lines[0].rfind("1 18 1 3 ", 0), 0u);
  EXPECT_EQ(lines[14].rfind("1 18 1 17 ", 0), 0u);
  EXPECT_EQ(lines[15].rfind("1 19 1 17 ", 0), 0u);
  EXPECT_EQ(lines[16].rfind("2 18 2 3 ", 0), 0u);
  int best = 0;
  for (const std::string& line : lines) {
    if (line.ends_with(" 0.640000")) ++best;
  }
  EXPECT_EQ(best, 13);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "4 18 4 3 0.640000"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "3 18 3 3 0.630000"), lines.end());
  EXPECT_EQ(ask(engine, "board"), before);
  EXPECT_NE(ask(engine, "candidates 60").find("SECOND"), std::string::npos);
}

}  // namespace
}  // namespace zelkan::test
