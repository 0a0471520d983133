#include "app/compile/GameLauncher.h"

#include <QFile>
#include <QProcess>

#include "platform/Platform.h"

namespace {
std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Join(const QString& dir, const QString& name) {
  const QChar separator = QLatin1Char(platform::PathSeparator());
  return dir.endsWith(separator) ? dir + name : dir + separator + name;
}
}  // namespace

QStringList GameProgramNames() {
#if defined(Q_OS_WIN)
  return {QStringLiteral("hl.exe")};
#elif defined(Q_OS_MACOS)
  return {QStringLiteral("hl.sh"), QStringLiteral("hl_osx")};
#else
  return {QStringLiteral("hl.sh"), QStringLiteral("hl_linux")};
#endif
}

QStringList GameArguments() { return {QStringLiteral("-console"), QStringLiteral("+map"), QStringLiteral("quorvel")}; }

bool FindGame(const QString& hlDir, GameLaunch* launch, QString* error) {
  const QStringList names = GameProgramNames();
  if (hlDir.isEmpty()) {
    if (error) *error = QStringLiteral("The game main folder is not set: choose it in Setup.");
    return false;
  }
  QString present;  // there, but not executable
  for (const QString& name : names) {
    const QString path = Join(hlDir, name);
    if (platform::IsExecutable(Native(path))) {
      launch->Program = path;
      launch->Arguments = GameArguments();
      launch->WorkingDirectory = hlDir;
      return true;
    }
    if (present.isEmpty() && platform::FileExists(Native(path))) present = path;
  }
  if (error) {
    *error = present.isEmpty()
                 ? QStringLiteral("Half-Life was not found: there is no %1 in the game main folder %2.")
                       .arg(names.join(QLatin1String(" or ")), hlDir)
                 : QStringLiteral("Half-Life cannot be started: %1 in %2 is not executable.")
                       .arg(present.mid(present.lastIndexOf(QLatin1Char(platform::PathSeparator())) + 1), hlDir);
  }
  return false;
}

bool LaunchGame(const QString& hlDir, QString* error, qint64* pid) {
  GameLaunch launch;
  if (!FindGame(hlDir, &launch, error)) return false;
  QProcess process;
  process.setProgram(launch.Program);
  process.setArguments(launch.Arguments);
  process.setWorkingDirectory(launch.WorkingDirectory);
  process.setStandardInputFile(QProcess::nullDevice());
  if (process.startDetached(pid)) return true;
  if (error) {
    *error = QStringLiteral("Half-Life could not be started: %1 in %2: %3")
                 .arg(launch.Program, launch.WorkingDirectory, process.errorString());
  }
  return false;
}
