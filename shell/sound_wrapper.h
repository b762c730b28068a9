// The game's side of the sound library: opening it for the window, turning the five wave files
// into its buffers, reporting what goes wrong, and releasing it all when the program ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "flow/game_window.h"

namespace zelkan {

class SoundWrapper {
 public:
  explicit SoundWrapper(MessageBox& messageBox) : messageBox_(messageBox) {}

  // Start-up: InitSound, then the five wave files in their order.
  void startUp(std::int32_t windowHandle);

  // Opens the library's device; without one, says so once and the game goes on silent.
  void InitSound(std::int32_t windowHandle);
  // A buffer of the wave file `fileName` in `folder`, or 0. A missing file is 0
  // without a word; a file that cannot be read, or is empty, is reported with the system's
  // description; a file the library refuses is 0 without a word.
  std::int32_t LoadSound(const std::string& fileName, std::int32_t copies);
  void EndSound();
  void ShowSoundError(const std::string& text);
  // Shutdown processing: frees the five buffers and closes the library. Every handle is 0 after.
  void 終了処理();

  std::int32_t soundDevice = 0;
  SoundHandles sounds;
  // Where the wave files lie; empty: the current folder.
  std::filesystem::path folder;

 private:
  MessageBox& messageBox_;
};

}  // namespace zelkan
