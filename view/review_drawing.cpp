#include "view/review_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "view/coordinates.h"
#include "view/texts.h"

namespace zelkan {
namespace {

constexpr int margin = 12;
constexpr int textColour = 15;
constexpr int gridColour = 8;
constexpr double labelPoints = 9;
constexpr double listPoints = 10.5;

constexpr double twips(int pixels) {
  return pixels * twipsPerPixel;
}

// The class names, as the legend and the list give them.
const char* const classNames[] = {
    // TRANSLATORS: the classes of a move in the review, from the strong level's own choice to
    // one that gives away six stones or more: "best", "good", "inaccuracy", "mistake",
    // "blunder".
    N_("最善"), N_("好手"), N_("緩手"), N_("悪手"), N_("大悪手")};

const char* className(MoveClass c) {
  return _(classNames[static_cast<int>(c)]);
}

std::string moveText(const RecordMove& m) {
  // TRANSLATORS: a pass in the review's list, where a side had no move.
  if (m.pass) return _("パス");
  return std::to_string(m.x1) + "," + std::to_string(m.y1) + "\u2192" + std::to_string(m.x2) + "," +
         std::to_string(m.y2);
}

// A text whose left end is at scale-1 pixel x and whose middle is at row y; gives the pixel
// just past its right end.
int label(Canvas& canvas, int x, int y, const std::string& text, double points) {
  const PixelBox box = canvas.drawWrappedText(twips(x), twips(y - static_cast<int>(points * 0.8)),
                                              twips(clientWidth), text, textColour, points);
  return (box.x1 + canvas.scale() - 1) / canvas.scale();
}

void drawLegend(Canvas& canvas) {
  int x = reviewGraphLeft;
  for (const MoveClass c : {MoveClass::best, MoveClass::good, MoveClass::inaccuracy,
                            MoveClass::mistake, MoveClass::blunder}) {
    canvas.fillCircle(twips(x + 4), twips(14), 60, moveClassColour(c));
    x = label(canvas, x + 12, 14, className(c), labelPoints) + 16;
  }
}

void drawGraph(Canvas& canvas, const ReviewPicture& picture) {
  const int moves = static_cast<int>(picture.rows.size());
  const int range = reviewRange(picture);
  const int zero = reviewValueY(0, range);
  canvas.fillRectangle(twips(reviewGraphLeft), twips(reviewGraphTop),
                       twips(reviewGraphRight - reviewGraphLeft),
                       twips(reviewGraphBottom - reviewGraphTop), reviewPlotColour);
  canvas.drawLine(twips(reviewGraphLeft), twips(zero), twips(reviewGraphRight - 1), twips(zero), 1,
                  gridColour);
  // TRANSLATORS: the graph's scale at its top and bottom: black, or white, ahead by %d points.
  label(canvas, margin, reviewGraphTop + 6, fill(_("黒 +%d"), {range}), labelPoints);
  label(canvas, margin, reviewGraphBottom - 6, fill(_("白 +%d"), {range}), labelPoints);
  label(canvas, margin, zero, "0", labelPoints);
  for (int k = 0; k < moves; ++k) {
    if (k == 0 || (k + 1) % 10 == 0) {
      const std::string n = std::to_string(k + 1);
      label(canvas, reviewMoveX(moves, k) - 3 * static_cast<int>(n.size()), reviewGraphBottom + 10,
            n, labelPoints);
    }
  }

  const auto point = [&](int k) {
    return std::pair{twips(reviewMoveX(moves, k)),
                     twips(reviewValueY(picture.rows[k]->value, range))};
  };
  for (int k = 1; k < moves; ++k) {
    if (!picture.rows[k - 1] || !picture.rows[k]) continue;
    const auto [x0, y0] = point(k - 1);
    const auto [x1, y1] = point(k);
    canvas.drawLine(x0, y0, x1, y1, 1.5, reviewLineColour);
  }
  if (picture.current >= 0 && picture.current <= moves) {
    const double x = twips(reviewMoveX(moves, picture.current));
    canvas.drawLine(x, twips(reviewGraphTop), x, twips(reviewGraphBottom - 1), 2,
                    reviewCurrentColour);
  }
  for (int k = 0; k < moves; ++k) {
    if (!picture.rows[k]) continue;
    const auto [x, y] = point(k);
    canvas.fillCircle(x, y, 45, moveClassColour(picture.rows[k]->moveClass));
  }
}

void drawList(Canvas& canvas, const ReviewPicture& picture) {
  const std::vector<int> listed = reviewListed(picture);
  // TRANSLATORS: the heading of the review's list of the moves that lost most, and how many.
  label(canvas, margin, reviewListTop - 12, fill(_("悪手と大悪手: %d"), {listed.size()}),
        listPoints);
  if (picture.done && listed.empty()) {
    label(canvas, margin + 16, reviewListTop + reviewLineHeight / 2, _("悪手も大悪手もありません"),
          listPoints);
  }
  const int first = std::clamp(picture.listFirst, 0, static_cast<int>(listed.size()));
  for (int line = 0; line < reviewListLines; ++line) {
    const std::size_t i = static_cast<std::size_t>(first + line);
    if (i >= listed.size()) break;
    const int k = listed[i];
    const ReviewRow& row = *picture.rows[static_cast<std::size_t>(k)];
    const int y = reviewListTop + line * reviewLineHeight + reviewLineHeight / 2;
    canvas.fillCircle(twips(margin + 4), twips(y), 60, moveClassColour(row.moveClass));
    // Black moves first and the moves alternate, a pass standing for a side that could not move.
    const char* side = k % 2 == 0 ? _("黒") : _("白");
    // TRANSLATORS: a line of the review's list: the move's number, its side and the move played
    // (from column,row to column,row), the strong level's choice, the points given away against
    // it, and the class.
    label(canvas, margin + 16, y,
          fill(_("%d 手目  %s %s   最善 %s   %d 点損  %s"),
               {k + 1, side, moveText(row.played), moveText(row.best), row.loss,
                className(row.moveClass)}),
          listPoints);
  }
}

}  // namespace

int moveClassColour(MoveClass c) {
  switch (c) {
    case MoveClass::best:
      return 10;  // bright green
    case MoveClass::good:
      return 2;  // green
    case MoveClass::inaccuracy:
      return 14;  // bright yellow
    case MoveClass::mistake:
      return 5;  // magenta
    case MoveClass::blunder:
      return 12;  // bright red
  }
  return 10;
}

int reviewMoveX(int moves, int k) {
  const int width = reviewGraphRight - reviewGraphLeft;
  if (moves <= 0 || k >= moves) return reviewGraphRight - 2;
  return reviewGraphLeft + (2 * k + 1) * width / (2 * moves);
}

int reviewValueY(int value, int range) {
  const int half = (reviewGraphBottom - reviewGraphTop) / 2;
  const int zero = reviewGraphTop + half;
  const long y = zero - std::lround(static_cast<double>(value) * (half - 3) / std::max(range, 1));
  return static_cast<int>(std::clamp<long>(y, reviewGraphTop, reviewGraphBottom - 1));
}

int reviewRange(const ReviewPicture& picture) {
  constexpr int step = 50;
  int most = 0;
  for (const auto& row : picture.rows) {
    if (row) most = std::max(most, std::abs(row->value));
  }
  return std::max(step, (most + step - 1) / step * step);
}

std::vector<int> reviewListed(const ReviewPicture& picture) {
  std::vector<int> listed;
  for (std::size_t k = 0; k < picture.rows.size(); ++k) {
    const auto& row = picture.rows[k];
    if (row && row->moveClass >= MoveClass::mistake) listed.push_back(static_cast<int>(k));
  }
  return listed;
}

void drawReview(Canvas& canvas, const ReviewPicture& picture) {
  canvas.fillRectangle(0, 0, twips(clientWidth), twips(clientHeight), backColour);
  drawLegend(canvas);
  drawGraph(canvas, picture);
  drawList(canvas, picture);
}

std::optional<int> reviewMoveAt(const ReviewPicture& picture, int x, int y) {
  const int moves = static_cast<int>(picture.rows.size());
  std::optional<int> k;
  if (x >= reviewGraphLeft && x < reviewGraphRight && y >= reviewGraphTop &&
      y < reviewGraphBottom && moves > 0) {
    k = (x - reviewGraphLeft) * moves / (reviewGraphRight - reviewGraphLeft);
  } else if (y >= reviewListTop && y < reviewListTop + reviewListLines * reviewLineHeight) {
    const std::vector<int> listed = reviewListed(picture);
    const int i = std::max(picture.listFirst, 0) + (y - reviewListTop) / reviewLineHeight;
    if (i < static_cast<int>(listed.size())) k = listed[static_cast<std::size_t>(i)];
  }
  if (!k || *k >= moves || !picture.rows[static_cast<std::size_t>(*k)]) return std::nullopt;
  return k;
}

}  // namespace zelkan
