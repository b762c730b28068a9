#include "sound/wave_file.h"

#include <cstring>

namespace zelkan {
namespace {

std::uint32_t le16(const std::uint8_t* p) {
  return p[0] | p[1] << 8;
}

std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool tagIs(const std::uint8_t* p, const char (&tag)[5]) {
  return std::memcmp(p, tag, 4) == 0;
}

constexpr std::uint32_t formatPcm = 1;
constexpr std::size_t chunkHeader = 8;
constexpr std::size_t minFormatChunk = 16;

// The "fmt " chunk's fields into `content`; false when the format is not one we play.
bool readFormat(const std::uint8_t* chunk, WaveContent& content) {
  const std::uint32_t formatTag = le16(chunk);
  const std::uint32_t channels = le16(chunk + 2);
  const std::uint32_t sampleRate = le32(chunk + 4);
  const std::uint32_t blockAlign = le16(chunk + 12);
  const std::uint32_t bits = le16(chunk + 14);
  if (formatTag != formatPcm) return false;
  if (bits != 8 && bits != 16 && bits != 32) return false;
  if (channels < 1 || channels > maxChannels) return false;
  if (sampleRate < minSampleRate || sampleRate > maxSampleRate) return false;
  if (blockAlign != channels * bits / 8) return false;
  content.channels = static_cast<int>(channels);
  content.sampleRate = static_cast<int>(sampleRate);
  content.bitsPerSample = static_cast<int>(bits);
  return true;
}

}  // namespace

std::optional<WaveContent> readWave(const std::uint8_t* image, std::size_t length) {
  if (image == nullptr || length < 12) return std::nullopt;
  if (!tagIs(image, "RIFF") || !tagIs(image + 8, "WAVE")) return std::nullopt;
  const std::size_t riffSize = le32(image + 4);
  if (riffSize < 4 || riffSize > length - 8) return std::nullopt;
  const std::size_t end = 8 + riffSize;  // bytes after the RIFF chunk are not ours to read

  WaveContent content;
  bool haveFormat = false;
  const std::uint8_t* data = nullptr;
  std::size_t dataSize = 0;
  std::size_t pos = 12;
  while (end - pos >= chunkHeader) {
    const std::uint8_t* chunk = image + pos;
    const std::size_t size = le32(chunk + 4);
    if (size > end - pos - chunkHeader) return std::nullopt;
    const std::uint8_t* body = chunk + chunkHeader;
    if (tagIs(chunk, "fmt ")) {
      if (haveFormat || size < minFormatChunk || !readFormat(body, content)) return std::nullopt;
      haveFormat = true;
    } else if (tagIs(chunk, "data")) {
      if (data != nullptr) return std::nullopt;
      data = body;
      dataSize = size;
    }
    // Chunks of odd size are followed by a pad byte, which a file may leave off at its end.
    pos += chunkHeader + size;
    if (size % 2 == 1 && pos < end) ++pos;
  }
  if (!haveFormat || data == nullptr) return std::nullopt;

  const std::size_t frameBytes = static_cast<std::size_t>(content.channels) *
                                 static_cast<std::size_t>(content.bitsPerSample / 8);
  content.frames = data;
  content.bytes = dataSize - dataSize % frameBytes;  // a trailing part frame is not played
  if (content.bytes == 0) return std::nullopt;
  return content;
}

}  // namespace zelkan
