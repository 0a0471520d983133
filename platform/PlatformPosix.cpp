#include "platform/Platform.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

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

bool SamePathName(const std::filesystem::path& a, const std::filesystem::path& b) { return a == b; }

// Windows' places (Platform.h): none here.
std::string KnownFolderPath(KnownFolder) { return {}; }

std::string ProgramFolder() { return {}; }

std::string UserRegistryString(const std::string&, const std::string&) { return {}; }

}  // namespace platform
