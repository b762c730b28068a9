#include "view/rules_pages.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <tuple>

#include "core/counts.h"
#include "core/influence.h"
#include "core/judgement.h"
#include "core/move_completion.h"
#include "core/setup.h"
#include "view/coordinates.h"
#include "view/texts.h"

namespace zelkan {
namespace {

// A board with nothing on it but the stones given: rows of a section whose top-left cell is
// (left, top), 'B' black, 'W' white, anything else empty.
Board boardOf(int left, int top, std::initializer_list<std::string_view> rows) {
  Board board;
  for (int x = 1; x <= boardSize; ++x) {
    for (int y = 1; y <= boardSize; ++y)
      board(x, y) = cellEmpty;
  }
  int y = top;
  for (std::string_view row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      const int x = left + static_cast<int>(i);
      if (row[i] == 'B') board(x, y) = cellBlack;
      if (row[i] == 'W') board(x, y) = cellWhite;
    }
    ++y;
  }
  return board;
}

// The state after `colour` moves from (x1, y1) to (x2, y2) on the board, as a game completes a
// move. A diagram's move the rules refuse is a mistake in this file.
struct Played {
  std::unique_ptr<GameState> state;
  MoveRecord record;
};

Played play(const Board& board, Code colour, int x1, int y1, int x2, int y2) {
  Played p{std::make_unique<GameState>(), {}};
  GameState& s = *p.state;
  s.board = board;
  s.turnColour = colour;
  s.otherColour = opposite(colour);
  調査_保存(s, 0);
  p.record = completeMove(s, x1, y1, x2, y2);
  if (!p.record.done) throw std::logic_error("a rules diagram's move is not legal");
  return p;
}

RulesDiagram diagramOf(int left, int top, int columns, int rows, const Board& board) {
  RulesDiagram d;
  d.left = left;
  d.top = top;
  d.columns = columns;
  d.rows = rows;
  d.before = board;
  d.after = board;
  return d;
}

RulesDiagram moveDiagram(int left, int top, int columns, int rows, const Board& board,
                         const Played& p) {
  RulesDiagram d = diagramOf(left, top, columns, rows, board);
  d.after = p.state->board;
  d.moves = true;
  d.fromX = p.record.fromX;
  d.fromY = p.record.fromY;
  d.toX = p.record.toX;
  d.toY = p.record.toY;
  return d;
}

RulesPage boardPage() {
  RulesPage page;
  // TRANSLATORS: the rules window's page titles are short, one line at 15 points.
  page.title = _("盤と並べ方");
  page.text = fill(_("盤は縦横 %d 目です。白は上の 2 段に、黒は下の 2 段に、%d 石ずつ並んで"
                     "始まります。黒が先に動かし、あとは交互に一手に一石ずつ動かします。"),
                   {boardSize, stonesPerSide});
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  page.diagrams.push_back(diagramOf(1, 1, boardSize, 3, s->board));
  page.diagrams.back().caption = _("上の端: 白の 2 段");
  page.diagrams.push_back(diagramOf(1, boardSize - 2, boardSize, 3, s->board));
  page.diagrams.back().caption = _("下の端: 黒の 2 段");
  return page;
}

RulesPage movingPage() {
  RulesPage page;
  page.title = _("石の動かし方");
  page.text =
      _("自分の石を一つ、縦か横にまっすぐ動かします。空いた目の上を好きなだけ滑るか、"
        "一色だけの石の列を跳び越えて、そのすぐ先の空いた目に着きます。色の混じった列"
        "は跳べず、石のある目には着けません。");
  const struct {
    std::array<std::string_view, 3> rows;
    int x1, x2;
    const char* caption;
  } moves[] = {
      {{".......", ".B.....", "......."}, 8, 12, _("滑る: 空いた目の上を進む")},
      {{".......", "BWWW...", "......."}, 7, 11, _("跳ぶ: 相手の石の列を越える")},
      {{".......", "BBB....", "......."}, 7, 10, _("跳ぶ: 自分の石の列も越えられる")},
  };
  for (const auto& m : moves) {
    const Board board = boardOf(7, 9, {m.rows[0], m.rows[1], m.rows[2]});
    page.diagrams.push_back(
        moveDiagram(7, 9, 7, 3, board, play(board, cellBlack, m.x1, 10, m.x2, 10)));
    page.diagrams.back().caption = m.caption;
  }
  return page;
}

RulesPage sandwichPage() {
  RulesPage page;
  page.title = _("挟んで取る");
  page.text =
      _("動かした石と自分の別の石とで、相手の石の列を縦か横にまっすぐ挟むと、その列を"
        "全部取ります。いくつもの向きで一度に取れます。盤の端では挟めません。挟まれた"
        "目に自分から入った石は取られません。");
  const Board one = boardOf(7, 9, {".......", "..WWB..", ".B....."});
  const Played p = play(one, cellBlack, 8, 11, 8, 10);
  page.diagrams.push_back(moveDiagram(7, 9, 7, 3, one, p));
  page.diagrams.back().caption =
      fill(P_("黒が上へ動いて、白 %d 石を挟んで取る", p.record.captures.removalCount),
           {p.record.captures.removalCount});
  const Board two = boardOf(7, 8, {".B.....", ".W.....", "B.WWB..", "......."});
  const Played q = play(two, cellBlack, 7, 10, 8, 10);
  page.diagrams.push_back(moveDiagram(7, 8, 7, 4, two, q));
  page.diagrams.back().caption =
      fill(P_("二つの向きで一度に、白 %d 石を取る", q.record.captures.removalCount),
           {q.record.captures.removalCount});
  return page;
}

RulesPage surroundPage() {
  RulesPage page;
  page.title = _("囲んで取る");
  page.text =
      _("挟んで取った後、動かした石の上下左右に、空いた目に一つも接していない相手の石"
        "のかたまりが残れば、そのかたまりを全部取ります。盤の端は空いた目ではありませ"
        "ん。囲んで取った石は、取られた側の取られ数にも、取った側の取られ数にも数えま"
        "す。");
  const Board board = boardOf(1, 1, {"BWWWB..", ".BB....", ".......", "...B..."});
  const Played p = play(board, cellBlack, 4, 4, 4, 2);
  page.diagrams.push_back(moveDiagram(1, 1, 7, 4, board, p));
  page.diagrams.back().caption =
      fill(P_("黒が盤の隅で白 %d 石を囲んで取る。取られ数は白 %d、黒 %d",
              p.record.captures.removalCount),
           {p.record.captures.removalCount, p.state->whiteLost, p.state->blackLost});
  return page;
}

RulesPage endPage() {
  RulesPage page;
  page.title = _("終局");
  page.text = fill(_("%d 手を指し終えるか、どちらかの石が相手の石の半分以下になったところで"
                     "終局し、判定に移ります。"),
                   {moveLimit});
  const Board board = boardOf(7, 9, {".W....B", "B..WB..", "B....W."});
  const Played p = play(board, cellBlack, 7, 10, 9, 10);
  if (p.record.end != GameEnd::lead) throw std::logic_error("the rules' end diagram goes on");
  page.diagrams.push_back(moveDiagram(7, 9, 7, 3, board, p));
  page.diagrams.back().caption =
      fill(P_("盤の石はこれで全部。黒が白を %d 石取ると、黒 %d 石、白 %d 石。白が黒の半分以下"
              "になり、終局",
              p.record.captures.removalCount),
           {p.record.captures.removalCount, p.record.black, p.record.white});
  return page;
}

RulesPage judgementPage() {
  RulesPage page;
  page.title = _("判定");
  page.text =
      _("盤の石 1 つを 3 点、相手の取られ数 1 つを 2 点、自分の地 1 目を 1 点と数え、"
        "多い方の勝ちです。空いた目は近い石の側の地です。石はまわり 1 目に 3、2 目に 2、"
        "3 目に 1 の力を及ぼし（斜めも数えます）、その目に及ぶ一番強い力の強い側が取り"
        "ます。同じなら、どちらの地でもありません。");
  const Board board = boardOf(1, 1, {"...W", ".B..", "...W", "B.WB"});
  const Played p = play(board, cellBlack, 1, 4, 2, 4);
  page.diagrams.push_back(moveDiagram(1, 1, 7, 7, board, p));
  RulesDiagram& d = page.diagrams.back();
  d.influence = true;
  d.caption =
      fill(P_("黒が白を %d 石取った後の判定。色の付いた空きが地", p.record.captures.removalCount),
           {p.record.captures.removalCount});

  const GameState& s = *p.state;
  Code white = 0;
  Code black = 0;
  調査_石数(s.board, white, black);
  const Influence influence = computeInfluence(s.board);
  const Scores scores = judgePosition(s);
  // TRANSLATORS: the worked example's sums: "Black: stones S x 3 + white's loss tally L x 2 +
  // territory T = N points", and the same for white.
  page.notes = fill(_("黒: 石 %d × 3 + 白の取られ数 %d × 2 + 地 %d = %d 点"),
                    {black, s.whiteLost, influence.blackArea, scores.black}) +
               "\n" +
               fill(_("白: 石 %d × 3 + 黒の取られ数 %d × 2 + 地 %d = %d 点"),
                    {white, s.blackLost, influence.whiteArea, scores.white});
  return page;
}

RulesPage playingPage() {
  RulesPage page;
  page.title = _("遊び方: 対局と操作");
  page.text = fill(
      _("「%s」の「%s」で二人の対局、「%s」の「%s」（黒）か「%s」（白）でコンピュー"
        "タとの対局を始めます。動かす石をクリックし、行き先をクリックします。「%s」"
        "「%s」で手を戻し、また進めます。「%s」の「%s」で初めの局面に戻り、「%s」で"
        "その場の判定を見ます。"),
      {menuName(C_("menu", "対局")), menuName(C_("menu", "対MAN")), menuName(C_("menu", "対COM")),
       menuName(C_("menu", "先手")), menuName(C_("menu", "後手")), menuName(C_("menu", "戻")),
       menuName(C_("menu", "進")), menuName(C_("menu", "局面")), menuName(C_("menu", "最初")),
       menuName(C_("menu", "途中判定"))});
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  const Played p = play(s->board, cellBlack, 3, 18, 3, 16);
  page.diagrams.push_back(moveDiagram(1, 13, 7, 7, s->board, p));
  page.diagrams.back().caption = _("動かす石をクリックして選び（左）、行き先をクリックする（右）");
  return page;
}

RulesPage optionsPage() {
  RulesPage page;
  page.title = _("遊び方: 表示・強さ・キー");
  page.text = fill(_("「%s」の「%s」は、空いた目をどちらの地かで色分けします。「%s」でコンピュー"
                     "タの強さを「%s」「%s」「%s」から選びます。「%s」（H キー）は次の一手の候補"
                     "を示し、「%s」は選んだ石の行ける目に印を付けます。矢印キーでカーソルを動か"
                     "し、Return かスペースでクリックの代わりになります。M キーで手を「D2 D5」の"
                     "ように打ち込めます。画面読み上げには L が直前の手、I が局面、B と W が黒と白"
                     "の石、D が選んだ石の行き先を伝えます。F1 でこの窓を開き、Escape でゲームを"
                     "終えます。"),
                   {menuName(C_("menu", "ｵﾌﾟｼｮﾝ")), menuName(C_("menu", "勢力表示")),
                    menuName(C_("menu", "強さ")), menuName(C_("menu", "弱い")),
                    menuName(C_("menu", "普通")), menuName(C_("menu", "強い")),
                    menuName(C_("menu", "ヒント")), menuName(C_("menu", "移動先表示"))});
  auto s = std::make_unique<GameState>();
  初期設定(*s);
  const Played p = play(s->board, cellBlack, 3, 18, 3, 16);
  page.diagrams.push_back(diagramOf(1, 13, 7, 7, p.state->board));
  page.diagrams.back().influence = true;
  page.diagrams.back().caption =
      fill(_("「%s」の見え方: 黒の地は暗く、白の地は明るく"), {menuName(C_("menu", "勢力表示"))});
  return page;
}

// Page layout, in scale-1 pixels.
constexpr int margin = 14;
constexpr int gap = 10;         // between the parts of a page
constexpr int arrowWidth = 30;  // between a diagram's before and after
constexpr double titlePoints = 15;
constexpr double textPoints = 11;
constexpr Code textColour = cellWhite;

constexpr double twips(int pixels) {
  return pixels * twipsPerPixel;
}

// The scale-1 pixel just past a box's bottom edge in image pixels.
int below(const Canvas& canvas, const PixelBox& box) {
  return (box.y1 + canvas.scale() - 1) / canvas.scale();
}

Picture pictureOf(Code code, Owner owner) {
  if (code == cellBlack) return Picture::KURO;
  if (code == cellWhite) return Picture::SIRO;
  if (owner == Owner::black) return Picture::KARAKURO;
  if (owner == Owner::white) return Picture::KARASIRO;
  return Picture::KARA;
}

// How far the board's frame shows beyond a section's cells on each side: only where the section
// reaches the board's edge, as much as the board shows of it.
struct Rims {
  int left, top, right, bottom;
};

Rims rimsOf(const RulesDiagram& d) {
  return {d.left == 1 ? 8 : 0, d.top == 1 ? 8 : 0, d.left + d.columns - 1 == boardSize ? 7 : 0,
          d.top + d.rows - 1 == boardSize ? 7 : 0};
}

// One board of a diagram with its cell (left, top) at (px, py): the frame where the section
// meets the board's edge, the stone to move picked up on the board before the move, and the
// latest-move mark on the board after it.
void drawSection(Canvas& canvas, const RulesDiagram& d, const Board& board, bool after, int px,
                 int py) {
  const Rims rims = rimsOf(d);
  const double left = twips(px - rims.left);
  const double top = twips(py - rims.top);
  const double width = twips(rims.left + d.columns * diagramPitch + 1 + rims.right);
  const double height = twips(rims.top + d.rows * diagramPitch + 1 + rims.bottom);
  // The four bars where the whole board's frame would have them, each cut to the section.
  const int frameX = px + (1 - d.left) * diagramPitch - 8;
  const int frameY = py + (1 - d.top) * diagramPitch - 8;
  const int far = (boardSize - 1) * diagramPitch + 17;
  for (const auto& [picture, x, y] : {std::tuple{Picture::KARAYOKO, frameX, frameY},
                                      std::tuple{Picture::KARAYOKO, frameX, frameY + far},
                                      std::tuple{Picture::KARATATE, frameX, frameY},
                                      std::tuple{Picture::KARATATE, frameX + far, frameY}})
    canvas.copyPicturePart(picture, twips(x), twips(y), left, top, width, height);

  const bool tinted = d.influence && (after || !d.moves);
  const Influence influence = computeInfluence(board);
  for (int i = 0; i < d.columns; ++i) {
    for (int j = 0; j < d.rows; ++j) {
      const int x = d.left + i;
      const int y = d.top + j;
      const Owner owner = tinted ? influence.owner(x, y) : Owner::none;
      Picture picture = pictureOf(board(x, y), owner);
      if (d.moves && !after && x == d.fromX && y == d.fromY)
        picture = board(x, y) == cellBlack ? Picture::KUROKETU : Picture::SIROKETU;
      canvas.copyPicture(picture, twips(px + i * diagramPitch), twips(py + j * diagramPitch));
    }
  }
  if (d.moves && after) {
    const int i = d.toX - d.left;
    const int j = d.toY - d.top;
    canvas.fillCircle(twips(px + i * diagramPitch) + 150, twips(py + j * diagramPitch) + 150, 50,
                      markColour);
  }
}

}  // namespace

RulesPage rulesPage(int index) {
  switch (index) {
    case 0:
      return boardPage();
    case 1:
      return movingPage();
    case 2:
      return sandwichPage();
    case 3:
      return surroundPage();
    case 4:
      return endPage();
    case 5:
      return judgementPage();
    case 6:
      return playingPage();
    case 7:
      return optionsPage();
    default:
      throw std::out_of_range("no such rules page");
  }
}

RulesLayout drawRulesPage(Canvas& canvas, const RulesPage& page) {
  RulesLayout layout;
  const int pageWidth = canvas.width() / canvas.scale();
  canvas.fillRectangle(0, 0, twips(pageWidth), twips(canvas.height() / canvas.scale()), backColour);
  const int width = pageWidth - 2 * margin;
  const auto text = [&](int x, int y, int w, const std::string& words, double points) {
    layout.texts.push_back(
        canvas.drawWrappedText(twips(x), twips(y), twips(w), words, textColour, points));
    return below(canvas, layout.texts.back());
  };

  int y = text(margin, margin, width, page.title, titlePoints) + gap;
  y = text(margin, y, width, page.text, textPoints) + gap;
  for (const RulesDiagram& d : page.diagrams) {
    const Rims rims = rimsOf(d);
    const int boardWidth = rims.left + d.columns * diagramPitch + 1 + rims.right;
    const int boardHeight = rims.top + d.rows * diagramPitch + 1 + rims.bottom;
    RulesLayout::Boards at{margin + rims.left, y + rims.top, margin + rims.left, y + rims.top};
    drawSection(canvas, d, d.before, false, at.beforeX, at.beforeY);
    int right = margin + boardWidth;
    if (d.moves) {
      // An arrow from the board before to the board after: a sign, the same in every language.
      text(right + 6, y + boardHeight / 2 - 11, arrowWidth, "\u2192", titlePoints);
      at.afterX = right + arrowWidth + rims.left;
      drawSection(canvas, d, d.after, true, at.afterX, at.afterY);
      right = at.afterX - rims.left + boardWidth;
    }
    layout.diagrams.push_back(at);
    const int captionBottom =
        text(right + gap, y, pageWidth - margin - right - gap, d.caption, textPoints);
    y = std::max(y + boardHeight, captionBottom) + gap;
  }
  if (!page.notes.empty()) text(margin, y, width, page.notes, textPoints);
  return layout;
}

}  // namespace zelkan
