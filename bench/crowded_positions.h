// Positions full of lines to capture, kept one a line in tests/com/crowded_positions.txt: each
// once made the strong level's capture search run to millions of moves.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_record.h"

namespace zelkan {

// The positions of the file at path (set_position's five words a line, then genmove's second,
// which the strong level does not read); none when it cannot be read.
inline std::vector<RecordStart> readCrowdedPositions(const char* path) {
  std::vector<RecordStart> positions;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::vector<std::string> w(5);
    for (std::string& word : w)
      words >> word;
    const std::vector<std::string_view> views(w.begin(), w.end());
    std::string error;
    if (auto start = parseStart(views, error)) positions.push_back(std::move(*start));
  }
  return positions;
}

}  // namespace zelkan
