#pragma once
// The main window: six option groups, the commands and a one-line status
// bar. A view over the shell core: it shows state and forwards clicks;
// generating, the settings file, compiling and starting the game are the
// core's.

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
  std::string StatusText() const;
  HWND Control(int id) const { return GetDlgItem(Hwnd, id); }

  const std::string AppDir;
  std::string ToolDir;  // copies of the settings' lines 0 and 1
  std::string HLDir;

  CompileOutputWindow& CompileOutput() { return *Output; }

  // Called with the Setup or About dialog once it is shown (not with message
  // boxes); tests drive the dialogs from here.
  std::function<void(HWND dialog)> DialogShown;
  // The folder chooser of the Setup dialog; empty result when cancelled.
  std::function<std::optional<std::string>(HWND owner, const std::string& current)> ChooseFolder;

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
  // Enables the three action buttons unless a compile runs.
  void EnableActions();
  void SetActionsEnabled(bool enabled);
  void SetStatusText(const std::string& text);
  bool ConfirmClose();
  void Paint();

  shell::Settings SetupData;
  bool SaveSettingsAtExit = true;
  std::unique_ptr<CompileOutputWindow> Output;
  std::unique_ptr<shell::CompileSession> Compile;
};

}  // namespace win
