#include <gtest/gtest.h>

#include "core/cell_names.h"
#include "core/counts.h"
#include "core/setup.h"
#include "test_board.h"

namespace zelkan {
namespace {

TEST(InitialSetup, PutsBothSidesOnTheirHomeRowsAndResetsTheGame) {
  auto s = std::make_unique<GameState>();
  // Row 0 and column 0 are never written by the rules.
  for (int i = 0; i < 20; ++i) {
    s->board(0, i) = 77;
    s->board(i, 0) = 77;
  }
  s->moveNumber = 40;
  s->historyEnd = 55;
  s->blackLost = 3;
  s->whiteLost = 9;
  s->gameMode = modeCom;
  s->turnColour = cellWhite;

  初期設定(*s);

  int empty = 0;
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y) {
      const Code expected = y <= 2 ? cellWhite : y >= 18 ? cellBlack : cellEmpty;
      ASSERT_EQ(s->board(x, y), expected) << x << "," << y;
      empty += s->board(x, y) == cellEmpty;
    }
  }
  EXPECT_EQ(empty, 285);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(s->board(0, i), 77);
    EXPECT_EQ(s->board(i, 0), 77);
  }
  EXPECT_EQ(s->moveNumber, 0);
  EXPECT_EQ(s->historyEnd, 0);
  EXPECT_EQ(s->blackLost, 0);
  EXPECT_EQ(s->whiteLost, 0);
  EXPECT_EQ(s->gameMode, modeNone);
  EXPECT_EQ(s->turnColour, modeNone);
  EXPECT_TRUE(test::samePosition(s->snapshots[0], s->board)) << "entry 0: the starting position";

  Code white = 0;
  Code black = 0;
  調査_石数(s->board, white, black);
  EXPECT_EQ(white, 38);
  EXPECT_EQ(black, 38);
}

TEST(InitialSetup, LeavesSelectionColoursLogAndResumeFlagAlone) {
  auto s = std::make_unique<GameState>();
  s->selState = 1;
  s->selX = 4;
  s->selY = 18;
  s->selColour = cellBlack;
  s->humanColour = cellWhite;
  s->comColour = cellBlack;
  s->otherColour = cellBlack;
  s->moveLogX[0] = 7;
  s->resumePending = flagYes;

  初期設定(*s);
  const Board first = s->board;
  初期設定(*s);

  EXPECT_EQ(s->board, first) << "running it twice gives the same position";
  EXPECT_EQ(s->snapshots[0], first);
  EXPECT_EQ(s->selState, 1);
  EXPECT_EQ(s->selX, 4);
  EXPECT_EQ(s->selY, 18);
  EXPECT_EQ(s->humanColour, cellWhite);
  EXPECT_EQ(s->comColour, cellBlack);
  EXPECT_EQ(s->otherColour, cellBlack);
  EXPECT_EQ(s->moveLogX[0], 7);
  EXPECT_EQ(s->resumePending, flagYes);
}

TEST(SavePosition, WritesOnlyTheNamedEntry) {
  auto s = test::startGame();
  s->board(10, 10) = cellBlack;
  調査_保存(*s, 5);
  EXPECT_EQ(s->snapshots[5], s->board);
  EXPECT_NE(s->snapshots[0], s->board);
  EXPECT_EQ(s->snapshots[4], Board{});
  EXPECT_EQ(s->snapshots[6], Board{});
  調査_保存(*s, 500);
  EXPECT_EQ(s->snapshots[500], s->board);
}

TEST(FreshRecord, StartsWithNoGameAndNoSelection) {
  const auto s = std::make_unique<GameState>();
  EXPECT_EQ(s->gameMode, modeNone);
  EXPECT_EQ(s->turnColour, modeNone);
  EXPECT_EQ(s->selState, 0);
  EXPECT_EQ(s->resumePending, flagNo);
}

TEST(CellNames, LetterColumnsWithoutIAndCountRowsFromBlacksSide) {
  EXPECT_EQ(cellName(1, 19), "A1");
  EXPECT_EQ(cellName(10, 10), "K10");
  EXPECT_EQ(cellName(8, 1) + cellName(9, 1), "H19J19");
  EXPECT_EQ(cellName(19, 1), "T19");
  EXPECT_EQ(moveName({false, 10, 18, 10, 12}, "pass") + moveName({.pass = true}, "-"), "K2-K8-");
  EXPECT_EQ(cellName(0, 5) + cellName(5, 20), "") << "off the board";
}

// Cells and moves as a player types them, read back through the names the game writes.
TEST(CellNames, TypedCellsAndMovesAreReadAsWrittenAndNothingElse) {
  for (int x = 1; x <= 19; ++x) {
    for (int y = 1; y <= 19; ++y)
      ASSERT_EQ(parseCellName(cellName(x, y)), (std::pair{x, y})) << cellName(x, y);
  }
  EXPECT_EQ(parseCellName("k10"), (std::pair{10, 10}));
  EXPECT_EQ(parseCellName("ｔ１９"), (std::pair{19, 1})) << "full-width forms";
  for (const char* wrong : {"", "I5", "K0", "K20", "K05", "K", "10", "K10 ", "KK1", "U1", "K1x"})
    EXPECT_FALSE(parseCellName(wrong)) << wrong;
  const RecordMove k2k8{false, 10, 18, 10, 12};
  for (const char* typed : {"K2 K8", "k2-k8", "K2K8", "k2 to k8", "K2 TO K8", " K2,K8 ", "K2–K8",
                            "K2 → K8", "K2->K8", "K2、K8", "Ｋ２　Ｋ８", "K2からK8へ", "K2ーK8"})
    EXPECT_EQ(parseMoveName(typed), k2k8) << typed;
  EXPECT_EQ(parseMoveName("A1 t19"), (RecordMove{false, 1, 19, 19, 1})) << "T is a column";
  for (const char* wrong : {"", "K2", "K2 K8 K9", "K2 - - K8", "K2 I8", "K2 K20", "K28", "K2 8",
                            "pass", "K2 x K8", "K110", "K2 K8。"})
    EXPECT_FALSE(parseMoveName(wrong)) << wrong;
}

}  // namespace
}  // namespace zelkan
