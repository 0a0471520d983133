#include "shell/SteamLaunch.h"

#include "shell/CompilePlan.h"
#include "shell/GameFolders.h"
#include "shell/GameLaunch.h"
#include "shell/Names.h"
#include "shell/Paths.h"

namespace shell {

std::optional<platform::ProcessSpec> SteamGameStart(const std::string& hlDir, const UserEnvironment& env) {
  if (!InSteamLibrary(hlDir)) return std::nullopt;
  const std::string folder = FindOnPath(env, "steam");
  if (folder.empty()) return std::nullopt;
  // A relative PATH entry names a folder from here, not from the game's.
  return platform::ProcessSpec{JoinPath(AbsolutePath(folder), "steam"),
                               {"-applaunch", kHalfLifeSteamAppId, "-console", "+map", kLevelName},
                               hlDir};
}

Result<> RunHalfLife(const std::string& hlDir, const UserEnvironment& env, const DetachedStarter& start) {
  std::string tried;
#ifndef _WIN32
  if (InSteamLibrary(hlDir)) {
    if (const auto steam = SteamGameStart(hlDir, env)) {
      const Result<> started = start(*steam);
      if (started) return {};
      tried = CommandLineText(*steam) + ": " + started.Error() + "\n";
    } else {
      tried = "steam: not found on PATH (" + env.Path + ")\n";
    }
  }
#else
  (void)env;
#endif
  const Result<platform::ProcessSpec> game = FindGame(hlDir);
  Result<> started = game ? start(*game) : Result<>(Failure{game.Error()});
  if (started) return {};
  if (tried.empty()) return started;
  return Failure{"Half-Life could not be started.\n" + tried + started.Error()};
}

}  // namespace shell
