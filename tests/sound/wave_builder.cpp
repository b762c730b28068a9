#include "tests/sound/wave_builder.h"

namespace zelkan::test {
namespace {

void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& more) {
  out.insert(out.end(), more.begin(), more.end());
}

}  // namespace

WaveBuilder& WaveBuilder::constant(std::int16_t value, int frames) {
  data.clear();
  for (int i = 0; i < frames * channels; ++i)
    putLe(data, static_cast<std::uint16_t>(value), 2);
  return *this;
}

std::vector<std::uint8_t> chunk(const std::string& tag, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> out(tag.begin(), tag.end());
  putLe(out, static_cast<std::uint32_t>(body.size()), 4);
  append(out, body);
  if (body.size() % 2 == 1) out.push_back(0);
  return out;
}

std::vector<std::uint8_t> WaveBuilder::bytes() const {
  std::vector<std::uint8_t> format;
  putLe(format, formatTag, 2);
  putLe(format, channels, 2);
  putLe(format, sampleRate, 4);
  const std::uint16_t align = blockAlign.value_or(channels * bitsPerSample / 8);
  putLe(format, byteRate.value_or(sampleRate * align), 4);
  putLe(format, align, 2);
  putLe(format, bitsPerSample, 2);
  append(format, formatExtra);
  if (formatSize && *formatSize < format.size()) format.resize(*formatSize);
  std::vector<std::uint8_t> formatChunk = {'f', 'm', 't', ' '};
  putLe(formatChunk, formatSize.value_or(static_cast<std::uint32_t>(format.size())), 4);
  append(formatChunk, format);
  if (format.size() % 2 == 1) formatChunk.push_back(0);

  std::vector<std::uint8_t> dataChunk = {'d', 'a', 't', 'a'};
  putLe(dataChunk, dataSize.value_or(static_cast<std::uint32_t>(data.size())), 4);
  append(dataChunk, data);
  if (data.size() % 2 == 1) dataChunk.push_back(0);

  std::vector<std::uint8_t> body(wave.begin(), wave.end());
  append(body, before);
  append(body, dataFirst ? dataChunk : formatChunk);
  append(body, dataFirst ? formatChunk : dataChunk);

  std::vector<std::uint8_t> out(riff.begin(), riff.end());
  putLe(out, riffSize.value_or(static_cast<std::uint32_t>(body.size())), 4);
  append(out, body);
  append(out, after);
  return out;
}

}  // namespace zelkan::test
