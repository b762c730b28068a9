// Why a file could not be opened, read or saved, told in the player's words.
#pragma once

#include <filesystem>
#include <string>

namespace zelkan {

// The reason for the errno value `error` met at `path`: a text of ours, in the player's language,
// for the common causes, and the system's own text only for the rest. `path` tells a link that
// points nowhere from a missing file, and a pipe or a device from other invalid arguments.
std::string fileRefusal(const std::filesystem::path& path, int error);

}  // namespace zelkan
