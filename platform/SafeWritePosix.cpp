#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/Platform.h"
#include "platform/SafeWrite.h"

namespace platform {

namespace {

Failure SystemFailure(int error) { return Failure{std::strerror(error)}; }

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : Fd(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Reset(-1); }
  void Reset(int fd) {
    if (Fd >= 0) close(Fd);
    Fd = fd;
  }
  int Get() const { return Fd; }
  // Closes now, so that a failing close (a full disk on a network file
  // system) is seen: 0, or the errno value.
  int Close() {
    const int fd = Fd;
    Fd = -1;
    return close(fd) == 0 ? 0 : errno;
  }

 private:
  int Fd;
};

// 0, or the errno value of the failure.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// ".<name>.<random>.tmp" beside the target: hidden, unpredictable, and
// short enough for the file system even when the name is long.
std::string TemporaryName(const std::string& target) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string name = target.substr(folder.size(), 200);
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char tag[17];
  std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(random()));
  return folder + "." + name + "." + tag + ".tmp";
}

// 0, or the errno value of a failure to keep the mode.
int KeepModeAndOwner(int fd, const struct stat& old) {
  if (fchown(fd, old.st_uid, old.st_gid) != 0) {
    // Only root may give a file away; a group the user belongs to is kept
    // even so, and failing that the file is the writer's.
    [[maybe_unused]] const int groupKept = fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  // After the owner: a change of owner clears the set-id bits.
  return fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// Writes a new file beside target and renames it over target. old is the
// file being replaced, null when there is none.
Result<> Replace(const std::string& target, const struct stat* old, std::string_view bytes) {
  std::string temp;
  Descriptor file;
  for (int attempt = 0; file.Get() < 0; ++attempt) {
    temp = TemporaryName(target);
    // O_EXCL: a file or link someone placed at this name is never opened.
    file.Reset(open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.Get() < 0 && (errno != EEXIST || attempt == 100)) return SystemFailure(errno);
  }
  int error = WriteAll(file.Get(), bytes);
  if (error == 0 && old) error = KeepModeAndOwner(file.Get(), *old);
  if (error == 0 && fsync(file.Get()) != 0) error = errno;
  const int closeError = file.Close();
  if (error == 0) error = closeError;
  if (error == 0 && std::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temp.c_str());
    return SystemFailure(error);
  }
  // The rename itself reaches the disk with the folder.
  Descriptor folder(open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) fsync(folder.Get());
  return {};
}

Result<> WriteThrough(const std::string& path, std::string_view bytes) {
  Descriptor file(open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0) return SystemFailure(errno);
  struct stat st;
  if (fstat(file.Get(), &st) != 0) return SystemFailure(errno);
  if (!S_ISCHR(st.st_mode) && !S_ISFIFO(st.st_mode))
    return Failure{"it was replaced by another kind of file while being opened"};
  if (const int error = WriteAll(file.Get(), bytes)) return SystemFailure(error);
  if (const int error = file.Close()) return SystemFailure(error);
  return {};
}

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISBLK(mode)) return "a block device";
  return "not a regular file";
}

Result<std::string> ReadWholeFile(const std::string& path) {
  Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) return SystemFailure(errno);
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(file.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return SystemFailure(errno);
    if (n == 0) return bytes;
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace

Result<> WriteFileSafely(const std::string& path, std::string_view bytes) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return Replace(path, nullptr, bytes);
    return SystemFailure(errno);
  }
  std::string target = path;
  if (S_ISLNK(st.st_mode)) {
    if (stat(path.c_str(), &st) != 0)
      return Failure{std::string("it is a symbolic link that leads nowhere (") +
                     std::strerror(errno) + ")"};
    if (S_ISREG(st.st_mode)) {
      char* resolved = realpath(path.c_str(), nullptr);
      if (!resolved) return SystemFailure(errno);
      target = resolved;
      std::free(resolved);
    }
  }
  if (S_ISREG(st.st_mode)) return Replace(target, &st, bytes);
  // Opened by the name given: /dev/stdout leads to a pipe only that way.
  if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) return WriteThrough(path, bytes);
  return Failure{std::string("it is ") + KindOf(st.st_mode) + ", which is never replaced"};
}

Result<> MoveFileTo(const std::string& from, const std::string& to) {
  struct stat st;
  const bool plainTarget = lstat(to.c_str(), &st) == 0 ? S_ISREG(st.st_mode) : errno == ENOENT;
  if (plainTarget) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return {};
    if (errno != EXDEV) return SystemFailure(errno);
  }
  // Another file system, or a link, device or pipe at the target: copied
  // the way every file is written, then the original removed.
  const Result<std::string> bytes = ReadWholeFile(from);
  if (!bytes) return Failure{bytes.Error()};
  if (const Result<> written = WriteFileSafely(to, *bytes); !written) return written;
  if (unlink(from.c_str()) != 0 && errno != ENOENT)
    return Failure{std::string("copied, but the original could not be removed: ") + std::strerror(errno)};
  return {};
}

}  // namespace platform
