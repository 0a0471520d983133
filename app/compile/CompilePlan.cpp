#include "app/compile/CompilePlan.h"

#include <QFile>
#include <QRegularExpression>

#include "platform/Platform.h"

namespace {

const QString kMapName = QStringLiteral("quorvel");

// dir + separator + name; no second separator after a dir that ends in one
// (a drive or file system root).
QString Join(const QString& dir, const QString& name, QChar separator) {
  if (dir.endsWith(separator)) return dir + name;
  return dir + separator + name;
}

// Windows accepts '/' too, but move and the tools' own path handling are
// surer with the native separator.
QString WindowsPath(const QString& path) {
  QString native = path;
  native.replace(QLatin1Char('/'), QLatin1Char('\\'));
  return native;
}

// A path as one batch file word: quoted, with '%' doubled so that the
// interpreter does not expand it. (Windows forbids '"' in file names.)
QString BatchWord(const QString& path) {
  QString word = WindowsPath(path);
  word.replace(QLatin1String("%"), QLatin1String("%%"));
  return QLatin1Char('"') + word + QLatin1Char('"');
}

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

void SetFiles(CompilePlan* plan, const CompileDirs& dirs, QChar separator) {
  const QString base = Join(dirs.AppDir, kMapName, separator);
  plan->MapPath = base + QLatin1String(".map");
  plan->BspPath = base + QLatin1String(".bsp");
  plan->ErrPath = base + QLatin1String(".err");
  plan->LinPath = base + QLatin1String(".lin");
  plan->MapsDir = Join(Join(dirs.HLDir, QStringLiteral("valve"), separator), QStringLiteral("maps"), separator);
  plan->TargetPath = Join(plan->MapsDir, kMapName + QLatin1String(".bsp"), separator);
}

}  // namespace

QStringList WindowsToolNames() {
  return {QStringLiteral("qcsg.exe"), QStringLiteral("qbsp2.exe"), QStringLiteral("vis.exe"),
          QStringLiteral("qrad.exe")};
}

QList<QStringList> PosixToolFamilies() {
  return {{QStringLiteral("hlcsg"), QStringLiteral("sdHLCSG")},
          {QStringLiteral("hlbsp"), QStringLiteral("sdHLBSP")},
          {QStringLiteral("hlvis"), QStringLiteral("sdHLVIS")},
          {QStringLiteral("hlrad"), QStringLiteral("sdHLRAD")}};
}

int BatchToolFailureStatus(int toolNumber) { return 10 + toolNumber; }

QString BatchFailedTool(int exitStatus) {
  const QStringList tools = WindowsToolNames();
  const int index = exitStatus - BatchToolFailureStatus(1);
  return index >= 0 && index < tools.size() ? tools[index] : QString();
}

QString BatchFileText(const QString& appDir, const QString& hlDir) {
  const QString eol = QStringLiteral("\r\n");
  const QString base = Join(WindowsPath(appDir), kMapName, QLatin1Char('\\'));
  const QString maps = Join(WindowsPath(hlDir), QStringLiteral("valve\\maps"), QLatin1Char('\\'));
  QString text = QStringLiteral("@echo off") + eol;
  const QStringList tools = WindowsToolNames();
  for (int i = 0; i < tools.size(); ++i) {
    text += tools[i] + QLatin1Char(' ') + BatchWord(base) + eol;
    // "if errorlevel 1" would miss the negative status of a crashed tool.
    text += QStringLiteral("if %errorlevel% neq 0 exit /b %1").arg(BatchToolFailureStatus(i + 1)) + eol;
  }
  text += QStringLiteral("move  ") + BatchWord(base + QLatin1String(".bsp")) + QLatin1Char(' ') +
          BatchWord(maps) + eol;
  return text;
}

CompilePlan MakeWindowsPlan(const CompileDirs& dirs, const QString& commandInterpreter) {
  CompilePlan plan;
  SetFiles(&plan, {WindowsPath(dirs.AppDir), WindowsPath(dirs.ToolDir), WindowsPath(dirs.HLDir)},
           QLatin1Char('\\'));
  const QString toolDir = WindowsPath(dirs.ToolDir);
  plan.BatchPath = Join(toolDir, kMapName + QLatin1String(".bat"), QLatin1Char('\\'));
  plan.BatchText = BatchFileText(dirs.AppDir, dirs.HLDir);
  // The interpreter starts in ToolDir, where the batch file and the tools
  // lie, so the batch is named relative to it: the interpreter's own command
  // line has no escape for a '%' that ToolDir might hold. /d skips AutoRun
  // commands, /v:off keeps '!' in folder names literal.
  CompileStep run;
  run.Description = kMapName + QLatin1String(".bat");
  run.Program = commandInterpreter;
  run.Arguments = QStringList{QStringLiteral("/d"), QStringLiteral("/v:off"), QStringLiteral("/c"),
                              QStringLiteral(".\\quorvel.bat")};
  run.WorkingDirectory = toolDir;
  plan.Steps.append(run);
  plan.MoveAfterSteps = false;
  return plan;
}

bool MakePosixPlan(const CompileDirs& dirs, unsigned threads, CompilePlan* plan, QString* error) {
  CompilePlan made;
  SetFiles(&made, dirs, QLatin1Char('/'));
  const QString mapName = Join(dirs.AppDir, kMapName, QLatin1Char('/'));
  for (const QStringList& family : PosixToolFamilies()) {
    QString found;
    for (const QString& name : family) {
      const QString path = Join(dirs.ToolDir, name, QLatin1Char('/'));
      if (platform::IsExecutable(Native(path))) {
        found = path;
        break;
      }
    }
    if (found.isEmpty()) {
      if (error) {
        *error = QStringLiteral("No compile tool %1 found in the compile tools folder %2 (looked for %3).")
                     .arg(family.first(), dirs.ToolDir, family.join(QLatin1String(" and ")));
      }
      return false;
    }
    CompileStep step;
    step.Description = found.mid(found.lastIndexOf(QLatin1Char('/')) + 1);
    step.Program = found;
    step.Arguments = QStringList{QStringLiteral("-threads"), QString::number(threads), mapName};
    step.WorkingDirectory = dirs.ToolDir;
    made.Steps.append(step);
  }
  made.MoveAfterSteps = true;
  *plan = made;
  return true;
}

QString MapSourcePath(const QString& appDir) {
  return Join(appDir, kMapName + QLatin1String(".map"), QLatin1Char(platform::PathSeparator()));
}

bool MakeCompilePlan(const CompileDirs& dirs, CompilePlan* plan, QString* error) {
#ifdef _WIN32
  (void)error;
  QString interpreter = qEnvironmentVariable("COMSPEC");
  if (interpreter.isEmpty()) interpreter = QStringLiteral("cmd.exe");
  *plan = MakeWindowsPlan(dirs, interpreter);
  return true;
#else
  return MakePosixPlan(dirs, platform::CoreCount(), plan, error);
#endif
}

namespace {

QString QuotedArgument(const QString& argument) {
#ifdef _WIN32
  if (!argument.isEmpty() && !argument.contains(QRegularExpression(QStringLiteral("[\\s\"&|<>^%]"))))
    return argument;
  QString quoted = argument;
  quoted.replace(QLatin1String("\""), QLatin1String("\\\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
#else
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./=:+,@%-]+$"));
  if (plain.match(argument).hasMatch()) return argument;
  QString quoted = argument;
  quoted.replace(QLatin1String("'"), QLatin1String("'\\''"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
#endif
}

}  // namespace

QString CommandLineText(const CompileStep& step) {
  QStringList words{QuotedArgument(step.Program)};
  for (const QString& argument : step.Arguments) words.append(QuotedArgument(argument));
  return words.join(QLatin1Char(' '));
}
