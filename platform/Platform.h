#pragma once
// The few operating-system services the program needs, behind one small
// interface with a POSIX and a Windows implementation. No Qt here: the
// command line uses it too.

#include <filesystem>
#include <string>

#include "platform/Result.h"

namespace platform {

// '\\' on Windows, '/' elsewhere.
inline constexpr char kPathSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// Paths are UTF-8 on Windows and the system's bytes elsewhere.

// The process's current directory, any length; empty if it cannot be read.
std::string CurrentDirectory();

// Number of processor cores, at least 1.
unsigned CoreCount();

// True when path names a file this process may run: on POSIX a regular file
// with execute permission, on Windows any existing file.
bool IsExecutable(const std::string& path);

// True when two absolute, normalised paths are one name: letter case is
// ignored on Windows, whose file systems ignore it (whether or not the file
// exists yet), and counts elsewhere.
bool SamePathName(const std::filesystem::path& a, const std::filesystem::path& b);

// Moves the file from to the path to, replacing a file already there. Across
// file systems, or onto a link, device or pipe, the file is copied the way
// WriteFileSafely writes (platform/SafeWrite.h), then the original removed.
// On failure the original is left in place.
// (Not "MoveFile": windows.h takes that name as a macro.)
Result<> MoveFileTo(const std::string& from, const std::string& to);

// Windows' places for a user's files and for programs, and what a program
// finds in the user's part of the registry. Every other system has none of
// them: there, and where Windows does not know one, they are empty.
enum class KnownFolder {
  Profile,          // the user's own folder (C:\Users\NAME)
  RoamingAppData,   // %APPDATA%: settings that follow the user
  LocalAppData,     // %LOCALAPPDATA%: this computer's files of the user
  ProgramFiles,     // C:\Program Files
  ProgramFilesX86,  // C:\Program Files (x86)
};
std::string KnownFolderPath(KnownFolder folder);
// The folder of the running program's file (Windows only).
std::string ProgramFolder();
// The string value `name` of HKEY_CURRENT_USER\key, expanded when it names
// environment variables.
std::string UserRegistryString(const std::string& key, const std::string& name);

}  // namespace platform
