#pragma once
// "Run Half-Life": hl_linux started by itself fails unless Steam is running
// and logged in, so a game that Steam installed is started through Steam,
// which brings up its runtime first; on Windows likewise, so that Steam's
// overlay, account and updates are there as for any start of the game.
// Anything else starts as before.

#include <functional>
#include <optional>
#include <string>

#include "platform/Process.h"
#include "platform/Result.h"
#include "shell/LevelTarget.h"
#include "shell/UserEnvironment.h"

namespace shell {

inline constexpr char kHalfLifeSteamAppId[] = "70";

// `steam -applaunch 70 -console +map NAME` in the game folder, when it lies
// in a Steam library and steam is there: on PATH (Linux), steam.exe in the
// folder the registry names (env.SteamPath, Windows); nullopt otherwise.
std::optional<platform::ProcessSpec> SteamGameStart(const LevelTarget& level, const UserEnvironment& env);

using DetachedStarter = std::function<Result<>(const platform::ProcessSpec&)>;

// Starts the game, detached: through Steam when SteamGameStart offers it,
// then the game's own program (FindGame), until one starts. A failure names
// every way tried and why it failed.
Result<> RunHalfLife(const LevelTarget& level, const UserEnvironment& env,
                     const DetachedStarter& start = platform::StartDetached);

}  // namespace shell
