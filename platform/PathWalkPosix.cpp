#include "platform/PathWalkPosix.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform::posix {

Failure SystemFailure(int error) { return Failure{std::strerror(error)}; }

void Descriptor::Reset(int fd) {
  if (Fd >= 0) close(Fd);
  Fd = fd;
}

int Descriptor::Close() {
  const int fd = Fd;
  Fd = -1;
  return close(fd) == 0 ? 0 : errno;
}

const char* KindOf(mode_t mode) {
  if (S_ISREG(mode)) return "a file";
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISLNK(mode)) return "a symbolic link";
  if (S_ISFIFO(mode)) return "a FIFO (named pipe)";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "an unknown kind of file";
}

namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string RealPath(const std::string& path) {
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  return real ? real.get() : "";
}

// The descriptor a name of this process's own /proc/PID/fd folder stands
// for (reached as /dev/stdout, /dev/fd/N, /proc/self/fd/N, ...); -1 for
// any other name. Those names are links the kernel makes up, which would
// lead to the file behind the descriptor rather than to the descriptor.
int DescriptorNamed(const std::string& path) {
  const std::string name = path.substr(path.rfind('/') + 1);
  if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != std::string::npos) return -1;
  const std::string folder = RealPath(FolderOf(path));
  const std::string own = "/proc/" + std::to_string(getpid());
  const std::string task = own + "/task/";
  const bool ours = folder == own + "/fd" ||
                    (folder.rfind(task, 0) == 0 && folder.size() > task.size() + 3 &&
                     folder.compare(folder.size() - 3, 3, "/fd") == 0);
  return ours ? std::atoi(name.c_str()) : -1;
}

std::string DescriptorName(int fd) {
  if (fd == 0) return "standard input";
  if (fd == 1) return "standard output";
  if (fd == 2) return "standard error";
  return "descriptor " + std::to_string(fd);
}

// The kernel's protected_* rule: in a sticky folder anyone may write to, a
// name is used only when it belongs to this user or to the folder's owner.
Result<> CheckNotPlanted(const std::string& path, const struct stat& st) {
  struct stat folder;
  if (stat(FolderOf(path).c_str(), &folder) != 0) return {};  // the open that follows says why
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
  if (!shared || st.st_uid == geteuid() || st.st_uid == folder.st_uid) return {};
  return Failure{std::string("it is ") + KindOf(st.st_mode) + " owned by another user (user ID " +
                 std::to_string(st.st_uid) +
                 ") in a folder anyone can write to (sticky, world-writable); it may have been planted there, "
                 "so it is not used"};
}

Result<std::string> ReadLink(const std::string& path) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t n = readlink(path.c_str(), target.data(), target.size());
    if (n < 0) return SystemFailure(errno);
    if (static_cast<size_t>(n) < target.size()) return target.substr(0, static_cast<size_t>(n));
    target.resize(target.size() * 2);
  }
}

}  // namespace

Result<Reached> FollowPath(const std::string& path) {
  std::string at = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    Reached reached;
    reached.Path = at;
    if (const int fd = DescriptorNamed(at); fd >= 0) {
      if (fstat(fd, &reached.Stat) != 0) return Failure{"it names " + DescriptorName(fd) + ", which is not open"};
      reached.Exists = true;
      reached.Descriptor = fd;
      return reached;
    }
    if (lstat(at.c_str(), &reached.Stat) != 0) {
      const int error = errno;
      if (hop == 0 && error == ENOENT) return reached;
      if (hop > 0 && (error == ENOENT || error == ENOTDIR))
        return Failure{std::string("it is a symbolic link that leads nowhere (") + std::strerror(error) + ")"};
      return SystemFailure(error);
    }
    reached.Exists = true;
    if (const Result<> trusted = CheckNotPlanted(at, reached.Stat); !trusted) return Failure{trusted.Error()};
    if (!S_ISLNK(reached.Stat.st_mode)) return reached;
    const Result<std::string> target = ReadLink(at);
    if (!target) return Failure{target.Error()};
    at = !target->empty() && (*target)[0] == '/' ? *target : FolderOf(at) + "/" + *target;
  }
  return SystemFailure(ELOOP);
}

}  // namespace platform::posix
