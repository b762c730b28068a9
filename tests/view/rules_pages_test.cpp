#include "view/rules_pages.h"

#include <gtest/gtest.h>
#include <libintl.h>

#include <clocale>
#include <filesystem>
#include <iostream>
#include <memory>
#include <regex>

#include "canvas_checks.h"
#include "core/influence.h"
#include "core/move_completion.h"
#include "view/readings.h"
#include "view/texts.h"

namespace zelkan {
namespace {

using test::showsPicture;

void speak(const std::string& language) {
  setenv("LANGUAGE", language.c_str(), 1);
  std::setlocale(LC_MESSAGES, "C");
  std::setlocale(LC_MESSAGES, "C.UTF-8");
}

// The board a diagram's move leaves, as a game would make it.
Board played(const RulesDiagram& d) {
  auto s = std::make_unique<GameState>();
  s->board = d.before;
  s->turnColour = d.before(d.fromX, d.fromY);
  s->otherColour = opposite(s->turnColour);
  EXPECT_TRUE(completeMove(*s, d.fromX, d.fromY, d.toX, d.toY).done);
  return s->board;
}

// Every page in every catalog's language and as written, at scales 1 and 2: every text lies
// within the image, past whose edges it would be cut, and every diagram's boards show the rules'
// own positions, the after board the one the move leaves. Scale 1's pages are written out to be
// looked at.
TEST(RulesPages, EveryPageFitsAndShowsThePositionsTheRulesPlay) {
  bindtextdomain(textDomain, ZELKAN_LOCALE_FOLDER);
  bind_textdomain_codeset(textDomain, "UTF-8");
  std::vector<std::string> languages{"C"};
  for (const auto& entry : std::filesystem::directory_iterator(ZELKAN_LOCALE_FOLDER))
    languages.push_back(entry.path().filename().string());
  std::filesystem::create_directories(ZELKAN_RULES_OUTPUT);
  for (const std::string& language : languages) {
    speak(language);
    for (int index = 0; index < rulesPageCount; ++index) {
      const RulesPage page = rulesPage(index);
      EXPECT_FALSE(page.diagrams.empty());
      // Every fill-in filled, and every count of stones in the form its number takes.
      std::string texts = page.text + page.notes;
      for (const RulesDiagram& d : page.diagrams)
        texts += "\n" + d.caption;
      EXPECT_EQ(texts.find('%'), std::string::npos) << language << ": " << texts;
      EXPECT_FALSE(std::regex_search(
          texts, std::regex(R"((\b1 white stones|\b([02-9]|\d\d+) white stone\b))")))
          << language << ": " << texts;
      if (index == 5 && (language == "C" || language == "ja")) {
        EXPECT_EQ(page.diagrams[0].caption, "黒が白を 1 石取った後の判定。色の付いた空きが地");
      }
      // Read aloud: the title first, every diagram's caption, and no stone unnamed.
      const std::string reading = rulesPageReading(page);
      EXPECT_TRUE(reading.starts_with(page.title + "\n" + page.text));
      for (const RulesDiagram& d : page.diagrams)
        EXPECT_NE(reading.find(d.caption), std::string::npos) << language << " " << index;
      if (index == 2 && (language == "C" || language == "ja")) std::cout << reading << "\n";
      for (int scale = 1; scale <= 2; ++scale) {
        Canvas canvas(scale);
        const RulesLayout layout = drawRulesPage(canvas, page);
        const std::string where =
            language + " page " + std::to_string(index + 1) + " at scale " + std::to_string(scale);
        if (scale == 1)
          canvas.writePng(std::string(ZELKAN_RULES_OUTPUT) + "/" + language + "-" +
                          std::to_string(index + 1) + ".png");
        for (const PixelBox& box : layout.texts) {
          EXPECT_TRUE(box.x0 >= 0 && box.y0 >= 0 && box.x1 <= canvas.width() &&
                      box.y1 <= canvas.height())
              << where << ": a text reaches " << box.x1 << "," << box.y1;
        }
        for (std::size_t k = 0; k < page.diagrams.size(); ++k) {
          const RulesDiagram& d = page.diagrams[k];
          const RulesLayout::Boards& at = layout.diagrams[k];
          const Board after = d.moves ? played(d) : d.before;
          EXPECT_EQ(after, d.after) << where << " diagram " << k;
          // The worked example's territory lies within its section, where the sums can be checked.
          const Influence held = computeInfluence(after);
          int inside = 0;
          for (int i = 0; i < d.columns; ++i) {
            for (int j = 0; j < d.rows; ++j) {
              const int x = d.left + i;
              const int y = d.top + j;
              const int px = i * diagramPitch;
              const int py = j * diagramPitch;
              if (d.moves && x == d.toX && y == d.toY) continue;  // under the latest-move mark
              const Code code = after(x, y);
              inside += held.owner(x, y) == Owner::black || held.owner(x, y) == Owner::white;
              if (d.influence && code == cellEmpty) continue;  // the tints: the influence map's
              const Picture p = code == cellBlack   ? Picture::KURO
                                : code == cellWhite ? Picture::SIRO
                                                    : Picture::KARA;
              EXPECT_TRUE(showsPicture(canvas, p, at.afterX + px, at.afterY + py, diagramPitch,
                                       diagramPitch, scale))
                  << where << " diagram " << k << " cell " << x << "," << y;
            }
          }
          if (!page.notes.empty()) {
            EXPECT_EQ(inside, held.blackArea + held.whiteArea) << where;
          }
        }
      }
    }
  }
  speak("C");
}

}  // namespace
}  // namespace zelkan
