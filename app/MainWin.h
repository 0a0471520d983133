#pragma once
// The main window: six option groups, the commands and a one-line status bar.
//
// Hooks, all set to the real behaviour by the constructor and replaceable by
// tests or by the compile integration:
//   ErrorDisplay    how ShowError reaches the user (a modal box by default)
//   MakeLabyrinth   builds the labyrinth from the six item indexes
//   GenerateLevel   runs the attempts; the successful attempt's number or 0
//   RunModal        shows the Setup or About dialog modally (QDialog::exec
//                   by default); the dialog is destroyed when it returns
//   CompileRunning  true while a compile runs: EnableActions then leaves the
//                   three action buttons disabled. Empty means never.
//   ConfirmStopCompile  asked when the window is closed during a compile;
//                   true stops the compile and closes, false keeps both going
//   StartGame       starts the game in a folder (detached); false with the
//                   reason when it cannot

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class CompileController;
class Labyrinth;
class QCloseEvent;
class TCompileOutputForm;
class QDialog;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class TSetupLines;
class TRadioGroup;

class TMainForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxAttempts = 500;

  using LabyrinthFactory = std::function<std::unique_ptr<Labyrinth>(
      int mapDim, int mapCompl, int skill, int monstersType, int gameType, int friends)>;

  // Records the current directory as AppDir and loads the settings from it.
  explicit TMainForm(QWidget* parent = nullptr);
  // Saves the settings; a failure is printed to stderr, as no window is left
  // to show it.
  ~TMainForm() override;

  // The main window's caption and the caption of every error box. Kept out
  // of QApplication's display name, which Qt would append to every caption.
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
  TSetupLines* SetupData;
  TRadioGroup* RGGameType;
  QStatusBar* StatusBar;

  // The start directory: where the map and the settings file live, whatever
  // directory later commands make current.
  const std::string AppDir;
  // Copies of the settings' lines 0 and 1; empty until the first change.
  std::string ToolDir;
  std::string HLDir;

  std::string MapPath() const;
  std::string SettingsPath() const;

  QString StatusText() const;
  void SetStatusText(const QString& text);

  void ShowError(const QString& text);

  // Enables ButGenMap, ButGenBsp and ButRun unless a compile runs.
  void EnableActions();
  // Enables or disables the three action buttons unconditionally.
  void SetActionsEnabled(bool enabled);

  // Command handlers, public so the compile integration and tests can call them.
  void ButGenMapClick();
  void ButGenBspClick();
  void ButRunClick();
  void ButSetupClick();
  void ButAboutClick();

  std::function<void(const QString& text)> ErrorDisplay;
  LabyrinthFactory MakeLabyrinth;
  std::function<int(Labyrinth& lab)> GenerateLevel;
  std::function<int(QDialog& dialog)> RunModal;
  std::function<bool()> CompileRunning;
  std::function<bool()> ConfirmStopCompile;
  std::function<bool(const QString& hlDir, QString* error)> StartGame;

  // Runs the map tools one after another; owned by the window.
  CompileController* Compile;
  // The tools' console output, a window of its own that the user may close
  // and reopen (Ctrl+L).
  TCompileOutputForm* CompileOutput;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormDestroy();
  void SetupDataChange();
  void CompileFinished(bool ok, const QString& statusText, const QString& errorText);

  QLabel* StatusLabel;
};

// The one main window, for code that must reach it from outside (the compile
// worker's completion). Set by the first window constructed, cleared when it
// is destroyed.
extern TMainForm* MainForm;
