#include "tests/sound/disk_audio.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "sound/sound_library.h"
#include "tests/sound/wave_builder.h"

namespace zelkan::test {

std::filesystem::path temporaryPath(const std::string& suffix) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::filesystem::temp_directory_path() /
         ("zelkan-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" +
          info->name() + suffix);
}

DiskOutput::DiskOutput() : file(temporaryPath(".raw")) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  // One millisecond per 512 frames rather than the real 12: the tests wait a tenth as long.
  setenv("SDL_DISKAUDIODELAY", "1", 1);
}

DiskOutput::~DiskOutput() {
  std::filesystem::remove(file);
}

std::size_t DiskOutput::writtenFrames() const {
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(file, error);
  return error ? 0 : static_cast<std::size_t>(bytes / 4);
}

void DiskOutput::waitFrames(std::size_t frames) const {
  const std::size_t target = writtenFrames() + frames;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (writtenFrames() < target) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the disk driver stopped writing";
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

std::vector<std::int16_t> DiskOutput::leftChannel() const {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::int16_t> left;
  std::int16_t frame[2];
  while (in.read(reinterpret_cast<char*>(frame), sizeof frame))
    left.push_back(frame[0]);
  return left;
}

void DiskAudio::SetUp() {
  device = dsInitialize(0);
  ASSERT_NE(device, 0) << "the disk driver did not open";
}

void DiskAudio::TearDown() {
  if (device != 0) dsTerminate(device);
}

std::vector<std::int16_t> DiskAudio::finish() {
  dsTerminate(device);
  device = 0;
  return output.leftChannel();
}

std::vector<std::uint8_t> constantWave(std::int16_t value, int frames) {
  return WaveBuilder{}.constant(value, frames).bytes();
}

}  // namespace zelkan::test
