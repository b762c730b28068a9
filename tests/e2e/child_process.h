// Programs the end-to-end tests start: the game, the X server, the session bus, xdotool and
// import. Each child runs in a process group of its own, is killed if the test process dies (the
// session bus is asked to end, and takes down what it started), and is killed when its holder
// goes out of scope, so a failing test leaves nothing running.
#pragma once

#include <sys/types.h>

#include <csignal>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelkan::test {

struct Launch {
  std::vector<std::string> argv;  // argv[0] is looked up on PATH unless it holds a slash
  std::filesystem::path workingFolder = ".";
  // Changes to the inherited environment: "NAME=VALUE" sets NAME, a bare "NAME" removes it.
  std::vector<std::string> environment;
  std::filesystem::path output = "/dev/null";  // standard output and error go here
  int inheritedDescriptor = -1;                // one more descriptor the child keeps open
  // Sent to the child when the test process dies; a child that tidies up asks for SIGTERM.
  int deathSignal = SIGKILL;
};

class ChildProcess {
 public:
  // Throws std::runtime_error if the program cannot be started.
  explicit ChildProcess(const Launch& launch);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }

  // The wait status once the process has ended, waiting at most `limit`; nullopt while it
  // still runs.
  std::optional<int> waitForEnd(std::chrono::milliseconds limit);

  // How the process is: its end, or its state and what it waits in, for failure messages.
  std::string describe();

  // Kills the process group and reaps the process, unless it has ended already.
  void kill();

  // Asks the process to end, and kills it if it has not ended within `grace`.
  void stop(std::chrono::milliseconds grace);

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

struct CommandResult {
  bool finished = false;  // false: killed when its time ran out
  int exitCode = -1;      // the exit code, when it finished by exiting
  std::string output;     // standard output
  std::string errors;     // standard error
};

// Runs a program to its end, killing it after `limit`.
CommandResult runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds limit,
                         const std::vector<std::string>& environment = {});

// Processor time (user and system) the process has used so far, from /proc.
std::chrono::milliseconds processorTime(pid_t pid);

}  // namespace zelkan::test
