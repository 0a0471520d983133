#pragma once
// POSIX only, for SafeWritePosix.cpp and SafeReadPosix.cpp: where a path
// leads, followed one symbolic link at a time so that each link can be
// judged before it is followed.

#include <sys/stat.h>

#include <string>

#include "platform/Result.h"

namespace platform::posix {

Failure SystemFailure(int error);

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : Fd(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Reset(-1); }
  void Reset(int fd);
  int Get() const { return Fd; }
  // Closes now, so that a failing close (a full disk on a network file
  // system) is seen: 0, or the errno value.
  int Close();

 private:
  int Fd;
};

// What a path leads to.
struct Reached {
  std::string Path;      // the last name reached: no link, or not there
  bool Exists = false;   // false: nothing is at the name given (a new file)
  struct stat Stat {};   // lstat of Path when Exists
  int Descriptor = -1;   // >= 0: the path names this open descriptor of the
                         // process (/dev/stdout, /dev/fd/N, /proc/self/fd/N)
};

// Follows the links at the end of path. Fails with the reason for a link
// that leads nowhere, a loop, a descriptor that is not open, and for a link
// or file planted by another user: in a folder anyone may write to that has
// the sticky bit (like /tmp), a name that belongs neither to this user nor
// to the folder's owner is not used (the rule of the kernel's
// protected_symlinks, protected_regular and protected_fifos settings, kept
// here since those are often off).
Result<Reached> FollowPath(const std::string& path);

// "a FIFO", "a directory", ... for a message.
const char* KindOf(mode_t mode);

}  // namespace platform::posix
