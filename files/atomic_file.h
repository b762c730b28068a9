// Writing a whole file so that a crash or a full disk never leaves it half written, and reading a
// small file that may be anything at all without ever blocking on it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace zelkan {

// How the writer opens files (the signature of open(2)). Tests pass their own to stand in for a
// directory or disk that refuses; nullptr is open(2) itself.
using FileOpener = int (*)(const char* path, int flags, unsigned mode);

struct AtomicWriteOptions {
  FileOpener opener = nullptr;
  // Where the folder takes no new file, or the file has other hard links, the bytes are written
  // over the file itself, so every name sees them. Off: where the folder takes no new file the
  // write fails and the old file keeps its bytes; a file with other hard links is replaced like
  // any other, which parts the names: this one gets the new bytes, the others keep the old ones.
  bool rewriteInPlace = true;
  // The name must be new: the written file takes it only while nothing has it, and EEXIST says
  // that something does (a symbolic link too, wherever it points). Never written in place.
  bool exclusive = false;
  // For a symbolic link at `path`: true writes through it (it stays a link), false replaces the
  // link by a regular file and leaves what it points at alone. Empty: always written through.
  std::function<bool(const std::filesystem::path&)> writeThroughLink;
};

// Writes `bytes` to the file at `path`. The bytes go to a new file beside the old one that then
// takes its name, so a crash or a full disk leaves the old file whole; the new file keeps the old
// one's permissions. A file we may not write, or a name that is not a regular file, is left
// alone, and so is a symbolic link that leads nowhere (ENOENT) or loops (ELOOP). A write past the
// process's file-size limit fails with EFBIG: the writer keeps SIGXFSZ from ending the program,
// unless the program handles that signal itself. Before writing, the leftovers of earlier writes
// to `path` that were cut off are removed, as removeWriteLeftoversOf does. Returns 0, or the errno
// value of what went wrong.
//
// The new file is named ".<name>.new<n>.tmp" after the file it replaces, and its writer holds a
// lock on it (flock) from just after making it until it has taken the file's name or is gone: a
// write cut off by a kill leaves it unlocked.
int writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                        const AtomicWriteOptions& options = {}) noexcept;

// Removes from `folder` what writes to files of it whose names `ours` accepts left behind when
// they were cut off: the new files named as the writer names them that the cleanup can lock, so
// that no writer holds them, in whatever process or process-id namespace it runs. The new files
// of earlier versions (".<name>.<process>.<n>.tmp", never locked) go only when surely cut off:
// their process id is one no process can have, or they were last written before the system
// started. Nothing else is touched.
void removeWriteLeftovers(const std::filesystem::path& folder,
                          const std::function<bool(std::string_view)>& ours) noexcept;
// The same for the one file `file`: from beside it and, for a symbolic link, from beside the file
// it leads to.
void removeWriteLeftoversOf(const std::filesystem::path& file) noexcept;

// True when `path` is itself a symbolic link.
bool isSymbolicLink(const std::filesystem::path& path) noexcept;

// Reads the whole of a regular file of at most `limit` bytes into `bytes`. The file is opened
// without blocking, so a pipe by that name cannot hold the caller up. Returns 0, or the errno
// value: EISDIR for a folder, EINVAL for a pipe, socket or device, EFBIG for a longer file.
int readSmallFile(const std::filesystem::path& path, std::size_t limit,
                  std::string& bytes) noexcept;

}  // namespace zelkan
