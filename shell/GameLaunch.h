#pragma once
// "Run Half-Life": the game started on the level "quorvel", detached, in its
// main folder. Each call starts another game.

#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/Result.h"

namespace shell {

// The names tried in HLDir, in order: hl.exe on Windows; hl.sh (which sets the
// library path) then hl_linux on Linux; hl.sh then hl_osx on macOS.
const std::vector<std::string>& GameProgramNames();

// The first of GameProgramNames() in hlDir that may be run, with
// `-console +map quorvel` and hlDir as its working folder. Fails naming the
// names and the folder when there is none.
Result<platform::ProcessSpec> FindGame(const std::string& hlDir);

// Starts the game: through Steam when it lies in a Steam library and steam is
// on PATH, else FindGame's program (shell/SteamLaunch.h); fails naming every
// way tried and why.
Result<> LaunchGame(const std::string& hlDir);

}  // namespace shell
