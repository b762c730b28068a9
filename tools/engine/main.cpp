// zelkan-engine: plays the game through text commands on standard input.
#include <cstdio>
#include <string>

#include "tools/engine/engine.h"

namespace {

// Reads one line into line, keeping at most limit + 1 bytes of it so an endless line costs no
// memory; sets tooLong when more were sent. False at the end of input with nothing read.
bool readLine(std::FILE* in, std::string& line, std::size_t limit, bool& tooLong) {
  line.clear();
  tooLong = false;
  int c = 0;
  bool any = false;
  while ((c = std::getc(in)) != EOF) {
    any = true;
    if (c == '\n') return true;
    if (line.size() <= limit) {
      line.push_back(static_cast<char>(c));
    } else {
      tooLong = true;
    }
  }
  return any;
}

}  // namespace

int main() {
  zelkan::Engine engine;
  std::string line;
  bool tooLong = false;
  while (readLine(stdin, line, zelkan::Engine::maxLineBytes, tooLong)) {
    const auto answer = tooLong ? zelkan::Engine::lineTooLong() : engine.handle(line);
    if (answer) {
      std::fwrite(answer->data(), 1, answer->size(), stdout);
      std::fflush(stdout);
    }
    if (engine.quitRequested()) break;
  }
  return 0;
}
