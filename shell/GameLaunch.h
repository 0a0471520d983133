#pragma once
// "Run Half-Life": the game started on a level target's level (`+map NAME`),
// detached, in its main folder, once the level is checked. Each call starts
// another game; the status then reads kHalfLifeStarted.

#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/Result.h"
#include "shell/LevelTarget.h"

namespace shell {

// The names tried in HLDir, in order: hl.exe on Windows; hl.sh (which sets the
// library path) then hl_linux on Linux; hl.sh then hl_osx on macOS.
const std::vector<std::string>& GameProgramNames();

// The first of GameProgramNames() in the game folder that may be run, with
// `-console +map NAME` and the game folder as its working folder. Fails
// naming the names and the folder when there is none.
Result<platform::ProcessSpec> FindGame(const LevelTarget& level);

// What "Run Half-Life" checks before it starts the game: fails, saying so,
// when GameDir/valve/maps/NAME.bsp does not exist (compile first); else the
// question to ask first (No the default), empty when there is none: when the
// last compile of this run of the program failed or was stopped, the game
// would start on the level compiled before.
Result<std::string> CheckLevelToRun(const LevelTarget& level, bool lastCompileFailed);

// Starts the game: through Steam when it lies in a Steam library and Steam
// is found, else FindGame's program (shell/SteamLaunch.h); fails naming
// every way tried and why.
Result<> LaunchGame(const LevelTarget& level);

}  // namespace shell
