#include "shell/UserEnvironment.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/Platform.h"
#include "shell/Paths.h"

namespace shell {

namespace {

#ifdef _WIN32
constexpr char kPathListSeparator = ';';
#else
constexpr char kPathListSeparator = ':';
#endif

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string BaseFolder(const std::string& variable, const std::string& home, const char* fallback) {
  if (!variable.empty() && variable.front() == '/') return variable;
  return home + fallback;
}

#ifdef _WIN32
// The known folder, or the variable that names it where the system does not
// answer.
std::string Known(platform::KnownFolder folder, const char* variable) {
  const std::string path = platform::KnownFolderPath(folder);
  return path.empty() ? Variable(variable) : path;
}
#endif

}  // namespace

UserEnvironment UserEnvironment::FromProcess() {
#ifdef _WIN32
  using platform::KnownFolder;
  UserEnvironment env{Known(KnownFolder::Profile, "USERPROFILE"), Variable("PATH"), "", ""};
  env.AppData = Known(KnownFolder::RoamingAppData, "APPDATA");
  env.LocalAppData = Known(KnownFolder::LocalAppData, "LOCALAPPDATA");
  env.ProgramFolder = platform::ProgramFolder();
  for (const auto& [folder, variable] : {std::pair(KnownFolder::ProgramFiles, "ProgramFiles"),
                                         std::pair(KnownFolder::ProgramFilesX86, "ProgramFiles(x86)")})
    if (std::string path = Known(folder, variable); !path.empty()) env.ProgramFiles.push_back(std::move(path));
  env.SteamPath = platform::UserRegistryString("Software\\Valve\\Steam", "SteamPath");
  return env;
#else
  return {Variable("HOME"), Variable("PATH"), Variable("XDG_DATA_HOME"), Variable("XDG_CONFIG_HOME")};
#endif
}

std::string UserEnvironment::DataHome() const { return BaseFolder(XdgDataHome, Home, "/.local/share"); }

std::string UserEnvironment::ConfigHome() const { return BaseFolder(XdgConfigHome, Home, "/.config"); }

std::vector<std::string> UserEnvironment::PathFolders() const {
  std::vector<std::string> folders;
  std::string::size_type start = 0;
  while (start <= Path.size()) {
    const std::string::size_type end = std::min(Path.find(kPathListSeparator, start), Path.size());
    if (end > start) folders.push_back(Path.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

std::string FindOnPath(const UserEnvironment& env, const std::string& name) {
  for (const std::string& folder : env.PathFolders())
    if (platform::IsExecutable(JoinPath(folder, name))) return folder;
  return {};
}

}  // namespace shell
