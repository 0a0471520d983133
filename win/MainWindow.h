#pragma once
// The main window: six option groups, the commands and a one-line status
// bar. A view over the shell core: it shows state and forwards clicks;
// generating, the settings file, compiling and starting the game are the
// core's.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shell/Settings.h"
#include "shell/StartFolder.h"
#include "win/Ui.h"

namespace shell {
class CompileSession;
struct CompileOutcome;
}  // namespace shell

namespace win {

class CompileOutputWindow;
class LevelWindow;

// Control identifiers (tests address the controls by them).
enum ControlId : int {
  kButGenMap = 100,
  kButGenBsp,
  kButRun,
  kButSetup,
  kButAbout,
  kButExit,
  kStatusBar,
  // Radio item i of group g is kFirstRadio + 10 * g + i, groups in the order
  // of OptionGroup.
  kFirstRadio = 1000,
};

enum OptionGroup : int { kMapDim, kMapCompl, kSkill, kMonsters, kBarney, kGameType, kGroupCount };

class MainWindow : public Window {
 public:
  // The level in folders.AppDir, the settings loaded from folders.SettingsPath;
  // without a settings file, the folders in defaults are offered.
  MainWindow(const shell::StartFolders& folders, shell::Settings defaults);
  // The same in the current directory, with the system's usual folders.
  MainWindow();
  // Saves the settings (unless the file there could not be read); a failure
  // is shown in a message box and makes SettingsSaveFailed true.
  ~MainWindow() override;

  // The six item indexes.
  int ItemIndex(OptionGroup group) const;
  // The status bar's text, and its fields on the right: the running step
  // while a compile runs, then the last level's seed ("Seed N").
  std::string StatusText() const;
  std::string StepText() const;
  std::string SeedText() const;
  HWND Control(int id) const { return GetDlgItem(Hwnd, id); }

  const std::string AppDir;
  const std::string SettingsFile;
  const shell::Settings& Folders() const { return SetupData; }
  // What is wrong with the settings file, for a message once the window
  // shows; empty when nothing is.
  std::string SettingsProblem;
  bool SettingsSaveFailed() const { return SaveFailed; }

  CompileOutputWindow& CompileOutput() { return *Output; }
  // The last level made: its picture and how to make it again. It opens
  // after the first level; Ctrl+E and a click on the seed show it again.
  LevelWindow& Level() { return *LevelView; }

  // Called with the Setup or About dialog once it is shown (not with message
  // boxes); tests drive the dialogs from here.
  std::function<void(HWND dialog)> DialogShown;
  // The folder chooser of the Setup dialog; empty result when cancelled.
  std::function<std::optional<std::string>(HWND owner, const std::string& title, const std::string& current)>
      ChooseFolder;

  void ShowError(const std::string& text);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate(shell::Settings defaults);
  void FormDestroy();
  // Keeps the three action buttons disabled while reason is not empty,
  // saying it in the status bar and their tooltips.
  void ShowSetupNeeded(const std::string& reason);

  void ButGenMapClick();
  // A level of this seed, or of the next seed when none is given.
  void GenerateLevel(std::optional<std::uint32_t> seed);
  void ShowLevelWindow();
  void CompileAndPlay();
  void ButGenBspClick();
  void ButRunClick();
  void ButSetupClick();
  void ButAboutClick();

  void CompileFinished(const shell::CompileOutcome& outcome);
  void StepStarted(std::size_t index, std::size_t count, const std::string& name);
  std::string StepFieldText() const;
  // The status bar's parts for the fields shown now, and their texts.
  void ShowStatusFields();
  int StepPart() const;
  int SeedPart() const;
  std::string PartText(int part) const;
  // Enables the three action buttons unless a compile runs or Setup is
  // needed.
  void EnableActions();
  void SetActionsEnabled(bool enabled);
  // Why the three action buttons are disabled; empty when they are not.
  std::string DisabledReason() const;
  void SetStatusText(const std::string& text);
  void AddTooltips();
  // A yes/no question, No the default.
  bool Ask(const std::string& question);
  bool ConfirmClose();
  void Paint();

  shell::Settings SetupData;
  bool SaveSettingsAtExit = true;
  bool SaveFailed = false;
  std::string SetupNeeded;  // why the actions wait for Setup; empty when they need not
  std::optional<std::uint32_t> LastSeed;
  bool LevelMade = false;  // the Level window has a level to show
  bool LastCompileFailed = false;
  HWND Tooltip = nullptr;
  std::wstring TipText;  // the shown tip's, which must outlive its message
  // The running compile, for the status bar's field.
  std::chrono::steady_clock::time_point CompileStart;
  std::size_t StepIndex = 0, StepCount = 0;
  std::string StepName;
  std::unique_ptr<CompileOutputWindow> Output;
  std::unique_ptr<LevelWindow> LevelView;
  // Called last when the running compile ends, with whether it succeeded.
  std::function<void(bool succeeded)> AfterCompile;
  std::unique_ptr<shell::CompileSession> Compile;
};

}  // namespace win
