#include "shell/LevelTarget.h"

#include "shell/Paths.h"

namespace shell {

std::string LevelTarget::MapPath() const { return JoinPath(LevelDir, Name + ".map"); }

std::string LevelTarget::BspPath() const { return JoinPath(LevelDir, Name + ".bsp"); }

std::string LevelTarget::GameMapsDir() const { return JoinPath(JoinPath(GameDir, "valve"), "maps"); }

std::string LevelTarget::GameLevelPath() const { return JoinPath(GameMapsDir(), Name + ".bsp"); }

}  // namespace shell
