#pragma once
// Runs "Generate .bsp": the compile plan's steps one after another as child
// processes on the GUI thread's event loop (no thread of its own), then moves
// the level into the game's maps folder and reports how it went.
//
// Use:
//   connect(compile, &CompileController::Output, outputForm, &TCompileOutputForm::AppendText);
//   connect(compile, &CompileController::Finished, window, ...);
//   compile->Start(appDir, toolDir, hlDir);
//
// Every Start that is not refused because a compile already runs ends in
// exactly one Finished: at once, before Start returns, when a check fails;
// otherwise when the last step ends, a step fails or Stop is called.
// Destroying the controller ends a running tool and emits nothing.

#include <QObject>
#include <QProcess>
#include <QString>

#include <memory>

#include "app/compile/CompilePlan.h"

class QStringDecoder;

class CompileController : public QObject {
  Q_OBJECT

 public:
  // The status text of a compile whose level reached the maps folder.
  static QString SuccessText();  // ".bsp generated"
  // The status text after Stop.
  static QString StoppedText();  // "Compile stopped"

  explicit CompileController(QObject* parent = nullptr);
  ~CompileController() override;

  bool IsRunning() const { return Running; }

  // Checks that AppDir holds quorvel.map, that the tools and the maps folder
  // are there (on Windows writes ToolDir/quorvel.bat), removes a stale
  // quorvel.err, quorvel.lin and quorvel.bsp beside the map and starts the
  // first step. True when the run started; false when a check failed
  // (Finished has then been emitted) or a compile already runs (nothing
  // emitted, the running compile goes on).
  bool Start(const QString& appDir, const QString& toolDir, const QString& hlDir);

  // Start's second half with a plan made elsewhere (another platform's, in
  // tests): checks the map and the maps folder, removes the stale files,
  // writes the batch file if the plan has one, starts the first step.
  bool StartPlan(const CompilePlan& plan);

  // Ends the running tool, deletes the batch file and emits
  // Finished(false, StoppedText(), "") before returning. Nothing when idle.
  void Stop();

 signals:
  // Text for the compile output window: each step's command line before it
  // runs, the tools' standard output and error as they come, the outcome.
  void Output(const QString& text);

  // ok: every step succeeded and the level is in the maps folder; statusText
  // is then SuccessText(). Otherwise statusText is a short line for the
  // status bar and errorText the message for the user, naming the failed
  // step and its exit status or the leak; errorText is empty after Stop.
  void Finished(bool ok, const QString& statusText, const QString& errorText);

 private:
  struct StepOutcome {
    bool Started = true;
    QString StartError;
    bool Crashed = false;
    int ExitCode = 0;
  };

  void StartStep();
  void ReadOutput();
  void StepFinished(int exitCode, QProcess::ExitStatus exitStatus);
  void StepError(QProcess::ProcessError error);
  void ContinueLater(const StepOutcome& outcome);
  // Judges the step that ended and starts the next, moves the level or fails.
  void Continue(const StepOutcome& outcome);
  // A verdict on the step that just ended; empty status text when it
  // succeeded.
  bool JudgeStep(const CompileStep& step, bool crashed, int exitCode, QString* statusText,
                 QString* errorText) const;
  void MoveLevel();
  // Ends and releases the child without letting it report back.
  void EndProcess();
  // Cleans up, then emits Finished as the very last thing (a receiver may
  // delete the controller).
  void Finish(bool ok, const QString& statusText, const QString& errorText);
  void Fail(const QString& statusText, const QString& errorText);

  CompilePlan Plan;
  int StepIndex = -1;
  quint64 Generation = 0;  // tells a queued step outcome whether it is still wanted
  bool Running = false;
  bool BatchWritten = false;
  QProcess* Process = nullptr;  // child of this object while a step runs
  std::unique_ptr<QStringDecoder> Decoder;
};
