#pragma once
// What the end of a compile step means for the user: the status line and the
// message, in plain words where the cause is known (a leak, a missing wad
// file, too many entities), with the tool's own last words.

#include <optional>
#include <string>

#include "platform/Process.h"
#include "shell/CompilePlan.h"

namespace shell {

// The verdict on a compile, or on one step of it.
struct CompileOutcome {
  bool Ok = false;       // the level is in the maps folder (for a step: it passed)
  bool Stopped = false;  // ended by Stop
  // kBspGenerated, kCompileStopped, or a short line for the status bar.
  std::string StatusText;
  // Empty when Ok or Stopped; otherwise the message for the user, naming the
  // failed step and why, then what the tool said last.
  std::string ErrorText;
  std::string FailedStep;  // the tool's name; empty when no step failed
};

CompileOutcome Failed(std::string statusText, std::string errorText, std::string step = {});

// How a step ended, as the session saw it.
struct StepEnd {
  platform::ProcessExit Exit;
  std::string Output;         // the end of what the step (or the batch's latest tool) printed
  bool LeakReported = false;  // a tool printed its leak line (kLeakLine) during the run
  // Windows: the last marker the batch printed: 0-3 the tool started, 4 the
  // move; -1 none.
  int BatchReached = -1;
};

// What both ZHLT and SDHLT print when the bsp tool finds a hole in hull 0,
// the hull the player sees ("Warning: === LEAK in hull 0 ===").
inline constexpr char kLeakLine[] = "LEAK in hull 0";

// The verdict on a step that ended: Ok when it passed. A leak is judged
// from what it leaves: the leak line, or a pointfile (.lin) that is not
// empty. ZHLT leaves an empty one after every compile.
CompileOutcome JudgeStep(const CompilePlan& plan, const CompileStep& step, const StepEnd& end);

// The lines of output worth showing in a message: its last lines holding
// "Error:" (at most three), else its last five lines; empty lines skipped.
std::string MeaningfulLines(const std::string& output);

// The first wad file the map's worldspawn names that does not exist; none
// when every one does (or the map names none).
std::optional<std::string> MissingWadFile(const std::string& mapPath);

}  // namespace shell
