// The wrapper over the real library: which files become which buffers, and which failures the
// player is told about.
#include "shell/sound_wrapper.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>

#include "sound/sound_library.h"
#include "tests/sound/disk_audio.h"
#include "tests/sound/scripted_message_box.h"

namespace zelkan::test {
namespace {

const std::vector<std::string> fileNames = {"その他.wav", "禁止.wav", "石打音.wav", "BGM.wav",
                                            "消滅.wav"};

// Each test runs in a folder of its own, as the program runs in its own.
class SoundWrapperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
  }
  void TearDown() override {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
  }

  static void write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  std::vector<std::int32_t> handles() const {
    return {sound.sounds.sndOther, sound.sounds.sndForbidden, sound.sounds.sndStone,
            sound.sounds.sndBgm, sound.sounds.sndVanish};
  }

  static ScriptedMessageBox::Shown soundError(const std::string& text) {
    return {text, "Zelkan.dll", MessageBox::Buttons::ok, MessageBox::Icon::warning};
  }

  DiskOutput output;
  const std::filesystem::path folder = temporaryPath(".d");
  std::filesystem::path previous;
  ScriptedMessageBox box;
  SoundWrapper sound{box};
};

TEST_F(SoundWrapperTest, LoadsTheFiveFilesAsTheirHandlesWithTheirCopies) {
  // Each file a constant of its own, so what sounds tells which file and how many copies.
  const std::vector<std::int16_t> values = {1, 10, 100, 1000, 10000};
  for (std::size_t i = 0; i < fileNames.size(); ++i) {
    write(fileNames[i], constantWave(values[i], 2000));
  }
  sound.startUp(0);
  ASSERT_NE(sound.soundDevice, 0);
  const std::vector<std::int32_t> loaded = handles();
  EXPECT_EQ(std::set<std::int32_t>(loaded.begin(), loaded.end()).size(), 5u);
  EXPECT_EQ(std::count(loaded.begin(), loaded.end(), 0), 0);
  EXPECT_TRUE(box.shown.empty());

  for (std::int32_t handle : loaded) {
    for (int i = 0; i < 4; ++i)
      dsPlay(handle);
    output.waitFrames(6000);  // long enough for every copy to finish
  }
  sound.終了処理();
  EXPECT_EQ(sound.soundDevice, 0);
  EXPECT_EQ(handles(), std::vector<std::int32_t>(5, 0));

  // Three copies each of the effects, one of the music and of the vanishing stones.
  std::set<std::int16_t> heard;
  for (std::int16_t v : output.leftChannel())
    heard.insert(v);
  heard.erase(0);
  const std::set<std::int16_t> possible = {1, 2, 3, 10, 20, 30, 100, 200, 300, 1000, 10000};
  EXPECT_TRUE(std::includes(possible.begin(), possible.end(), heard.begin(), heard.end()));
  for (std::int16_t most : {3, 30, 300, 1000, 10000})
    EXPECT_TRUE(heard.contains(most)) << most;

  // The library was closed: it opens again.
  const std::int32_t again = dsInitialize(0);
  EXPECT_NE(again, 0);
  dsTerminate(again);
  sound.終了処理();  // a second time does nothing
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(SoundWrapperTest, TheFilesBuiltBesideTheProgramAllLoad) {
  const std::filesystem::path beside =
      std::filesystem::read_symlink("/proc/self/exe").parent_path();
  for (const std::string& name : fileNames)
    std::filesystem::copy_file(beside / name, name);
  sound.startUp(0);
  const std::vector<std::int32_t> loaded = handles();
  EXPECT_EQ(std::count(loaded.begin(), loaded.end(), 0), 0);
  EXPECT_TRUE(box.shown.empty());
  dsPlay(sound.sounds.sndStone);
  dsPlayLooping(sound.sounds.sndBgm);
  output.waitFrames(4000);
  sound.終了処理();
  const std::vector<std::int16_t> out = output.leftChannel();
  EXPECT_GT(
      std::count_if(out.begin(), out.end(), [](std::int16_t v) { return std::abs(v) > 1000; }),
      100);
}

TEST_F(SoundWrapperTest, MissingFilesAreSilentlyNotLoaded) {
  std::filesystem::create_symlink("nowhere.wav", "BGM.wav");  // dangling: there is no such file
  sound.startUp(0);
  EXPECT_NE(sound.soundDevice, 0);
  EXPECT_EQ(handles(), std::vector<std::int32_t>(5, 0));
  EXPECT_TRUE(box.shown.empty());
  sound.終了処理();
}

TEST_F(SoundWrapperTest, UnreadableAndEmptyFilesAreReportedInThePlayersWords) {
  write("その他.wav", {});
  std::filesystem::create_directory("禁止.wav");
  std::filesystem::create_symlink("石打音.wav", "石打音.wav");  // a loop that cannot be opened
  write("BGM.wav", {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});  // refused in silence
  write("消滅.wav", constantWave(100, 100));
  sound.startUp(0);
  EXPECT_EQ(handles()[0], 0);
  EXPECT_EQ(handles()[1], 0);
  EXPECT_EQ(handles()[2], 0);
  EXPECT_EQ(handles()[3], 0);
  EXPECT_NE(handles()[4], 0);
  EXPECT_EQ(box.shown,
            (std::vector<ScriptedMessageBox::Shown>{soundError("ファイルが空です。"),
                                                    soundError("ファイルではなくフォルダです。"),
                                                    soundError("リンクが輪になっています。")}));
  sound.終了処理();
}

TEST_F(SoundWrapperTest, NamesThatAreNotRegularFilesReadAsEmptyWithoutWaiting) {
  ASSERT_EQ(mkfifo("その他.wav", 0600), 0);                  // no writer ever comes
  std::filesystem::create_symlink("/dev/zero", "禁止.wav");  // would never end
  write("消滅.wav", constantWave(100, 100));
  sound.startUp(0);
  EXPECT_EQ(handles(), (std::vector<std::int32_t>{0, 0, 0, 0, handles()[4]}));
  EXPECT_NE(handles()[4], 0);
  EXPECT_EQ(box.shown, (std::vector<ScriptedMessageBox::Shown>{soundError("ファイルが空です。"),
                                                               soundError("ファイルが空です。")}));
  sound.終了処理();
}

TEST_F(SoundWrapperTest, AFileWithoutReadPermissionIsReported) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  write("BGM.wav", constantWave(100, 100));
  std::filesystem::permissions("BGM.wav", std::filesystem::perms::none);
  sound.startUp(0);
  EXPECT_EQ(sound.sounds.sndBgm, 0);
  EXPECT_EQ(box.shown, std::vector<ScriptedMessageBox::Shown>{
                           soundError("このファイルを使う許可がありません。")});
  sound.終了処理();
}

TEST_F(SoundWrapperTest, WithoutASoundDeviceOneMessageAndSilence) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  write("その他.wav", {});  // would be reported if there were a device
  write("石打音.wav", constantWave(100, 100));
  sound.startUp(0);
  EXPECT_EQ(sound.soundDevice, 0);
  EXPECT_EQ(handles(), std::vector<std::int32_t>(5, 0));
  EXPECT_EQ(box.shown, std::vector<ScriptedMessageBox::Shown>{
                           soundError("Direct Soundインターフェースが作成できません。")});
  sound.終了処理();
  EXPECT_EQ(box.shown.size(), 1u);
}

}  // namespace
}  // namespace zelkan::test
