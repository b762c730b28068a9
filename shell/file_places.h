// Where the game's files live. Two layouts, told apart by where our sound library lies:
// - The portable folder (the build folder or a copy of it): the library beside the program. The
//   program's folder is made current, and the wave files are found there by their bare names,
//   "Zelkan.ini" by its full path.
// - Installed (cmake --install, the Debian package): anything else. The program lies in bin/, the
//   wave files in share/zelkan/, found from the program's own folder so the tree can be moved;
//   that folder is made current, so the wave files keep their bare names. "Zelkan.ini" lives in
//   the user's config folder, $XDG_CONFIG_HOME/zelkan/ or ~/.config/zelkan/, by its full path.
//   Kept games live in the user's data folder, $XDG_DATA_HOME/zelkan/games/ or
//   ~/.local/share/zelkan/games/. Nothing is written beside an installed program.
// In the portable folder kept games live in games/ beside the program.
// The message catalogs lie in locale/ beside the program in the portable folder, and in
// share/locale/ of an installed tree, found from the program's folder too.
#pragma once

#include <filesystem>

namespace zelkan {

struct FilePlaces {
  std::filesystem::path dataFolder;    // the wave files; empty: the folder the game started in
  std::filesystem::path settingsFile;  // empty: nowhere, so the defaults apply, nothing written
  std::filesystem::path localeFolder;  // the catalogs; empty: where the system keeps its own
  std::filesystem::path keptGames;     // the folder of kept games; empty: none are kept
  bool installed = false;
};

// The places for a program lying in `programFolder` (empty when it cannot be told), with the
// values of XDG_CONFIG_HOME, XDG_DATA_HOME and HOME (nullptr when unset). A relative or empty
// value counts as unset, as the XDG rules say.
FilePlaces findFilePlaces(const std::filesystem::path& programFolder, const char* xdgConfigHome,
                          const char* xdgDataHome, const char* home);

// Makes the folder of an installed game's settings file, and the config folder it lies in, where
// they are missing, with mode 0700; nothing further up. Failures are left to the settings writer.
void makeSettingsFolder(const FilePlaces& places);

}  // namespace zelkan
