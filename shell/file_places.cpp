#include "shell/file_places.h"

#include <sys/stat.h>

#include "shell/settings_file.h"

namespace zelkan {
namespace {

namespace fs = std::filesystem;

bool usable(const char* value) {
  return value != nullptr && fs::path(value).is_absolute();
}

}  // namespace

FilePlaces findFilePlaces(const fs::path& programFolder, const char* xdgConfigHome,
                          const char* home) {
  std::error_code error;
  if (programFolder.empty()) return {{}, settingsFileName, {}, false};
  if (fs::exists(programFolder / ZELKAN_SOUND_LIBRARY, error))
    return {programFolder, programFolder / settingsFileName, programFolder / "locale", false};

  FilePlaces places{(programFolder / ZELKAN_DATA_FROM_PROGRAM).lexically_normal(),
                    {},
                    (programFolder / ZELKAN_LOCALE_FROM_PROGRAM).lexically_normal(),
                    true};
  fs::path configHome;
  if (usable(xdgConfigHome)) {
    configHome = xdgConfigHome;
  } else if (usable(home)) {
    configHome = fs::path(home) / ".config";
  } else {
    return places;
  }
  places.settingsFile = configHome.lexically_normal() / "zelkan" / settingsFileName;
  return places;
}

void makeSettingsFolder(const FilePlaces& places) {
  if (!places.installed || places.settingsFile.empty()) return;
  const fs::path folder = places.settingsFile.parent_path();
  ::mkdir(folder.parent_path().c_str(), 0700);
  ::mkdir(folder.c_str(), 0700);
}

}  // namespace zelkan
