#pragma once
// What Setup says beside each folder field, so that a first start shows at
// once which folder is still wrong, before any command fails on it.

#include <string>

namespace shell {

struct FolderNote {
  // The name cannot be kept: it is not stored, and Text says why.
  bool Refused = false;
  // Why the folder will not do, for the user; empty when it looks right.
  std::string Text;
};

// The compile tools folder: it exists and holds one program of each of the
// four steps (the names the compile looks for).
FolderNote CheckToolsFolder(const std::string& dir);
// The game's main folder: it exists, holds valve/maps, and its name is one
// a level can carry (CheckGameDir).
FolderNote CheckGameFolder(const std::string& dir);

// The first compile step without a program in dir, as "hlcsg or sdHLCSG";
// empty when every step has one.
std::string MissingTool(const std::string& dir);

}  // namespace shell
