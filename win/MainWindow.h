#pragma once
// The main window: six option groups, the commands and a one-line status
// bar. A view over the shell core: it shows state and forwards clicks;
// generating, the settings file, compiling and starting the game are the
// core's.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shell/Settings.h"
#include "win/Ui.h"

namespace shell {
class CompileSession;
struct CompileOutcome;
}  // namespace shell

namespace win {

class CompileOutputWindow;

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
  // Records the current directory as AppDir and loads the settings from it.
  MainWindow();
  // Saves the settings (unless the file there could not be read); a failure
  // is shown in a message box.
  ~MainWindow() override;

  // The six item indexes.
  int ItemIndex(OptionGroup group) const;
  // The status bar's text, and its field on the right: the running step.
  std::string StatusText() const;
  std::string StepText() const;
  HWND Control(int id) const { return GetDlgItem(Hwnd, id); }

  const std::string AppDir;
  std::string ToolDir;  // copies of the settings' lines 0 and 1
  std::string HLDir;

  CompileOutputWindow& CompileOutput() { return *Output; }

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
  void FormCreate();
  void FormDestroy();
  void SetupDataChange();

  void ButGenMapClick();
  void ButGenBspClick();
  void ButRunClick();
  void ButSetupClick();
  void ButAboutClick();

  void CompileFinished(const shell::CompileOutcome& outcome);
  void StepStarted(std::size_t index, std::size_t count, const std::string& name);
  void ShowStep();
  // Enables the three action buttons unless a compile runs or the folders
  // were never chosen.
  void EnableActions();
  void SetActionsEnabled(bool enabled);
  // Why the three action buttons are disabled; empty when they are not.
  std::string DisabledReason() const;
  void SetStatusText(const std::string& text);
  void SetStatusParts();
  void AddTooltips();
  bool ConfirmClose();
  void Paint();

  shell::Settings SetupData;
  bool SaveSettingsAtExit = true;
  bool FoldersChosen = false;
  HWND Tooltip = nullptr;
  std::wstring TipText;  // the shown tip's, which must outlive its message
  // The running compile, for the status bar's field.
  std::chrono::steady_clock::time_point CompileStart;
  std::size_t StepIndex = 0, StepCount = 0;
  std::string StepName;
  std::unique_ptr<CompileOutputWindow> Output;
  std::unique_ptr<shell::CompileSession> Compile;
};

}  // namespace win
