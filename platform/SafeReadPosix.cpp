#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/PathWalkPosix.h"
#include "platform/SafeRead.h"

namespace platform {

namespace {

Failure TooLarge(std::size_t maxBytes) { return Failure{"it is larger than " + std::to_string(maxBytes) + " bytes"}; }

}  // namespace

Result<std::optional<std::string>> ReadFileSafely(const std::string& path, std::size_t maxBytes) {
  const Result<posix::Reached> reached = posix::FollowPath(path);
  if (!reached) return Failure{reached.Error()};
  if (!reached->Exists) return std::optional<std::string>();
  if (reached->Descriptor >= 0) return Failure{"it names an open descriptor of the program, not a regular file"};
  const struct stat& named = reached->Stat;
  // Checked before opening: opening a FIFO or a device could block or act.
  if (!S_ISREG(named.st_mode))
    return Failure{std::string("it is ") + posix::KindOf(named.st_mode) + ", not a regular file"};
  if (static_cast<std::size_t>(named.st_size) > maxBytes) return TooLarge(maxBytes);

  posix::Descriptor file(open(reached->Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0) return posix::SystemFailure(errno);
  struct stat st;
  if (fstat(file.Get(), &st) != 0) return posix::SystemFailure(errno);
  if (st.st_dev != named.st_dev || st.st_ino != named.st_ino)
    return Failure{"it was replaced by another file while being opened"};
  std::string bytes;
  char buffer[1 << 14];
  while (bytes.size() <= maxBytes) {
    const ssize_t n = read(file.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return posix::SystemFailure(errno);
    if (n == 0) return std::optional<std::string>(std::move(bytes));
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return TooLarge(maxBytes);  // it grew while being read
}

}  // namespace platform
