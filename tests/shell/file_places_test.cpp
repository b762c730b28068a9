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
  const fs::path kept = "zelkan/games";
  struct Case {
    fs::path program;
    const char *xdgConfigHome, *xdgDataHome, *home;
    fs::path data, settings, catalogs, games;
  };
  const Case cases[] = {
      {portable, "/x", "/d", "/h", portable, portable / "Zelkan.ini", portable / "locale",
       portable / "games"},
      // the program's folder unknown: as started
      {"", "/x", "/d", "/h", "", "Zelkan.ini", "", "games"},
      {bin, "/x/", "/d/", "/h", share, "/x/zelkan/Zelkan.ini", locale, "/d" / kept},
      {bin, "x", "d", "/h", share, "/h/.config/zelkan/Zelkan.ini", locale,
       "/h/.local/share" / kept},
      {bin, "", "", "/h", share, "/h/.config/zelkan/Zelkan.ini", locale, "/h/.local/share" / kept},
      {bin, nullptr, "/d", "h", share, "", locale, "/d" / kept},
      {bin, nullptr, nullptr, nullptr, share, "", locale, ""},
  };
  for (const Case& c : cases) {
    const FilePlaces places = findFilePlaces(c.program, c.xdgConfigHome, c.xdgDataHome, c.home);
    SCOPED_TRACE(c.program.string() + " " + (c.xdgConfigHome ? c.xdgConfigHome : "(unset)"));
    EXPECT_EQ(places.dataFolder, c.data);
    EXPECT_EQ(places.settingsFile, c.settings);
    EXPECT_EQ(places.localeFolder, c.catalogs);
    EXPECT_EQ(places.keptGames, c.games);
  }

  // The config folder and ours are made private; a missing home is not made.
  fs::create_directories(home);
  makeSettingsFolder(findFilePlaces(bin, nullptr, nullptr, home.c_str()));
  makeSettingsFolder(findFilePlaces(bin, nullptr, nullptr, (home / "gone").c_str()));
  for (const fs::path& folder : {home / ".config", home / ".config/zelkan"})
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder;
  EXPECT_FALSE(fs::exists(home / "gone"));
  fs::remove_all(root);
}

}  // namespace
}  // namespace zelkan::test
