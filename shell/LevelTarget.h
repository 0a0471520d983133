#pragma once
// Which level a command works on and where its files live: the level's name
// in the game (NAME.map, NAME.bsp, `+map NAME`), the folder of its map, the
// compile tools and game folders, and how thoroughly to compile it. Every
// command (generate, compile, run) takes one, so a level need not be called
// "quorvel".

#include <string>

#include "shell/CompileQuality.h"
#include "shell/Names.h"

namespace shell {

struct LevelTarget {
  std::string Name = kLevelName;
  std::string LevelDir;  // NAME.map; the tools leave NAME.bsp and their own files beside it
  std::string ToolDir;
  std::string GameDir;  // the game's main folder (holds valve/maps)
  CompileQuality Quality = CompileQuality::Normal;

  std::string MapPath() const;        // LevelDir/NAME.map
  std::string BspPath() const;        // LevelDir/NAME.bsp
  std::string GameMapsDir() const;    // GameDir/valve/maps
  std::string GameLevelPath() const;  // GameDir/valve/maps/NAME.bsp
};

}  // namespace shell
