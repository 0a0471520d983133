#pragma once
// Default folders found on this computer rather than guessed: the game where
// Steam installed it, the compile tools where the user put them. A settings
// file always wins over these.

#include <string>
#include <string_view>
#include <vector>

#include "shell/Settings.h"
#include "shell/UserEnvironment.h"

namespace shell {

// Steam's own folders, in the order they are tried. Linux: those under the
// home folder, ~/.steam/steam, ~/.local/share/Steam,
// ~/.steam/debian-installation and the Flatpak Steam's. Windows: the one the
// registry names (env.SteamPath), with Windows separators.
std::vector<std::string> SteamRoots(const UserEnvironment& env);

// The library folders a steamapps/libraryfolders.vdf lists (its "path"
// values; the older form's numbered entries too).
std::vector<std::string> ParseLibraryFolders(std::string_view vdf);

// Every Steam library: each root that exists, then the libraries its
// libraryfolders.vdf lists; a folder reached twice (~/.steam/steam is
// usually a link) counts once.
std::vector<std::string> SteamLibraries(const UserEnvironment& env);

// LIBRARY/steamapps/common/Half-Life of the first library that holds
// Half-Life's valve folder; empty when none does.
std::string FindGameFolder(const UserEnvironment& env);

// True when gameDir is a game folder inside a Steam library
// (.../steamapps/common/NAME).
bool InSteamLibrary(const std::string& gameDir);

// Folders that often hold programs installed by hand, after PATH. Linux:
// ~/hlcompilers, ~/.local/bin, /usr/local/bin, /opt/hlcompilers. Windows:
// %USERPROFILE%\hlcompilers, C:\hlcompilers, and C:\WorldCraft and its
// tools folder, where the classic tools were kept.
std::vector<std::string> UsualToolFolders(const UserEnvironment& env);

// The first of PATH's folders, then `places`, that holds a whole compiler
// set (one program of each step's names); empty when none does.
std::string FindToolsFolder(const UserEnvironment& env, const std::vector<std::string>& places);

// The settings a first start offers: the folders found, or else the
// system's usual suggestions.
Settings FoundDefaults(const UserEnvironment& env);

// The defaults a window starts with: FoundDefaults on a first start (nothing
// at settingsPath), else the system's usual suggestions, which then serve
// only while a settings file there cannot be read; nothing is searched then.
Settings StartDefaults(const std::string& settingsPath, const UserEnvironment& env);

}  // namespace shell
