// What the library makes the speaker do, heard through the disk driver. Every test sound is a
// constant, so each written frame tells exactly which voices were sounding.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "sound/sound_library.h"
#include "tests/sound/disk_audio.h"
#include "tests/sound/wave_builder.h"

namespace zelkan::test {
namespace {

using Playback = DiskAudio;

std::int32_t create(std::int32_t device, std::int16_t value, int frames, int copies) {
  const std::vector<std::uint8_t> wave = constantWave(value, frames);
  return dsCreateDSB(device, wave.data(), wave.size(), copies);
}

std::size_t countOf(const std::vector<std::int16_t>& out, std::int16_t value) {
  return static_cast<std::size_t>(std::count(out.begin(), out.end(), value));
}

std::set<std::int16_t> valuesOf(const std::vector<std::int16_t>& out) {
  return {out.begin(), out.end()};
}

TEST_F(Playback, AnEffectSoundsOnceWholeAndReturnsAtOnce) {
  const std::int32_t effect = create(device, 8000, 2000, 1);
  ASSERT_NE(effect, 0);
  EXPECT_EQ(dsPlay(effect), 1);
  waitFrames(8000);
  const std::vector<std::int16_t> out = finish();
  EXPECT_EQ(countOf(out, 8000), 2000u);
  EXPECT_EQ(valuesOf(out), (std::set<std::int16_t>{0, 8000}));
}

TEST_F(Playback, ConvertedSoundsPlayForTheirLength) {
  // 8-bit mono at 22050 Hz: half as many frames as the output plays.
  WaveBuilder wave;
  wave.channels = 1;
  wave.bitsPerSample = 8;
  wave.sampleRate = 22050;
  wave.data.assign(1000, 0xC0);  // unsigned 8-bit: half way up
  const std::vector<std::uint8_t> bytes = wave.bytes();
  const std::int32_t effect = dsCreateDSB(device, bytes.data(), bytes.size(), 1);
  ASSERT_NE(effect, 0);
  dsPlay(effect);
  waitFrames(8000);
  const std::vector<std::int16_t> out = finish();
  const auto loud = std::count_if(out.begin(), out.end(), [](std::int16_t v) { return v > 8000; });
  EXPECT_NEAR(loud, 2000, 40);
}

TEST_F(Playback, MusicGoesOnWhileAnEffectPlays) {
  const std::int32_t music = create(device, 1000, 3000, 1);
  const std::int32_t effect = create(device, 8000, 2000, 3);
  ASSERT_NE(music, 0);
  ASSERT_NE(effect, 0);
  EXPECT_EQ(dsPlayLooping(music), 1);
  waitFrames(5000);
  EXPECT_EQ(dsPlay(effect), 1);
  waitFrames(10000);
  const std::vector<std::int16_t> out = finish();

  // The effect sounded whole, always over the music, and the music was still there after it.
  EXPECT_EQ(countOf(out, 9000), 2000u);
  EXPECT_EQ(countOf(out, 8000), 0u);
  std::set<std::int16_t> heard = valuesOf(out);
  heard.erase(0);  // the music may start before anything is written
  EXPECT_EQ(heard, (std::set<std::int16_t>{1000, 9000}));
  const auto lastEffect = std::find(out.rbegin(), out.rend(), 9000);
  EXPECT_GT(std::count(out.rbegin(), lastEffect, 1000), 5000);
  // Once started, the loop never broke off: no silence between its first and last frame.
  const auto first = std::find(out.begin(), out.end(), 1000);
  const auto last = std::find(out.rbegin(), out.rend(), 1000).base();
  EXPECT_EQ(std::count(first, last, 0), 0);
}

TEST_F(Playback, StopSilencesTheMusicAndLoopingAgainRestartsIt) {
  const std::int32_t music = create(device, 1000, 3000, 2);
  ASSERT_NE(music, 0);
  dsPlayLooping(music);
  EXPECT_EQ(dsPlayLooping(music), 0) << "already repeating: a second copy must not join in";
  waitFrames(5000);
  EXPECT_EQ(dsStop(music), 1);
  waitFrames(5000);
  dsPlayLooping(music);
  waitFrames(5000);
  dsStop(music);
  waitFrames(5000);
  const std::vector<std::int16_t> out = finish();

  EXPECT_EQ(valuesOf(out), (std::set<std::int16_t>{0, 1000}));
  // Two runs of music, each followed by silence.
  int runs = 0;
  for (std::size_t i = 1; i < out.size(); ++i)
    runs += out[i - 1] == 0 && out[i] == 1000;
  runs += out.front() == 1000;
  EXPECT_EQ(runs, 2);
  const auto lastMusic = std::find(out.rbegin(), out.rend(), 1000);
  EXPECT_GT(lastMusic - out.rbegin(), 2000);
}

TEST_F(Playback, VoicesOfOneBufferNeverExceedItsCopies) {
  const std::int32_t three = create(device, 1000, 20000, 3);
  const std::int32_t one = create(device, 10, 20000, 1);
  ASSERT_NE(three, 0);
  ASSERT_NE(one, 0);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(dsPlay(three), 1);
    EXPECT_EQ(dsPlay(one), 1);
  }
  waitFrames(30000);
  const std::vector<std::int16_t> out = finish();
  EXPECT_EQ(*std::max_element(out.begin(), out.end()), 3010);
  EXPECT_GT(countOf(out, 3010), 10000u);
}

TEST_F(Playback, BuffersNeverShareAChannelThoughFreedOnesAreReused) {
  const std::int32_t first = create(device, 1, 20000, 2);
  const std::int32_t music = create(device, 1000, 3000, 1);
  EXPECT_EQ(dsFree(first), 1);
  const std::int32_t effect = create(device, 100, 20000, 3);  // two of its channels were first's
  ASSERT_NE(effect, 0);
  dsPlayLooping(music);
  for (int i = 0; i < 3; ++i)
    dsPlay(effect);
  waitFrames(10000);
  const std::vector<std::int16_t> out = finish();
  EXPECT_GT(countOf(out, 1300), 5000u) << "the three voices and the music sound together";
  EXPECT_EQ(*std::max_element(out.begin(), out.end()), 1300);
}

TEST_F(Playback, TheLibraryKeepsItsOwnCopyOfTheSamples) {
  std::vector<std::uint8_t> wave = constantWave(4000, 2000);
  const std::int32_t effect = dsCreateDSB(device, wave.data(), wave.size(), 1);
  ASSERT_NE(effect, 0);
  std::fill(wave.begin(), wave.end(), 0x55);
  wave.clear();
  wave.shrink_to_fit();
  dsPlay(effect);
  waitFrames(8000);
  const std::vector<std::int16_t> out = finish();
  EXPECT_EQ(countOf(out, 4000), 2000u);
}

TEST_F(Playback, DeadHandlesDoNothing) {
  const std::int32_t effect = create(device, 1000, 20000, 1);
  const std::int32_t freed = create(device, 2000, 20000, 1);
  ASSERT_NE(effect, 0);
  ASSERT_NE(freed, 0);
  EXPECT_EQ(dsFree(freed), 1);
  const std::int32_t again = create(device, 2000, 20000, 1);
  EXPECT_NE(again, freed) << "a freed handle must stay unknown";
  EXPECT_EQ(dsFree(again), 1);

  for (std::int32_t dead : {0, freed, again, device, 12345, -1}) {
    EXPECT_EQ(dsPlay(dead), 0) << dead;
    EXPECT_EQ(dsPlayLooping(dead), 0) << dead;
    EXPECT_EQ(dsStop(dead), 0) << dead;
    EXPECT_EQ(dsFree(dead), 0) << dead;
  }
  const std::vector<std::uint8_t> wave = constantWave(1000, 100);
  for (std::int32_t wrong : {0, effect, device + 1000}) {
    EXPECT_EQ(dsCreateDSB(wrong, wave.data(), wave.size(), 1), 0) << wrong;
    EXPECT_EQ(dsTerminate(wrong), 0) << wrong;
  }
  waitFrames(3000);
  dsPlay(effect);  // the device is still open and the live buffer still plays
  waitFrames(3000);
  const std::vector<std::int16_t> out = finish();
  EXPECT_EQ(valuesOf(out), (std::set<std::int16_t>{0, 1000}));
}

TEST_F(Playback, FreeingAPlayingBufferSilencesIt) {
  const std::int32_t music = create(device, 1000, 3000, 1);
  dsPlayLooping(music);
  waitFrames(5000);
  EXPECT_EQ(dsFree(music), 1);
  waitFrames(5000);
  const std::vector<std::int16_t> out = finish();
  const auto lastMusic = std::find(out.rbegin(), out.rend(), 1000);
  EXPECT_GT(lastMusic - out.rbegin(), 2000);
}

TEST_F(Playback, TerminateReleasesEverythingAndTheDeviceOpensAgain) {
  const std::int32_t effect = create(device, 1000, 2000, 1);
  ASSERT_NE(effect, 0);
  EXPECT_EQ(dsInitialize(0), 0) << "one device at a time";
  const std::int32_t old = device;
  EXPECT_EQ(dsTerminate(device), 1);
  device = 0;
  EXPECT_EQ(dsPlay(effect), 0);
  EXPECT_EQ(dsTerminate(old), 0);

  device = dsInitialize(0);
  ASSERT_NE(device, 0);
  EXPECT_NE(device, old);
  EXPECT_EQ(dsPlay(effect), 0) << "buffers do not outlive their device";
  EXPECT_NE(create(device, 1000, 2000, 1), 0);
}

TEST(NoSoundOutput, InitializeFailsAndEverythingStaysQuiet) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(dsInitialize(0), 0);
  const std::vector<std::uint8_t> wave = constantWave(1000, 100);
  EXPECT_EQ(dsCreateDSB(0, wave.data(), wave.size(), 1), 0);
  EXPECT_EQ(dsPlay(0), 0);
  EXPECT_EQ(dsTerminate(0), 0);
}

}  // namespace
}  // namespace zelkan::test
