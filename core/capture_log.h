// What a move removed from the board, in the order it was removed.
#pragma once

#include <array>
#include <cstdint>

#include "core/game_state.h"

namespace zelkan {

enum class CaptureKind : std::uint8_t { sandwich, surround };

struct Removal {
  std::int8_t x;
  std::int8_t y;
  Code colour;  // cellBlack or cellWhite: the stone that was there
  CaptureKind kind;
};

// A surround group: removals[first] .. removals[first + count - 1].
struct RemovedGroup {
  std::int16_t first;
  std::int16_t count;
};

// Fixed capacity: a move can never remove more stones than the board holds, nor more groups
// than the moved stone has neighbours.
struct CaptureLog {
  std::array<Removal, boardSize * boardSize> removals;
  int removalCount = 0;
  std::array<RemovedGroup, 4> groups;
  int groupCount = 0;

  void add(int x, int y, Code colour, CaptureKind kind) {
    assert(removalCount < static_cast<int>(removals.size()));
    removals[removalCount++] = {static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), colour,
                                kind};
  }
};

}  // namespace zelkan
