#include "shell/UserEnvironment.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Platform.h"

namespace shell {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string BaseFolder(const std::string& variable, const std::string& home, const char* fallback) {
  if (!variable.empty() && variable.front() == '/') return variable;
  return home + fallback;
}

}  // namespace

UserEnvironment UserEnvironment::FromProcess() {
  return {Variable("HOME"), Variable("PATH"), Variable("XDG_DATA_HOME"), Variable("XDG_CONFIG_HOME")};
}

std::string UserEnvironment::DataHome() const { return BaseFolder(XdgDataHome, Home, "/.local/share"); }

std::string UserEnvironment::ConfigHome() const { return BaseFolder(XdgConfigHome, Home, "/.config"); }

std::vector<std::string> UserEnvironment::PathFolders() const {
  std::vector<std::string> folders;
  std::string::size_type start = 0;
  while (start <= Path.size()) {
    const std::string::size_type end = std::min(Path.find(':', start), Path.size());
    if (end > start) folders.push_back(Path.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

std::string FindOnPath(const UserEnvironment& env, const std::string& name) {
  for (const std::string& folder : env.PathFolders())
    if (platform::IsExecutable(folder + '/' + name)) return folder;
  return {};
}

}  // namespace shell
