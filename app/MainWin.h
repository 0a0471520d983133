#pragma once
// The main window: six option groups, the commands and a one-line status bar.
// A view only: the commands themselves are the shell core's; the window
// shows their state and forwards the clicks.
//
// Hooks for tests, set to the real behaviour by the constructor:
//   ErrorDisplay        how ShowError reaches the user (a modal box)
//   RunModal            shows the Setup or About dialog modally (exec)
//   ConfirmStopCompile  asked when the window is closed during a compile;
//                       true stops the compile and closes
//
// AfterCompile: a one-shot call CompileFinished makes last, with whether
// the compile succeeded ("Compile and play" runs the game from it). It is
// cleared before it is called and when a compile does not start.

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
  // failure is printed to stderr, as no window is left to show it.
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

  std::function<void(const QString& text)> ErrorDisplay;
  std::function<int(QDialog& dialog)> RunModal;
  std::function<bool()> ConfirmStopCompile;
  std::function<void(bool succeeded)> AfterCompile;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void SetUpLevelWindow();
  void FormDestroy();
  void SetStatusText(const QString& text);
  // The three action buttons: enabled unless a compile runs.
  void EnableActions();
  void SetActionsEnabled(bool enabled);
  void CompileFinished(const shell::CompileOutcome& outcome);

  QLabel* StatusLabel;
  bool Compiling = false;
  // The seed of the last press, made or rejected: the next press takes another.
  std::optional<std::uint32_t> LastSeed;
  bool SaveSettingsAtExit = true;
  // What a first start offers, before the Setup dialog.
  shell::Settings DefaultSettings;
  std::unique_ptr<shell::CompileSession> Compile;
};
