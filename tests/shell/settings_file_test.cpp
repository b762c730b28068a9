// "Zelkan.ini" read and written in a folder of each test's own.
#include "shell/settings_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace zelkan::test {
namespace {

namespace fs = std::filesystem;

// The texts in CP932, checked against iconv below. "表" is 95 5C.
const std::string seiryokuOn = "\x90\xa8\x97\xcd\x95\x5c\x8e\xa6=ON";
const std::string seiryokuOff = "\x90\xa8\x97\xcd\x95\x5c\x8e\xa6=OFF";
const std::string defaults = "\x90\xa8\x97\xcd\x95\x5c\x8e\xa6=ON\r\nBGM=OFF\r\n";

std::string cp932(const std::string& utf8) {
  iconv_t convert = ::iconv_open("CP932", "UTF-8");
  EXPECT_NE(convert, reinterpret_cast<iconv_t>(-1));
  std::string in = utf8;
  std::string out(in.size() * 2, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t fromLeft = in.size();
  std::size_t toLeft = out.size();
  EXPECT_NE(::iconv(convert, &from, &fromLeft, &to, &toLeft), static_cast<std::size_t>(-1));
  ::iconv_close(convert);
  out.resize(out.size() - toLeft);
  return out;
}

std::string bytesOf(const fs::path& file) {  // nothing for what is not a file
  if (std::error_code e; !fs::is_regular_file(file, e)) return {};
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

std::set<std::string> namesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename());
  return names;
}

struct stat statusOf(const fs::path& file) {
  struct stat status {};
  EXPECT_EQ(::lstat(file.c_str(), &status), 0) << file;
  return status;
}

bool runningAsRoot() {
  return ::geteuid() == 0;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "zelkan-settings-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    file = folder / "Zelkan.ini";
  }
  void TearDown() override {
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder);
  }

  fs::path folder;
  fs::path file;
};

// ---- Reading ----

TEST_F(SettingsFileTest, LinesAreSplitAtCrAndComparedByteForByte) {
  struct Case {
    const char* what;
    std::string bytes;
    bool line1Read, seiryokuOn, line2Read, bgmOn;
    Level level = Level::normal;
    bool destinations = false;
    bool keepGames = true;
    bool coordinates = false;
  };
  const std::string both = seiryokuOn + "\r\nBGM=ON\r\n";
  const Case cases[] = {
      {"both on", seiryokuOn + "\r\nBGM=ON\r\n", true, true, true, true},
      {"both off", seiryokuOff + "\r\nBGM=OFF\r\n", true, false, true, false},
      {"no line end after line 2", seiryokuOn + "\r\nBGM=ON", true, true, true, true},
      {"CR without LF", seiryokuOn + "\rBGM=ON\r", true, true, true, true},
      {"LF only: one line", seiryokuOn + "\nBGM=ON\n", true, false, false, false},
      {"only one LF is skipped", seiryokuOn + "\r\n\nBGM=ON\r\n", true, true, true, false},
      {"lines swapped", "BGM=ON\r\n" + seiryokuOn + "\r\n", true, false, true, false},
      {"trailing blanks", seiryokuOn + " \r\nBGM=ON \r\n", true, false, true, false},
      {"lowercase", cp932("勢力表示=on") + "\r\nBGM=on\r\n", true, false, true, false},
      {"UTF-8 text", "勢力表示=ON\r\nBGM=ON\r\n", true, false, true, true},
      {"backslash byte missing", "\x90\xa8\x97\xcd\x95\x8e\xa6=ON\r\nBGM=ON\r\n", true, false, true,
       true},
      {"bytes that do not decode", "\x90\xa8\x97\xcd\x95\xff\x80=ON\r\n\x81\xffGM=ON\r\n", true,
       false, true, false},
      {"NUL after the text", seiryokuOn + std::string(1, '\0') + "\r\nBGM=ON\r\n", true, false,
       true, true},
      {"more lines follow", seiryokuOn + "\r\nBGM=ON\r\nBGM=OFF\r\n", true, true, true, true},
      {"blank line 2", seiryokuOn + "\r\n\r\n", true, true, true, false},
      {"one line", seiryokuOn + "\r\n", true, true, false, false},
      {"empty", "", false, false, false, false},
      {"weak", both + cp932("強さ=弱い\r\n"), true, true, true, true, Level::weak},
      {"strong to the end, then more", both + cp932("強さ=強い\rBGM=OFF"), true, true, true, true,
       Level::strong},
      {"normal written out", both + cp932("強さ=普通\r\n"), true, true, true, true},
      {"unknown strength", both + cp932("強さ=最強\r\n"), true, true, true, true},
      {"strength in UTF-8", both + "強さ=強い\r\n", true, true, true, true},
      {"strength cut short", both + cp932("強さ=強"), true, true, true, true},
      {"marks, then strength", both + cp932("移動先表示=ON\r\n強さ=弱い\r\n"), true, true, true,
       true, Level::weak, true},
      {"an unknown line first", both + cp932("色=赤\r\n強さ=強い\r\n"), true, true, true, true,
       Level::strong},
      {"marks off", both + cp932("移動先表示=OFF\r\n"), true, true, true, true},
      {"games not kept", both + cp932("対局を残す=OFF\r\n"), true, true, true, true, Level::normal,
       false, false},
      {"games kept written out", both + cp932("対局を残す=ON\r\n"), true, true, true, true},
      {"names, then games not kept", both + cp932("座標表示=ON\r\n対局を残す=OFF\r\n"), true, true,
       true, true, Level::normal, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    put(file, c.bytes);
    const SettingsFileReading r = readSettingsFile(file);
    EXPECT_EQ(r.line1Read, c.line1Read);
    EXPECT_EQ(r.seiryokuOn, c.seiryokuOn);
    EXPECT_EQ(r.line2Read, c.line2Read);
    EXPECT_EQ(r.bgmOn, c.bgmOn);
    EXPECT_EQ(r.level, c.level);
    EXPECT_EQ(r.destinations, c.destinations);
    EXPECT_EQ(r.keepGames, c.keepGames);
    EXPECT_EQ(r.coordinates, c.coordinates);
    EXPECT_EQ(r.failed(), !c.line2Read);
    EXPECT_EQ(bytesOf(file), c.bytes);  // reading never rewrites
  }
}

TEST_F(SettingsFileTest, WhatIsNotAReadableFileFails) {
  EXPECT_TRUE(readSettingsFile(file).failed());  // missing
  EXPECT_FALSE(readSettingsFile(file).line1Read);

  fs::create_directory(file);
  EXPECT_TRUE(readSettingsFile(file).failed());
  fs::remove(file);

  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);  // must not wait for a writer
  EXPECT_TRUE(readSettingsFile(file).failed());
}

TEST_F(SettingsFileTest, AnUnreadableFileFails) {
  if (runningAsRoot()) GTEST_SKIP() << "root reads every file";
  put(file, defaults);
  fs::permissions(file, fs::perms::none);
  EXPECT_TRUE(readSettingsFile(file).failed());
}

TEST_F(SettingsFileTest, AHugeFileIsReadOnlyAsFarAsTheLimit) {
  // Two good lines ahead of a gigabyte (sparse, so it costs no disk).
  put(file, seiryokuOn + "\r\nBGM=ON\r\n");
  fs::resize_file(file, std::uintmax_t{1} << 30);
  SettingsFileReading r = readSettingsFile(file);
  EXPECT_TRUE(r.seiryokuOn && r.bgmOn && !r.failed());

  // A first line running past the limit: the file counts as cut there, one line long.
  put(file, std::string(settingsReadLimit, 'x') + "\r\nBGM=ON\r\n");
  r = readSettingsFile(file);
  EXPECT_TRUE(r.line1Read);
  EXPECT_FALSE(r.seiryokuOn);
  EXPECT_TRUE(r.failed());
}

// ---- Writing ----

TEST_F(SettingsFileTest, FirstRunWritesTheDefaults) {
  ASSERT_TRUE(readSettingsFile(file).failed());
  ASSERT_TRUE(writeSettingsFile(file, OptionTicks{}));
  EXPECT_EQ(bytesOf(file), defaults);
  EXPECT_EQ(namesIn(folder), std::set<std::string>{"Zelkan.ini"});
}

TEST_F(SettingsFileTest, TheWrittenLinesAreTheCp932OfTheTexts) {
  EXPECT_EQ(defaults, cp932("勢力表示=ON\r\nBGM=OFF\r\n"));
  const std::pair<Level, std::string> levels[] = {
      {Level::normal, ""}, {Level::weak, "強さ=弱い\r\n"}, {Level::strong, "強さ=強い\r\n"}};
  for (const auto& [level, line3] : levels) {
    for (const bool seiryoku : {false, true}) {
      for (const bool bgm : {false, true}) {
        const bool marks = seiryoku && !bgm;
        const bool keep = seiryoku || bgm;
        const bool names = bgm;
        ASSERT_TRUE(writeSettingsFile(file, {seiryoku, bgm, level, marks, keep, names}));
        const std::string expected =
            std::string(seiryoku ? "勢力表示=ON" : "勢力表示=OFF") + "\r\n" +
            (bgm ? "BGM=ON" : "BGM=OFF") + "\r\n" + line3 + (marks ? "移動先表示=ON\r\n" : "") +
            (keep ? "" : "対局を残す=OFF\r\n") + (names ? "座標表示=ON\r\n" : "");
        EXPECT_EQ(bytesOf(file), cp932(expected));
        const SettingsFileReading back = readSettingsFile(file);
        EXPECT_FALSE(back.failed());
        EXPECT_EQ(back.seiryokuOn, seiryoku);
        EXPECT_EQ(back.bgmOn, bgm);
        EXPECT_EQ(back.level, level);
        EXPECT_EQ(back.destinations, marks);
        EXPECT_EQ(back.keepGames, keep);
        EXPECT_EQ(back.coordinates, names);
      }
    }
  }
}

TEST_F(SettingsFileTest, ANewFileGetsTheUsualPermissions) {
  const mode_t previous = ::umask(022);
  const bool written = writeSettingsFile(file, OptionTicks{});
  ::umask(previous);
  ASSERT_TRUE(written);
  EXPECT_EQ(statusOf(file).st_mode & 07777, 0644u);
}

TEST_F(SettingsFileTest, TheOldFileIsReplacedWholeAndKeepsItsPermissions) {
  const std::string old = seiryokuOff + "\r\nBGM=ON\r\n" + std::string(1000, '#');
  put(file, old);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  std::ifstream reader(file, std::ios::binary);  // opened before the write

  ASSERT_TRUE(writeSettingsFile(file, OptionTicks{}));
  EXPECT_EQ(bytesOf(file), defaults);
  EXPECT_EQ(statusOf(file).st_mode & 07777, 0640u);
  EXPECT_EQ(namesIn(folder), std::set<std::string>{"Zelkan.ini"});
  // The new lines came in a new file: whoever had the old one open still sees it whole.
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), old);
}

TEST_F(SettingsFileTest, OnlyALinkToSettingsIsWrittenThrough) {
  fs::create_directory(folder / "real");
  put(folder / "real" / "settings.ini", seiryokuOn + "\r\nBGM=ON\r\n");
  fs::permissions(folder / "real" / "settings.ini", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real/settings.ini", file);

  ASSERT_TRUE(writeSettingsFile(file, OptionTicks{}));
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_EQ(fs::read_symlink(file), "real/settings.ini");
  EXPECT_EQ(bytesOf(folder / "real" / "settings.ini"), defaults);
  EXPECT_EQ(statusOf(folder / "real" / "settings.ini").st_mode & 07777, 0600u);
  EXPECT_EQ(namesIn(folder / "real"), std::set<std::string>{"settings.ini"});
  EXPECT_FALSE(readSettingsFile(file).failed());

  // A link to anything else keeps it whole at start-up, and is replaced when an option changes.
  fs::create_directory(folder / "other");
  fs::create_symlink("loop", folder / "other" / "loop");
  const std::pair<const char*, std::string> others[] = {
      {"notes.txt", "#!/bin/sh\n"},
      {"swapped.ini", "BGM=ON\r\n" + seiryokuOn + "\r\n"},
      {"half.ini", seiryokuOn + "\r\n"},
      {"missing.ini", ""},
      {"", ""},
      {"loop", ""}};
  for (const auto& [name, bytes] : others) {
    SCOPED_TRACE(name);
    fs::remove(file);
    if (!bytes.empty()) put(folder / "other" / name, bytes);
    fs::create_symlink(fs::path("other") / name, file);
    EXPECT_FALSE(writeSettingsDefaults(file));
    EXPECT_TRUE(fs::is_symlink(file));
    ASSERT_TRUE(writeSettingsFile(file, {false, true}));
    EXPECT_EQ(bytesOf(file), seiryokuOff + "\r\nBGM=ON\r\n");
    EXPECT_EQ(bytesOf(folder / "other" / name), bytes);  // no bytes: still no file
  }
}

// A write cut off with its process leaves its new file behind, which the next write removes: an
// unlocked one of ours, or an earlier version's whose process id no process can have. A file its
// writer holds locked stays, and so does an earlier version's of a recent write, whose process
// may run in another process-id namespace.
TEST_F(SettingsFileTest, AWriteRemovesOnlyTheNewFilesOfProcessesGone) {
  const std::string g = "4194304", live = std::to_string(::getppid());  // g: above any process id
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const auto ours = [](const std::string& pid, const char* n) {
    return ".Zelkan.ini." + pid + "." + n + ".tmp";
  };
  fs::create_directory(folder / "sub");
  fs::create_directory(folder / ours(g, "1"));
  fs::create_symlink("sub/" + ours(g, "0"), folder / ours(g, "2"));
  const std::set<std::string> kept{"Zelkan.ini",           "sub",
                                   ours(g, "1"),           ours(g, "2"),
                                   ours(live, "0"),        ours(std::to_string(gone), "0"),
                                   ours(g, "0") + "~",     ours(g, "00"),
                                   ours(g, "100"),         ours("0" + g, "0"),
                                   ".x." + g + ".0.tmp",   ".Zelkan.ini.new1.tmp",
                                   ".Zelkan.ini.new01.tmp"};
  for (const std::string& name : kept)
    if (!fs::exists(folder / name)) put(folder / name, "cut");
  for (const std::string& name : {ours(g, "0"), ours(g, "99"), std::string(".Zelkan.ini.new0.tmp")})
    put(folder / name, "cut");
  const int held = ::open((folder / ".Zelkan.ini.new1.tmp").c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  ASSERT_TRUE(writeSettingsFile(file, OptionTicks{}));
  EXPECT_EQ(namesIn(folder), kept);
  EXPECT_EQ(namesIn(folder / "sub"), std::set<std::string>{ours(g, "0")});
  ::close(held);
}

TEST_F(SettingsFileTest, EveryHardLinkSeesTheNewLines) {
  put(file, seiryokuOn + "\r\nBGM=ON\r\n");
  fs::create_hard_link(file, folder / "other.ini");
  ASSERT_TRUE(writeSettingsFile(file, OptionTicks{}));
  EXPECT_EQ(bytesOf(folder / "other.ini"), defaults);
  EXPECT_EQ(namesIn(folder), (std::set<std::string>{"Zelkan.ini", "other.ini"}));
}

TEST_F(SettingsFileTest, WhatAPlainRewriteCouldNotOpenIsLeftAlone) {
  fs::create_directory(file);
  EXPECT_FALSE(writeSettingsFile(file, OptionTicks{}));
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_EQ(namesIn(folder), std::set<std::string>{"Zelkan.ini"});
  fs::remove(file);

  if (runningAsRoot()) GTEST_SKIP() << "root may write a read-only file";
  put(file, seiryokuOn + "\r\nBGM=ON\r\n");
  fs::permissions(file, fs::perms::owner_read);
  EXPECT_FALSE(writeSettingsFile(file, OptionTicks{}));
  EXPECT_EQ(bytesOf(file), seiryokuOn + "\r\nBGM=ON\r\n");
}

TEST_F(SettingsFileTest, AReadOnlyFolderGetsItsFileRewrittenInPlace) {
  if (runningAsRoot()) GTEST_SKIP() << "root may write in a read-only folder";
  put(file, seiryokuOn + "\r\nBGM=ON\r\n" + std::string(100, '#'));
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_TRUE(writeSettingsFile(file, OptionTicks{}));
  EXPECT_EQ(bytesOf(file), defaults);
  EXPECT_EQ(namesIn(folder), std::set<std::string>{"Zelkan.ini"});
}

// Stand-ins for open(2): O_EXCL marks the writer's new file beside the old one.
struct Refusals {
  bool newFile = false;   // the folder takes no new file
  int failuresLeft = 0;   // opens that fail with EIO before the rest go through
  bool diskFull = false;  // whatever is opened is full
  int opens = 0;
} refuse;

int refusingOpen(const char* path, int flags, unsigned mode) {
  ++refuse.opens;
  if (refuse.failuresLeft > 0) {
    --refuse.failuresLeft;
    errno = EIO;
    return -1;
  }
  if (refuse.newFile && (flags & O_EXCL)) {
    errno = EACCES;
    return -1;
  }
  const int fd = ::open(path, flags, mode);
  if (fd >= 0 && refuse.diskFull) {  // a descriptor that takes no bytes, as on a full disk
    const int readOnly = ::open(path, O_RDONLY);
    EXPECT_EQ(::dup2(readOnly, fd), fd);
    ::close(readOnly);
  }
  return fd;
}

class RefusingSettingsFileTest : public SettingsFileTest {
 protected:
  void SetUp() override {
    SettingsFileTest::SetUp();
    refuse = Refusals{};
    put(file, old);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    oldInode = statusOf(file).st_ino;
  }
  void expectOldFileUntouched() {
    EXPECT_EQ(bytesOf(file), old);
    EXPECT_EQ(namesIn(folder), std::set<std::string>{"Zelkan.ini"});
  }

  const std::string old = seiryokuOff + "\r\nBGM=ON\r\n" + std::string(100, '#');
  ino_t oldInode = 0;
};

TEST_F(RefusingSettingsFileTest, WithoutANewFileTheOldOneIsRewrittenInPlace) {
  refuse.newFile = true;
  ASSERT_TRUE(writeSettingsFile(file, OptionTicks{}, refusingOpen));
  EXPECT_EQ(bytesOf(file), defaults);
  EXPECT_EQ(statusOf(file).st_ino, oldInode);
  EXPECT_EQ(statusOf(file).st_mode & 07777, 0640u);
  EXPECT_EQ(namesIn(folder), std::set<std::string>{"Zelkan.ini"});
}

TEST_F(RefusingSettingsFileTest, AFullDiskOrAFileSizeLimitLeavesTheOldFileWhole) {
  refuse.diskFull = true;
  EXPECT_FALSE(writeSettingsFile(file, OptionTicks{}, refusingOpen));
  expectOldFileUntouched();

  refuse.newFile = true;  // and in place
  EXPECT_FALSE(writeSettingsFile(file, OptionTicks{}, refusingOpen));
  expectOldFileUntouched();

  // Past the limit a write fails (its signal would end this test), in a new file or in place.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  for (const bool newFile : {true, false}) {
    refuse = Refusals{.newFile = newFile};
    rlimit small = saved;
    small.rlim_cur = 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeSettingsFile(file, OptionTicks{}, refusingOpen);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_FALSE(written);
    expectOldFileUntouched();
  }
}

TEST_F(RefusingSettingsFileTest, AFailedWriteIsTriedOnceMore) {
  refuse.failuresLeft = 1;
  EXPECT_TRUE(writeSettingsFile(file, OptionTicks{}, refusingOpen));
  EXPECT_EQ(bytesOf(file), defaults);

  refuse = Refusals{.failuresLeft = 1000};
  EXPECT_FALSE(writeSettingsFile(file, {false, true}, refusingOpen));
  EXPECT_EQ(refuse.opens, 4);  // new file, then in place; twice
  EXPECT_EQ(bytesOf(file), defaults);
}

TEST_F(RefusingSettingsFileTest, WhenNothingCanBeWrittenNothingChanges) {
  refuse.newFile = true;
  refuse.failuresLeft = 1000;
  EXPECT_FALSE(writeSettingsFile(file, OptionTicks{}, refusingOpen));
  expectOldFileUntouched();

  fs::remove(file);
  EXPECT_FALSE(writeSettingsFile(file, OptionTicks{}, refusingOpen));
  EXPECT_TRUE(namesIn(folder).empty());
}

}  // namespace
}  // namespace zelkan::test
