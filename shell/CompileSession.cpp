#include "shell/CompileSession.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/SafeWrite.h"
#include "shell/Names.h"
#include "shell/Paths.h"

namespace shell {

namespace {

// How much of a step's latest output is kept for the verdict.
constexpr std::size_t kTailBytes = 8192;

// Keeps the end of text, from a line's start, once it grew past twice that.
void KeepTail(std::string& text) {
  if (text.size() <= 2 * kTailBytes) return;
  const std::size_t cut = text.find('\n', text.size() - kTailBytes);
  text.erase(0, cut == std::string::npos ? text.size() - kTailBytes : cut + 1);
}

// Removes what the tools leave beside the map, and nothing else: a folder of
// that name is left alone. The paths it could not remove, with the reasons.
std::vector<std::string> RemoveLeftovers(const CompilePlan& plan) {
  std::vector<std::string> kept;
  for (const std::string& extension : ToolLeftoverExtensions()) {
    const std::string path = plan.LevelBase + extension;
    std::error_code error;
    const auto status = std::filesystem::symlink_status(FileSystemPath(path), error);
    if (!std::filesystem::exists(status)) continue;
    if (std::filesystem::is_directory(status)) {
      kept.push_back(path + ": a folder, left alone");
    } else if (const Result<> removed = RemoveFile(path); !removed) {
      kept.push_back(path + ": " + removed.Error());
    }
  }
  return kept;
}

}  // namespace

struct CompileSessionState {
  using Callbacks = CompileSession::Callbacks;

  CompileSession::Post PostCall;
  Callbacks Calls;
  std::atomic<bool> Alive{true};  // false once the session is destroyed

  std::mutex Mutex;
  std::condition_variable StepEnded;  // the running step's tool has ended
  bool Running = false;
  bool StopRequested = false;
  platform::Process* Current = nullptr;  // the step's process, owned by the worker
  bool CurrentEnded = false;
  std::thread Worker;

  // The window's view of the output: fed by the reader and worker threads,
  // taken by the posted update.
  CompileLog Log;
  bool LogQueued = false;   // an update is posted and has not run yet
  bool LogShowing = false;  // the owner is showing one
  std::chrono::steady_clock::time_point LogShown;  // when it last finished showing one
};

namespace {

// Everything the worker does, on its own thread.
class Run {
 public:
  // early: a check that failed before there was a plan to run.
  Run(std::shared_ptr<CompileSessionState> shared, CompilePlan plan, std::optional<CompileOutcome> early)
      : S(std::move(shared)), Plan(std::move(plan)), Early(std::move(early)) {}

  void operator()() {
    const CompileOutcome outcome = Early ? *Early : Compile();
    if (BatchWritten) (void)RemoveFile(Plan.BatchPath);
    if (outcome.Ok) Output("\n" + std::string(kBspGenerated) + ": " + Plan.TargetPath + "\n");
    else if (outcome.Stopped) Output("\nStopped.\n");
    else Output("\nError: " + outcome.ErrorText + "\n");
    PostLog(true);  // the rest, before Finished
    {
      std::lock_guard<std::mutex> lock(S->Mutex);
      S->Running = false;
    }
    Post([outcome](CompileSession::Callbacks& calls) {
      if (calls.Finished) calls.Finished(outcome);
    });
  }

 private:
  // Runs call on the owner's thread, unless the session is gone by then.
  template <typename F>
  void Post(F call) {
    std::shared_ptr<CompileSessionState> shared = S;
    S->PostCall([shared, call] {
      if (shared->Alive) call(shared->Calls);
    });
  }

  void Output(std::string text) {
    if (S->Calls.Log) {
      std::lock_guard<std::mutex> lock(S->Mutex);
      S->Log.Feed(text);
    }
    if (!S->Calls.Output) return;
    Post([text = std::move(text)](CompileSession::Callbacks& calls) {
      if (calls.Output) calls.Output(text);
    });
  }

  // Posts an update of the window's log when it changed and none waits to
  // run, kLogInterval after the owner finished showing the last: however
  // long showing takes, the owner's thread is left time for the user. The
  // last update of a run is posted at once. An update takes what the log
  // holds when it runs.
  void PostLog(bool last = false) {
    {
      std::lock_guard<std::mutex> lock(S->Mutex);
      if (!S->Calls.Log || S->LogQueued || !S->Log.Changed()) return;
      const auto now = std::chrono::steady_clock::now();
      if (!last && (S->LogShowing || now - S->LogShown < CompileSession::kLogInterval)) return;
      S->LogQueued = true;
    }
    std::shared_ptr<CompileSessionState> shared = S;
    S->PostCall([shared] {
      CompileLogUpdate update;
      {
        std::lock_guard<std::mutex> lock(shared->Mutex);
        update = shared->Log.TakeUpdate();
        shared->LogQueued = false;
        shared->LogShowing = true;
      }
      if (shared->Alive) shared->Calls.Log(update);
      std::lock_guard<std::mutex> lock(shared->Mutex);
      shared->LogShowing = false;
      shared->LogShown = std::chrono::steady_clock::now();
    });
  }

  // Waits for the step's tool to end, posting the log's updates meanwhile.
  void AwaitStep() {
    std::unique_lock<std::mutex> lock(S->Mutex);
    while (!S->CurrentEnded) {
      S->StepEnded.wait_for(lock, CompileSession::kLogInterval, [this] { return S->CurrentEnded; });
      lock.unlock();
      PostLog();
      lock.lock();
    }
  }

  void StepStarted(std::size_t index, std::size_t count, std::string name) {
    Post([index, count, name = std::move(name)](CompileSession::Callbacks& calls) {
      if (calls.StepStarted) calls.StepStarted(index, count, name);
    });
  }

  // Looks at each line the tools print: the leak line, and the batch's
  // markers, reporting each tool it starts and keeping in tail only what the
  // latest one printed; line holds the current line's start.
  void WatchLines(std::string& line, std::string_view text, std::string& tail) {
    for (const char c : text) {
      if (c != '\n' && c != '\r') {
        if (line.size() < 256) line += c;  // longer than any marker or the leak line
        continue;
      }
      if (line.find(kLeakLine) != std::string::npos) LeakReported = true;
      for (std::size_t t = 0; !Plan.BatchPath.empty() && t <= Plan.BatchTools.size(); ++t) {
        const bool move = t == Plan.BatchTools.size();
        if (line != (move ? std::string(kBatchMoveMarker) : BatchStepMarker(t, Plan.BatchTools[t]))) continue;
        BatchReached = static_cast<int>(t);
        if (!move) StepStarted(t, Plan.BatchTools.size(), Plan.BatchTools[t]);
        const std::size_t at = tail.rfind(line);
        if (at != std::string::npos) tail.erase(0, at + line.size());
      }
      line.clear();
    }
  }

  bool StopRequested() {
    std::lock_guard<std::mutex> lock(S->Mutex);
    return S->StopRequested;
  }

  static CompileOutcome Stopped() {
    CompileOutcome outcome;
    outcome.Stopped = true;
    outcome.StatusText = kCompileStopped;
    return outcome;
  }

  CompileOutcome Compile() {
    if (Plan.Steps.empty()) return Failed("Compile not started", "There is nothing to run.");
    if (!IsFile(Plan.MapPath)) {
      return Failed("No .map to compile", "There is no level to compile: " + Plan.MapPath +
                                              " does not exist. Press \"Generate .map\" first.");
    }
    if (!IsDirectory(Plan.MapsDir)) {
      // Not created here: a missing valve/maps means HLDir is not the game's
      // main folder, and a level put there would never be found.
      return Failed("Game maps folder not found", "The game's maps folder " + Plan.MapsDir +
                                                      " does not exist: check the game main folder in Setup.");
    }
    // Left over from an earlier run they would be taken for this run's results.
    for (const std::string& stale : {Plan.ErrPath, Plan.LinPath, Plan.BspPath}) {
      const Result<> removed = RemoveFile(stale);
      if (!removed)
        return Failed("Compile not started",
                      "Cannot remove " + stale + " left by an earlier compile: " + removed.Error());
    }
    if (!Plan.Header.empty()) Output(Plan.Header + "\n");
    if (!Plan.BatchPath.empty()) {
      const Result<std::string> bytes = platform::ToConsoleCodePage(Plan.BatchText);
      if (!bytes)
        return Failed("Cannot write the batch file",
                      "The folders cannot be named in the batch file " + Plan.BatchPath + ": " + bytes.Error() + ".");
      BatchWritten = true;  // removed after the run even if half-written
      const Result<> written = platform::WriteFileSafely(Plan.BatchPath, *bytes);
      if (!written)
        return Failed("Cannot write the batch file",
                      "Cannot write the batch file " + Plan.BatchPath + ": " + written.Error());
      Output(Plan.BatchPath + ":\n" + Plan.BatchText);
    }

    for (std::size_t i = 0; i < Plan.Steps.size(); ++i) {
      if (StopRequested()) return Stopped();
      const CompileStep& step = Plan.Steps[i];
      // The batch's steps are its tools, which it names as it starts them.
      if (Plan.BatchPath.empty()) StepStarted(i, Plan.Steps.size(), step.Name);
      Output("\n> " + CommandLineText(step.Process) + "\n");

      auto tail = std::make_shared<std::string>();  // written by the reader thread until Wait returns
      platform::Process::Handlers handlers;
      handlers.Output = [this, tail, line = std::string()](std::string_view text) mutable {
        Output(std::string(text));
        tail->append(text);
        WatchLines(line, text, *tail);
        KeepTail(*tail);
      };
      handlers.Exited = [this](const platform::ProcessExit&) {
        std::lock_guard<std::mutex> lock(S->Mutex);
        S->CurrentEnded = true;
        S->StepEnded.notify_all();
      };
      {
        std::lock_guard<std::mutex> lock(S->Mutex);
        S->CurrentEnded = false;
      }
      std::unique_ptr<platform::Process> process = platform::Process::Start(step.Process, std::move(handlers));
      {
        std::lock_guard<std::mutex> lock(S->Mutex);
        S->Current = process.get();
        if (S->StopRequested) process->Stop();
      }
      AwaitStep();
      StepEnd end;
      end.Exit = process->Wait();
      {
        std::lock_guard<std::mutex> lock(S->Mutex);
        S->Current = nullptr;
      }
      process.reset();
      if (end.Exit.How == platform::ProcessExit::Kind::Stopped || StopRequested()) return Stopped();
      end.Output = *tail;
      end.LeakReported = LeakReported;
      end.BatchReached = BatchReached;
      if (CompileOutcome verdict = JudgeStep(Plan, step, end); !verdict.Ok) return verdict;
    }
    return MoveLevel();
  }

  CompileOutcome MoveLevel() {
    if (Plan.MoveAfterSteps) {
      if (!IsFile(Plan.BspPath))
        return Failed("Compile failed: no .bsp",
                      "The compile tools ended without error but left no " + Plan.BspPath + ".");
      Output("\nMoving " + Plan.BspPath + " to " + Plan.TargetPath + "\n");
      if (const Result<> moved = platform::MoveFileTo(Plan.BspPath, Plan.TargetPath); !moved)
        return Failed("Cannot move the .bsp",
                      "Cannot move " + Plan.BspPath + " into the maps folder " + Plan.MapsDir + ": " + moved.Error());
    } else if (IsFile(Plan.BspPath) || !IsFile(Plan.TargetPath)) {
      return Failed("Cannot move the .bsp", Plan.BspPath + " did not reach the maps folder " + Plan.MapsDir +
                                                ": the move in " + Plan.BatchPath + " failed.");
    }
    for (const std::string& kept : RemoveLeftovers(Plan)) Output("\nNot removed: " + kept + "\n");
    CompileOutcome outcome;
    outcome.Ok = true;
    outcome.StatusText = kBspGenerated;
    return outcome;
  }

  std::shared_ptr<CompileSessionState> S;
  CompilePlan Plan;
  std::optional<CompileOutcome> Early;
  bool BatchWritten = false;
  bool LeakReported = false;  // written by the reader threads, read once each has ended
  int BatchReached = -1;
};

}  // namespace

CompileSession::CompileSession(Post post, Callbacks callbacks) : State(std::make_shared<CompileSessionState>()) {
  State->PostCall = std::move(post);
  State->Calls = std::move(callbacks);
}

CompileSession::~CompileSession() {
  Stop();
  if (State->Worker.joinable()) State->Worker.join();
  State->Alive = false;
}

bool CompileSession::Start(const LevelTarget& target) {
  if (Running()) return false;
  // Checked before the plan, so that the message names what to set.
  if (target.ToolDir.empty() || target.GameDir.empty()) {
    return Launch({}, Failed("Folders not set", std::string("The ") +
                                                   (target.ToolDir.empty() ? "compilation tools" : "game main") +
                                                   " folder is not set: choose it in Setup."));
  }
  if (!IsDirectory(target.ToolDir)) {
    return Launch({}, Failed("Compile tools not found", "The compilation tools folder " + target.ToolDir +
                                                            " does not exist: check it in Setup."));
  }
  Result<CompilePlan> plan = MakeCompilePlan(target);
  if (!plan) return Launch({}, Failed("Compile tools not found", plan.Error() + " Check the folder in Setup."));
  return Launch(std::move(*plan), std::nullopt);
}

bool CompileSession::Start(const CompilePlan& plan) { return Launch(plan, std::nullopt); }

bool CompileSession::Launch(CompilePlan plan, std::optional<CompileOutcome> early) {
  std::lock_guard<std::mutex> lock(State->Mutex);
  if (State->Running) return false;
  if (State->Worker.joinable()) State->Worker.join();  // the last run's, already past its end
  State->Running = true;
  State->StopRequested = false;
  State->Log = CompileLog();  // the last run's last update has run before its Finished
  State->Worker = std::thread(Run(State, std::move(plan), std::move(early)));
  return true;
}

void CompileSession::Stop() {
  std::lock_guard<std::mutex> lock(State->Mutex);
  if (!State->Running) return;
  State->StopRequested = true;
  if (State->Current) State->Current->Stop();
}

bool CompileSession::Running() const {
  std::lock_guard<std::mutex> lock(State->Mutex);
  return State->Running;
}

std::string CompileStepText(const std::string& name, std::size_t index, std::size_t count,
                            std::chrono::seconds elapsed) {
  const long long total = elapsed.count() < 0 ? 0 : elapsed.count();
  const long long hours = total / 3600, minutes = total / 60 % 60, seconds = total % 60;
  char time[32];
  if (hours > 0) std::snprintf(time, sizeof time, "%lld:%02lld:%02lld", hours, minutes, seconds);
  else std::snprintf(time, sizeof time, "%lld:%02lld", minutes, seconds);
  return name + ": step " + std::to_string(index + 1) + " of " + std::to_string(count) + ", " + time;
}

}  // namespace shell
