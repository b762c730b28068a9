// The real program, talked to through its standard input and output.
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "test_rows.h"

namespace zelkan {
namespace {

using namespace std::string_literals;

constexpr int patienceMs = 10000;  // only ever waited out when the program hangs

// One run of the engine, its standard input read from inputFd, or from a pipe that write() feeds
// when inputFd is -1.
class EngineProcess {
 public:
  // fileSizeLimit, when not 0, is the most bytes the engine may write to a file (ulimit -f).
  explicit EngineProcess(int inputFd = -1, rlim_t fileSizeLimit = 0) {
    signal(SIGPIPE, SIG_IGN);  // a program that died must fail the test, not end it
    int out[2];
    int in[2] = {-1, -1};
    if (pipe(out) != 0 || (inputFd < 0 && pipe(in) != 0)) return;
    pid_ = fork();
    if (pid_ == 0) {
      if (fileSizeLimit != 0) {
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
      }
      dup2(inputFd >= 0 ? inputFd : in[0], STDIN_FILENO);
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      if (inputFd < 0) {
        close(in[0]);
        close(in[1]);
      }
      execl(ZELKAN_ENGINE_PATH, ZELKAN_ENGINE_PATH, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    fromChild_ = out[0];
    if (inputFd < 0) {
      close(in[0]);
      toChild_ = in[1];
    }
  }

  ~EngineProcess() {
    closeInput();
    if (fromChild_ >= 0) close(fromChild_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool started() const { return pid_ > 0; }

  void write(const std::string& text) {
    ASSERT_EQ(::write(toChild_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  void closeInput() {
    if (toChild_ >= 0) close(toChild_);
    toChild_ = -1;
  }

  // Reads until the output ends with an empty line (one whole answer) or, with untilEnd, until
  // the program closes it; false when the program keeps nothing coming for too long.
  bool read(std::string& text, bool untilEnd = false) {
    text.clear();
    while (untilEnd || !text.ends_with("\n\n")) {
      pollfd p{fromChild_, POLLIN, 0};
      if (poll(&p, 1, patienceMs) != 1) return false;
      char buffer[4096];
      const ssize_t n = ::read(fromChild_, buffer, sizeof buffer);
      if (n < 0) return false;
      if (n == 0) return untilEnd;
      text.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
  }

  // The exit status once the output has ended, or -1 when it did not exit normally.
  int wait() {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, 0);
    pid_ = -1;
    return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
};

struct Transcript {
  std::string output;
  int status = -1;
};

// Runs the engine with script as its whole standard input, from a file.
Transcript run(const std::string& script, rlim_t fileSizeLimit = 0) {
  Transcript r;
  std::FILE* file = std::tmpfile();
  if (!file) return r;
  std::fwrite(script.data(), 1, script.size(), file);
  std::fflush(file);
  lseek(fileno(file), 0, SEEK_SET);
  EngineProcess engine(fileno(file), fileSizeLimit);
  if (engine.started() && engine.read(r.output, true)) r.status = engine.wait();
  std::fclose(file);
  return r;
}

const std::string startBoard = "= " + test::startRows() + " B 0 0 0\n\n";

TEST(EngineProcess, PlaysAShortGameAndStopsAtQuit) {
  const Transcript r =
      run("# a short game\n"
          "\n"
          "board\n"
          "judge\n"
          "play 4 18 4 3\n"
          "   \n"
          "play 5 2 5 10\n"
          "  # white has answered\n"
          "board\n"
          "legal 5 18 5 10\n"
          "quit\n"
          "board\n"
          "play 5 18 5 3\n");
  const std::string rows =
      test::with(test::startRows(), {{4, 18, '.'}, {4, 3, 'B'}, {5, 2, '.'}, {5, 10, 'W'}});
  EXPECT_EQ(r.output, startBoard + "= 171 171\n\n" + "= 38 38 0 0 none\n\n" +
                          "= 38 38 0 0 none\n\n" + "= " + rows + " B 0 0 2\n\n" + "= false\n\n" +
                          "= \n\n");
  EXPECT_EQ(r.status, 0);
}

TEST(EngineProcess, ExitsWithZeroAtTheEndOfInput) {
  EXPECT_EQ(run("").status, 0);
  const Transcript r = run("play 4 18 4 3\nboard 1\n");
  EXPECT_EQ(r.output, "= 38 38 0 0 none\n\n? board takes 0 arguments\n\n");
  EXPECT_EQ(r.status, 0);
}

// A save past the file-size limit is refused, the old file stays whole, and the engine goes on.
TEST(EngineProcess, ASaveOverTheFileSizeLimitFailsAndTheEngineGoesOn) {
  std::string folder = ::testing::TempDir() + "zelkan-limit-XXXXXX";
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  const std::string path = folder + "/game.zelkan";
  const Transcript r =
      run("savegame " + path + "\nplay 4 18 4 3\nsavegame " + path + "\njudge\n", 20);
  EXPECT_EQ(r.output, "= \n\n= 38 38 0 0 none\n\n? " + path + ": File too large\n\n= 187 156\n\n");
  EXPECT_EQ(r.status, 0);
  std::ostringstream saved;
  saved << std::ifstream(path).rdbuf();
  EXPECT_EQ(saved.str(), "zelkan-record 1\n") << "the old file stays whole";
  std::remove(path.c_str());
  rmdir(folder.c_str());
}

TEST(EngineProcess, AnswersALastLineWithoutNewline) {
  const Transcript r = run("clear_board\ninfluence");
  EXPECT_EQ(r.output, "= \n\n= 57 57\n\n");
  EXPECT_EQ(r.status, 0);
}

TEST(EngineProcess, RefusesLinesOverTheLimitAndGoesOn) {
  const std::string limit = "influence" + std::string(4096 - 9, ' ');
  const Transcript r = run(limit + "\n" + limit + " \n" + "board" + std::string(100000, 'x') +
                           "\njudge\n" + std::string(5000, '#') + "\n");
  const std::string tooLong = "? line too long (more than 4096 bytes)\n\n";
  EXPECT_EQ(r.output, "= 57 57\n\n" + tooLong + tooLong + "= 171 171\n\n" + tooLong);
  EXPECT_EQ(r.status, 0);
}

TEST(EngineProcess, RefusesBinaryBytesAndTakesCarriageReturns) {
  const Transcript r = run("\0\n\xff\xfe\x01\n\x80 board\n\tboard\r\nboard\0\n"s);
  EXPECT_EQ(r.output, "? unknown command\n\n? unknown command\n\n? unknown command\n\n" +
                          startBoard + "? unknown command\n\n");
  EXPECT_EQ(r.status, 0);
}

TEST(EngineProcess, AnswersEachCommandAtOnce) {
  EngineProcess engine;
  ASSERT_TRUE(engine.started());
  std::string answer;
  engine.write("board\n");
  ASSERT_TRUE(engine.read(answer)) << "no answer before the next command";
  EXPECT_EQ(answer, startBoard);
  engine.write("# nothing to answer\nplay 4 18 4 3\n");
  ASSERT_TRUE(engine.read(answer));
  EXPECT_EQ(answer, "= 38 38 0 0 none\n\n");
  engine.write("quit\n");
  ASSERT_TRUE(engine.read(answer, true));
  EXPECT_EQ(answer, "= \n\n");
  EXPECT_EQ(engine.wait(), 0);
}

}  // namespace
}  // namespace zelkan
