#include "shell/StartFolder.h"

#include <filesystem>
#include <system_error>

#include "shell/Names.h"
#include "shell/Paths.h"

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

Result<> CreateStartFolders(const StartFolders& folders) {
  if (!folders.UserFolders) return {};
  for (const fs::path& folder : {fs::path(folders.AppDir), fs::path(folders.SettingsPath).parent_path()}) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return Failure{"Cannot create the folder " + folder.string() + ": " + ec.message()};
  }
  return {};
}

}  // namespace shell
