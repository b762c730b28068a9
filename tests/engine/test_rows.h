// ROWS strings of the engine's protocol: row y = 1..19 outer, column x = 1..19 inner.
#pragma once

#include <initializer_list>
#include <string>

namespace zelkan::test {

struct Stone {
  int x;
  int y;
  char code;  // '.', 'B' or 'W'
};

inline std::string emptyRows() {
  return std::string(361, '.');
}

// White on rows 1-2, black on rows 18-19.
inline std::string startRows() {
  return std::string(38, 'W') + std::string(361 - 76, '.') + std::string(38, 'B');
}

// rows with each stone put on its cell in turn ('.' empties the cell).
inline std::string with(std::string rows, std::initializer_list<Stone> stones) {
  for (const Stone& s : stones)
    rows[(s.y - 1) * 19 + (s.x - 1)] = s.code;
  return rows;
}

}  // namespace zelkan::test
