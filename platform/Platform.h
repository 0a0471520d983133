#pragma once
// The few operating-system services the program needs, behind one small
// interface with a POSIX and a Windows implementation. No Qt here: the
// command line uses it too.

#include <string>

namespace platform {

// '\\' on Windows, '/' elsewhere.
char PathSeparator();

// The process's current directory, any length; empty if it cannot be read.
std::string CurrentDirectory();

// dir + separator + name, verbatim: no separator is added or removed, so an
// empty dir gives a path that starts with the separator.
std::string JoinPath(const std::string& dir, const std::string& name);

// Deletes a file. False with the reason in *error when it failed; a file
// that does not exist counts as deleted.
bool RemoveFile(const std::string& path, std::string* error = nullptr);

// Number of processor cores, at least 1.
unsigned CoreCount();

// True when path names an existing file that is not a directory.
bool FileExists(const std::string& path);

// True when path names an existing directory.
bool DirectoryExists(const std::string& path);

// True when path names a file this process may run: on POSIX a regular file
// with execute permission, on Windows any existing file.
bool IsExecutable(const std::string& path);

// Moves the file from to the path to, replacing a file already there. Across
// file systems, or onto a link, device or pipe, the file is copied the way
// WriteFileSafely writes (platform/SafeWrite.h), then the original removed.
// False with the reason in *error when it failed; the original is then left
// in place.
// (Not "MoveFile": windows.h takes that name as a macro.)
bool MoveFileTo(const std::string& from, const std::string& to, std::string* error = nullptr);

}  // namespace platform
