#pragma once
// What Setup says beside each folder field, so that a first start shows at
// once which folder is still wrong, before any command fails on it.

#include <string>
#include <vector>

#include "platform/Result.h"

namespace shell {

// Each check gives the note for the user: why the folder will not do, or
// what was found in it. It fails, with the reason as the note, for a name
// that cannot be kept at all, which is then not stored.

// The compile tools folder: it exists and holds one program of each of the
// four steps (the names the compile looks for); the note then names them.
Result<std::string> CheckToolsFolder(const std::string& dir);
// The game's main folder: it exists, holds valve/maps, and its name is one
// a level can carry (CheckGameDir).
Result<std::string> CheckGameFolder(const std::string& dir);

// The program of each compile step in dir, the first of its names found;
// fails naming the first step without one, as "hlcsg or sdHLCSG".
Result<std::vector<std::string>> FindTools(const std::string& dir);

}  // namespace shell
