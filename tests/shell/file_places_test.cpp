// Where the settings file and the wave files are found, in the two layouts.
#include "shell/file_places.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

namespace zelkan::test {
namespace {

namespace fs = std::filesystem;

TEST(FilePlacesTest, TheSoundLibraryTellsTheLayoutAndXdgRulesPlaceTheSettings) {
  std::string root = ::testing::TempDir() + "zelkan-places-XXXXXX";
  ASSERT_NE(::mkdtemp(root.data()), nullptr);
  const fs::path portable = root + "/portable", bin = root + "/usr/bin", home = root + "/home";
  fs::create_directories(portable);
  std::ofstream(portable / "libZelkan.so") << "";
  const fs::path share = root + "/usr/share/zelkan";
  const fs::path locale = root + "/usr/share/locale";
  const std::tuple<fs::path, const char*, const char*, fs::path, fs::path, fs::path> cases[] = {
      {portable, "/x", "/h", portable, portable / "Zelkan.ini", portable / "locale"},
      {"", "/x", "/h", "", "Zelkan.ini", ""},  // the program's folder unknown: as started
      {bin, "/x/", "/h", share, "/x/zelkan/Zelkan.ini", locale},
      {bin, "x", "/h", share, "/h/.config/zelkan/Zelkan.ini", locale},
      {bin, "", "/h", share, "/h/.config/zelkan/Zelkan.ini", locale},
      {bin, nullptr, "h", share, "", locale},
      {bin, nullptr, nullptr, share, "", locale},
  };
  for (const auto& [program, xdgConfigHome, homeValue, current, settings, catalogs] : cases) {
    const FilePlaces places = findFilePlaces(program, xdgConfigHome, homeValue);
    EXPECT_EQ(places.currentFolder, current) << program;
    EXPECT_EQ(places.settingsFile, settings) << (xdgConfigHome ? xdgConfigHome : "(unset)");
    EXPECT_EQ(places.localeFolder, catalogs) << program;
  }

  // The config folder and ours are made private; a missing home is not made.
  fs::create_directories(home);
  makeSettingsFolder(findFilePlaces(bin, nullptr, home.c_str()));
  makeSettingsFolder(findFilePlaces(bin, nullptr, (home / "gone").c_str()));
  for (const fs::path& folder : {home / ".config", home / ".config/zelkan"})
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder;
  EXPECT_FALSE(fs::exists(home / "gone"));
  fs::remove_all(root);
}

}  // namespace
}  // namespace zelkan::test
