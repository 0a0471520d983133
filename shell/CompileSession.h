#pragma once
// Runs "Generate .bsp": checks the plan's files, removes what an earlier run
// left (quorvel.err, .lin, .bsp beside the map), writes the batch file on
// Windows, runs the steps one after another on a thread of its own, judges
// each (shell/CompileVerdict.h), moves the level into the game's maps folder
// and reports one outcome.
//
// The output reaches a window as a terminal would show it (shell/CompileLog.h),
// in updates at least kLogInterval after the window finished showing the
// last, never more than one posted and not yet run: however fast the tools
// print, the window's thread keeps time for the user and the memory stays
// bounded. The last update comes before Finished. The command line takes the
// raw bytes instead (Output).
//
// Threads: the callbacks are never called directly. Each call is wrapped in a
// function given to `post`, which must run it later on the thread that owns
// the session (Qt: QMetaObject::invokeMethod(window, f, Qt::QueuedConnection);
// Win32: PostMessage and run it in the window procedure; the command line may
// run it at once). A posted call that runs after the session was destroyed
// does nothing, so destroying the session with its window is safe; the
// destructor ends a running tool and waits for the thread.
//
//   CompileSession compile(post, {onOutput, onStep, onFinished});
//   compile.Start({appDir, toolDir, hlDir});
//
// Every Start that returned true ends in exactly one Finished. After a
// successful run the files the tools leave beside the map
// (ToolLeftoverExtensions) are removed; one that cannot be is named in the
// output, and the compile still succeeded.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shell/CompileLog.h"
#include "shell/CompilePlan.h"
#include "shell/CompileVerdict.h"

namespace shell {

struct CompileSessionState;

class CompileSession {
 public:
  using Post = std::function<void(std::function<void()> call)>;

  static constexpr std::chrono::milliseconds kLogInterval{100};

  struct Callbacks {
    // Text for the compile output: each step's command line before it runs,
    // the tools' output as it comes (bytes as they printed them), the outcome.
    // Posted once for each piece: for a post that runs the call at once.
    std::function<void(const std::string& text)> Output;
    // The same text as a terminal shows it, for a window (see above).
    std::function<void(const CompileLogUpdate& update)> Log;
    // A step starts: its index (from 0), the number of steps, its name.
    std::function<void(std::size_t index, std::size_t count, const std::string& name)> StepStarted;
    std::function<void(const CompileOutcome& outcome)> Finished;
  };

  CompileSession(Post post, Callbacks callbacks);
  ~CompileSession();
  CompileSession(const CompileSession&) = delete;
  CompileSession& operator=(const CompileSession&) = delete;

  // False, with nothing reported, when a compile already runs. Otherwise
  // true: a check that fails (no map, no tools, no maps folder, ...) is
  // reported through Finished like any other end.
  bool Start(const LevelTarget& target);
  // The same with a plan made elsewhere (another system's, in tests).
  bool Start(const CompilePlan& plan);

  // Ends the running tool and its children; Finished reports kCompileStopped.
  // Nothing when idle.
  void Stop();

  // True from a Start that returned true until its Finished has been posted.
  bool Running() const;

 private:
  bool Launch(CompilePlan plan, std::optional<CompileOutcome> early);

  // Shared with the worker thread and the posted calls.
  std::shared_ptr<CompileSessionState> State;
};

// A window's field while a compile runs, e.g. "hlbsp: step 2 of 4, 0:12":
// the step (index from 0, as StepStarted gives it) and the time since Start.
std::string CompileStepText(const std::string& name, std::size_t index, std::size_t count,
                            std::chrono::seconds elapsed);

}  // namespace shell
