#include "shell/SetupChecks.h"

#include <algorithm>

#include "map/GameDir.h"
#include "platform/Platform.h"
#include "shell/CompilePlan.h"
#include "shell/Paths.h"
#include "shell/Settings.h"

namespace shell {

namespace {

const std::array<std::vector<std::string>, 4>& ToolNames() {
#ifdef _WIN32
  return WindowsToolNames();
#else
  return PosixToolNames();
#endif
}

// A failure's message as a sentence of its own.
Failure Refusal(std::string message) {
  if (!message.empty() && message[0] >= 'a' && message[0] <= 'z') message[0] = static_cast<char>(message[0] - 'a' + 'A');
  return {message + "."};
}

// The checks both folders share; a refusal or a note ends the checking.
Result<std::string> CheckFolder(const std::string& dir) {
  if (const Result<> line = CheckSettingsLine(dir); !line) return Refusal(line.Error());
  if (dir.empty()) return std::string("No folder chosen.");
  if (FileSystemPath(dir).is_relative()) return Refusal("the folder must be given by its whole path");
  if (!IsDirectory(dir)) return std::string(IsFile(dir) ? "This is a file, not a folder." : "This folder does not exist.");
  return std::string();
}

std::string OneOf(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : " or ") + name;
  return text;
}

}  // namespace

Result<std::vector<std::string>> FindTools(const std::string& dir) {
  std::vector<std::string> found;
  for (const std::vector<std::string>& names : ToolNames()) {
    const auto name = std::find_if(names.begin(), names.end(),
                                   [&dir](const std::string& n) { return platform::IsExecutable(JoinPath(dir, n)); });
    if (name == names.end()) return Failure{OneOf(names)};
    found.push_back(*name);
  }
  return found;
}

Result<std::string> CheckToolsFolder(const std::string& dir) {
  const Result<std::string> folder = CheckFolder(dir);
  if (!folder || !folder->empty()) return folder;
  const Result<std::vector<std::string>> tools = FindTools(dir);
  if (!tools) return "No compile tools here: " + tools.Error() + " is missing.";
  std::string names;
  for (const std::string& name : *tools) names += (names.empty() ? "" : ", ") + name;
  return "Found " + names + ".";
}

Result<std::string> CheckGameFolder(const std::string& dir) {
  if (const Result<> usable = CheckGameDir(dir); !usable) return Refusal(usable.Error());
  const Result<std::string> folder = CheckFolder(dir);
  if (!folder || !folder->empty()) return folder;
  if (!IsDirectory(JoinPath(JoinPath(dir, "valve"), "maps")))
    return std::string("This is not the game's folder: it has no valve/maps.");
  return std::string();
}

}  // namespace shell
