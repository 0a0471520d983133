#include "shell/StartFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "shell/Names.h"
#include "shell/Paths.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace shell {

namespace fs = std::filesystem;

namespace {

constexpr char kFolderName[] = "quorvel";
#ifdef _WIN32
constexpr bool kHasUserFolders = false;  // Windows programs keep to their start folder
#else
constexpr bool kHasUserFolders = true;
#endif

bool SameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return !a.empty() && !b.empty() && fs::equivalent(a, b, ec);
}

}  // namespace

StartFolders ChooseStartFolders(const std::string& currentDir, const UserEnvironment& env, bool fromMenu) {
  const std::string localSettings = JoinPath(currentDir, kSettingsFileName);
  if (!kHasUserFolders || IsFile(localSettings) ||
      (!fromMenu && !SameFolder(currentDir, env.Home)))
    return {currentDir, localSettings, false};
  const std::string config = JoinPath(env.ConfigHome(), kFolderName);
  return {JoinPath(env.DataHome(), kFolderName), JoinPath(config, kSettingsFileName), true};
}

Result<> PrepareStartFolders(const StartFolders& folders) {
  if (folders.AppDir.empty())
    return Failure{"The current folder cannot be read; it may have been deleted. Start Quorvel in a folder that "
                   "exists."};
  const fs::path settingsFolder = FileSystemPath(folders.SettingsPath).parent_path();
  for (const fs::path& folder : {FileSystemPath(folders.AppDir), settingsFolder}) {
    std::error_code ec;
    if (folders.UserFolders) fs::create_directories(folder, ec);
    if (ec) return Failure{"Cannot create the folder " + PathString(folder) + ": " + ec.message()};
    if (!fs::is_directory(folder, ec)) return Failure{"The folder " + PathString(folder) + " does not exist."};
#ifndef _WIN32
    // (Windows folders say nothing useful about writing through their attributes.)
    if (access(folder.c_str(), W_OK | X_OK) != 0)
      return Failure{"Quorvel cannot write in the folder " + PathString(folder) + ": " + std::strerror(errno)};
#endif
  }
  return {};
}

}  // namespace shell
