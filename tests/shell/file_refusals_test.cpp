// Records and settings that cannot be read, told in the player's words.
#include "shell/file_refusals.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "files/atomic_file.h"

namespace zelkan::test {
namespace {

namespace fs = std::filesystem;

TEST(FileRefusals, EachCommonCauseHasItsOwnWords) {
  const fs::path folder = fs::path(testing::TempDir()) / "zelkan-refusals";
  fs::remove_all(folder);
  fs::create_directories(folder / "folder");
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
  fs::create_symlink("nowhere", folder / "dangling");
  fs::create_symlink("loop", folder / "loop");
  std::ofstream(folder / "large") << std::string(100, 'x');
  std::ofstream(folder / "file") << "x";
  const struct {
    const char* name;
    const char* words;
  } cases[] = {
      {"pipe", "普通のファイルではありません（パイプや装置など）。"},
      {"folder", "ファイルではなくフォルダです。"},
      {"dangling", "リンク先のファイルがありません。"},
      {"missing", "ファイルかフォルダがありません。"},
      {"loop", "リンクが輪になっています。"},
      {"large", "ファイルが大きすぎます。"},
      {"file/below", "パスの途中にフォルダでないものがあります。"},
  };
  for (const auto& c : cases) {
    std::string bytes;
    const int error = readSmallFile(folder / c.name, 10, bytes);
    EXPECT_EQ(fileRefusal(folder / c.name, error), c.words) << c.name << ": " << error;
  }
  // Another invalid argument, and a cause of no words of ours, stay the system's.
  EXPECT_EQ(fileRefusal(folder / "file", EINVAL), std::strerror(EINVAL));
  EXPECT_EQ(fileRefusal(folder / "file", EXDEV), std::strerror(EXDEV));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zelkan::test
