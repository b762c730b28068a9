// The five committed wave files: what the generator makes, copied beside the program, and
// free of clicks where they start, end or loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tools/sounds/game_sounds.h"
#include "tools/sounds/wave_writer.h"

namespace zelkan::test {
namespace {

const std::filesystem::path committed = ZELKAN_SOUNDS_DIR;
constexpr std::size_t headerBytes = 44;

const std::vector<std::string> fileNames = {"その他.wav", "禁止.wav", "石打音.wav", "BGM.wav",
                                            "消滅.wav"};

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
  std::error_code error;
  std::vector<std::uint8_t> bytes(std::filesystem::file_size(path, error));
  std::ifstream(path, std::ios::binary)
      .read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

std::vector<std::int16_t> samplesOf(const std::vector<std::uint8_t>& file) {
  std::vector<std::int16_t> out;
  for (std::size_t i = headerBytes; i + 1 < file.size(); i += 2) {
    out.push_back(static_cast<std::int16_t>(file[i] | file[i + 1] << 8));
  }
  return out;
}

TEST(WaveFiles, TheCommittedFilesAreWhatTheGeneratorMakes) {
  const std::vector<GameSound> sounds = gameSounds();
  ASSERT_EQ(sounds.size(), fileNames.size());
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    const GameSound& sound = sounds[i];
    SCOPED_TRACE(sound.fileName);
    EXPECT_EQ(sound.fileName, fileNames[i]);
    const std::vector<std::uint8_t> made = monoWave16(sound.samples, sound.sampleRate);
    const std::vector<std::uint8_t> file = readFile(committed / sound.fileName);
    ASSERT_EQ(file.size(), made.size());
    EXPECT_TRUE(std::equal(made.begin(), made.begin() + headerBytes, file.begin()));
    // A different maths library may round a last bit differently.
    const std::vector<std::int16_t> a = samplesOf(made), b = samplesOf(file);
    std::size_t off = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
      off += std::abs(a[i] - b[i]) > 1;
    EXPECT_EQ(off, 0u) << "remake the files with zelkan-sounds assets/sounds";
  }
}

TEST(WaveFiles, TheBuildCopiesThemBesideTheProgram) {
  const std::filesystem::path beside =
      std::filesystem::read_symlink("/proc/self/exe").parent_path();
  for (const std::string& name : fileNames) {
    EXPECT_EQ(readFile(beside / name), readFile(committed / name)) << name;
  }
}

// The largest step between neighbouring samples that a few in a thousand reach.
int usualStep(const std::vector<std::int16_t>& s) {
  std::vector<int> steps;
  for (std::size_t i = 1; i < s.size(); ++i)
    steps.push_back(std::abs(s[i] - s[i - 1]));
  std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
  return steps[steps.size() * 99 / 100];
}

TEST(WaveFiles, EffectsFadeInAndOutAndTheMusicLoopsWithoutAStep) {
  for (const std::string& name : fileNames) {
    SCOPED_TRACE(name);
    const std::vector<std::int16_t> s = samplesOf(readFile(committed / name));
    ASSERT_GT(s.size(), 1000u);
    if (name == "BGM.wav") {
      EXPECT_EQ(s.size(), static_cast<std::size_t>(musicLoop));
      EXPECT_LE(std::abs(s.front() - s.back()), usualStep(s));
    } else {
      EXPECT_LE(std::abs(s.front()), 100);
      EXPECT_EQ(s.back(), 0);
    }
  }
}

}  // namespace
}  // namespace zelkan::test
