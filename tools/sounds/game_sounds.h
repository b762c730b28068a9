// The five sounds of the game, synthesised. The same program always makes the same samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelkan {

struct GameSound {
  std::string fileName;
  int sampleRate = 0;
  std::vector<std::int16_t> samples;  // mono
};

// The five sounds in the order the game loads them: "その他.wav" (a chime), "禁止.wav" (a soft
// refusal), "石打音.wav" (a stone put down on wood), "BGM.wav" (music that loops without a seam)
// and "消滅.wav" (a sparkle as stones vanish).
std::vector<GameSound> gameSounds();

// The music's loop, in samples. It is made at the rate the sound library mixes at, so it plays
// without resampling, which would smear the seam.
inline constexpr int musicRate = 44100;
inline constexpr int musicBeat = 31500;  // 84 beats a minute
inline constexpr int musicLoop = 32 * musicBeat;

}  // namespace zelkan
