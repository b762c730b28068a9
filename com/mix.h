// SplitMix64: the bit mixer behind the search's Zobrist keys and the weak level's seeded choices.
// Small, fast and the same on every machine, so searches and seeded games repeat.
#pragma once

#include <cstdint>

namespace zelkan {

// A well-mixed 64-bit value of x.
constexpr std::uint64_t mix64(std::uint64_t x) {
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

// The next number of the sequence that state walks through.
constexpr std::uint64_t nextMix(std::uint64_t& state) {
  state += 0x9e3779b97f4a7c15ull;
  return mix64(state);
}

}  // namespace zelkan
