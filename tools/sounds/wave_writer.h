// Writing 16-bit PCM wave files.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zelkan {

// The bytes of a RIFF/WAVE file holding `samples`, 16-bit mono at `sampleRate`.
std::vector<std::uint8_t> monoWave16(std::span<const std::int16_t> samples, int sampleRate);

}  // namespace zelkan
