// zelkan-engine: plays the game through text commands on standard input.
#include <cstdio>
#include <cstring>
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

constexpr const char* help =
    "Usage: zelkan-engine [OPTION]\n"
    "Plays Zelkan through text commands on standard input, one a line, answered on standard\n"
    "output in the framing of GTP.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit\n"
    "  --version      Show the version and exit\n"
    "\n"
    "Commands:\n"
    "  clear_board                     the starting position\n"
    "  set_position ROWS SIDE BLACKLOST WHITELOST MOVENUMBER\n"
    "                                  any position\n"
    "  board                           the position\n"
    "  legal X1 Y1 X2 Y2               whether a move is legal\n"
    "  play X1 Y1 X2 Y2                make a move\n"
    "  genmove SECOND                  the computer's move, made\n"
    "  candidates SECOND               the normal level's scored moves\n"
    "  level weak|normal|strong        the strength genmove plays at\n"
    "  influence                       the influence map\n"
    "  judge                           the judgement of the position\n"
    "  savegame PATH                   write the game as a record\n"
    "  loadgame PATH                   read a game record and replay it\n"
    "  analyse [BUDGET]                every move of the game against the strong\n"
    "                                  level's choice, BUDGET moves made a search\n"
    "  threads N                       worker threads for analyse (1 to 256; at\n"
    "                                  first the machine's processors)\n"
    "  quit                            end\n";

// Handles the command line: true when the program is to read commands, otherwise sets the exit
// status it ends with.
bool takeOptions(int argc, char** argv, int& status) {
  status = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
      std::fputs(help, stdout);
      return false;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("zelkan-engine " ZELKAN_VERSION);
      return false;
    }
    std::fprintf(stderr, "zelkan-engine: unknown option '%s'\nTry 'zelkan-engine --help'.\n",
                 argv[i]);
    status = 2;
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (int status = 0; !takeOptions(argc, argv, status)) return status;
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
