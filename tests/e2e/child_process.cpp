#include "tests/e2e/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace zelkan::test {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> changedEnvironment(const std::vector<std::string>& changes) {
  std::vector<std::string> result;
  for (char** e = environ; *e != nullptr; ++e)
    result.emplace_back(*e);
  for (const std::string& change : changes) {
    const std::string name = change.substr(0, change.find('='));
    std::erase_if(result, [&](const std::string& e) { return e.starts_with(name + "="); });
    if (change.find('=') != std::string::npos) result.push_back(change);
  }
  return result;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (std::string& s : strings)
    result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

// Starts the program with its standard output and error on the given descriptors. Everything
// the child needs is made ready before the fork; the child only calls what is safe there.
pid_t start(const Launch& launch, int outputFd, int errorFd) {
  if (launch.argv.empty()) throw std::runtime_error("no program to start");
  std::vector<std::string> args = launch.argv;
  std::vector<std::string> env = changedEnvironment(launch.environment);
  std::vector<char*> argv = pointers(args);
  std::vector<char*> envp = pointers(env);
  const std::string folder = launch.workingFolder.string();

  int report[2];  // the child writes errno here if it cannot start the program
  if (pipe2(report, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, launch.deathSignal);
    if (getppid() != parent) _exit(127);
    int error = 0;
    if (chdir(folder.c_str()) != 0 || dup2(outputFd, 1) < 0 || dup2(errorFd, 2) < 0) {
      error = errno;
    } else {
      if (launch.inheritedDescriptor >= 0) fcntl(launch.inheritedDescriptor, F_SETFD, 0);
      execvpe(argv[0], argv.data(), envp.data());
      error = errno;
    }
    if (write(report[1], &error, sizeof error) < 0) _exit(127);
    _exit(127);
  }
  close(report[1]);
  int error = 0;
  const ssize_t n = read(report[0], &error, sizeof error);
  close(report[0]);
  if (n > 0) {
    waitpid(pid, nullptr, 0);
    throw std::runtime_error("cannot start " + launch.argv[0] + ": " + std::strerror(error));
  }
  return pid;
}

// Reaps the process if it ends before the deadline.
std::optional<int> reapBy(pid_t pid, Clock::time_point deadline) {
  for (;;) {
    int status = 0;
    const pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return status;
    if (r < 0) return -1;
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void killAndReap(pid_t pid) {
  ::kill(-pid, SIGKILL);
  ::kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

ChildProcess::ChildProcess(const Launch& launch) {
  const int out =
      open(launch.output.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (out < 0) throw std::runtime_error("cannot open " + launch.output.string());
  try {
    pid_ = start(launch, out, out);
  } catch (...) {
    close(out);
    throw;
  }
  close(out);
}

ChildProcess::~ChildProcess() {
  kill();
}

std::optional<int> ChildProcess::waitForEnd(std::chrono::milliseconds limit) {
  if (!status_) status_ = reapBy(pid_, Clock::now() + limit);
  return status_;
}

std::string ChildProcess::describe() {
  if (const std::optional<int> status = waitForEnd(std::chrono::milliseconds(0)))
    return "ended with wait status " + std::to_string(*status);
  const std::string proc = "/proc/" + std::to_string(pid_);
  std::ifstream statFile(proc + "/stat");
  const std::string stat{std::istreambuf_iterator<char>(statFile),
                         std::istreambuf_iterator<char>()};
  std::ifstream wchanFile(proc + "/wchan");
  std::string wchan;
  std::getline(wchanFile, wchan);
  const std::size_t close = stat.rfind(')');
  const std::string state = close == std::string::npos ? "?" : stat.substr(close + 2, 1);
  return "running in state " + state + ", waiting in " + wchan;
}

void ChildProcess::kill() {
  if (status_) return;
  killAndReap(pid_);
  status_ = -1;
}

void ChildProcess::stop(std::chrono::milliseconds grace) {
  if (status_) return;
  ::kill(pid_, SIGTERM);
  if (!waitForEnd(grace)) kill();
}

CommandResult runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds limit,
                         const std::vector<std::string>& environment) {
  const Clock::time_point deadline = Clock::now() + limit;
  int out[2];
  int err[2];
  if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    throw std::runtime_error("pipe2 failed");
  }
  pid_t pid = -1;
  try {
    Launch launch;
    launch.argv = argv;
    launch.environment = environment;
    pid = start(launch, out[1], err[1]);
  } catch (...) {
    for (int fd : {out[0], out[1], err[0], err[1]})
      close(fd);
    throw;
  }
  close(out[1]);
  close(err[1]);

  CommandResult result;
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.output, &result.errors};
  int openPipes = 2;
  while (openPipes > 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0 || poll(fds, 2, static_cast<int>(left)) <= 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        fds[i].fd = -1;
        --openPipes;
      }
    }
  }
  close(out[0]);
  close(err[0]);

  const std::optional<int> status = reapBy(pid, deadline);
  if (!status) {
    killAndReap(pid);
    return result;
  }
  result.finished = true;
  if (WIFEXITED(*status)) result.exitCode = WEXITSTATUS(*status);
  return result;
}

std::chrono::milliseconds processorTime(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  const std::string stat{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return std::chrono::milliseconds(0);
  // After the command name: state, then 10 more fields, then utime and stime in clock ticks.
  std::istringstream fields(stat.substr(close + 1));
  std::string skip;
  for (int i = 0; i < 11; ++i)
    fields >> skip;
  long long user = 0;
  long long system = 0;
  fields >> user >> system;
  const long ticks = sysconf(_SC_CLK_TCK);
  return std::chrono::milliseconds((user + system) * 1000 / ticks);
}

}  // namespace zelkan::test
