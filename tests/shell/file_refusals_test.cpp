// Records that cannot be read, told in the player's words (the sound test meets the rest).
#include "shell/file_refusals.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "files/atomic_file.h"

namespace zelkan::test {
namespace {

TEST(FileRefusals, EachCommonCauseHasItsOwnWords) {
  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "refusals";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("nowhere", folder / "dangling");
  std::ofstream(folder / "large") << std::string(100, 'x');
  for (const auto& [name, words] :
       {std::pair{"pipe", "普通のファイルではありません（パイプや装置など）。"},
        {"dangling", "リンク先のファイルがありません。"},
        {"missing", "ファイルかフォルダがありません。"},
        {"large", "ファイルが大きすぎます。"},
        {"large/below", "パスの途中にフォルダでないものがあります。"}}) {
    std::string bytes;
    EXPECT_EQ(fileRefusal(folder / name, readSmallFile(folder / name, 10, bytes)), words) << name;
  }
  EXPECT_EQ(fileRefusal(folder / "large", EEXIST), "同じ名前のファイルがもうあります。");
  // Another invalid argument, and a cause of no words of ours, stay the system's.
  EXPECT_EQ(fileRefusal(folder / "large", EINVAL), std::strerror(EINVAL));
  EXPECT_EQ(fileRefusal(folder / "large", EXDEV), std::strerror(EXDEV));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace zelkan::test
