// Where the settings file and the wave files are found, for the two layouts.
#include "shell/file_places.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

namespace zelkan::test {
namespace {

namespace fs = std::filesystem;

TEST(FilePlacesTest, TheLayoutFollowsTheSoundLibraryAndTheSettingsTheXdgRules) {
  std::string root = ::testing::TempDir() + "zelkan-places-XXXXXX";
  ASSERT_NE(::mkdtemp(root.data()), nullptr);
  const fs::path portable = fs::path(root) / "portable";
  fs::create_directories(portable);
  std::ofstream(portable / "libZelkan.so") << "";
  const fs::path bin = fs::path(root) / "usr/bin";
  struct Case {
    fs::path program;
    const char* xdgConfigHome;
    const char* home;
    fs::path currentFolder, settingsFile;
  };
  const fs::path share = fs::path(root) / "usr/share/zelkan";
  const Case cases[] = {
      {portable, "/x", "/h", portable, "Zelkan.ini"},
      {"", "/x", "/h", "", "Zelkan.ini"},  // the program's folder unknown: as started
      {bin, "/x/", "/h", share, "/x/zelkan/Zelkan.ini"},
      {bin, "x", "/h", share, "/h/.config/zelkan/Zelkan.ini"},
      {bin, "", "/h", share, "/h/.config/zelkan/Zelkan.ini"},
      {bin, nullptr, "h", share, ""},
      {bin, nullptr, nullptr, share, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program.string() + " " + (c.xdgConfigHome ? c.xdgConfigHome : "(unset)"));
    const FilePlaces places = findFilePlaces(c.program, c.xdgConfigHome, c.home);
    EXPECT_EQ(places.currentFolder, c.currentFolder);
    EXPECT_EQ(places.settingsFile, c.settingsFile);
  }

  // The config folder and ours are made private; a missing home is not made.
  const fs::path home = fs::path(root) / "home";
  fs::create_directories(home);
  makeSettingsFolder(findFilePlaces(bin, nullptr, home.c_str()));
  makeSettingsFolder(findFilePlaces(bin, nullptr, (home / "gone").c_str()));
  for (const fs::path& folder : {home / ".config", home / ".config/zelkan"}) {
    struct stat status {};
    ASSERT_EQ(::stat(folder.c_str(), &status), 0) << folder;
    EXPECT_EQ(status.st_mode & 0777, 0700u) << folder;
  }
  EXPECT_FALSE(fs::exists(home / "gone"));
  fs::remove_all(root);
}

}  // namespace
}  // namespace zelkan::test
