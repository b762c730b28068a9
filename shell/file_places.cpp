#include "shell/file_places.h"

#include <sys/stat.h>

#include "shell/settings_file.h"

namespace zelkan {
namespace {

namespace fs = std::filesystem;

bool usable(const char* value) {
  return value != nullptr && fs::path(value).is_absolute();
}

// $VARIABLE when it is usable, or `fallback` under the home folder; empty when neither is.
fs::path xdgFolder(const char* variable, const char* home, const char* fallback) {
  if (usable(variable)) return fs::path(variable).lexically_normal();
  if (usable(home)) return (fs::path(home) / fallback).lexically_normal();
  return {};
}

}  // namespace

FilePlaces findFilePlaces(const fs::path& programFolder, const char* xdgConfigHome,
                          const char* xdgDataHome, const char* home) {
  constexpr const char* keptGamesFolder = "games";
  std::error_code error;
  if (programFolder.empty()) return {{}, settingsFileName, {}, keptGamesFolder, false};
  if (fs::exists(programFolder / ZELKAN_SOUND_LIBRARY, error)) {
    return {programFolder, programFolder / settingsFileName, programFolder / "locale",
            programFolder / keptGamesFolder, false};
  }
  FilePlaces places{(programFolder / ZELKAN_DATA_FROM_PROGRAM).lexically_normal(),
                    {},
                    (programFolder / ZELKAN_LOCALE_FROM_PROGRAM).lexically_normal(),
                    {},
                    true};
  if (const fs::path config = xdgFolder(xdgConfigHome, home, ".config"); !config.empty())
    places.settingsFile = config / "zelkan" / settingsFileName;
  if (const fs::path data = xdgFolder(xdgDataHome, home, ".local/share"); !data.empty())
    places.keptGames = data / "zelkan" / keptGamesFolder;
  return places;
}

void makeSettingsFolder(const FilePlaces& places) {
  if (!places.installed || places.settingsFile.empty()) return;
  const fs::path folder = places.settingsFile.parent_path();
  ::mkdir(folder.parent_path().c_str(), 0700);
  ::mkdir(folder.c_str(), 0700);
}

}  // namespace zelkan
