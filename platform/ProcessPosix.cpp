#include "platform/ProcessBase.h"

#include <fcntl.h>
#include <poll.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/Platform.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// How long a tool may take to end after SIGTERM before the group is killed.
constexpr auto kStopGrace = std::chrono::seconds(2);
// How long output is still read once the tool has ended but something it
// started keeps the pipe open.
constexpr auto kDrainAfterExit = std::chrono::seconds(2);

// What a child reports through its error pipe when it could not exec.
struct ChildFailure {
  int Stage;  // 0 entering the working folder, 1 exec
  int Error;
};

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

bool MakePipe(int fds[2]) {
  if (pipe(fds) != 0) return false;
  for (int i = 0; i < 2; ++i) fcntl(fds[i], F_SETFD, FD_CLOEXEC);
  return true;
}

// argv for execv: pointers into spec's strings, which outlive the fork.
std::vector<char*> ArgumentVector(const ProcessSpec& spec) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(spec.Program.c_str()));
  for (const std::string& argument : spec.Arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// The spec with a relative program named from the current folder: the child
// changes to its own folder before it runs the program.
ProcessSpec WithWholeProgram(ProcessSpec spec) {
  if (!spec.Program.empty() && spec.Program.front() != '/' && !spec.WorkingDirectory.empty()) {
    const std::string here = CurrentDirectory();
    if (!here.empty()) spec.Program = here + (here.back() == '/' ? "" : "/") + spec.Program;
  }
  return spec;
}

// In the forked child: only async-signal-safe calls until exec. parent: the
// pid of a parent whose end must end the child too (Linux); 0 for none.
[[noreturn]] void ExecChild(const ProcessSpec& spec, char* const* argv, int output, int errorPipe, pid_t parent = 0) {
#ifdef __linux__
  // The signal comes when the thread that forked ends, which for a tool is
  // the one waiting for it; the parent may have gone before the call.
  if (parent != 0 && (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent)) _exit(127);
#else
  (void)parent;
#endif
  sigset_t all;
  sigemptyset(&all);
  sigprocmask(SIG_SETMASK, &all, nullptr);
  signal(SIGPIPE, SIG_DFL);
  const int null = open("/dev/null", O_RDONLY);
  if (null >= 0) dup2(null, 0);
  if (output >= 0) {
    dup2(output, 1);
    dup2(output, 2);
  }
  ChildFailure failure{0, 0};
  if (!spec.WorkingDirectory.empty() && chdir(spec.WorkingDirectory.c_str()) != 0) {
    failure.Error = errno;
  } else {
    execv(spec.Program.c_str(), argv);
    failure = {1, errno};
  }
  ssize_t ignored = write(errorPipe, &failure, sizeof failure);
  (void)ignored;
  _exit(127);
}

// Reads the error pipe until the child exec'd (EOF) or reported a failure.
std::string ReadStartFailure(int errorPipe, const ProcessSpec& spec) {
  ChildFailure failure{};
  ssize_t n;
  do {
    n = read(errorPipe, &failure, sizeof failure);
  } while (n < 0 && errno == EINTR);
  if (n != static_cast<ssize_t>(sizeof failure)) return {};
  if (failure.Stage == 0)
    return "cannot enter the folder " + spec.WorkingDirectory + ": " + std::strerror(failure.Error);
  return std::strerror(failure.Error);
}

class PosixProcess final : public ProcessBase {
 public:
  PosixProcess(const ProcessSpec& given, Handlers handlers) : ProcessBase(std::move(handlers)) {
    const ProcessSpec spec = WithWholeProgram(given);
    int output[2] = {-1, -1}, errors[2] = {-1, -1};
    if (!MakePipe(output) || !MakePipe(errors) || !MakePipe(Wake)) {
      const std::string reason = std::strerror(errno);
      for (int* fd : {&output[0], &output[1], &errors[0], &errors[1]}) CloseFd(*fd);
      Reader = std::thread([this, reason] { Finish({ProcessExit::Kind::FailedToStart, 0, reason}); });
      return;
    }
    fcntl(Wake[0], F_SETFL, O_NONBLOCK);
    fcntl(Wake[1], F_SETFL, O_NONBLOCK);
    const std::vector<char*> argv = ArgumentVector(spec);
    const pid_t parent = getpid();
    Pid = fork();
    if (Pid == 0) {
      setpgid(0, 0);  // its own group, so that Stop reaches whatever it starts
      ExecChild(spec, argv.data(), output[1], errors[1], parent);
    }
    const int forkError = errno;
    if (Pid > 0) setpgid(Pid, Pid);  // either side may come first
    CloseFd(output[1]);
    CloseFd(errors[1]);
    OutFd = output[0];
    const int errorPipe = errors[0];
    Reader = std::thread([this, spec, errorPipe, forkError] { Run(spec, errorPipe, forkError); });
  }

  ~PosixProcess() override {
    Stop();
    if (Reader.joinable()) Reader.join();
    CloseFd(OutFd);
    CloseFd(Wake[0]);
    CloseFd(Wake[1]);
  }

  void Stop() override {
    std::lock_guard<std::mutex> lock(Mutex);
    if (StopRequested || Done) return;
    StopRequested = true;
    StopTime = Clock::now();
    // Not yet reaped, so the group id cannot have been reused.
    if (Pid > 0 && !Reaped) kill(-Pid, SIGTERM);
    const char byte = 0;
    ssize_t ignored = write(Wake[1], &byte, 1);
    (void)ignored;
  }

 private:
  void Run(const ProcessSpec& spec, int errorPipe, int forkError) {
    if (Pid < 0) {
      close(errorPipe);
      Finish({ProcessExit::Kind::FailedToStart, 0, std::strerror(forkError)});
      return;
    }
    const std::string startFailure = ReadStartFailure(errorPipe, spec);
    close(errorPipe);
    if (!startFailure.empty()) {
      int status;
      waitpid(Pid, &status, 0);
      MarkReaped();
      Finish({ProcessExit::Kind::FailedToStart, 0, startFailure});
      return;
    }
    Stream();
    const int status = Reap();
    ProcessExit exit;
    if (Stopping()) {
      exit.How = ProcessExit::Kind::Stopped;
    } else if (WIFSIGNALED(status)) {
      exit.How = ProcessExit::Kind::Crashed;
      exit.Status = WTERMSIG(status);
    } else {
      exit.Status = WEXITSTATUS(status);
    }
    Finish(exit);
  }

  // Passes output on until the pipe closes, or shortly after the tool ended
  // when something it left behind holds the pipe open.
  void Stream() {
    LineLimiter limiter;
    char buffer[4096];
    bool ended = false;
    Clock::time_point endTime;
    for (;;) {
      pollfd fds[2] = {{OutFd, POLLIN, 0}, {Wake[0], POLLIN, 0}};
      const int ready = poll(fds, 2, 100);
      if (ready < 0 && errno != EINTR) break;
      if (fds[1].revents & POLLIN) {
        char drop[64];
        while (read(Wake[0], drop, sizeof drop) > 0) {
        }
      }
      if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
        const ssize_t n = read(OutFd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) break;
        if (n > 0) {
          const std::string text = limiter.Filter(std::string_view(buffer, static_cast<size_t>(n)));
          if (!text.empty() && H.Output) H.Output(text);
        }
      }
      if (!ended && Exited()) {
        ended = true;
        endTime = Clock::now();
      }
      if (ended && (Stopping() || Clock::now() - endTime > kDrainAfterExit)) break;
      KillIfOverdue();
    }
    CloseFd(OutFd);
  }

  // True once the child has ended (not yet reaped: its pid stays ours).
  bool Exited() {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(Pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == Pid;
  }

  int Reap() {
    int status = 0;
    for (;;) {
      if (Exited()) break;
      KillIfOverdue();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    {
      std::lock_guard<std::mutex> lock(Mutex);
      // Whatever the tool left running goes with it when it was stopped.
      if (StopRequested) kill(-Pid, SIGKILL);
      Reaped = true;
    }
    while (waitpid(Pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
  }

  void MarkReaped() {
    std::lock_guard<std::mutex> lock(Mutex);
    Reaped = true;
  }

  bool Stopping() {
    std::lock_guard<std::mutex> lock(Mutex);
    return StopRequested;
  }

  void KillIfOverdue() {
    std::lock_guard<std::mutex> lock(Mutex);
    if (StopRequested && !Reaped && Clock::now() - StopTime > kStopGrace) kill(-Pid, SIGKILL);
  }

  pid_t Pid = -1;
  int OutFd = -1;
  int Wake[2] = {-1, -1};  // wakes the reader's poll on Stop
  bool StopRequested = false;
  Clock::time_point StopTime;
  bool Reaped = false;
  std::thread Reader;
};

}  // namespace

std::unique_ptr<Process> Process::Start(const ProcessSpec& spec, Handlers handlers) {
  return std::make_unique<PosixProcess>(spec, std::move(handlers));
}

Result<> StartDetached(const ProcessSpec& given) {
  const ProcessSpec spec = WithWholeProgram(given);
  int errors[2];
  if (!MakePipe(errors)) return Failure{spec.Program + " could not be started: " + std::strerror(errno)};
  const std::vector<char*> argv = ArgumentVector(spec);
  const pid_t middle = fork();
  if (middle == 0) {
    // A session of its own and a parent that ends at once: the game is
    // neither waited for nor ended with this program.
    setsid();
    if (fork() == 0) ExecChild(spec, argv.data(), -1, errors[1]);
    _exit(0);
  }
  const int forkError = errno;
  close(errors[1]);
  if (middle < 0) {
    close(errors[0]);
    return Failure{spec.Program + " could not be started: " + std::strerror(forkError)};
  }
  int status;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  const std::string failure = ReadStartFailure(errors[0], spec);
  close(errors[0]);
  if (!failure.empty()) {
    const std::string folder = spec.WorkingDirectory.empty() ? std::string(".") : spec.WorkingDirectory;
    return Failure{spec.Program + " could not be started in " + folder + ": " + failure};
  }
  return {};
}

Result<std::string> ToConsoleCodePage(const std::string& utf8) { return utf8; }

}  // namespace platform
