// Reading the header of a wave file held in memory, trusting nothing in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zelkan {

// Limits of what the library plays.
inline constexpr int minSampleRate = 1000;
inline constexpr int maxSampleRate = 192000;
inline constexpr int maxChannels = 8;

// The samples of a playable wave file: whole frames of integer PCM, pointing into the image.
struct WaveContent {
  int channels = 0;       // 1 to maxChannels, interleaved
  int sampleRate = 0;     // frames per second
  int bitsPerSample = 0;  // 8 (unsigned), 16 or 32 (signed little-endian)
  const std::uint8_t* frames = nullptr;
  std::size_t bytes = 0;  // a whole number of frames, at least one
};

// The content of the RIFF/WAVE image of `length` bytes at `image`, or nothing when the image is
// truncated, a chunk claims more bytes than there are, the "fmt " or "data" chunk is missing or
// repeated, the format is not integer PCM of 8, 16 or 32 bits, the channel count or sample rate
// is outside the limits, the block size does not match, or there is not one whole frame.
// Never reads outside [image, image + length).
std::optional<WaveContent> readWave(const std::uint8_t* image, std::size_t length);

}  // namespace zelkan
