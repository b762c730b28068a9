#include "view/readings.h"

#include "core/cell_names.h"
#include "view/texts.h"

namespace zelkan {
namespace {

// The cells of a diagram's section that hold `colour` on `board`, by name, a run of three or
// more along a row by its ends ("A19〜T19").
std::string cellsHolding(const RulesDiagram& d, const Board& board, Code colour) {
  std::string names;
  const auto add = [&](const std::string& name) {
    // TRANSLATORS: between the names of cells in a list read to a screen reader: ", ".
    if (!names.empty()) names += _("、");
    names += name;
  };
  for (int y = d.top; y < d.top + d.rows; ++y) {
    for (int x = d.left; x < d.left + d.columns; ++x) {
      if (board(x, y) != colour) continue;
      int end = x;
      while (end + 1 < d.left + d.columns && board(end + 1, y) == colour)
        ++end;
      if (end - x >= 2) {
        // TRANSLATORS: a run of cells along a row read to a screen reader: "A19 to T19".
        // xgettext:c-format
        add(fill(_("%s〜%s"), {cellName(x, y), cellName(end, y)}));
        x = end;
      } else {
        add(cellName(x, y));
      }
    }
  }
  return names;
}

}  // namespace

std::string rulesPageReading(const RulesPage& page) {
  std::string text = page.title + "\n" + page.text;
  for (const RulesDiagram& d : page.diagrams) {
    text += "\n" + d.caption + "\n";
    for (const Code colour : {cellBlack, cellWhite}) {
      const std::string cells = cellsHolding(d, d.before, colour);
      if (cells.empty()) continue;
      // TRANSLATORS: a diagram read to a screen reader: "Black stones: D3, D4. ", "White stones:
      // ...".
      // xgettext:c-format
      text += fill(colour == cellBlack ? _("黒石：%s。") : _("白石：%s。"), {cells});
    }
    if (!d.moves) continue;
    const Code mover = d.before(d.fromX, d.fromY);
    text += fill(mover == cellBlack ? _("黒 %s→%s") : _("白 %s→%s"),
                 {cellName(d.fromX, d.fromY), cellName(d.toX, d.toY)});
    Board taken = d.before;
    for (int y = 1; y <= boardSize; ++y) {
      for (int x = 1; x <= boardSize; ++x)
        taken(x, y) = d.before(x, y) == opposite(mover) && d.after(x, y) == cellEmpty ? 1 : 0;
    }
    const std::string cells = cellsHolding(d, taken, 1);
    // TRANSLATORS: after a diagram's move read to a screen reader: ", taking D5, D6."
    // xgettext:c-format
    text += cells.empty() ? std::string(_("。")) : fill(_("、%s を取る。"), {cells});
  }
  return text + (page.notes.empty() ? "" : "\n" + page.notes);
}

std::string reviewCourse(const std::vector<std::optional<ReviewRow>>& rows) {
  std::string text;
  int leader = 0;  // 1 black, -1 white, 0 neither yet
  const ReviewRow* biggest = nullptr;
  for (const std::optional<ReviewRow>& row : rows) {
    if (!row) continue;
    if (biggest == nullptr || row->loss > biggest->loss) biggest = &*row;
    const int side = row->value > 0 ? 1 : row->value < 0 ? -1 : leader;
    if (side == leader) continue;
    if (!text.empty()) text += _("、");
    // TRANSLATORS: the review graph's course read to a screen reader, where a side takes the lead:
    // "black ahead from move 12", "white ahead from move 61", joined by ", ".
    // xgettext:c-format
    text += fill(side > 0 ? _("%d 手目から黒が優勢") : _("%d 手目から白が優勢"), {row->index + 1});
    leader = side;
  }
  if (biggest == nullptr) return text;
  // TRANSLATORS: the review graph read to a screen reader, with no side ahead: "even".
  if (text.empty()) text = _("互角");
  // TRANSLATORS: ends the review graph's course: "; biggest loss: move 40, 35 points".
  // xgettext:c-format
  return text + fill(_("。最大の損は %d 手目の %d 点"), {biggest->index + 1, biggest->loss});
}

}  // namespace zelkan
