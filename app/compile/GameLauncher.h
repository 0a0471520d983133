#pragma once
// "Run Half-Life": starts the game on the level "quorvel", detached, so that
// it lives on after the window closes. Each call starts another game.

#include <QString>
#include <QStringList>

struct GameLaunch {
  QString Program;  // absolute path in HLDir
  QStringList Arguments;
  QString WorkingDirectory;  // HLDir
};

// The names tried in HLDir, in order: hl.exe on Windows; hl.sh (which sets
// the library path) then hl_linux on Linux; hl.sh then hl_osx on macOS.
QStringList GameProgramNames();

// {"-console", "+map", "quorvel"}
QStringList GameArguments();

// The launch for hlDir: the first of GameProgramNames() that is there and
// may be run. False with a message naming the names and the folder when
// none is.
bool FindGame(const QString& hlDir, GameLaunch* launch, QString* error);

// Finds and starts the game. False with a message naming the program, the
// folder and the reason when it cannot be started. *pid, when given, gets
// the game's process id.
bool LaunchGame(const QString& hlDir, QString* error, qint64* pid = nullptr);
