#pragma once
// Where the program keeps its level and its settings.
//
// A folder that holds quorvel.ini is a project folder: the level, the
// compile files and the settings stay there, as they always have. Without
// one, the home folder (where a desktop menu starts programs) and a start
// from the menu entry (--xdg) use the user's data and config folders instead,
// so that nothing lands in the home folder itself:
//   level and compile files   $XDG_DATA_HOME/quorvel    (~/.local/share/quorvel)
//   settings                  $XDG_CONFIG_HOME/quorvel/quorvel.ini
// Any other folder without quorvel.ini is a new project folder.
//
// Windows likewise, for a start in the program's own folder or anywhere
// under Program Files (the Start menu starts it in its install folder, which
// a user cannot write to), the folders being made when needed:
//   level and compile files   %LOCALAPPDATA%\Quorvel
//   settings                  %APPDATA%\Quorvel\quorvel.ini

#include <string>

#include "platform/Result.h"
#include "shell/UserEnvironment.h"

namespace shell {

struct StartFolders {
  std::string AppDir;        // the level and the compile tools' files
  std::string SettingsPath;  // quorvel.ini
  bool UserFolders = false;  // AppDir and the settings' folder are the user's (XDG, AppData) ones
};

// The rule above. fromMenu: started with --xdg, as the menu entry does (Linux).
StartFolders ChooseStartFolders(const std::string& currentDir, const UserEnvironment& env, bool fromMenu);

// True when dir is env.ProgramFolder or lies in one of env.ProgramFiles
// (any spelling of the same folder counts).
bool InProgramFolders(const std::string& dir, const UserEnvironment& env);

// Creates the user folders of `folders` when they are missing, then checks
// that the level's folder and the settings' folder exist and can be written
// in. Fails naming the folder and the reason; an empty AppDir (the current
// folder could not be read, as when it was deleted) fails too, so that
// nothing is ever written to the root folder instead.
Result<> PrepareStartFolders(const StartFolders& folders);

}  // namespace shell
