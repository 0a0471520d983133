#pragma once
// The main window: six option groups, the commands and a one-line status bar,
// a view over shell::Session. Its controls carry object names: "ButGenMap"...,
// each option group its option's ("dimension"...), "StatusText"...

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

#include "shell/Session.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QTimer;
class TCompileOutputForm;
class TLevelWindow;

class TMainForm : public QWidget, public shell::MainView {
  Q_OBJECT

 public:
  // The folders and first-start defaults main.cpp chose (shell/StartFolder.h).
  TMainForm(const shell::StartFolders& folders, shell::Settings defaults, QWidget* parent = nullptr);
  ~TMainForm() override;  // finishes the session

  // The compile tools' output (Ctrl+L reopens it) and the last level made
  // (Ctrl+E or the seed in the status bar reopen it), windows of their own.
  TCompileOutputForm* CompileOutput;
  TLevelWindow* LevelWindow;

  shell::Session& Session() { return *S; }

  // From now on SIGINT, SIGTERM and SIGHUP (Ctrl+C, the end of the user's
  // session), seen from the event loop, close every window: a running
  // compile stops without a question.
  static void EndOnStopSignals();

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
  QList<QButtonGroup*> Groups;  // in the option table's order
  QList<QPushButton*> Actions;  // Generate .map, Generate .bsp, Run Half-Life
  QLabel* StatusLabel;
  QLabel* StepField;  // the compile's step, refreshed each second by StepTimer
  QTimer* StepTimer;
  QLabel* SeedLabel;
  // Where disabling the action buttons moved the focus, and from where: put
  // back when they are enabled, unless the user has moved it since.
  QPointer<QWidget> FocusBeforeDisabling;
  QPointer<QWidget> FocusWhileDisabled;
  std::unique_ptr<shell::Session> S;
};
