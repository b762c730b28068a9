// The classic 16-colour palette. Cell codes double as palette indexes (black 0, empty 14,
// white 15), and every colour the drawing takes is an index into this table.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

namespace zelkan {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr std::array<Rgb, 16> palette{{
    {0, 0, 0},        // 0 black
    {0, 0, 128},      // 1 blue
    {0, 128, 0},      // 2 green
    {0, 128, 128},    // 3 cyan
    {128, 0, 0},      // 4 red
    {128, 0, 128},    // 5 magenta
    {128, 128, 0},    // 6 yellow (brown)
    {192, 192, 192},  // 7 light grey
    {128, 128, 128},  // 8 grey: the window background
    {0, 0, 255},      // 9 bright blue
    {0, 255, 0},      // 10 bright green
    {0, 255, 255},    // 11 bright cyan: the latest-move mark
    {255, 0, 0},      // 12 bright red
    {255, 0, 255},    // 13 bright magenta
    {255, 255, 0},    // 14 bright yellow
    {255, 255, 255},  // 15 bright white: panel text
}};

// The colour of a palette index; an index outside 0..15 is a caller's mistake and throws.
inline Rgb paletteColour(int index) {
  if (index < 0 || index >= static_cast<int>(palette.size()))
    throw std::out_of_range("palette index out of range");
  return palette[static_cast<std::size_t>(index)];
}

}  // namespace zelkan
