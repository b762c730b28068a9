#include "files/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <mutex>
#include <string>
#include <system_error>

namespace zelkan {
namespace {

// Links followed before the writer gives up, as the system does.
constexpr int mostLinksFollowed = 40;
// Names tried for the new file before the writer gives up on making one.
constexpr int mostTemporaryNames = 100;
// The kernel's ceiling on process ids: no process of any namespace has this id or a higher one.
constexpr pid_t noProcessId = 4194304;

int openFile(const char* path, int flags, unsigned mode) {
  return ::open(path, flags, mode);
}

// errno after a failed call, never 0, so a failure is never read as success.
int lastError() {
  return errno != 0 ? errno : EIO;
}

// Follows symbolic links from `path` to the name that is finally written: an existing file that
// is not a link, or `path` itself when it is missing. On failure `error` says why and the path is
// empty: ELOOP when the links loop, ENOENT when the last one leads nowhere, or why a name cannot be
// looked at. No file is ever made where a link points.
std::filesystem::path followLinks(std::filesystem::path path, int& error) {
  for (int hop = 0; hop <= mostLinksFollowed; ++hop) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) {
      if (errno == ENOENT && hop == 0) return path;
      error = lastError();
      return {};
    }
    if (!S_ISLNK(status.st_mode)) return path;
    std::error_code failure;
    const std::filesystem::path target = std::filesystem::read_symlink(path, failure);
    if (failure) {
      error = failure.value() != 0 ? failure.value() : EIO;
      return {};
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  error = ELOOP;
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
    if (put == 0) errno = ENOSPC;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// For a directory that takes no new file, or a file with other names: the bytes go over the
// file's own first bytes, and only then is the rest of the old content cut off. The file is never
// emptied first.
int rewriteInPlace(const std::filesystem::path& target, std::string_view bytes,
                   const AtomicWriteOptions& options) {
  // Bytes cut off by a file-size limit would leave the file half new, half old.
  struct rlimit most;
  if (::getrlimit(RLIMIT_FSIZE, &most) == 0 && most.rlim_cur != RLIM_INFINITY &&
      bytes.size() > most.rlim_cur) {
    return EFBIG;
  }
  const int fd = options.opener(target.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return lastError();
  int error = 0;
  if (!writeAll(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 ||
      ::fsync(fd) != 0) {
    error = lastError();
  }
  if (::close(fd) != 0 && error == 0) error = lastError();
  return error;
}

// The name of the `n`th new file beside the file named `file`: ".<file>.new<n>.tmp". Its writer
// locks it (flock) as soon as it is made and holds the lock until the file has taken its name or
// is gone, so a cleanup that can lock it knows its writer gone, whatever process-id namespace that
// writer ran in.
std::string temporaryName(std::string_view file, int n) {
  std::string name = ".";
  name += file;
  name += ".new";
  name += std::to_string(n);
  name += ".tmp";
  return name;
}

// What earlier versions called their new files, ".<file>.<process>.<n>.tmp", with no lock on them.
std::string oldTemporaryName(std::string_view file, pid_t pid, int n) {
  std::string name = ".";
  name += file;
  name += '.';
  name += std::to_string(pid);
  name += '.';
  name += std::to_string(n);
  name += ".tmp";
  return name;
}

// Takes the lock of the new file just made as `fd`, held for as long as it is open. False when a
// cleanup came between making and locking: it holds the lock, or has already taken the name, so
// the file is as good as gone. A file system without locks leaves the file unlocked, and there
// the cleanups, which cannot lock either, remove nothing.
bool holdNewFile(int fd) {
  int locked;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) return errno != EWOULDBLOCK;
  struct stat status;
  return ::fstat(fd, &status) == 0 && status.st_nlink > 0;
}

// Makes a new empty file beside `target`, named ".<name>.new<n>.tmp" after it, with the
// permissions a newly made file gets, and locked. -1 when the directory takes none.
int createTemporary(const std::filesystem::path& target, FileOpener opener,
                    std::filesystem::path& name) {
  for (int n = 0; n < mostTemporaryNames; ++n) {
    name = directoryOf(target) / temporaryName(target.filename().string(), n);
    const int fd = opener(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return -1;
    if (fd < 0) continue;
    if (holdNewFile(fd)) return fd;
    ::close(fd);
  }
  errno = EEXIST;
  return -1;
}

// Makes the rename itself last; a failure here loses nothing, so it is not reported.
void syncDirectory(const std::filesystem::path& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Gives the new file the name `target` only while nothing has it.
int takeNewName(const std::filesystem::path& temporary, const std::filesystem::path& target) {
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
    return 0;
  if (errno != EINVAL && errno != ENOSYS) return lastError();
  // A file system that cannot rename so: a second name, which link(2) never takes from another
  // file, and then the first name goes.
  if (::link(temporary.c_str(), target.c_str()) != 0) return lastError();
  ::unlink(temporary.c_str());
  return 0;
}

// Writes the new file beside the old one and gives it the old one's name; `old` is the old file's
// status, or nullptr when there is none.
int replaceFile(const std::filesystem::path& target, std::string_view bytes,
                const AtomicWriteOptions& options, const struct stat* old) {
  std::filesystem::path temporary;
  const int fd = createTemporary(target, options.opener, temporary);
  if (fd < 0) {
    const int error = lastError();
    return options.rewriteInPlace && !options.exclusive ? rewriteInPlace(target, bytes, options)
                                                        : error;
  }
  int error = 0;
  if (old != nullptr) {
    // Owner first: changing it may clear mode bits. Only root may give a file away; for anyone
    // else the new file stays theirs, so the answer is not needed.
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
      [[maybe_unused]] const int given = ::fchown(fd, old->st_uid, old->st_gid);
    }
    if (::fchmod(fd, old->st_mode & 07777) != 0) error = lastError();
  }
  if (error == 0 && (!writeAll(fd, bytes) || ::fsync(fd) != 0)) error = lastError();
  // The lock goes with the descriptor: the new file stays open until it has its name, or is gone,
  // so no cleanup takes it from under the rename. fsync has told whether the bytes are on the
  // disk; closing adds nothing to that.
  if (error == 0 && options.exclusive) {
    error = takeNewName(temporary, target);
  } else if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = lastError();
  }
  if (error != 0) ::unlink(temporary.c_str());
  ::close(fd);
  if (error != 0) return error;
  syncDirectory(directoryOf(target));
  return 0;
}

// The file a new file named `name` was written for, when `name` is exactly what createTemporary
// calls one: ".<file>.new<n>.tmp". Empty for any other name.
std::string_view temporaryTarget(std::string_view name) {
  if (!name.starts_with('.') || !name.ends_with(".tmp")) return {};
  const std::string_view rest = name.substr(1, name.size() - 5);
  const std::size_t dot = rest.rfind(".new");
  if (dot == std::string_view::npos || dot == 0) return {};
  int n = 0;
  const char* const end = rest.data() + rest.size();
  if (std::from_chars(rest.data() + dot + 4, end, n).ec != std::errc{} || n < 0 ||
      n >= mostTemporaryNames)
    return {};
  const std::string_view file = rest.substr(0, dot);
  // Building the name again turns away leading zeros, signs and anything after the number.
  return temporaryName(file, n) == name ? file : std::string_view{};
}

// The process that made `name`, when `name` is exactly what earlier versions called a new file
// beside the file named `file`; 0 for any other name.
pid_t oldTemporaryMaker(std::string_view name, std::string_view file) {
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
  return oldTemporaryName(file, pid, n) == name ? pid : 0;
}

// The file an earlier version's new file named `name` was written for: ".<file>.<process>.<n>.tmp".
std::string_view oldTemporaryTarget(std::string_view name) {
  if (!name.starts_with('.') || !name.ends_with(".tmp")) return {};
  std::string_view rest = name.substr(1, name.size() - 5);
  for (int field = 0; field < 2; ++field) {
    const std::size_t dot = rest.rfind('.');
    if (dot == std::string_view::npos) return {};
    rest = rest.substr(0, dot);
  }
  return rest;
}

// When the system started, by the wall clock, a second early; 0 when that cannot be told.
time_t systemStart() {
  timespec now{};
  timespec up{};
  if (::clock_gettime(CLOCK_REALTIME, &now) != 0 || ::clock_gettime(CLOCK_BOOTTIME, &up) != 0)
    return 0;
  return now.tv_sec - up.tv_sec - 1;
}

// Whether an earlier version's new file, made by the process `maker` and of status `status`, was
// surely cut off. Those held no lock, and the process id in the name proves nothing alone: a
// writer in another process-id namespace (a sandboxed copy of the game) names its files by ids
// this one cannot see. So the id must be one no process can have, or the file last written before
// the system started, by no process that runs now; and no process here may have the id.
bool oldWriteCutOff(pid_t maker, const struct stat& status) {
  if (::kill(maker, 0) == 0 || errno != ESRCH) return false;
  return maker >= noProcessId || status.st_mtim.tv_sec < systemStart();
}

// Removes the regular file `name` of the folder open as `folder` when its writer is surely gone:
// only while this cleanup holds the file's lock, which a writer holds as long as it writes, and
// the name still is that file's. With `oldMaker`, an earlier version's file of that process, which
// must also be provably cut off.
void removeIfCutOff(int folder, const char* name, pid_t oldMaker) {
  struct stat named;
  if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode) ||
      (oldMaker != 0 && !oldWriteCutOff(oldMaker, named)))
    return;
  // Opened for writing where it can be: an exclusive lock over NFS needs that.
  constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd = ::openat(folder, name, O_WRONLY | flags);
  if (fd < 0) fd = ::openat(folder, name, O_RDONLY | flags);
  if (fd < 0) return;
  struct stat held;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
      held.st_nlink > 0 && ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
      named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
    ::unlinkat(folder, name, 0);
  }
  ::close(fd);
}

// Removes from the folder open as `folder` the new files that writes cut off by the end of their
// process left behind, for files whose names `ours` accepts: regular files named exactly as ours
// whose writers are surely gone.
void removeLeftoversIn(int folder, const std::function<bool(std::string_view)>& ours) {
  DIR* const entries = ::fdopendir(folder);
  if (entries == nullptr) {
    ::close(folder);
    return;
  }
  while (const dirent* entry = ::readdir(entries)) {
    std::string_view file = temporaryTarget(entry->d_name);
    pid_t oldMaker = 0;
    if (file.empty()) {
      file = oldTemporaryTarget(entry->d_name);
      if (!file.empty()) oldMaker = oldTemporaryMaker(entry->d_name, file);
      if (oldMaker == 0) continue;
    }
    if (ours(file)) removeIfCutOff(::dirfd(entries), entry->d_name, oldMaker);
  }
  ::closedir(entries);
}

// The leftovers of earlier writes to the file named `path`, removed from its folder.
void removeLeftoversBeside(const std::filesystem::path& path) {
  const int folder = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  const std::string file = path.filename().string();
  removeLeftoversIn(folder, [&file](std::string_view name) { return name == file; });
}

// The leftovers of earlier writes to `path`: beside it, and beside the file its links lead to,
// where the writer makes its new files.
void removeLeftovers(const std::filesystem::path& path) {
  removeLeftoversBeside(path);
  if (!isSymbolicLink(path)) return;
  int ignored = 0;
  const std::filesystem::path target = followLinks(path, ignored);
  if (!target.empty()) removeLeftoversBeside(target);
}

int writeOnce(const std::filesystem::path& path, std::string_view bytes,
              const AtomicWriteOptions& options) {
  if (options.exclusive) {
    struct stat existing;
    if (::lstat(path.c_str(), &existing) == 0) return EEXIST;
    return errno == ENOENT ? replaceFile(path, bytes, options, nullptr) : lastError();
  }
  // A link we may not write through is ours to replace; what it points at is not ours.
  if (isSymbolicLink(path) && options.writeThroughLink && !options.writeThroughLink(path)) {
    return replaceFile(path, bytes, options, nullptr);
  }
  int linkError = 0;
  const std::filesystem::path target = followLinks(path, linkError);
  if (target.empty()) return linkError;
  struct stat old;
  if (::lstat(target.c_str(), &old) != 0) {
    return errno == ENOENT ? replaceFile(target, bytes, options, nullptr) : lastError();
  }
  // What a plain rewrite could not open stays as it is.
  if (S_ISDIR(old.st_mode)) return EISDIR;
  if (!S_ISREG(old.st_mode)) return EINVAL;
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return lastError();
  // Other names keep seeing the file only when it is rewritten in place; a new file taking this
  // name parts it from them, and they keep the old bytes.
  if (old.st_nlink > 1 && options.rewriteInPlace) return rewriteInPlace(target, bytes, options);
  return replaceFile(target, bytes, options, &old);
}

// A write past a file-size limit (ulimit -f) then fails with EFBIG instead of ending the program
// by its signal. A handler the program set itself is left alone.
void ignoreFileSizeSignal() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
      ::signal(SIGXFSZ, SIG_IGN);
  });
}

}  // namespace

bool isSymbolicLink(const std::filesystem::path& path) noexcept {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

int writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                        const AtomicWriteOptions& options) noexcept {
  try {
    ignoreFileSizeSignal();
    AtomicWriteOptions chosen = options;
    if (chosen.opener == nullptr) chosen.opener = openFile;
    removeLeftovers(path);
    // A failed write is tried once more.
    const int error = writeOnce(path, bytes, chosen);
    return error == 0 ? 0 : writeOnce(path, bytes, chosen);
  } catch (...) {  // no memory for a name: the file stays as it was
    return ENOMEM;
  }
}

int readSmallFile(const std::filesystem::path& path, std::size_t limit,
                  std::string& bytes) noexcept {
  try {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return lastError();
    struct stat status;
    int error = ::fstat(fd, &status) != 0                          ? lastError()
                : S_ISDIR(status.st_mode)                          ? EISDIR
                : !S_ISREG(status.st_mode)                         ? EINVAL
                : static_cast<std::size_t>(status.st_size) > limit ? EFBIG
                                                                   : 0;
    char buffer[8192];
    while (error == 0) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got == 0) break;
      if (got < 0) {
        if (errno != EINTR) error = lastError();
        continue;
      }
      bytes.append(buffer, static_cast<std::size_t>(got));
      // A file that grows while it is read is still held to the limit.
      if (bytes.size() > limit) error = EFBIG;
    }
    ::close(fd);
    if (error != 0) bytes.clear();
    return error;
  } catch (...) {
    bytes.clear();
    return ENOMEM;
  }
}

void removeWriteLeftovers(const std::filesystem::path& folder,
                          const std::function<bool(std::string_view)>& ours) noexcept {
  const int opened = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (opened >= 0) removeLeftoversIn(opened, ours);
}

void removeWriteLeftoversOf(const std::filesystem::path& file) noexcept {
  try {
    removeLeftovers(file);
  } catch (...) {  // no memory for a name: the leftovers wait for another time
  }
}

}  // namespace zelkan
