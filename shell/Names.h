#pragma once
// Every fixed name and text the front ends share, in one place.

namespace shell {

inline constexpr char kApplicationTitle[] = "Quorvel";  // window and message box captions
inline constexpr char kLevelName[] = "quorvel";         // the level's name in the game
inline constexpr char kMapFileName[] = "quorvel.map";
inline constexpr char kBspFileName[] = "quorvel.bsp";
inline constexpr char kSettingsFileName[] = "quorvel.ini";
inline constexpr char kBatchFileName[] = "quorvel.bat";
inline constexpr char kLogFileName[] = "quorvel.log";  // the compile tools' own log

// Status texts.
inline constexpr char kMapGenerated[] = ".map generated";
inline constexpr char kBspGenerated[] = ".bsp generated";
inline constexpr char kCompileStopped[] = "Compile stopped";
inline constexpr char kHalfLifeStarted[] = "Half-Life started";

}  // namespace shell
