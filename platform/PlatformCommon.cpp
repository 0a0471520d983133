#include "platform/Platform.h"

#include <thread>

namespace platform {

std::string JoinPath(const std::string& dir, const std::string& name) {
  std::string path;
  path.reserve(dir.size() + 1 + name.size());
  path += dir;
  path += PathSeparator();
  path += name;
  return path;
}

unsigned CoreCount() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : n;
}

}  // namespace platform
