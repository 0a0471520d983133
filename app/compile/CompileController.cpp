#include "app/compile/CompileController.h"

#include <QFile>
#include <QStringDecoder>
#include <QTimer>

#include "platform/Platform.h"

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif

namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString FromNative(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }

bool Exists(const QString& path) { return platform::FileExists(Native(path)); }

}  // namespace

QString CompileController::SuccessText() { return QStringLiteral(".bsp generated"); }
QString CompileController::StoppedText() { return QStringLiteral("Compile stopped"); }

CompileController::CompileController(QObject* parent) : QObject(parent) {}

CompileController::~CompileController() {
  // Before the QProcess child is destroyed: its destructor would otherwise
  // wait for the tool and report its end into this half-destroyed object.
  if (Running) {
    EndProcess();
    if (BatchWritten) platform::RemoveFile(Native(Plan.BatchPath));
  }
}

bool CompileController::Start(const QString& appDir, const QString& toolDir, const QString& hlDir) {
  if (Running) return false;

  const QString mapPath = MapSourcePath(appDir);
  if (!Exists(mapPath)) {
    Fail(QStringLiteral("No .map to compile"),
         QStringLiteral("There is no level to compile: %1 does not exist. Press \"Generate .map\" first.")
             .arg(mapPath));
    return false;
  }
  if (toolDir.isEmpty() || hlDir.isEmpty()) {
    Fail(QStringLiteral("Folders not set"),
         QStringLiteral("The %1 folder is not set: choose it in Setup.")
             .arg(toolDir.isEmpty() ? QStringLiteral("compilation tools") : QStringLiteral("game main")));
    return false;
  }
  if (!platform::DirectoryExists(Native(toolDir))) {
    Fail(QStringLiteral("Compile tools not found"),
         QStringLiteral("The compilation tools folder %1 does not exist: check it in Setup.").arg(toolDir));
    return false;
  }
  CompilePlan plan;
  QString error;
  if (!MakeCompilePlan({appDir, toolDir, hlDir}, &plan, &error)) {
    Fail(QStringLiteral("Compile tools not found"), error + QStringLiteral(" Check the folder in Setup."));
    return false;
  }
  return StartPlan(plan);
}

bool CompileController::StartPlan(const CompilePlan& plan) {
  if (Running) return false;
  Plan = plan;
  StepIndex = -1;
  BatchWritten = false;
  Running = true;

  if (!Exists(Plan.MapPath)) {
    Fail(QStringLiteral("No .map to compile"),
         QStringLiteral("There is no level to compile: %1 does not exist. Press \"Generate .map\" first.")
             .arg(Plan.MapPath));
    return false;
  }
  if (!platform::DirectoryExists(Native(Plan.MapsDir))) {
    // Not created here: a missing valve/maps means HLDir is not the game's
    // main folder, and a level put there would never be found by the game.
    Fail(QStringLiteral("Game maps folder not found"),
         QStringLiteral("The game's maps folder %1 does not exist: check the game main folder in Setup.")
             .arg(Plan.MapsDir));
    return false;
  }

  // Left over from an earlier run they would be taken for this run's results.
  for (const QString& stale : {Plan.ErrPath, Plan.LinPath, Plan.BspPath}) {
    std::string reason;
    if (!platform::RemoveFile(Native(stale), &reason)) {
      Fail(QStringLiteral("Compile not started"),
           QStringLiteral("Cannot remove %1 left by an earlier compile: %2").arg(stale, FromNative(reason)));
      return false;
    }
  }

  if (!Plan.BatchPath.isEmpty()) {
    QFile batch(Plan.BatchPath);
    // The batch is read in the system's code page.
    const QByteArray text = Plan.BatchText.toLocal8Bit();
    BatchWritten = batch.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (!BatchWritten || batch.write(text) != text.size() || !batch.flush()) {
      const QString reason = batch.errorString();
      batch.close();
      Fail(QStringLiteral("Cannot write the batch file"),
           QStringLiteral("Cannot write the batch file %1: %2").arg(Plan.BatchPath, reason));
      return false;
    }
    batch.close();
    emit Output(QStringLiteral("%1:\n%2").arg(Plan.BatchPath, Plan.BatchText));
  }

  StepIndex = 0;
  StartStep();
  return true;
}

void CompileController::StartStep() {
  const CompileStep& step = Plan.Steps[StepIndex];
  emit Output(QStringLiteral("\n> %1\n").arg(CommandLineText(step)));

  Process = new QProcess(this);
  Decoder = std::make_unique<QStringDecoder>(QStringDecoder::System);
  Process->setProgram(step.Program);
  Process->setArguments(step.Arguments);
  Process->setWorkingDirectory(step.WorkingDirectory);
  Process->setProcessChannelMode(QProcess::MergedChannels);
  // A tool that asks for a key must not wait for one that cannot come.
  Process->setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
  // Its own process group, so that Stop ends whatever the tool started too.
  Process->setChildProcessModifier([] { setpgid(0, 0); });
#endif
  connect(Process, &QProcess::readyReadStandardOutput, this, &CompileController::ReadOutput);
  connect(Process, &QProcess::finished, this, &CompileController::StepFinished);
  connect(Process, &QProcess::errorOccurred, this, &CompileController::StepError);
  Process->start();
}

void CompileController::ReadOutput() {
  if (!Process) return;
  const QByteArray bytes = Process->readAllStandardOutput();
  if (bytes.isEmpty()) return;
  const QString text = Decoder->decode(bytes);
  if (!text.isEmpty()) emit Output(text);
}

void CompileController::StepError(QProcess::ProcessError error) {
  // Every other error is followed by finished().
  if (error != QProcess::FailedToStart || !Process) return;
  StepOutcome outcome;
  outcome.Started = false;
  outcome.StartError = Process->errorString();
  EndProcess();
  ContinueLater(outcome);
}

void CompileController::StepFinished(int exitCode, QProcess::ExitStatus exitStatus) {
  if (!Process) return;
  ReadOutput();
  StepOutcome outcome;
  outcome.Crashed = exitStatus == QProcess::CrashExit;
  outcome.ExitCode = exitCode;
  EndProcess();
  ContinueLater(outcome);
}

void CompileController::ContinueLater(const StepOutcome& outcome) {
  // Out of the QProcess's own signal: what follows may end the run, and a
  // receiver of Finished may delete this controller and the QProcess with it.
  const quint64 run = ++Generation;
  QTimer::singleShot(0, this, [this, run, outcome] {
    if (run == Generation && Running) Continue(outcome);
  });
}

void CompileController::Continue(const StepOutcome& outcome) {
  const CompileStep step = Plan.Steps[StepIndex];
  if (!outcome.Started) {
    Fail(QStringLiteral("Compile failed: %1").arg(step.Description),
         QStringLiteral("%1 could not be started from %2: %3")
             .arg(step.Description, step.WorkingDirectory, outcome.StartError));
    return;
  }
  QString statusText, errorText;
  if (!JudgeStep(step, outcome.Crashed, outcome.ExitCode, &statusText, &errorText)) {
    Fail(statusText, errorText);
    return;
  }
  if (++StepIndex < Plan.Steps.size()) {
    StartStep();
    return;
  }
  MoveLevel();
}

bool CompileController::JudgeStep(const CompileStep& step, bool crashed, int exitCode, QString* statusText,
                                  QString* errorText) const {
  const bool errFile = Exists(Plan.ErrPath);
  if (!crashed && exitCode == 0 && !errFile) return true;

  // The bsp tool meets a hole to the void with exit status 0, a .err and a
  // pointfile; the tools after it then fail for want of portals.
  if (errFile && Exists(Plan.LinPath)) {
    *statusText = QStringLiteral("Compile failed: the level leaks");
    *errorText = QStringLiteral(
                     "The level leaks: it has a hole to the void, so the compile stopped after %1. "
                     "The pointfile %2 traces the way from an entity to the hole; the errors are in %3.")
                     .arg(step.Description, Plan.LinPath, Plan.ErrPath);
    return false;
  }
  // The Windows batch stops at the first failing tool with a status that
  // names it.
  const QString batchTool = Plan.BatchPath.isEmpty() ? QString() : BatchFailedTool(exitCode);
  const QString failed = batchTool.isEmpty() ? step.Description : batchTool;
  *statusText = QStringLiteral("Compile failed: %1").arg(failed);
  if (crashed) {
    *errorText = QStringLiteral("%1 crashed.").arg(failed);
  } else if (!batchTool.isEmpty()) {
    *errorText = QStringLiteral("%1 failed, so %2 stopped there (exit status %3).")
                     .arg(batchTool, step.Description)
                     .arg(exitCode);
  } else if (exitCode != 0) {
    *errorText = QStringLiteral("%1 failed with exit status %2.").arg(failed).arg(exitCode);
    // The tool checks use other statuses; the move is the batch's only other command.
    if (!Plan.BatchPath.isEmpty() && exitCode == 1) {
      *errorText += QStringLiteral(" The move of %1 into the maps folder %2 failed.").arg(Plan.BspPath, Plan.MapsDir);
    }
  } else {
    *errorText = QStringLiteral("%1 reported errors (exit status 0).").arg(failed);
  }
  if (errFile) *errorText += QStringLiteral(" The errors are in %1.").arg(Plan.ErrPath);
  return false;
}

void CompileController::MoveLevel() {
  if (Plan.MoveAfterSteps) {
    if (!Exists(Plan.BspPath)) {
      Fail(QStringLiteral("Compile failed: no .bsp"),
           QStringLiteral("The compile tools ended without error but left no %1.").arg(Plan.BspPath));
      return;
    }
    emit Output(QStringLiteral("\nMoving %1 to %2\n").arg(Plan.BspPath, Plan.TargetPath));
    std::string reason;
    if (!platform::MoveFileTo(Native(Plan.BspPath), Native(Plan.TargetPath), &reason)) {
      Fail(QStringLiteral("Cannot move the .bsp"),
           QStringLiteral("Cannot move %1 into the maps folder %2: %3")
               .arg(Plan.BspPath, Plan.MapsDir, FromNative(reason)));
      return;
    }
  } else if (Exists(Plan.BspPath) || !Exists(Plan.TargetPath)) {
    // The batch's last line is the move; its failure leaves status 1, which
    // the tool checks never use.
    Fail(QStringLiteral("Cannot move the .bsp"),
         QStringLiteral("%1 did not reach the maps folder %2: the move in %3 failed.")
             .arg(Plan.BspPath, Plan.MapsDir, Plan.BatchPath));
    return;
  }
  Finish(true, SuccessText(), QString());
}

void CompileController::Stop() {
  if (!Running) return;
  ++Generation;  // drops a step's outcome still on its way
  EndProcess();
  emit Output(QStringLiteral("\nStopped.\n"));
  Finish(false, StoppedText(), QString());
}

void CompileController::EndProcess() {
  if (!Process) return;
  QProcess* process = Process;
  Process = nullptr;
  disconnect(process, nullptr, this, nullptr);
  if (process->state() != QProcess::NotRunning) {
#ifdef Q_OS_UNIX
    // The group is still ours: the child has not been reaped while QProcess
    // reports it running.
    const qint64 pid = process->processId();
    if (pid > 0) ::kill(-static_cast<pid_t>(pid), SIGKILL);
#elif defined(Q_OS_WIN)
    // Ending the interpreter alone would leave the tool running.
    QProcess::execute(QStringLiteral("taskkill"),
                      {QStringLiteral("/PID"), QString::number(process->processId()), QStringLiteral("/T"),
                       QStringLiteral("/F")});
#endif
    process->kill();
    process->waitForFinished(5000);
  }
  // Not deleted at once: this may run inside one of its own signals.
  process->deleteLater();
  Decoder.reset();
}

void CompileController::Fail(const QString& statusText, const QString& errorText) {
  emit Output(QStringLiteral("\nError: %1\n").arg(errorText));
  Finish(false, statusText, errorText);
}

void CompileController::Finish(bool ok, const QString& statusText, const QString& errorText) {
  if (BatchWritten) {
    platform::RemoveFile(Native(Plan.BatchPath));
    BatchWritten = false;
  }
  Running = false;
  StepIndex = -1;
  ++Generation;
  if (ok) emit Output(QStringLiteral("\n%1: %2\n").arg(SuccessText(), Plan.TargetPath));
  emit Finished(ok, statusText, errorText);
}
