#pragma once
// Paths as UTF-8 (Windows) or byte (POSIX) strings with the system's separator.

#include <string>

#include "platform/Platform.h"

namespace shell {

// dir + separator + name; no second separator after a dir that already ends
// in one (a drive or file system root).
std::string JoinPath(const std::string& dir, const std::string& name,
                     char separator = platform::PathSeparator());

}  // namespace shell
