#pragma once
// Every fixed name and text the front ends share, in one place.

namespace shell {

inline constexpr char kApplicationTitle[] = "Quorvel";  // window and message box captions
inline constexpr char kLevelName[] = "quorvel";  // the default level's name (shell/LevelTarget.h)
inline constexpr char kSettingsFileName[] = "quorvel.ini";
inline constexpr char kBatchFileName[] = "quorvel.bat";

// Status texts.
inline constexpr char kMapGenerated[] = ".map generated";
inline constexpr char kBspGenerated[] = ".bsp generated";
inline constexpr char kCompileStopped[] = "Compile stopped";
inline constexpr char kHalfLifeStarted[] = "Half-Life started";

// The About dialog's credit line and licence text (LF line ends).
inline constexpr char kAuthorLine[] = "Written by the Quorvel developers";
inline constexpr char kLicenseText[] =
    "Quorvel, a generator of random labyrinth levels for Half-Life, was "
    "written by the Quorvel developers.\n"
    "\n"
    "You may use this program free of charge, and you may copy and pass it "
    "on to others, provided that you charge nothing for it, pass it on "
    "complete and unchanged, and keep this notice with it.\n"
    "\n"
    "This program is provided \"as is\", without warranty of any kind, "
    "express or implied. The authors are not liable for any damage or loss "
    "that comes from using it or from being unable to use it; you use it "
    "at your own risk.";

}  // namespace shell
