#include "view/panel_drawing.h"

#include <gtest/gtest.h>
#include <libintl.h>
#include <stdlib.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "canvas_checks.h"
#include "view/board_drawing.h"
#include "view/coordinates.h"
#include "view/texts.h"

namespace zelkan {
namespace {

using test::allPixels;
using test::background;
using test::cellPx;
using test::cellPy;
using test::sameImage;
using test::showsPicture;

TEST(NumberText, BlankWherePlusWouldBe) {
  EXPECT_EQ(numberText(5), " 5");
  EXPECT_EQ(numberText(0), " 0");
  EXPECT_EQ(numberText(100), " 100");
  EXPECT_EQ(numberText(-3), "-3");
}

// Fill-ins in turn as written, in a translation's own order, and markers that take none.
TEST(NumberText, FillInsInTurnOrByNumber) {
  EXPECT_EQ(fill("「%s」の %d 行目：%s", {"a %d", 7, "x"}), "「a %d」の 7 行目：x");
  EXPECT_EQ(fill("Line %2$d of “%1$s”: %3$s", {"a", 7, "x"}), "Line 7 of “a”: x");
  EXPECT_EQ(fill("%d%% %s %3$s %4$d %0$d %x %", {"a", 7, "x"}), "a% 7 x %4$d %0$d %x %");
}

// The move lines as they should look, written piece by piece at the columns given for them.
void expectedMoveLines(Canvas& canvas, double numberX, int n, double leftX, int left) {
  描画_文字列(canvas, numberX, 9, numberText(n), 15, 11);
  描画_文字列(canvas, 22, 9, "手目", 15, 11);
  描画_文字列(canvas, 20.6, 10, "あと", 15, 11);
  描画_文字列(canvas, leftX, 10, numberText(left), 15, 11);
  描画_文字列(canvas, 22.9, 10, "手で終了です", 15, 11);
}

TEST(MoveLines, NumbersMoveLeftAsTheyGrowSoTheWordsKeepTheirPlace) {
  struct Case {
    int n;
    double numberX;
    double leftX;
  };
  for (const Case& c :
       {Case{1, 21, 21.7}, Case{9, 21, 21.7}, Case{10, 20.8, 21.7}, Case{15, 20.8, 21.7},
        Case{91, 20.8, 21.9}, Case{99, 20.8, 21.9}, Case{100, 20.5, 21.9}}) {
    Canvas canvas;
    描画_手数(canvas, c.n);
    Canvas expected;
    expectedMoveLines(expected, c.numberX, c.n, c.leftX, moveLimit - c.n);
    EXPECT_TRUE(sameImage(canvas, expected)) << "move " << c.n;
  }
}

TEST(MoveLines, RewritingLeavesNoTraceOfTheOldLines) {
  Canvas canvas;
  描画_手数(canvas, 100);
  描画_手数(canvas, 7);
  描画_手数(canvas, 7);
  描画_手数(canvas, 1);
  Canvas once;
  描画_手数(once, 1);
  EXPECT_TRUE(sameImage(canvas, once));
}

TEST(TakenCounts, DigitsEndAtColumnTwentyFourPointEight) {
  Canvas canvas;
  描画_石取得数(canvas, 0, 12);
  // Row 5.8 is pixel 121, row 6.9 pixel 145; column 24.8 is pixel 549, 24.3 pixel 538.
  EXPECT_TRUE(showsPicture(canvas, Picture::SUUJI_0, 549, 121));
  EXPECT_TRUE(showsPicture(canvas, Picture::SUUJI_1, 538, 145));
  EXPECT_TRUE(showsPicture(canvas, Picture::SUUJI_2, 549, 145));
  EXPECT_EQ(cellPx(24.8), 549);
  EXPECT_EQ(cellPx(24.3), 538);
  EXPECT_EQ(cellPy(5.8), 121);
  EXPECT_EQ(cellPy(6.9), 145);
  // Nothing where a second upper digit would go.
  EXPECT_TRUE(allPixels(canvas, 525, 121, 549, 145, background));
}

TEST(TakenCounts, ShorterCountsLeaveNoStaleDigits) {
  Canvas canvas;
  描画_石取得数(canvas, 38, 38);
  描画_石取得数(canvas, 0, 12);
  Canvas fresh;
  描画_石取得数(fresh, 0, 12);
  EXPECT_TRUE(sameImage(canvas, fresh));
}

TEST(SideLabels, IconsAndLabelsReplaceTheOldOnes) {
  Canvas canvas;
  描画_石手番(canvas, "先手", "後手");
  描画_石手番(canvas, "MAN", "COM");
  Canvas fresh;
  描画_石手番(fresh, "MAN", "COM");
  EXPECT_TRUE(sameImage(canvas, fresh));
  // The icons are 22 pixels apart: the lower covers the upper's last row.
  EXPECT_TRUE(showsPicture(canvas, Picture::KUROSOTO, cellPx(21), cellPy(6), 0, 22));
  EXPECT_TRUE(showsPicture(canvas, Picture::SIROSOTO, cellPx(21), cellPy(7)));
  // Each label is written right of its icon, in white.
  for (const double row : {6.1, 7.1}) {
    bool white = false;
    for (int y = cellPy(row); y < cellPy(row) + 15; ++y) {
      for (int x = cellPx(22.1); x < cellPx(22.1) + 40; ++x)
        white = white || canvas.pixel(x, y) == Rgb{255, 255, 255};
    }
    EXPECT_TRUE(white) << row;
  }
}

TEST(Robot, FramesZeroToFourAndNothingElse) {
  for (int frame = 0; frame <= 4; ++frame) {
    Canvas canvas;
    描画_ロボット(canvas, frame);
    EXPECT_TRUE(showsPicture(canvas, robo(frame), 476, 268)) << frame;
  }
  Canvas canvas;
  描画_ロボット(canvas, 1);
  Canvas before;
  描画_ロボット(before, 1);
  for (const int frame : {5, -1, 100})
    描画_ロボット(canvas, frame);
  EXPECT_TRUE(sameImage(canvas, before));
}

TEST(InitialSetup, WipesTheMessageAreaButNotTheTitlePlateOrTheBoard) {
  auto s = std::make_unique<GameState>();
  s->gameMode = modeCom;
  s->moveNumber = 12;
  Canvas canvas;
  drawTitlePlate(canvas);
  描画_石(canvas, 19, 10, cellBlack);
  Canvas expected;
  drawTitlePlate(expected);
  描画_石(expected, 19, 10, cellBlack);

  描画_石手番(canvas, "MAN", "COM");
  描画_石取得数(canvas, 12, 3);
  描画_手数(canvas, 12);
  描画_ロボット(canvas, 2);
  初期設定(*s, canvas);
  EXPECT_TRUE(sameImage(canvas, expected));
  EXPECT_EQ(s->gameMode, modeNone);
  EXPECT_EQ(s->moveNumber, 0);
  EXPECT_EQ(s->board(1, 1), cellWhite);
  EXPECT_TRUE(showsPicture(canvas, Picture::RABERU, 467, 13));
}

// Texts in this language from now on: a catalog's name, or "C" for the texts as written.
void speak(const std::string& language) {
  setenv("LANGUAGE", language.c_str(), 1);
  // Through C, so gettext forgets what it looked up before even where the name stays the same.
  std::setlocale(LC_MESSAGES, "C");
  std::setlocale(LC_MESSAGES, "C.UTF-8");
}

struct Box {
  int x0, y0, x1, y1;
};

// The smallest box holding every pixel that is not the background, in image pixels.
Box inkBox(const Canvas& c) {
  Box box{c.width(), c.height(), 0, 0};
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      if (c.pixel(x, y) == background) continue;
      box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x + 1),
             std::max(box.y1, y + 1)};
    }
  }
  return box;
}

// Each language's panel texts, and the texts as written, at every scale: within the box that is
// wiped to take them away, short of the taken counts beside the labels, and clear of the image's
// right edge, past which a text would be cut.
TEST(PanelTexts, EveryCatalogsTextsStayInTheirPlaces) {
  bindtextdomain(textDomain, ZELKAN_LOCALE_FOLDER);
  bind_textdomain_codeset(textDomain, "UTF-8");
  std::vector<std::string> languages{"C"};
  for (const auto& entry : std::filesystem::directory_iterator(ZELKAN_LOCALE_FOLDER))
    languages.push_back(entry.path().filename().string());
  ASSERT_GT(languages.size(), 1u) << "no catalog in " << ZELKAN_LOCALE_FOLDER;
  struct Place {
    std::function<void(Canvas&)> draw;
    double left, top, right, bottom;  // in cells; a right of 0 is the image's edge
  };
  // The taken counts are wiped from column 23.7, which takes the last pixels of "COM" already;
  // a label may reach no further.
  constexpr double labelsEnd = 23.8;
  constexpr double twipsPerCell = cellWidth;
  const Place places[] = {
      {[](Canvas& c) { 描画_手数(c, 1); }, 20.5, 9, 0, 10 + 300 / twipsPerCell},
      {[](Canvas& c) { 描画_手数(c, 100); }, 20.5, 9, 0, 10 + 300 / twipsPerCell},
      {[](Canvas& c) { 描画_石手番(c, C_("side", "先手"), C_("side", "後手")); }, 21, 5.7,
       labelsEnd, 5.7 + 800 / twipsPerCell},
      {[](Canvas& c) { 描画_石手番(c, C_("side", "MAN"), C_("side", "COM")); }, 21, 5.7, labelsEnd,
       5.7 + 800 / twipsPerCell},
      {[](Canvas& c) { 描画_文字列(c, 21.5, 11.1, _("思考中"), 15, 12); }, 21.5, 11.1,
       21.5 + 1000 / twipsPerCell, 11.1 + 300 / twipsPerCell}};
  for (const std::string& language : languages) {
    speak(language);
    ASSERT_EQ(std::strcmp(_("思考中"), "思考中") == 0, language == "C" || language == "ja")
        << language;
    for (int scale = 1; scale <= 3; ++scale) {
      for (std::size_t i = 0; i < std::size(places); ++i) {
        const Place& p = places[i];
        const Box place{pixelOf(twipsX(p.left)) * scale, pixelOf(twipsY(p.top)) * scale,
                        p.right == 0 ? (clientWidth - 1) * scale : pixelOf(twipsX(p.right)) * scale,
                        pixelOf(twipsY(p.bottom)) * scale};
        Canvas canvas(scale);
        p.draw(canvas);
        const Box ink = inkBox(canvas);
        EXPECT_TRUE(ink.x0 >= place.x0 && ink.y0 >= place.y0 && ink.x1 <= place.x1 &&
                    ink.y1 <= place.y1)
            << language << " text " << i << " at scale " << scale << ": ink " << ink.x0 << ","
            << ink.y0 << " to " << ink.x1 << "," << ink.y1 << ", place " << place.x0 << ","
            << place.y0 << " to " << place.x1 << "," << place.y1;
      }
    }
  }
  // The Japanese catalog gives every text as written, so the move lines are drawn as ever.
  speak("ja");
  Canvas japanese;
  描画_手数(japanese, 100);
  Canvas expected;
  expectedMoveLines(expected, 20.5, 100, 21.9, 0);
  EXPECT_TRUE(sameImage(japanese, expected));
  speak("C");
}

}  // namespace
}  // namespace zelkan
