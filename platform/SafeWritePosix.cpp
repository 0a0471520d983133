#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

#include "platform/PathWalkPosix.h"
#include "platform/Platform.h"
#include "platform/SafeWrite.h"

namespace platform {

namespace {

using posix::Descriptor;
using posix::KindOf;
using posix::SystemFailure;

// How long a FIFO may go without a reader before the write is given up.
constexpr std::chrono::milliseconds kReaderWait{2000};

// 0, or the errno value of the failure.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {  // a descriptor someone made non-blocking
        pollfd ready{fd, POLLOUT, 0};
        poll(&ready, 1, -1);
        continue;
      }
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

// A FIFO or device, opened without waiting: a FIFO nobody reads is given
// kReaderWait to find a reader, then reported.
Result<> WriteThrough(const std::string& path, const struct stat& named, std::string_view bytes) {
  const auto deadline = std::chrono::steady_clock::now() + kReaderWait;
  Descriptor file;
  while (file.Get() < 0) {
    file.Reset(open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    if (file.Get() >= 0 || errno == EINTR) continue;
    if (errno != ENXIO || !S_ISFIFO(named.st_mode)) return SystemFailure(errno);
    if (std::chrono::steady_clock::now() >= deadline)
      return Failure{"it is a FIFO (named pipe) that nothing reads: no reader came within " +
                     std::to_string(kReaderWait.count() / 1000) + " seconds"};
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  struct stat st;
  if (fstat(file.Get(), &st) != 0) return SystemFailure(errno);
  if (st.st_dev != named.st_dev || st.st_ino != named.st_ino)
    return Failure{"it was replaced by another file while being opened"};
  // Written as any pipe is: a reader that is there is waited for.
  fcntl(file.Get(), F_SETFL, fcntl(file.Get(), F_GETFL) & ~O_NONBLOCK);
  if (const int error = WriteAll(file.Get(), bytes)) return SystemFailure(error);
  if (const int error = file.Close()) return SystemFailure(error);
  return {};
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
  const Result<posix::Reached> reached = posix::FollowPath(path);
  if (!reached) return Failure{reached.Error()};
  // The program's own standard output or error (or another descriptor):
  // written to as "-" is, so that ">>" appends.
  if (reached->Descriptor >= 0) {
    if (const int error = WriteAll(reached->Descriptor, bytes)) return SystemFailure(error);
    return {};
  }
  if (!reached->Exists) return Replace(reached->Path, nullptr, bytes);
  const struct stat& st = reached->Stat;
  if (S_ISREG(st.st_mode)) return Replace(reached->Path, &st, bytes);
  if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) return WriteThrough(reached->Path, st, bytes);
  return Failure{std::string("it is ") + KindOf(st.st_mode) + ", which is never replaced"};
}

bool IsWrittenThrough(const std::string& path) {
  const Result<posix::Reached> reached = posix::FollowPath(path);
  return reached && (reached->Descriptor >= 0 ||
                     (reached->Exists && (S_ISCHR(reached->Stat.st_mode) || S_ISFIFO(reached->Stat.st_mode))));
}

Result<> MoveFileTo(const std::string& from, const std::string& to) {
  const Result<posix::Reached> reached = posix::FollowPath(to);
  if (!reached) return Failure{reached.Error()};
  const bool plainTarget =
      !reached->Exists || (reached->Path == to && reached->Descriptor < 0 && S_ISREG(reached->Stat.st_mode));
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
