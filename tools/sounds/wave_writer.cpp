#include "tools/sounds/wave_writer.h"

#include <string_view>

namespace zelkan {
namespace {

void put(std::vector<std::uint8_t>& out, std::string_view tag) {
  for (const char c : tag)
    out.push_back(static_cast<std::uint8_t>(c));
}

void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> monoWave16(std::span<const std::int16_t> samples, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  const auto rate = static_cast<std::uint32_t>(sampleRate);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  put(out, "RIFF");
  putLe(out, 36 + dataBytes, 4);
  put(out, "WAVE");
  put(out, "fmt ");
  putLe(out, 16, 4);        // chunk size
  putLe(out, 1, 2);         // integer PCM
  putLe(out, 1, 2);         // channels
  putLe(out, rate, 4);      // frames per second
  putLe(out, rate * 2, 4);  // bytes per second
  putLe(out, 2, 2);         // bytes per frame
  putLe(out, 16, 2);        // bits per sample
  put(out, "data");
  putLe(out, dataBytes, 4);
  for (std::int16_t s : samples)
    putLe(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

}  // namespace zelkan
