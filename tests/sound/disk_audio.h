// Tests that listen to the sound library through SDL's disk driver, which writes what it would
// play to a file: 16-bit stereo frames at 44100 Hz, at about ten times the real pace.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zelkan::test {

// A file name in the temporary folder unique to this process and test.
std::filesystem::path temporaryPath(const std::string& suffix);

// The file the disk driver writes for the device opened next. Removed when done with.
class DiskOutput {
 public:
  DiskOutput();
  ~DiskOutput();
  DiskOutput(const DiskOutput&) = delete;
  DiskOutput& operator=(const DiskOutput&) = delete;

  // Waits until the driver has written `frames` frames more than when called.
  void waitFrames(std::size_t frames) const;
  // The left channel of everything written; read it once the device is closed. Sources that
  // play the same value in both channels show it here unchanged.
  std::vector<std::int16_t> leftChannel() const;

  const std::filesystem::path file;

 private:
  std::size_t writtenFrames() const;
};

// Each test with a device of its own, open from the start.
class DiskAudio : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  void waitFrames(std::size_t frames) const { output.waitFrames(frames); }
  // Closes the device and returns what it played.
  std::vector<std::int16_t> finish();

  DiskOutput output;
  std::int32_t device = 0;
};

// A stereo 16-bit wave at 44100 Hz, which the library plays without conversion: every sample of
// it sounds with exactly `value`.
std::vector<std::uint8_t> constantWave(std::int16_t value, int frames);

}  // namespace zelkan::test
