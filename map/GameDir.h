#pragma once
// The game folder is written into the level's "wad" value, a quoted string
// the map format cannot escape; the compile tools also split that value at
// ';' into a list of wad files. A folder name with any of these characters
// would break the level or add keys to it, so it is refused where it comes
// in (command line, Setup, settings file), before anything is written.

#include <string>

#include "platform/Result.h"

// Fails with a message that names the first character the level cannot carry.
Result<> CheckGameDir(const std::string& dir);
