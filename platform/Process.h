#pragma once
// Child processes for the compile tools and the game, Qt-free.
//
// Process::Start returns at once; a reader thread of the process's own
// streams the child's standard output and error (merged) to Handlers::Output
// as it comes and calls Handlers::Exited exactly once at the end. Both run on
// that reader thread, never on the caller's: a window must post them to its
// GUI thread itself.
//
// Output arrives in pieces of at most a few KiB, cut anywhere (not at line
// ends); a line longer than kMaxLineBytes is cut there and marked with
// kCutMark, the rest of it dropped, so memory stays bounded whatever the tool
// prints. The bytes are the tool's own (no decoding).
//
// POSIX: the child runs in a process group of its own with standard input from
// /dev/null; Stop ends the whole group (SIGTERM, then SIGKILL after a grace
// time). On Linux the child is also killed when the thread that started it
// ends (the program was killed): start a Process from a thread that outlives
// it. A relative Program is named from the caller's current folder, also
// when the child starts in another (WorkingDirectory). Windows: the child runs in a job object that ends every process in it
// on Stop and when the Process is destroyed; strings are UTF-8 and converted
// to UTF-16 at the system's door.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"

namespace platform {

struct ProcessSpec {
  std::string Program;  // a path; not searched for on PATH
  std::vector<std::string> Arguments;
  std::string WorkingDirectory;  // empty: the caller's
};

struct ProcessExit {
  enum class Kind {
    Exited,         // ended by itself; Status is its exit status
    Crashed,        // ended by a signal or an exception; Status is its number
    FailedToStart,  // never ran; Error says why
    Stopped,        // ended by Stop (or the Process's destruction)
  };
  Kind How = Kind::Exited;
  int Status = 0;
  std::string Error;

  bool Succeeded() const { return How == Kind::Exited && Status == 0; }
};

class Process {
 public:
  static constexpr std::size_t kMaxLineBytes = 4096;
  static constexpr std::string_view kCutMark = " [...]";

  struct Handlers {
    std::function<void(std::string_view text)> Output;
    std::function<void(const ProcessExit& exit)> Exited;
  };

  // Never null: a child that cannot be started is reported through Exited
  // (FailedToStart) like any other end.
  static std::unique_ptr<Process> Start(const ProcessSpec& spec, Handlers handlers);

  // Stops the child and waits for its reader thread: no handler runs after
  // the destructor returned.
  virtual ~Process() = default;

  // Ends the child and everything it started. Any thread; returns at once;
  // Exited follows (Stopped) unless the child had already ended.
  virtual void Stop() = 0;

  // Blocks until Exited has been called and returns what it was given. Not
  // for a GUI thread.
  virtual ProcessExit Wait() = 0;

 protected:
  Process() = default;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
};

// Starts a program that lives on by itself (the game): standard input from
// the null device, not waited for, not ended with this program. Fails with a
// message naming the program, the folder and the reason.
Result<> StartDetached(const ProcessSpec& spec);

// UTF-8 text in the code page the command interpreter reads batch files in
// (the OEM code page on Windows; unchanged elsewhere). Fails naming the
// first character that code page cannot carry.
Result<std::string> ToConsoleCodePage(const std::string& utf8);

// Cuts over-long lines of a byte stream that arrives in pieces: what Process
// does to a tool's output, usable on its own.
class LineLimiter {
 public:
  explicit LineLimiter(std::size_t maxLineBytes = Process::kMaxLineBytes) : MaxLine(maxLineBytes) {}
  // The part of piece to pass on.
  std::string Filter(std::string_view piece);

 private:
  std::size_t MaxLine;
  std::size_t LineLength = 0;  // bytes of the current line passed on
  bool Cut = false;            // the current line was cut: drop until its end
};

}  // namespace platform
