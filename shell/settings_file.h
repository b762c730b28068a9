// "Zelkan.ini", the file that keeps the options between runs: two lines in the Japanese code
// page (CP932), each ended by CR LF, "勢力表示=ON" or "勢力表示=OFF", then "BGM=ON" or "BGM=OFF";
// then, only when the computer's strength is not the normal one, "強さ=弱い" or "強さ=強い", and
// only when the destination marks are on, "移動先表示=ON", only when games are not kept,
// "対局を残す=OFF", and only when the cells' names are shown, "座標表示=ON".
// Reading and writing the file only; ticking the menu items, drawing and music are the window's.
#pragma once

#include <cstddef>
#include <filesystem>

#include "com/levels.h"
#include "files/atomic_file.h"

namespace zelkan {

inline constexpr const char* settingsFileName = "Zelkan.ini";

// The reader looks at no more than this many leading bytes; the file is read as though it ended
// there. Two lines of ours take 23 bytes, so only a file that is not ours can notice the cut.
inline constexpr std::size_t settingsReadLimit = 64 * 1024;

// What the two lines of the file say, in the order the window applies them: line 1 when it was
// read, line 2 when it was read, then the recovery when the read failed.
struct SettingsFileReading {
  bool line1Read = false;
  bool seiryokuOn = false;  // line 1 is exactly "勢力表示=ON"
  bool line2Read = false;
  bool bgmOn = false;  // line 2 is exactly "BGM=ON"
  // The optional lines after the first two, in any order, each up to its CR or the end of the
  // file: "強さ=弱い" or "強さ=強い" (without either, the normal strength), "移動先表示=ON",
  // "対局を残す=OFF" and "座標表示=ON". Any other line is passed over.
  Level level = Level::normal;
  bool destinations = false;
  bool keepGames = true;
  bool coordinates = false;

  // Lines 1 and 2 are each one of the texts the writer puts there: the file is a settings file,
  // not some other file by that name.
  bool ours = false;

  // Missing or unreadable file, or fewer than two lines: the defaults must be written and applied.
  bool failed() const { return !line2Read; }
};

// The option state the writer puts into the file. Its default is the state the recovery writes:
// influence display on, music off.
struct OptionTicks {
  bool seiryoku = true;
  bool bgm = false;
  Level level = Level::normal;  // written as a third line unless normal
  bool destinations = false;    // written as a line of its own only when on
  bool keepGames = true;        // written as a line of its own only when off
  bool coordinates = false;     // written as a line of its own only when on
};

// Reads the first three lines of the file at `path`. A line ends at a CR, and an LF right after it
// is skipped; a lone LF belongs to the line. Bytes after the last CR at the end of the file make
// one more line, as a line reader gives them. Each line is compared byte for byte with the CP932
// bytes of the ON text; anything else reads OFF. Only regular files (or links to them) are read.
SettingsFileReading readSettingsFile(const std::filesystem::path& path) noexcept;

// How the writer opens files (the signature of open(2)). Tests pass their own to stand in for a
// directory or disk that refuses; nullptr is open(2) itself.
using SettingsFileOpener = FileOpener;

// Writes the lines for `ticks` to the file at `path` and says whether the file now holds them.
// The lines go to a new file beside the old one that then takes its name, so a crash or a full
// disk leaves the old file whole; the new file keeps the old one's permissions. Where that
// directory takes no new file, or the file has other hard links, the file is rewritten in place.
// A file we may not write, or a name that is not a regular file, is left alone. A symbolic link
// to a file that reads as ours is written through and stays a link; any other link (to some other
// file, a folder or nothing) is replaced by a regular file, and what it points at keeps its bytes.
// A failed write is tried once more; nothing is shown. Before writing, the new files of earlier
// writes that were cut off (no writer holds them locked) are removed from the folder of `path`;
// nothing else there is touched.
bool writeSettingsFile(const std::filesystem::path& path, OptionTicks ticks,
                       SettingsFileOpener opener = nullptr) noexcept;

// The defaults written when the file at start-up did not read as settings. A symbolic link is
// never written through here: it and what it points at keep their bytes until the player switches
// an option. Says whether the file now holds the defaults.
bool writeSettingsDefaults(const std::filesystem::path& path,
                           SettingsFileOpener opener = nullptr) noexcept;

}  // namespace zelkan
