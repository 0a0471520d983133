#pragma once
// What Setup says beside each folder field, so that a first start shows at
// once which folder is still wrong, before any command fails on it.

#include <string>
#include <vector>

#include "platform/Result.h"

namespace shell {

struct FolderNote {
  // The name cannot be kept: it is not stored, and Text says why.
  bool Refused = false;
  // Why the folder will not do, or what was found in it, for the user.
  std::string Text;
};

// The compile tools folder: it exists and holds one program of each of the
// four steps (the names the compile looks for); the note then names them.
FolderNote CheckToolsFolder(const std::string& dir);
// The game's main folder: it exists, holds valve/maps, and its name is one
// a level can carry (CheckGameDir).
FolderNote CheckGameFolder(const std::string& dir);

// The program of each compile step in dir, the first of its names found;
// fails naming the first step without one, as "hlcsg or sdHLCSG".
Result<std::vector<std::string>> FindTools(const std::string& dir);

}  // namespace shell
