#include "shell/CompileVerdict.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "shell/Paths.h"

namespace shell {

namespace {

bool ContainsIgnoringCase(const std::string& text, const std::string& part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         }) != text.end();
}

// The classic tools stop at their entity table's size with this in the message.
bool RefusedForEntities(const std::string& output) {
  return ContainsIgnoringCase(output, "MAX_MAP_ENTITIES") || ContainsIgnoringCase(output, "too many entities");
}

std::string CrashText(int status) {
#ifdef _WIN32
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(status));
  return std::string("exception ") + hex;
#else
  return "signal " + std::to_string(status);
#endif
}

// Lines without their ends and trailing blanks; progress lines end in '\r'.
std::vector<std::string> NonEmptyLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    if (line.find_first_not_of(" \t") != std::string::npos) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string JoinedLines(std::vector<std::string>::const_iterator begin, std::vector<std::string>::const_iterator end) {
  std::string text;
  for (auto line = begin; line != end; ++line) text += (text.empty() ? "" : "\n") + *line;
  return text;
}

// The csg tool of the plan: the one that reads the map's wad files.
bool IsFirstTool(const CompilePlan& plan, const std::string& tool) {
  return !plan.Steps.empty() && tool == (plan.BatchPath.empty() ? plan.Steps.front().Name : plan.BatchTools.front());
}

// -1 when the file is not there.
long long FileSize(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(FileSystemPath(path), error);
  return error ? -1 : static_cast<long long>(size);
}

}  // namespace

CompileOutcome Failed(std::string statusText, std::string errorText, std::string step) {
  CompileOutcome outcome;
  outcome.StatusText = std::move(statusText);
  outcome.ErrorText = std::move(errorText);
  outcome.FailedStep = std::move(step);
  return outcome;
}

std::string MeaningfulLines(const std::string& output) {
  const std::vector<std::string> lines = NonEmptyLines(output);
  std::vector<std::string> errors;
  for (const std::string& line : lines)
    if (ContainsIgnoringCase(line, "error:") && (errors.empty() || errors.back() != line)) errors.push_back(line);
  const std::vector<std::string>& shown = errors.empty() ? lines : errors;
  const std::size_t count = errors.empty() ? 5 : 3;
  return JoinedLines(shown.end() - static_cast<std::ptrdiff_t>(std::min(count, shown.size())), shown.end());
}

std::optional<std::string> MissingWadFile(const std::string& mapPath) {
  std::ifstream in(FileSystemPath(mapPath), std::ios::binary);
  const std::string key = "\"wad\" \"";
  std::string line;
  // The worldspawn's keys open the file.
  for (int n = 0; n < 64 && std::getline(in, line); ++n) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    value = value.substr(0, value.find('"'));
    // The tools read ';' as a break between wad files.
    for (std::size_t start = 0; start < value.size();) {
      const std::size_t end = std::min(value.find(';', start), value.size());
      const std::string wad = value.substr(start, end - start);
      if (!wad.empty() && !IsFile(wad)) return wad;
      start = end + 1;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

CompileOutcome JudgeStep(const CompilePlan& plan, const CompileStep& step, const StepEnd& end) {
  using Kind = platform::ProcessExit::Kind;
  const platform::ProcessExit& exit = end.Exit;
  if (exit.How == Kind::FailedToStart) {
    return Failed("Compile failed: " + step.Name,
                  step.Name + " could not be started from " + step.Process.WorkingDirectory + ": " + exit.Error,
                  step.Name);
  }
  const bool batch = !plan.BatchPath.empty();
  const bool moving = batch && end.BatchReached == static_cast<int>(plan.BatchTools.size());
  // The batch has passed on the status of the tool whose marker came last.
  std::string failed = step.Name;
  if (batch && end.BatchReached >= 0 && !moving) failed = plan.BatchTools[static_cast<std::size_t>(end.BatchReached)];
  // The bsp tool meets a hole to the void with its leak line and a
  // pointfile, and may still exit with 0 (ZHLT) or crash after it (SDHLT);
  // the tools after it then fail for want of portals.
  if (end.LeakReported || FileSize(plan.LinPath) > 0) {
    const std::string bsp = batch ? plan.BatchTools[1] : plan.Steps.size() > 1 ? plan.Steps[1].Name : failed;
    return Failed("Compile failed: the level leaks",
                  "The level leaks: it has a hole to the void, so the compile stopped at " + bsp + ". The pointfile " +
                      plan.LinPath + " traces the way from an entity to the hole.",
                  bsp);
  }
  const bool errFile = IsFile(plan.ErrPath);
  if (exit.Succeeded() && !errFile) {
    CompileOutcome passed;
    passed.Ok = true;
    return passed;
  }

  std::string text;
  const std::optional<std::string> missingWad =
      IsFirstTool(plan, failed) ? MissingWadFile(plan.MapPath) : std::optional<std::string>();
  if (moving) {
    text = "The move of " + plan.BspPath + " into the maps folder " + plan.MapsDir + " failed (exit status " +
           std::to_string(exit.Status) + ").";
  } else if (missingWad) {
    text = failed + " failed: the texture file " + *missingWad +
           " that the level names does not exist. A level names the game folder it was generated with: press "
           "\"Generate .map\" again to make it for the game folder set in Setup.";
  } else if (RefusedForEntities(end.Output)) {
    text = failed + " refused the level: it has more entities than the tool can take (the classic tools take at most " +
           std::to_string(kClassicMaxEntities) +
           "). Compile it with the newer tools (sdHLCSG, hlcsg and the rest) or choose a smaller Map Dimension.";
  } else if (exit.How == Kind::Crashed) {
    text = failed + " crashed (" + CrashText(exit.Status) + ").";
  } else if (exit.Status != 0) {
    text = failed + " failed with exit status " + std::to_string(exit.Status) + ".";
  } else {
    text = failed + " reported errors (exit status 0).";
  }
  const std::string said = MeaningfulLines(end.Output);
  if (!said.empty()) text += "\n\n" + (moving ? std::string("move") : failed) + " said:\n" + said;
  if (errFile) text += "\n\nThe errors are in " + plan.ErrPath + ".";
  return Failed(moving ? "Cannot move the .bsp" : "Compile failed: " + failed, text, moving ? std::string() : failed);
}

}  // namespace shell
