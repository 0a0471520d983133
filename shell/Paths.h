#pragma once
// Paths as UTF-8 (Windows) or byte (POSIX) strings with the system's separator.

#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "platform/Result.h"

namespace shell {

// dir + separator + name; no second separator after a dir that already ends
// in one (a drive or file system root).
std::string JoinPath(const std::string& dir, const std::string& name,
                     char separator = platform::kPathSeparator);

// The path for std::filesystem (taken as UTF-8 on Windows).
std::filesystem::path FileSystemPath(const std::string& path);
// And back.
std::string PathString(const std::filesystem::path& path);

// A path relative to the current folder made whole, so that it still names
// the same place for a program started in another folder. Unchanged when it
// is empty or starts at a root ("/x", "C:\\x", "\\x").
std::string AbsolutePath(const std::string& path);

// An existing file that is not a directory.
bool IsFile(const std::string& path);
bool IsDirectory(const std::string& path);
// A file that is not there counts as removed.
Result<> RemoveFile(const std::string& path);

}  // namespace shell
