#include "tests/e2e/screen_reading.h"

#include <algorithm>
#include <cmath>

#include "core/game_state.h"
#include "core/influence.h"
#include "tests/view/canvas_checks.h"
#include "view/coordinates.h"
#include "view/palette.h"

namespace zelkan::test {
namespace {

// How a cell shows a picture: not at all, exactly, or with the cyan latest-move mark on it.
enum class Look { no, plain, marked };

Look cellLook(const Canvas& area, Picture picture, int x, int y) {
  const int px = cellPx(x);
  const int py = cellPy(y);
  // The mark is a disc drawn with smooth edges, so its rim blends with the stone below.
  const int markX = pixelOf(twipsX(x) + 150);
  const int markY = pixelOf(twipsY(y) + 150);
  const double markReach = 50.0 / twipsPerPixel + 1.5;
  bool differsUnderMark = false;
  for (int j = cellBandUnread; j < cellPictureSize - cellBandUnread; ++j) {
    for (int i = cellBandUnread; i < cellPictureSize - cellBandUnread; ++i) {
      if (area.pixel(px + i, py + j) == picturePixel(picture, i, j)) continue;
      if (std::hypot(px + i - markX, py + j - markY) > markReach) return Look::no;
      differsUnderMark = true;
    }
  }
  if (area.pixel(markX, markY) == palette[markColour]) return Look::marked;
  return differsUnderMark ? Look::no : Look::plain;
}

// Whether the part of a picture drawn with its top-left at (px, py) that lies inside `box`
// shows on the area.
::testing::AssertionResult showsPictureIn(const Canvas& area, Picture picture, int px, int py,
                                          Box box) {
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) {
      if (!(area.pixel(x, y) == picturePixel(picture, x - px, y - py)))
        return ::testing::AssertionFailure()
               << pictureInfo(picture).name << " differs at (" << x << ", " << y << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

char cellOf(const Canvas& area, int x, int y) {
  struct Kind {
    Picture picture;
    char plain;
    char marked;
  };
  static constexpr Kind kinds[] = {
      {Picture::KARA, '.', '?'},     {Picture::KARAKURO, '+', '?'}, {Picture::KARASIRO, '-', '?'},
      {Picture::KURO, 'B', 'b'},     {Picture::SIRO, 'W', 'w'},     {Picture::KUROKETU, 'S', '?'},
      {Picture::SIROKETU, 'S', '?'},
  };
  for (const Kind& kind : kinds) {
    const Look look = cellLook(area, kind.picture, x, y);
    if (look == Look::plain) return kind.plain;
    if (look == Look::marked) return kind.marked;
  }
  return '?';
}

std::string boardMap(const Canvas& area) {
  std::string map;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x)
      map += cellOf(area, x, y);
    map += '\n';
  }
  return map;
}

char at(const std::string& map, int x, int y) {
  return map[static_cast<std::size_t>((y - 1) * (boardSize + 1) + (x - 1))];
}

long count(const std::string& map, std::string_view looks) {
  return std::ranges::count_if(map, [&](char c) { return looks.find(c) != std::string::npos; });
}

std::string startMap(bool influence) {
  std::string map;
  for (int y = 1; y <= boardSize; ++y) {
    char c = '.';
    if (y <= 2) c = 'W';
    if (y >= 18) c = 'B';
    if (influence && y >= 3 && y <= 5) c = '-';
    if (influence && y >= 15 && y <= 17) c = '+';
    map += std::string(boardSize, c) + '\n';
  }
  return map;
}

std::string positionMap(const Board& board, bool influence) {
  const Influence tints = computeInfluence(board);
  std::string map;
  for (int y = 1; y <= boardSize; ++y) {
    for (int x = 1; x <= boardSize; ++x) {
      const Owner owner = influence ? tints.owner(x, y) : Owner::none;
      map += board(x, y) == cellBlack   ? 'B'
             : board(x, y) == cellWhite ? 'W'
             : owner == Owner::black    ? '+'
             : owner == Owner::white    ? '-'
                                        : '.';
    }
    map += '\n';
  }
  return map;
}

// The bars go top, bottom, left, right, each over the one before.
::testing::AssertionResult showsFrame(const Canvas& area) {
  const int left = pixelOf(twipsX(0.6));
  const int top = pixelOf(twipsY(0.6));
  const int right = pixelOf(twipsX(19.4));
  const int bottom = pixelOf(twipsY(19.4));
  const int bar = pictureInfo(Picture::KARATATE).width;
  const int length = pictureInfo(Picture::KARATATE).height;
  const int cellsLeft = cellPx(1);
  const int cellsTop = cellPy(1);
  const int cellsRight = cellPx(boardSize) + cellPictureSize;
  const int cellsBottom = cellPy(boardSize) + cellPictureSize;
  for (const auto& r : {
           showsPictureIn(area, Picture::KARAYOKO, left, top, {left + bar, top, right, cellsTop}),
           showsPictureIn(area, Picture::KARAYOKO, left, bottom,
                          {left + bar, cellsBottom, right, bottom + bar}),
           showsPictureIn(area, Picture::KARATATE, left, top, {left, top, cellsLeft, top + length}),
           showsPictureIn(area, Picture::KARATATE, right, top,
                          {cellsRight, top, right + bar, top + length}),
       }) {
    if (!r) return r;
  }
  return ::testing::AssertionSuccess();
}

Box boardBox() {
  const int bar = pictureInfo(Picture::KARATATE).width;
  return {pixelOf(twipsX(0.6)), pixelOf(twipsY(0.6)), pixelOf(twipsX(19.4)) + bar,
          pixelOf(twipsY(19.4)) + bar};
}
int titleX() {
  return pixelOf(7000);
}
int titleY() {
  return pixelOf(200);
}
Box titlePlateBox() {
  const PictureInfo& p = pictureInfo(Picture::RABERU);
  return {titleX(), titleY(), titleX() + p.width, titleY() + p.height};
}

int robotX() {
  return cellPx(21.5);
}
int robotY() {
  return cellPy(12.5);
}
Box moveLine(double row) {
  return {cellPx(20.5), cellPy(row), clientWidth, cellPy(row) + 300 / twipsPerPixel};
}

int inkedPixels(const Canvas& area, Box box) {
  int n = 0;
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x)
      n += area.pixel(x, y) == background ? 0 : 1;
  }
  return n;
}

bool sameIn(const Canvas& a, const Canvas& b, Box box) {
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) {
      if (!(a.pixel(x, y) == b.pixel(x, y))) return false;
    }
  }
  return true;
}

}  // namespace zelkan::test
