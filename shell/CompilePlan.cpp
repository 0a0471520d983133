#include "shell/CompilePlan.h"

#include <cstdlib>

#include "platform/Platform.h"
#include "shell/CommandLine.h"
#include "shell/Names.h"
#include "shell/Paths.h"

namespace shell {

namespace {

// The batch file and the tools' own path handling are surer with
// backslashes, though Windows takes '/' too.
std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// A path as one batch file word: quoted, with '%' doubled so that the
// interpreter does not expand it. (Windows forbids '"' in file names.)
std::string BatchWord(const std::string& path) {
  std::string word = "\"";
  for (const char c : WindowsPath(path)) {
    word += c;
    if (c == '%') word += '%';
  }
  return word + '"';
}

std::string Joined(const std::vector<std::string>& names, const char* last = " or ") {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? last : ", ";
    text += names[i];
  }
  return text;
}

// The first of names in dir that passes usable; fails naming them all.
Result<std::string> FindTool(const std::string& dir, const std::vector<std::string>& names,
                             bool (*usable)(const std::string&)) {
  for (const std::string& name : names)
    if (usable(JoinPath(dir, name))) return name;
  return Failure{"No compile tool for this step was found in the compile tools folder " + dir + " (looked for " +
                 Joined(names) + ")."};
}

// The files the tools read and write; with this system's separator, since the
// program itself checks, removes and moves them.
CompilePlan PlanFiles(const LevelTarget& target) {
  CompilePlan plan;
  plan.Header = std::string("Compile quality: ") + SpecOf(target.Quality).Caption;
  const std::string base = JoinPath(target.LevelDir, target.Name);
  plan.LevelBase = base;
  plan.MapPath = base + ".map";
  plan.BspPath = base + ".bsp";
  plan.ErrPath = base + ".err";
  plan.LinPath = base + ".lin";
  plan.MapsDir = target.GameMapsDir();
  plan.TargetPath = target.GameLevelPath();
  return plan;
}

// Says which of tools run as at Normal quality: the classic ones take none
// of the other qualities' arguments.
void NoteClassicTools(CompilePlan& plan, const LevelTarget& target, const std::array<std::string, 4>& tools) {
  if (target.Quality == CompileQuality::Normal) return;
  std::vector<std::string> classic;
  for (std::size_t step = 0; step < tools.size(); ++step)
    if (IsClassicTool(tools[step]) && !QualityArguments("hl", step, target.Quality).empty())
      classic.push_back(tools[step]);
  if (!classic.empty())
    plan.Header += " (" + Joined(classic, " and ") + (classic.size() > 1 ? " take" : " takes") +
                   " no quality arguments and run" + (classic.size() > 1 ? "" : "s") + " as at Normal)";
}

}  // namespace

const std::array<std::vector<std::string>, 4>& WindowsToolNames() {
  static const std::array<std::vector<std::string>, 4> names = {{
      {"sdHLCSG_x64.exe", "sdHLCSG.exe", "hlcsg_x64.exe", "hlcsg.exe", "qcsg.exe"},
      {"sdHLBSP_x64.exe", "sdHLBSP.exe", "hlbsp_x64.exe", "hlbsp.exe", "qbsp2.exe"},
      {"sdHLVIS_x64.exe", "sdHLVIS.exe", "hlvis_x64.exe", "hlvis.exe", "vis.exe"},
      {"sdHLRAD_x64.exe", "sdHLRAD.exe", "hlrad_x64.exe", "hlrad.exe", "qrad.exe"},
  }};
  return names;
}

const std::array<std::vector<std::string>, 4>& PosixToolNames() {
  static const std::array<std::vector<std::string>, 4> names = {{
      {"sdHLCSG", "hlcsg"},
      {"sdHLBSP", "hlbsp"},
      {"sdHLVIS", "hlvis"},
      {"sdHLRAD", "hlrad"},
  }};
  return names;
}

const std::vector<std::string>& ToolLeftoverExtensions() {
  static const std::vector<std::string> extensions = {
      ".p0",  ".p1",  ".p2", ".p3",  ".prt", ".wic", ".pts", ".lin", ".err",
      ".ext", ".wa_", ".hsz", ".b0", ".b1",  ".b2",  ".b3",  ".pln",
  };
  return extensions;
}

// Tool names come from WindowsToolNames(): nothing in them is special to echo.
std::string BatchStepMarker(std::size_t index, const std::string& tool) {
  return "Step " + std::to_string(index + 1) + " of 4: " + tool;
}

std::string BatchFileText(const LevelTarget& target, const std::array<std::string, 4>& tools) {
  const std::string eol = "\r\n";
  const std::string base = JoinPath(WindowsPath(target.LevelDir), target.Name, '\\');
  const std::string maps = JoinPath(WindowsPath(target.GameDir), "valve\\maps", '\\');
  std::string text = "@echo off" + eol;
  for (std::size_t i = 0; i < tools.size(); ++i) {
    text += "echo " + BatchStepMarker(i, tools[i]) + eol;
    text += tools[i];
    for (const std::string& argument : QualityArguments(tools[i], i, target.Quality)) text += ' ' + argument;
    text += ' ' + BatchWord(base) + eol;
    // "if errorlevel 1" would miss the negative status of a crashed tool;
    // the status is passed on so that the message can quote it.
    text += "if %errorlevel% neq 0 exit /b %errorlevel%" + eol;
  }
  text += std::string("echo ") + kBatchMoveMarker + eol;
  text += "move  " + BatchWord(base + ".bsp") + ' ' + BatchWord(maps) + eol;
  return text;
}

Result<CompilePlan> MakeWindowsPlan(const LevelTarget& target, const std::string& interpreter) {
  CompilePlan plan = PlanFiles(target);
  for (std::size_t i = 0; i < plan.BatchTools.size(); ++i) {
    Result<std::string> tool = FindTool(target.ToolDir, WindowsToolNames()[i], IsFile);
    if (!tool) return Failure{tool.Error()};
    plan.BatchTools[i] = *tool;
  }
  plan.BatchPath = JoinPath(target.ToolDir, kBatchFileName);
  plan.BatchText = BatchFileText(target, plan.BatchTools);
  NoteClassicTools(plan, target, plan.BatchTools);
  // The interpreter starts in ToolDir, where the batch file and the tools
  // lie, so the batch is named relative to it: the interpreter's own command
  // line has no escape for a '%' that ToolDir might hold. /d skips AutoRun
  // commands, /v:off keeps '!' in folder names literal.
  CompileStep run;
  run.Name = kBatchFileName;
  run.Process = {interpreter, {"/d", "/v:off", "/c", std::string(".\\") + kBatchFileName}, target.ToolDir};
  plan.Steps.push_back(run);
  plan.MoveAfterSteps = false;
  return plan;
}

Result<CompilePlan> MakePosixPlan(const LevelTarget& target, unsigned threads) {
  CompilePlan plan = PlanFiles(target);
  for (std::size_t i = 0; i < PosixToolNames().size(); ++i) {
    Result<std::string> tool = FindTool(target.ToolDir, PosixToolNames()[i], platform::IsExecutable);
    if (!tool) return Failure{tool.Error()};
    CompileStep step;
    step.Name = *tool;
    std::vector<std::string> arguments = {"-threads", std::to_string(threads)};
    for (std::string& argument : QualityArguments(*tool, i, target.Quality)) arguments.push_back(std::move(argument));
    arguments.push_back(plan.LevelBase);
    step.Process = {JoinPath(target.ToolDir, *tool), std::move(arguments), target.ToolDir};
    plan.Steps.push_back(step);
  }
  plan.MoveAfterSteps = true;
  return plan;
}

Result<CompilePlan> MakeCompilePlan(const LevelTarget& given) {
  LevelTarget target = given;
  for (std::string* dir : {&target.LevelDir, &target.ToolDir, &target.GameDir}) *dir = AbsolutePath(*dir);
#ifdef _WIN32
  const char* comspec = std::getenv("COMSPEC");
  return MakeWindowsPlan(target, comspec && *comspec ? comspec : "cmd.exe");
#else
  return MakePosixPlan(target, platform::CoreCount());
#endif
}

std::string CommandLineText(const platform::ProcessSpec& spec) {
  return CommandLineText(spec.Program, spec.Arguments);
}

}  // namespace shell
