#pragma once
// What "Generate .bsp" runs: the four map compile tools (csg, bsp, vis, rad)
// on a level target's map (LevelDir/NAME), then the compiled level moved
// into the game's valve/maps.
//
// Windows: the tools and the move run from ToolDir/quorvel.bat through the
// command interpreter. Elsewhere each tool is a child process of its own (no
// shell, so no folder name can be taken for a command) and the program moves
// the level itself. Both plans can be made on any system, so both are tested
// everywhere; MakeCompilePlan picks this system's.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/Result.h"
#include "shell/LevelTarget.h"

namespace shell {

// One child process of the run.
struct CompileStep {
  std::string Name;  // the tool's file name, or the batch file's
  platform::ProcessSpec Process;
};

struct CompilePlan {
  std::vector<CompileStep> Steps;
  // The compile output's first line: the quality, and which tools take
  // none of its arguments (the classic ones).
  std::string Header;

  // Windows only (empty elsewhere): the batch file written before the first
  // step and deleted after the run, whatever happened, and the tool each of
  // its four lines runs.
  std::string BatchPath;
  std::string BatchText;
  std::array<std::string, 4> BatchTools;

  // Files the tools read and write beside the map.
  std::string LevelBase;  // LevelDir/NAME: the map's path without its extension
  std::string MapPath;    // LevelDir/NAME.map
  std::string BspPath;    // LevelDir/NAME.bsp
  std::string ErrPath;    // LevelDir/NAME.err: written by a tool that failed
  std::string LinPath;    // LevelDir/NAME.lin: the bsp tool's pointfile on a leak

  std::string MapsDir;     // GameDir/valve/maps (never created by the program)
  std::string TargetPath;  // GameDir/valve/maps/NAME.bsp

  // True when the program moves BspPath to TargetPath after the last step;
  // false when the batch file does it.
  bool MoveAfterSteps = false;
};

// The names each step looks for in ToolDir, best first: SDHLT's (faster
// lighting, higher limits), then ZHLT's. Windows: then the classic ones
// (qcsg.exe, qbsp2.exe, vis.exe, qrad.exe), which take at most
// kClassicMaxEntities entities. POSIX: sdHLCSG then hlcsg, etc.
const std::array<std::vector<std::string>, 4>& WindowsToolNames();
const std::array<std::vector<std::string>, 4>& PosixToolNames();
inline constexpr int kClassicMaxEntities = 1024;

// What the tools leave beside the map (LevelBase + each of these), removed
// after a successful compile: ZHLT's portal and hull files, its pointfiles
// (empty when there was no leak), SDHLT's extents, wad and hull size files,
// and the error file. The tools' log (.log) is kept for the user.
const std::vector<std::string>& ToolLeftoverExtensions();
// The batch file's lines, each ending in CR LF:
//   @echo off
//   echo Step 1 of 4: TOOL1   (BatchStepMarker, so that the run can be followed)
//   TOOL1 QUALITY-ARGUMENTS "LevelDir\NAME"   (shell/CompileQuality.h)
//   if %errorlevel% neq 0 exit /b %errorlevel%
//   ... the same for tools 2 to 4 ...
//   echo Moving the level into the maps folder   (kBatchMoveMarker)
//   move  "LevelDir\NAME.bsp" "GameDir\valve\maps"
// Paths are quoted with every '%' doubled, so spaces, '&', '^', '(' and '%'
// in folder names are taken literally. The text is UTF-8; it is written in the
// interpreter's code page (platform::ToConsoleCodePage). A failing tool ends
// the batch with the tool's own exit status (a crash's negative one too), so
// no later tool runs and no older NAME.bsp is moved; the last marker
// printed names what failed.
std::string BatchFileText(const LevelTarget& target, const std::array<std::string, 4>& tools);
// The line the batch prints before it starts a tool (index from 0).
std::string BatchStepMarker(std::size_t index, const std::string& tool);
inline constexpr char kBatchMoveMarker[] = "Moving the level into the maps folder";

// The Windows plan, run by `interpreter /d /v:off /c .\quorvel.bat` in
// ToolDir. Fails naming the folder and the names looked for when a step has
// no tool there.
Result<CompilePlan> MakeWindowsPlan(const LevelTarget& target, const std::string& interpreter);

// The POSIX plan: each step the first executable of its names in ToolDir,
// run as `TOOL -threads THREADS QUALITY-ARGUMENTS LevelDir/NAME` in ToolDir. Fails naming the
// folder and the names looked for when one is missing.
Result<CompilePlan> MakePosixPlan(const LevelTarget& target, unsigned threads);

// This system's plan: COMSPEC (or cmd.exe) on Windows, one thread per core
// elsewhere. Relative folders are taken from the current folder first: the
// tools run in another.
Result<CompilePlan> MakeCompilePlan(const LevelTarget& target);

// A step's command line for the output, quoted for the system's shell
// (shell/CommandLine.h).
std::string CommandLineText(const platform::ProcessSpec& spec);

}  // namespace shell
