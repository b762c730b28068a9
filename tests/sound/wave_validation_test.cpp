// dsCreateDSB reads only the bytes it is given and refuses what it cannot play safely. Each image
// is copied into an allocation of exactly its size, so a read past its end shows up under the
// address sanitizer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "sound/sound_library.h"
#include "tests/sound/disk_audio.h"
#include "tests/sound/wave_builder.h"

namespace zelkan::test {
namespace {

using WaveValidation = DiskAudio;

std::int32_t createExact(std::int32_t device, const std::vector<std::uint8_t>& image,
                         std::int32_t copies = 1) {
  std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[image.size()]);
  if (!image.empty()) std::memcpy(exact.get(), image.data(), image.size());
  return dsCreateDSB(device, exact.get(), image.size(), copies);
}

WaveBuilder valid() {
  WaveBuilder wave;
  wave.constant(1000, 64);
  return wave;
}

std::vector<std::uint8_t> cut(std::vector<std::uint8_t> image, std::size_t length) {
  image.resize(length);
  return image;
}

struct Case {
  const char* what;
  std::vector<std::uint8_t> image;
};

std::vector<Case> refused() {
  const std::vector<std::uint8_t> whole = valid().bytes();
  std::vector<Case> cases = {
      {"empty", {}},
      {"shorter than the RIFF header", cut(whole, 11)},
      {"RIFF header and nothing else", cut(whole, 12)},
      {"cut inside the fmt chunk", cut(whole, 30)},
      {"cut after the data chunk's header", cut(whole, 44)},
      {"cut inside the data", cut(whole, whole.size() - 2)},
  };
  auto add = [&cases](const char* what, auto change) {
    WaveBuilder wave = valid();
    change(wave);
    cases.push_back({what, wave.bytes()});
  };
  add("not RIFF", [](WaveBuilder& w) { w.riff = "RIFX"; });
  add("not WAVE", [](WaveBuilder& w) { w.wave = "AVI "; });
  add("RIFF size beyond the bytes", [](WaveBuilder& w) { w.riffSize = 4 + 24 + 8 + 256 + 1; });
  add("RIFF size huge", [](WaveBuilder& w) { w.riffSize = 0xFFFFFFFF; });
  add("RIFF size below WAVE", [](WaveBuilder& w) { w.riffSize = 3; });
  add("RIFF size ending before the data", [](WaveBuilder& w) { w.riffSize = 4 + 24 + 8 + 100; });
  add("data size beyond the bytes", [](WaveBuilder& w) { w.dataSize = 257; });
  add("data size huge", [](WaveBuilder& w) { w.dataSize = 0xFFFFFFF8; });
  add("data empty", [](WaveBuilder& w) { w.data.clear(); });
  add("data less than one frame", [](WaveBuilder& w) { w.data.resize(3); });
  add("fmt size beyond the bytes", [](WaveBuilder& w) { w.formatSize = 0x7FFFFFFF; });
  add("fmt too short", [](WaveBuilder& w) { w.formatSize = 14; });
  add("float samples",
      [](WaveBuilder& w) { w.formatTag = 3, w.bitsPerSample = 32, w.data.resize(512); });
  add("ADPCM", [](WaveBuilder& w) { w.formatTag = 2; });
  add("extensible format", [](WaveBuilder& w) { w.formatTag = 0xFFFE; });
  add("no channels", [](WaveBuilder& w) { w.channels = 0, w.blockAlign = 2; });
  add("nine channels", [](WaveBuilder& w) { w.channels = 9; });
  add("65535 channels", [](WaveBuilder& w) { w.channels = 0xFFFF; });
  add("sample rate 0", [](WaveBuilder& w) { w.sampleRate = 0; });
  add("sample rate 999", [](WaveBuilder& w) { w.sampleRate = 999; });
  add("sample rate 192001", [](WaveBuilder& w) { w.sampleRate = 192001; });
  add("sample rate 2^32-1", [](WaveBuilder& w) { w.sampleRate = 0xFFFFFFFF; });
  add("0 bits", [](WaveBuilder& w) { w.bitsPerSample = 0; });
  add("4 bits", [](WaveBuilder& w) { w.bitsPerSample = 4; });
  add("12 bits", [](WaveBuilder& w) { w.bitsPerSample = 12; });
  add("24 bits", [](WaveBuilder& w) { w.bitsPerSample = 24, w.data.resize(252); });
  add("64 bits", [](WaveBuilder& w) { w.bitsPerSample = 64; });
  add("block align 0", [](WaveBuilder& w) { w.blockAlign = 0; });
  add("block align too large", [](WaveBuilder& w) { w.blockAlign = 8; });
  {
    WaveBuilder twoFormats = valid();
    twoFormats.before = cut(valid().bytes(), 36);
    twoFormats.before.erase(twoFormats.before.begin(), twoFormats.before.begin() + 12);
    cases.push_back({"two fmt chunks", twoFormats.bytes()});
  }
  {
    WaveBuilder twoData = valid();
    twoData.before = chunk("data", std::vector<std::uint8_t>(8, 0));
    cases.push_back({"two data chunks", twoData.bytes()});
  }
  {
    // Only a LIST chunk where the fmt chunk should be.
    std::vector<std::uint8_t> image = whole;
    std::memcpy(image.data() + 12, "LIST", 4);
    cases.push_back({"no fmt chunk", image});
    image = whole;
    std::memcpy(image.data() + 36, "junk", 4);
    cases.push_back({"no data chunk", image});
  }
  {
    // At 1000 frames a second, 1.6 MB of 8-bit mono grows past 256 MB when played at 44100.
    WaveBuilder huge;
    huge.channels = 1;
    huge.bitsPerSample = 8;
    huge.sampleRate = 1000;
    huge.data.assign(1'600'000, 0x80);
    cases.push_back({"too long once converted", huge.bytes()});
  }
  return cases;
}

TEST_F(WaveValidation, RefusesWhatItCannotPlaySafely) {
  for (const Case& c : refused())
    EXPECT_EQ(createExact(device, c.image), 0) << c.what;
  EXPECT_EQ(dsCreateDSB(device, nullptr, 100, 1), 0) << "no bytes at all";
}

TEST_F(WaveValidation, AcceptsTheVariationsWaveFilesReallyHave) {
  std::vector<Case> cases;
  auto add = [&cases](const char* what, auto change) {
    WaveBuilder wave = valid();
    change(wave);
    cases.push_back({what, wave.bytes()});
  };
  add("plain", [](WaveBuilder&) {});
  add("8-bit mono 8000 Hz", [](WaveBuilder& w) {
    w.channels = 1, w.bitsPerSample = 8, w.sampleRate = 8000, w.data.assign(99, 0x90);
  });
  add("32-bit six channels 192000 Hz", [](WaveBuilder& w) {
    w.channels = 6, w.bitsPerSample = 32, w.sampleRate = 192000, w.data.assign(24 * 50, 1);
  });
  add("eight channels 1000 Hz",
      [](WaveBuilder& w) { w.channels = 8, w.sampleRate = 1000, w.data.assign(16 * 10, 1); });
  add("chunks before fmt, one of odd size",
      [](WaveBuilder& w) { w.before = chunk("LIST", std::vector<std::uint8_t>(7, 'x')); });
  add("data before fmt", [](WaveBuilder& w) { w.dataFirst = true; });
  add("longer fmt chunk", [](WaveBuilder& w) { w.formatExtra = {0, 0}; });
  add("bytes after the RIFF chunk", [](WaveBuilder& w) { w.after.assign(100, 0xEE); });
  add("a part frame at the end", [](WaveBuilder& w) { w.data.resize(w.data.size() + 3); });
  add("byte rate wrong", [](WaveBuilder& w) { w.byteRate = 12345; });
  for (const Case& c : cases) {
    const std::int32_t buffer = createExact(device, c.image, 2);
    EXPECT_NE(buffer, 0) << c.what;
    EXPECT_EQ(dsFree(buffer), 1) << c.what;
  }
  // A data chunk of odd size at the very end may lack its pad byte.
  WaveBuilder odd = valid();
  odd.channels = 1;
  odd.bitsPerSample = 8;
  odd.data.assign(63, 0x90);
  std::vector<std::uint8_t> image = odd.bytes();
  image.pop_back();
  image[4] -= 1;
  EXPECT_NE(createExact(device, image), 0) << "odd data without pad";
}

TEST_F(WaveValidation, CopiesMustBeFrom1To32) {
  const std::vector<std::uint8_t> image = valid().bytes();
  for (std::int32_t copies : {0, -1, 33, INT32_MIN}) {
    EXPECT_EQ(createExact(device, image, copies), 0) << copies;
  }
  for (std::int32_t copies : {1, 32})
    EXPECT_NE(createExact(device, image, copies), 0) << copies;
}

// Seeded random damage to valid images of several formats: bytes flipped, header fields set to
// edge values, images cut short or grown. Whatever comes back, nothing is read out of bounds,
// and what is accepted can be played and freed.
TEST_F(WaveValidation, RandomlyDamagedImagesAreReadSafely) {
  std::mt19937 rng(20240607);
  auto roll = [&rng](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
  };
  std::vector<std::vector<std::uint8_t>> seeds;
  for (int channels : {1, 2, 6}) {
    for (int bits : {8, 16, 32}) {
      WaveBuilder w;
      w.channels = static_cast<std::uint16_t>(channels);
      w.bitsPerSample = static_cast<std::uint16_t>(bits);
      w.sampleRate = channels == 6 ? 8000 : 44100;
      w.data.assign(static_cast<std::size_t>(channels * bits / 8 * 40), 0x40);
      if (channels == 2) w.before = chunk("LIST", std::vector<std::uint8_t>(9, 'i'));
      seeds.push_back(w.bytes());
    }
  }
  const std::uint32_t edges[] = {0,          1,          3,          4,          15,
                                 16,         17,         0x7FFFFFFF, 0x80000000, 0xFFFFFFF7,
                                 0xFFFFFFF8, 0xFFFFFFFF, 44100,      1000,       192000};
  int accepted = 0;
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::uint8_t> image = seeds[roll(seeds.size())];
    const std::size_t changes = 1 + roll(4);
    for (std::size_t c = 0; c < changes; ++c) {
      const std::size_t at = roll(std::min<std::size_t>(image.size(), 72));
      switch (roll(5)) {
        case 0:
          image[at] ^= static_cast<std::uint8_t>(1 + roll(255));
          break;
        case 1: {
          std::uint32_t edge = edges[roll(std::size(edges))];
          if (roll(2) == 0) edge = static_cast<std::uint32_t>(image.size() + roll(9) - 4);
          for (std::size_t b = 0; b < 4 && at + b < image.size(); ++b) {
            image[at + b] = static_cast<std::uint8_t>(edge >> (8 * b));
          }
          break;
        }
        case 2:
          image.resize(roll(image.size() + 1));
          break;
        case 3:
          image.resize(image.size() + roll(16), static_cast<std::uint8_t>(roll(256)));
          break;
        default:
          image[at] = static_cast<std::uint8_t>(roll(256));
      }
      if (image.empty()) break;
    }
    const std::int32_t buffer = createExact(device, image, static_cast<std::int32_t>(1 + roll(3)));
    if (buffer != 0) {
      ++accepted;
      EXPECT_EQ(dsPlay(buffer), 1);
      EXPECT_EQ(dsFree(buffer), 1);
    }
  }
  // Enough damage is harmless (a flipped sample, a grown tail) that both outcomes are exercised.
  EXPECT_GT(accepted, 1000);
  EXPECT_LT(accepted, 19000);
}

}  // namespace
}  // namespace zelkan::test
