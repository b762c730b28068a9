// zelkan-sounds FOLDER: writes the game's five wave files into FOLDER (assets/sounds in the
// source tree, where the build copies them from).
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/sounds/game_sounds.h"
#include "tools/sounds/wave_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zelkan-sounds FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  for (const zelkan::GameSound& sound : zelkan::gameSounds()) {
    const std::vector<std::uint8_t> bytes = zelkan::monoWave16(sound.samples, sound.sampleRate);
    const std::filesystem::path path = folder / sound.fileName;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "zelkan-sounds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
