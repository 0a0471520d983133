#include "platform/Platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

char PathSeparator() { return '/'; }

std::string CurrentDirectory() {
  std::vector<char> buffer(256);
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return buffer.data();
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);  // no fixed limit on the path's length
  }
}

bool IsExecutable(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, so that a failing close (a full disk on a network file
  // system) is seen. False on failure, errno set.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Copies from into the new file temp: 0, or the errno value of the failure
// (taken at once, before a destructor's close can change errno).
int CopyFileContents(const std::string& from, const std::string& temp) {
  FileDescriptor in(open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return errno;
  struct stat st;
  if (fstat(in.get(), &st) != 0) return errno;
  FileDescriptor out(open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 0777));
  if (out.get() < 0) return errno;
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const ssize_t n = read(in.get(), buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;
    if (!WriteAll(out.get(), buffer.data(), static_cast<size_t>(n))) return errno;
  }
  if (fsync(out.get()) != 0 || !out.Close()) return errno;
  return 0;
}

}  // namespace

bool MoveFileTo(const std::string& from, const std::string& to, std::string* error) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  if (errno != EXDEV) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  // Another file system: copy beside the destination first, so that an
  // older file there is only replaced by a complete one.
  const std::string temp = to + ".part";
  int reason = CopyFileContents(from, temp);
  if (reason == 0 && std::rename(temp.c_str(), to.c_str()) != 0) reason = errno;
  if (reason != 0) {
    unlink(temp.c_str());
    if (error) *error = std::strerror(reason);
    return false;
  }
  if (unlink(from.c_str()) != 0 && errno != ENOENT) {
    if (error) *error = std::string("copied, but the original could not be removed: ") + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace platform
