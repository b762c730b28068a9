#include "shell/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

namespace zelkan {
namespace {

// The lines in CP932. "表" is 95 5C: its second byte is a backslash.
constexpr std::string_view seiryokuOnText = "\x90\xa8\x97\xcd\x95\x5c\x8e\xa6=ON";
constexpr std::string_view seiryokuOffText = "\x90\xa8\x97\xcd\x95\x5c\x8e\xa6=OFF";
constexpr std::string_view bgmOnText = "BGM=ON";
constexpr std::string_view bgmOffText = "BGM=OFF";
constexpr std::string_view weakText = "\x8b\xad\x82\xb3=\x8e\xe3\x82\xa2";    // 強さ=弱い
constexpr std::string_view strongText = "\x8b\xad\x82\xb3=\x8b\xad\x82\xa2";  // 強さ=強い
// 移動先表示=ON
constexpr std::string_view destinationsText = "\x88\xda\x93\xae\x90\xe6\x95\x5c\x8e\xa6=ON";
// 対局を残す=OFF
constexpr std::string_view keepGamesOffText = "\x91\xce\x8b\xc7\x82\xf0\x8e\x63\x82\xb7=OFF";
// 座標表示=ON
constexpr std::string_view coordinatesText = "\x8d\xc0\x95\x57\x95\x5c\x8e\xa6=ON";
constexpr std::string_view lineEnd = "\r\n";

// Reads up to settingsReadLimit bytes into `buffer`. False when a read failed; the bytes got
// before the failure are kept.
bool readPrefix(int fd, char* buffer, std::size_t& size) {
  while (size < settingsReadLimit) {
    const ssize_t got = ::read(fd, buffer + size, settingsReadLimit - size);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    size += static_cast<std::size_t>(got);
  }
  return true;
}

// Takes the next line off the front of `rest`, as a line reader does. A last line without its CR
// counts only when `rest` runs to the end of what was read without a failure.
bool nextLine(std::string_view& rest, bool toEnd, std::string_view& line) {
  if (rest.empty()) return false;
  const std::size_t cr = rest.find('\r');
  if (cr == std::string_view::npos) {
    if (!toEnd) return false;
    line = rest;
    rest = {};
    return true;
  }
  line = rest.substr(0, cr);
  rest.remove_prefix(cr + 1);
  if (!rest.empty() && rest.front() == '\n') rest.remove_prefix(1);
  return true;
}

std::string fileBytes(OptionTicks ticks) {
  std::string bytes;
  bytes += ticks.seiryoku ? seiryokuOnText : seiryokuOffText;
  bytes += lineEnd;
  bytes += ticks.bgm ? bgmOnText : bgmOffText;
  bytes += lineEnd;
  if (ticks.level != Level::normal) {
    bytes += ticks.level == Level::weak ? weakText : strongText;
    bytes += lineEnd;
  }
  if (ticks.destinations) {
    bytes += destinationsText;
    bytes += lineEnd;
  }
  if (!ticks.keepGames) {
    bytes += keepGamesOffText;
    bytes += lineEnd;
  }
  if (ticks.coordinates) {
    bytes += coordinatesText;
    bytes += lineEnd;
  }
  return bytes;
}

}  // namespace

SettingsFileReading readSettingsFile(const std::filesystem::path& path) noexcept {
  char buffer[settingsReadLimit];
  std::size_t size = 0;
  bool toEnd = false;
  // Not blocking, so a pipe by this name cannot hold up start-up; only regular files are read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    struct stat status;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
      toEnd = readPrefix(fd, buffer, size);
    }
    ::close(fd);
  }

  SettingsFileReading reading;
  std::string_view rest(buffer, size);
  std::string_view line;
  if (!nextLine(rest, toEnd, line)) return reading;
  reading.line1Read = true;
  reading.seiryokuOn = line == seiryokuOnText;
  const std::string_view line1 = line;
  if (!nextLine(rest, toEnd, line)) return reading;
  reading.line2Read = true;
  reading.bgmOn = line == bgmOnText;
  reading.ours =
      (reading.seiryokuOn || line1 == seiryokuOffText) && (reading.bgmOn || line == bgmOffText);
  // The optional lines, in any order; a line not known here is passed over.
  while (nextLine(rest, toEnd, line)) {
    if (line == weakText) reading.level = Level::weak;
    if (line == strongText) reading.level = Level::strong;
    if (line == destinationsText) reading.destinations = true;
    if (line == keepGamesOffText) reading.keepGames = false;
    if (line == coordinatesText) reading.coordinates = true;
  }
  return reading;
}

bool writeSettingsFile(const std::filesystem::path& path, OptionTicks ticks,
                       SettingsFileOpener opener) noexcept {
  try {
    AtomicWriteOptions options;
    options.opener = opener;
    // A link to anything but a settings file is replaced; what it points at is not ours.
    options.writeThroughLink = [](const std::filesystem::path& link) {
      return readSettingsFile(link).ours;
    };
    return writeFileAtomically(path, fileBytes(ticks), options) == 0;
  } catch (...) {  // no memory for the lines: the file stays as it was
    return false;
  }
}

bool writeSettingsDefaults(const std::filesystem::path& path, SettingsFileOpener opener) noexcept {
  return !isSymbolicLink(path) && writeSettingsFile(path, OptionTicks{}, opener);
}

}  // namespace zelkan
