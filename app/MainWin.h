#pragma once
// The main window: six option groups, the commands and a one-line status bar.
// A view over shell::Session, which holds the state and runs the commands:
// the window draws what the session shows and forwards the user's input.
//
// Hooks for tests, set to the real behaviour by the constructor:
//   ErrorDisplay  how an error reaches the user (a modal box)
//   RunModal      shows the Setup or About dialog modally (exec)
//   AskUser       a yes/no question, No the default; true for yes

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

#include "shell/Session.h"

class QCloseEvent;
class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;
class TCompileOutputForm;
class TLevelWindow;
class TRadioGroup;

class TMainForm : public QWidget, public shell::MainView {
  Q_OBJECT

 public:
  // The folders and first-start defaults the program's start-up chose (the
  // home folder and the menu use the XDG folders, see shell/StartFolder.h).
  TMainForm(const shell::StartFolders& folders, shell::Settings defaults, QWidget* parent = nullptr);
  // In the current directory, with the system's defaults.
  explicit TMainForm(QWidget* parent = nullptr);
  // Finishes the session: a running compile ends, the settings are saved.
  ~TMainForm() override;

  // The main window's caption and the caption of every message box.
  static QString ApplicationTitle();

  QFrame* ButPanel;
  QPushButton* ButAbout;
  QPushButton* ButSetup;
  QPushButton* ButGenMap;
  QPushButton* ButGenBsp;
  QPushButton* ButRun;
  TRadioGroup* RGMapDim;
  TRadioGroup* RGMapCompl;
  TRadioGroup* RGSkill;
  TRadioGroup* RGMonsters;
  TRadioGroup* RGBarney;
  QPushButton* ButExit;
  TRadioGroup* RGGameType;
  QStatusBar* StatusBar;
  // On the right of the status bar while a compile runs: the step and the
  // time, e.g. "hlbsp: step 2 of 4, 0:12".
  QLabel* StepField;
  // The compile tools' output, a window of its own (Ctrl+L reopens it).
  TCompileOutputForm* CompileOutput;
  // The last level made: its picture and how to make it again (Ctrl+E or
  // the seed in the status bar reopen it).
  TLevelWindow* LevelWindow;
  QLabel* SeedLabel;

  shell::Session& Session() { return *S; }
  QString StatusText() const;

  // The program must end (a signal, the end of the user's session): a
  // running compile stops without a question and the window closes.
  void EndNow();
  // From now on SIGINT, SIGTERM and SIGHUP (Ctrl+C, the end of the user's
  // session) end every main window so, seen from the event loop; any other
  // window (a message box before the main window) is closed.
  static void EndOnStopSignals();

  void ButGenMapClick();
  void ButGenBspClick();
  void ButRunClick();
  void ButSetupClick();
  void ButAboutClick();

  std::function<void(const QString& text)> ErrorDisplay;
  std::function<int(QDialog& dialog)> RunModal;
  std::function<bool(const QString& question)> AskUser;

  // shell::MainView
  void ShowState(const shell::MainState& state) override;
  void ShowLevel(const shell::LevelSheet& sheet) override;
  void OpenLevelWindow(bool activate) override;
  void OpenCompileOutput() override;
  void ShowCompileLog(const shell::CompileLogUpdate& update) override;
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& question) override;
  void Post(std::function<void()> call) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetActionsEnabled(bool enabled, const QString& reason);

  QLabel* StatusLabel;
  // Refreshes the step field's time while a compile runs.
  QTimer* StepTimer;
  // Where disabling the action buttons moved the focus, and from where: put
  // back when they are enabled, unless the user has moved it since.
  QPointer<QWidget> FocusBeforeDisabling;
  QPointer<QWidget> FocusWhileDisabled;
  std::unique_ptr<shell::Session> S;
};
