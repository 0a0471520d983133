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

bool SameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return !a.empty() && !b.empty() && fs::equivalent(FileSystemPath(a), FileSystemPath(b), ec);
}

}  // namespace

bool InProgramFolders(const std::string& dir, const UserEnvironment& env) {
  if (SameFolder(dir, env.ProgramFolder)) return true;
  // Compared as folders, not names: Windows names are case-blind and have short forms.
  for (fs::path folder = FileSystemPath(dir); !folder.empty(); folder = folder.parent_path()) {
    for (const std::string& programs : env.ProgramFiles)
      if (SameFolder(PathString(folder), programs)) return true;
    if (folder == folder.parent_path()) break;  // the root
  }
  return false;
}

StartFolders ChooseStartFolders(const std::string& currentDir, const UserEnvironment& env, bool fromMenu) {
  const std::string localSettings = JoinPath(currentDir, kSettingsFileName);
  const StartFolders here{currentDir, localSettings, false};
  if (IsFile(localSettings)) return here;
#ifdef _WIN32
  (void)fromMenu;
  if (!InProgramFolders(currentDir, env) || env.AppData.empty() || env.LocalAppData.empty()) return here;
  const std::string name = "Quorvel";
  return {JoinPath(env.LocalAppData, name), JoinPath(JoinPath(env.AppData, name), kSettingsFileName), true};
#else
  if (!fromMenu && !SameFolder(currentDir, env.Home)) return here;
  const std::string name = "quorvel";
  return {JoinPath(env.DataHome(), name), JoinPath(JoinPath(env.ConfigHome(), name), kSettingsFileName), true};
#endif
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
