#include "shell/settings_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

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
constexpr std::string_view lineEnd = "\r\n";

// Links followed before the writer gives up, as the system does.
constexpr int mostLinksFollowed = 40;
// Names tried for the new file before the writer gives up on making one.
constexpr int mostTemporaryNames = 100;

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
  return bytes;
}

int openFile(const char* path, int flags, unsigned mode) {
  return ::open(path, flags, mode);
}

// Follows symbolic links from `path` to the name that is finally written: an existing file that
// is not a link, or `path` itself when it is missing. Empty when the links loop or lead nowhere,
// or a name cannot be looked at: no file is ever made where a link points.
std::filesystem::path followLinks(std::filesystem::path path) {
  for (int hop = 0; hop <= mostLinksFollowed; ++hop) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) {
      return errno == ENOENT && hop == 0 ? path : std::filesystem::path{};
    }
    if (!S_ISLNK(status.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) return {};
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return {};
}

std::filesystem::path directoryOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// Writes all of `bytes` from the start of the file.
bool writeAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// For a directory that takes no new file, or a file with other names: the lines go over the
// file's own first bytes, and only then is the rest of the old content cut off. The file is never
// emptied first; should the cut fail, the reader stops after the two new lines anyway.
bool rewriteInPlace(const std::filesystem::path& target, std::string_view bytes,
                    SettingsFileOpener opener) {
  const int fd = opener(target.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = writeAll(fd, bytes) &&
                       ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
  return ::close(fd) == 0 && written;
}

// The name of the `n`th new file the process `pid` makes beside the file named `file`.
std::string temporaryName(std::string_view file, pid_t pid, int n) {
  std::string name = ".";
  name += file;
  name += '.';
  name += std::to_string(pid);
  name += '.';
  name += std::to_string(n);
  name += ".tmp";
  return name;
}

// Makes a new empty file beside `target`, named ".Zelkan.ini.<process>.<n>.tmp" after it, with
// the permissions a newly made file gets. -1 when the directory takes none.
int createTemporary(const std::filesystem::path& target, SettingsFileOpener opener,
                    std::filesystem::path& name) {
  for (int n = 0; n < mostTemporaryNames; ++n) {
    name = directoryOf(target) / temporaryName(target.filename().string(), ::getpid(), n);
    const int fd = opener(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Makes the rename itself last; a failure here loses nothing, so it is not reported.
void syncDirectory(const std::filesystem::path& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes the new file beside the old one and gives it the old one's name; `old` is the old file's
// status, or nullptr when there is none.
bool replaceFile(const std::filesystem::path& target, std::string_view bytes,
                 SettingsFileOpener opener, const struct stat* old) {
  std::filesystem::path temporary;
  const int fd = createTemporary(target, opener, temporary);
  if (fd < 0) return rewriteInPlace(target, bytes, opener);
  bool written = true;
  if (old != nullptr) {
    // Owner first: changing it may clear mode bits. Only root may give a file away; for anyone
    // else the new file stays theirs, so the answer is not needed.
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
      [[maybe_unused]] const int given = ::fchown(fd, old->st_uid, old->st_gid);
    }
    written = ::fchmod(fd, old->st_mode & 07777) == 0;
  }
  written = written && writeAll(fd, bytes) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  written = written && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!written) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncDirectory(directoryOf(target));
  return true;
}

// The process that made `name`, when `name` is exactly what createTemporary calls a new file
// beside the file named `file`; 0 for any other name.
pid_t temporaryMaker(std::string_view name, std::string_view file) {
  std::string head = ".";
  head += file;
  head += '.';
  if (!name.starts_with(head)) return 0;
  const std::string_view rest = name.substr(head.size());
  pid_t pid = 0;
  int n = 0;
  const char* const end = rest.data() + rest.size();
  const auto [pidEnd, pidError] = std::from_chars(rest.data(), end, pid);
  if (pidError != std::errc{} || pid <= 0 || pidEnd == end) return 0;
  if (std::from_chars(pidEnd + 1, end, n).ec != std::errc{} || n < 0 || n >= mostTemporaryNames)
    return 0;
  // Building the name again turns away leading zeros, signs and anything after ".tmp".
  return temporaryName(file, pid, n) == name ? pid : 0;
}

// Removes the new files that writes cut off by the end of their process left beside `path`:
// only regular files named as ours whose process no longer runs, and only in that folder.
void removeLeftovers(const std::filesystem::path& path) {
  const int folder = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  DIR* const entries = ::fdopendir(folder);
  if (entries == nullptr) {
    ::close(folder);
    return;
  }
  const std::string file = path.filename().string();
  while (const dirent* entry = ::readdir(entries)) {
    const pid_t maker = temporaryMaker(entry->d_name, file);
    struct stat status;
    if (maker > 0 && ::kill(maker, 0) == -1 && errno == ESRCH &&
        ::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(status.st_mode)) {
      ::unlinkat(folder, entry->d_name, 0);
    }
  }
  ::closedir(entries);
}

bool isSymbolicLink(const std::filesystem::path& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

bool writeOnce(const std::filesystem::path& path, std::string_view bytes,
               SettingsFileOpener opener) {
  // A link to anything but a settings file is ours to replace; what it points at is not ours.
  if (isSymbolicLink(path) && !readSettingsFile(path).ours) {
    return replaceFile(path, bytes, opener, nullptr);
  }
  const std::filesystem::path target = followLinks(path);
  if (target.empty()) return false;
  struct stat old;
  if (::lstat(target.c_str(), &old) != 0) {
    return errno == ENOENT && replaceFile(target, bytes, opener, nullptr);
  }
  // What a plain rewrite could not open stays as it is.
  if (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return false;
  }
  // A new file would part the other names from the settings.
  if (old.st_nlink > 1) return rewriteInPlace(target, bytes, opener);
  return replaceFile(target, bytes, opener, &old);
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
  }
  return reading;
}

bool writeSettingsFile(const std::filesystem::path& path, OptionTicks ticks,
                       SettingsFileOpener opener) noexcept {
  try {
    if (opener == nullptr) opener = openFile;
    const std::string bytes = fileBytes(ticks);
    removeLeftovers(path);
    // The second attempt writes the same lines again.
    return writeOnce(path, bytes, opener) || writeOnce(path, bytes, opener);
  } catch (...) {  // no memory for a name: the file stays as it was
    return false;
  }
}

bool writeSettingsDefaults(const std::filesystem::path& path, SettingsFileOpener opener) noexcept {
  return !isSymbolicLink(path) && writeSettingsFile(path, OptionTicks{}, opener);
}

}  // namespace zelkan
