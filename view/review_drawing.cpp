#include "view/review_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
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
constexpr double signPoints = 7.5;

constexpr double twips(int pixels) {
  return pixels * twipsPerPixel;
}

// The class names, as the legend and the list give them.
const char* const classNames[] = {
    // TRANSLATORS: the classes of a move in the review, from the strong level's own choice to
    // one that gives away six stones or more: "best", "good", "inaccuracy", "mistake",
    // "blunder".
    N_("最善"), N_("好手"), N_("緩手"), N_("悪手"), N_("大悪手")};

// A text whose left end is at scale-1 pixel x and whose middle is at row y; gives the pixel
// just past its right end.
int label(Canvas& canvas, int x, int y, const std::string& text, double points, int colour) {
  const PixelBox box = canvas.drawWrappedText(twips(x), twips(y - static_cast<int>(points * 0.8)),
                                              twips(4000), text, colour, points);
  return (box.x1 + canvas.scale() - 1) / canvas.scale();
}

void drawLegend(Canvas& canvas, const ReviewPlot& plot) {
  int x = plot.left;
  for (const MoveClass c : {MoveClass::best, MoveClass::good, MoveClass::inaccuracy,
                            MoveClass::mistake, MoveClass::blunder}) {
    canvas.fillCircle(twips(x + 4), twips(14), 60, moveClassColour(c));
    std::string name = moveClassLabel(c);
    if (*moveClassSign(c) != '\0') name += std::string(" ") + moveClassSign(c);
    x = label(canvas, x + 12, 14, name, labelPoints, textColour) + 16;
  }
}

void drawGraph(Canvas& canvas, const ReviewPicture& picture, const ReviewPlot& plot) {
  const int moves = static_cast<int>(picture.rows.size());
  const int range = reviewRange(picture);
  const int zero = reviewValueY(picture, 0, range);
  canvas.fillRectangle(twips(plot.left), twips(plot.top), twips(plot.right - plot.left),
                       twips(plot.bottom - plot.top), reviewPlotColour);
  canvas.drawLine(twips(plot.left), twips(zero), twips(plot.right - 1), twips(zero), 1, gridColour);
  // TRANSLATORS: the graph's scale at its top and bottom: black, or white, ahead by %d points.
  label(canvas, margin, plot.top + 6, fill(_("黒 +%d"), {range}), labelPoints, textColour);
  label(canvas, margin, plot.bottom - 6, fill(_("白 +%d"), {range}), labelPoints, textColour);
  label(canvas, margin, zero, "0", labelPoints, textColour);
  // Move numbers every ten moves, or every twenty where the columns are narrow.
  const int every = (plot.right - plot.left) / std::max(moves, 1) >= 5 ? 10 : 20;
  for (int k = 0; k < moves; ++k) {
    if (k == 0 || (k + 1) % every == 0) {
      const std::string n = std::to_string(k + 1);
      label(canvas, reviewMoveX(picture, k) - 3 * static_cast<int>(n.size()), plot.bottom + 10, n,
            labelPoints, textColour);
    }
  }

  const auto point = [&](int k) {
    return std::pair{twips(reviewMoveX(picture, k)),
                     twips(reviewValueY(picture, picture.rows[k]->value, range))};
  };
  for (int k = 1; k < moves; ++k) {
    if (!picture.rows[k - 1] || !picture.rows[k]) continue;
    const auto [x0, y0] = point(k - 1);
    const auto [x1, y1] = point(k);
    canvas.drawLine(x0, y0, x1, y1, 1.5, reviewLineColour);
  }
  if (picture.current >= 0 && picture.current <= moves) {
    const double x = twips(reviewMoveX(picture, picture.current));
    canvas.drawLine(x, twips(plot.top), x, twips(plot.bottom - 1), 2, reviewCurrentColour);
  }
  for (int k = 0; k < moves; ++k) {
    if (!picture.rows[k]) continue;
    const auto [x, y] = point(k);
    const MoveClass c = picture.rows[k]->moveClass;
    canvas.fillCircle(x, y, 45, moveClassColour(c));
    // The sign tells the class without its colour: above the mark, or below it near the top.
    const std::string sign = moveClassSign(c);
    if (sign.empty()) continue;
    const int px = reviewMoveX(picture, k) - 2 * static_cast<int>(sign.size());
    const int py = reviewValueY(picture, picture.rows[k]->value, range);
    label(canvas, px, py - 10 >= plot.top + 6 ? py - 10 : py + 10, sign, signPoints,
          moveClassColour(c));
  }
}

}  // namespace

ReviewPlot reviewPlot(const ReviewPicture& picture) {
  return {60, 30, std::max(61, picture.width - margin), std::max(31, picture.height - 24)};
}

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

const char* moveClassSign(MoveClass c) {
  switch (c) {
    case MoveClass::inaccuracy:
      return "?!";
    case MoveClass::mistake:
      return "?";
    case MoveClass::blunder:
      return "??";
    case MoveClass::best:
    case MoveClass::good:
      break;
  }
  return "";
}

const char* moveClassLabel(MoveClass c) {
  return _(classNames[static_cast<int>(c)]);
}

int reviewMoveX(const ReviewPicture& picture, int k) {
  const ReviewPlot plot = reviewPlot(picture);
  const int moves = static_cast<int>(picture.rows.size());
  const int width = plot.right - plot.left;
  if (moves <= 0 || k >= moves) return plot.right - 2;
  return plot.left + (2 * k + 1) * width / (2 * moves);
}

int reviewValueY(const ReviewPicture& picture, int value, int range) {
  const ReviewPlot plot = reviewPlot(picture);
  const int half = (plot.bottom - plot.top) / 2;
  const int zero = plot.top + half;
  const long y = zero - std::lround(static_cast<double>(value) * (half - 3) / std::max(range, 1));
  return static_cast<int>(std::clamp<long>(y, plot.top, plot.bottom - 1));
}

int reviewRange(const ReviewPicture& picture) {
  constexpr int step = 50;
  int most = 0;
  for (const auto& row : picture.rows) {
    if (row) most = std::max(most, std::abs(row->value));
  }
  return std::max(step, (most + step - 1) / step * step);
}

void drawReview(Canvas& canvas, const ReviewPicture& picture) {
  const ReviewPlot plot = reviewPlot(picture);
  canvas.fillRectangle(0, 0, twips(picture.width), twips(picture.height), backColour);
  drawLegend(canvas, plot);
  drawGraph(canvas, picture, plot);
}

std::optional<int> reviewMoveAt(const ReviewPicture& picture, int x, int y) {
  const ReviewPlot plot = reviewPlot(picture);
  const int moves = static_cast<int>(picture.rows.size());
  if (x < plot.left || x >= plot.right || y < plot.top || y >= plot.bottom || moves == 0)
    return std::nullopt;
  const int k = (x - plot.left) * moves / (plot.right - plot.left);
  if (k >= moves || !picture.rows[static_cast<std::size_t>(k)]) return std::nullopt;
  return k;
}

ReviewSummary reviewSummary(const ReviewPicture& picture, int side) {
  ReviewSummary summary;
  long lost = 0;
  const Code colour = side == 0 ? cellBlack : cellWhite;
  for (std::size_t k = 0; k < picture.rows.size(); ++k) {
    const auto& row = picture.rows[k];
    if (!row || row->played.pass || sideOfMove(static_cast<int>(k)) != colour) continue;
    ++summary.moves;
    lost += row->loss;
    summary.inaccuracies += row->moveClass == MoveClass::inaccuracy;
    summary.mistakes += row->moveClass == MoveClass::mistake;
    summary.blunders += row->moveClass == MoveClass::blunder;
  }
  if (summary.moves > 0) summary.averageLoss = static_cast<double>(lost) / summary.moves;
  return summary;
}

std::string reviewSummaryText(const ReviewSummary& summary, int side) {
  char average[32];
  std::snprintf(average, sizeof average, "%.1f", summary.averageLoss);
  // TRANSLATORS: one side's summary above the review's list: the side, its inaccuracies ("?!"),
  // mistakes ("?") and blunders ("??"), and the points it gave away a move on average.
  return fill(_("%s　緩手 ?! %d　悪手 ? %d　大悪手 ?? %d　平均 %s 点損"),
              {side == 0 ? _("黒") : _("白"), summary.inaccuracies, summary.mistakes,
               summary.blunders, std::string(average)});
}

std::vector<int> reviewListed(const ReviewPicture& picture, ReviewShown shown) {
  std::vector<int> listed;
  for (std::size_t k = 0; k < picture.rows.size(); ++k) {
    if (!picture.rows[k]) continue;
    const Code side = sideOfMove(static_cast<int>(k));
    if (shown == ReviewShown::black && side != cellBlack) continue;
    if (shown == ReviewShown::white && side != cellWhite) continue;
    listed.push_back(static_cast<int>(k));
  }
  return listed;
}

}  // namespace zelkan
