#include "shell/SteamLaunch.h"

#include "platform/Platform.h"
#include "shell/CompilePlan.h"
#include "shell/GameFolders.h"
#include "shell/GameLaunch.h"
#include "shell/Names.h"
#include "shell/Paths.h"

namespace shell {

namespace {

#ifdef _WIN32
constexpr char kSteamName[] = "steam.exe";
#else
constexpr char kSteamName[] = "steam";
#endif

// The folder that holds Steam's program; empty when there is none.
std::string SteamFolder(const UserEnvironment& env) {
#ifdef _WIN32
  for (const std::string& root : SteamRoots(env))
    if (platform::IsExecutable(JoinPath(root, kSteamName))) return root;
  return {};
#else
  return FindOnPath(env, kSteamName);
#endif
}

// Where SteamFolder looked, for a message.
std::string SteamNotFound(const UserEnvironment& env) {
#ifdef _WIN32
  if (env.SteamPath.empty()) return "Steam's folder is not in the registry (HKEY_CURRENT_USER\\Software\\Valve\\Steam)";
  return std::string(kSteamName) + ": not found in Steam's folder " + SteamRoots(env).front();
#else
  return std::string(kSteamName) + ": not found on PATH (" + env.Path + ")";
#endif
}

}  // namespace

std::optional<platform::ProcessSpec> SteamGameStart(const LevelTarget& level, const UserEnvironment& env) {
  if (!InSteamLibrary(level.GameDir)) return std::nullopt;
  const std::string folder = SteamFolder(env);
  if (folder.empty()) return std::nullopt;
  // A relative PATH entry names a folder from here, not from the game's.
  return platform::ProcessSpec{JoinPath(AbsolutePath(folder), kSteamName),
                               {"-applaunch", kHalfLifeSteamAppId, "-console", "+map", level.Name},
                               level.GameDir};
}

Result<> RunHalfLife(const LevelTarget& level, const UserEnvironment& env, const DetachedStarter& start) {
  std::string tried;
  if (InSteamLibrary(level.GameDir)) {
    if (const auto steam = SteamGameStart(level, env)) {
      const Result<> started = start(*steam);
      if (started) return {};
      tried = CommandLineText(*steam) + ": " + started.Error() + "\n";
    } else {
      tried = SteamNotFound(env) + "\n";
    }
  }
  const Result<platform::ProcessSpec> game = FindGame(level);
  Result<> started = game ? start(*game) : Result<>(Failure{game.Error()});
  if (started) return {};
  if (tried.empty()) return started;
  return Failure{"Half-Life could not be started.\n" + tried + started.Error()};
}

}  // namespace shell
