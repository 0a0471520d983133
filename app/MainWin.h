#pragma once
// The main window: six option groups, the commands and a one-line status bar.
// A view only: the commands themselves are the shell core's; the window
// shows their state and forwards the clicks.
//
// Hooks for tests, set to the real behaviour by the constructor:
//   ErrorDisplay      how ShowError reaches the user (a modal box)
//   ExitErrorDisplay  how a failed settings save at exit is told (stderr)
//   RunModal          shows the Setup or About dialog modally (exec)
//   Ask               a yes/no question, No the default; true for yes. Asked
//                     when the window is closed during a compile, and before
//                     "Run Half-Life" starts the previous level after a
//                     failed compile
//
// AfterCompile: a one-shot call CompileFinished makes last, with whether
// the compile succeeded ("Compile and play" runs the game from it). It is
// cleared before it is called and when a compile does not start.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shell/CompileSession.h"
#include "shell/GenerateMap.h"
#include "shell/Settings.h"
#include "shell/StartFolder.h"

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

class TMainForm : public QWidget {
  Q_OBJECT

 public:
  // Records the current directory as AppDir and loads the settings from it.
  explicit TMainForm(QWidget* parent = nullptr);
  // The folders and first-start defaults the program's start-up chose (the
  // home folder and the menu use the XDG folders, see shell/StartFolder.h).
  TMainForm(const shell::StartFolders& folders, shell::Settings defaults, QWidget* parent = nullptr);
  // Saves the settings (unless the file could not be read at the start); a
  // failure goes to ExitErrorDisplay, as no window is left to show it.
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

  // The start directory: where the map and the settings file live, whatever
  // the current directory is later.
  const std::string AppDir;
  // quorvel.ini: in AppDir, or in the user's config folder.
  const std::string SettingsFile;
  // The settings' lines: ToolDir and HLDir.
  shell::Settings SetupData;
  // The last level "Generate .map" wrote, once there is one.
  std::optional<shell::GeneratedMap> LastMap;

  QString StatusText() const;
  void ShowError(const QString& text);

  void ButGenMapClick();
  // "Generate .map" with a given seed (none: a new one), the current options.
  void GenerateLevel(std::optional<std::uint32_t> seed);
  void ShowLevelWindow();
  void ButGenBspClick();
  void ButRunClick();
  void ButSetupClick();
  void ButAboutClick();

  // What was wrong with the settings file at the start, for a message once
  // the window shows; empty when nothing was.
  QString SettingsProblem;

  std::function<void(const QString& text)> ErrorDisplay;
  std::function<void(const QString& text)> ExitErrorDisplay;
  std::function<int(QDialog& dialog)> RunModal;
  std::function<bool(const QString& question)> Ask;
  std::function<void(bool succeeded)> AfterCompile;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void SetUpLevelWindow();
  void FormDestroy();
  void SetStatusText(const QString& text);
  // The three action buttons: enabled unless a compile runs or Setup is needed.
  void EnableActions();
  void SetActionsEnabled(bool enabled);
  // The actions wait for Setup while SetupNeeded says why; the buttons and
  // the status bar say it too.
  void ShowSetupNeeded(const std::string& reason);
  void StepStarted(std::size_t index, std::size_t count, const std::string& name);
  void ShowStep();
  void CompileFinished(const shell::CompileOutcome& outcome);

  QLabel* StatusLabel;
  bool Compiling = false;
  // The last compile of this run ended without a level in the game.
  bool LastCompileFailed = false;
  // The step field's content.
  QTimer* StepTimer;
  QElapsedTimer CompileClock;
  std::string StepName;
  std::size_t StepIndex = 0;
  std::size_t StepCount = 0;
  // Where disabling the action buttons moved the focus, and from where: put
  // back when they are enabled, unless the user has moved it since.
  QPointer<QWidget> FocusBeforeDisabling;
  QPointer<QWidget> FocusWhileDisabled;
  // The seed of the last press, made or rejected: the next press takes another.
  std::optional<std::uint32_t> LastSeed;
  bool SaveSettingsAtExit = true;
  QString SetupNeeded;
  // What a first start offers, before the Setup dialog.
  shell::Settings DefaultSettings;
  std::unique_ptr<shell::CompileSession> Compile;
};
