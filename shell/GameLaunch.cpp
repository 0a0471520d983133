#include "shell/GameLaunch.h"

#include "platform/Platform.h"
#include "shell/CompilePlan.h"
#include "shell/Names.h"
#include "shell/Paths.h"
#include "shell/SteamLaunch.h"

namespace shell {

const std::vector<std::string>& GameProgramNames() {
#if defined(_WIN32)
  static const std::vector<std::string> names = {"hl.exe"};
#elif defined(__APPLE__)
  static const std::vector<std::string> names = {"hl.sh", "hl_osx"};
#else
  static const std::vector<std::string> names = {"hl.sh", "hl_linux"};
#endif
  return names;
}

Result<platform::ProcessSpec> FindGame(const LevelTarget& level) {
  const std::string& hlDir = level.GameDir;
  if (hlDir.empty()) return Failure{"The game main folder is not set: choose it in Setup."};
  const std::vector<std::string>& names = GameProgramNames();
  std::string present;  // there, but not executable
  for (const std::string& name : names) {
    const std::string path = JoinPath(hlDir, name);
    if (platform::IsExecutable(path)) return platform::ProcessSpec{path, {"-console", "+map", level.Name}, hlDir};
    if (present.empty() && IsFile(path)) present = name;
  }
  if (!present.empty()) return Failure{"Half-Life cannot be started: " + present + " in " + hlDir + " is not executable."};
  std::string tried;
  for (const std::string& name : names) tried += (tried.empty() ? "" : " or ") + name;
  return Failure{"Half-Life was not found: there is no " + tried + " in the game main folder " + hlDir + "."};
}

Result<std::string> CheckLevelToRun(const LevelTarget& target, bool lastCompileFailed) {
  if (target.GameDir.empty()) return Failure{"The game main folder is not set: choose it in Setup."};
  const std::string level = target.GameLevelPath();
  if (!IsFile(level))
    return Failure{"There is no compiled level " + level + " to play: press \"Generate .bsp\" to compile it first."};
  if (!lastCompileFailed) return std::string();
  return "The last compile did not succeed, so " + level +
         " is the level compiled before it, not the one generated last. Start Half-Life on it anyway?";
}

Result<> LaunchGame(const LevelTarget& level) {
  // The game starts in its folder: a relative one is named from here first.
  LevelTarget absolute = level;
  absolute.GameDir = AbsolutePath(level.GameDir);
  return RunHalfLife(absolute, UserEnvironment::FromProcess());
}

}  // namespace shell
