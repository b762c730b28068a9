// Wave file images for the tests, with every header field open to be set wrong on purpose.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelkan::test {

struct WaveBuilder {
  std::string riff = "RIFF";
  std::string wave = "WAVE";
  std::uint16_t formatTag = 1;
  std::uint16_t channels = 2;
  std::uint32_t sampleRate = 44100;
  std::uint16_t bitsPerSample = 16;
  std::optional<std::uint16_t> blockAlign;  // by default what the format gives
  std::optional<std::uint32_t> byteRate;    // by default what the format gives
  std::optional<std::uint32_t> riffSize;    // by default what the chunks give
  std::vector<std::uint8_t> formatExtra;    // bytes after the 16 of plain PCM
  std::optional<std::uint32_t> formatSize;  // by default the fmt body's length; a smaller
                                            // size also cuts the body short
  std::optional<std::uint32_t> dataSize;    // by default the data's length
  std::vector<std::uint8_t> before;         // chunks ahead of "fmt "
  std::vector<std::uint8_t> data;           // the "data" chunk's bytes
  bool dataFirst = false;                   // "data" ahead of "fmt "
  std::vector<std::uint8_t> after;          // bytes after the RIFF chunk

  // `frames` frames in which every sample is `value` (16-bit only).
  WaveBuilder& constant(std::int16_t value, int frames);

  std::vector<std::uint8_t> bytes() const;
};

// A chunk of the given tag and body, padded to an even length.
std::vector<std::uint8_t> chunk(const std::string& tag, const std::vector<std::uint8_t>& body);

}  // namespace zelkan::test
