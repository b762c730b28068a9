#include "shell/sound_wrapper.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "shell/file_refusals.h"
#include "sound/sound_library.h"
#include "view/texts.h"

namespace zelkan {
namespace {

// No wave file is larger: its RIFF size is a 32-bit count after the first eight bytes.
constexpr std::size_t largestWaveFile = std::size_t{0xFFFFFFFF} + 8;

// Reads the open file to its end into `bytes`; 0, or the error number of the failure.
int readAll(int fd, std::vector<std::uint8_t>& bytes) {
  std::uint8_t piece[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, piece, sizeof piece);
    if (got == 0) return 0;
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (bytes.size() + static_cast<std::size_t>(got) > largestWaveFile) return EFBIG;
    bytes.insert(bytes.end(), piece, piece + got);
  }
}

}  // namespace

void SoundWrapper::startUp(std::int32_t windowHandle) {
  InitSound(windowHandle);
  sounds.sndOther = LoadSound("その他.wav", 3);
  sounds.sndForbidden = LoadSound("禁止.wav", 3);
  sounds.sndStone = LoadSound("石打音.wav", 3);
  sounds.sndBgm = LoadSound("BGM.wav", 1);
  sounds.sndVanish = LoadSound("消滅.wav", 1);
}

void SoundWrapper::InitSound(std::int32_t windowHandle) {
  soundDevice = dsInitialize(windowHandle);
  // TRANSLATORS: the sound failure at start-up: "The sound device cannot be opened" (literally
  // "The Direct Sound interface cannot be created").
  if (soundDevice == 0) ShowSoundError(_("Direct Soundインターフェースが作成できません。"));
}

std::int32_t SoundWrapper::LoadSound(const std::string& fileName, std::int32_t copies) {
  if (soundDevice == 0) return 0;
  // Not blocking, so a pipe by this name cannot hold up start-up; only a regular file has
  // anything to read, and a pipe, socket or device counts as an empty file.
  const std::filesystem::path file = folder / fileName;
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (const int error = errno; error != ENOENT) ShowSoundError(fileRefusal(file, error));
    return 0;
  }
  std::vector<std::uint8_t> bytes;
  struct stat status;
  int error = ::fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
  if (error == 0 && S_ISREG(status.st_mode)) error = readAll(fd, bytes);
  ::close(fd);
  if (error == 0 && bytes.empty()) error = ENODATA;  // an empty file: "No data available"
  if (error != 0) {
    ShowSoundError(fileRefusal(file, error));
    return 0;
  }
  return dsCreateDSB(soundDevice, bytes.data(), bytes.size(), copies);
}

void SoundWrapper::EndSound() {
  if (soundDevice != 0) dsTerminate(soundDevice);
}

void SoundWrapper::ShowSoundError(const std::string& text) {
  // TRANSLATORS: the title of the sound library's failure boxes (the library's old name).
  messageBox_.show(text, _("Zelkan.dll"), MessageBox::Buttons::ok, MessageBox::Icon::warning);
}

void SoundWrapper::終了処理() {
  for (std::int32_t* handle : {&sounds.sndOther, &sounds.sndForbidden, &sounds.sndStone,
                               &sounds.sndBgm, &sounds.sndVanish}) {
    dsFree(*handle);
    *handle = 0;
  }
  EndSound();
  soundDevice = 0;
}

}  // namespace zelkan
