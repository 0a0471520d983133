#pragma once
// The main window: six option groups, the commands and a one-line status
// bar; a view over shell::Session.

#include <functional>
#include <memory>
#include <string>

#include "win/SetupDialog.h"
#include "win/resource.h"

namespace win {

class CompileOutputWindow;
class LevelWindow;

// Control identifiers (tests address the controls by them). Radio item i of
// group g is kFirstRadio + 10 * g + i, groups in the order of the options'
// table (OptionGroup).
enum ControlId : int {
  kButGenMap = IDM_GEN_MAP, kButGenBsp = IDM_GEN_BSP, kButRun = IDM_RUN, kButSetup, kButAbout, kButExit, kStatusBar,
  kFirstRadio = 1000
};

// The option groups in the table's order, the windows' reading order.
enum OptionGroup : int { kMapDim, kMonsters, kGameType, kMapCompl, kSkill, kBarney, kGroupCount };

class MainWindow : public Window, public shell::MainView {
 public:
  // The level in folders.AppDir, the settings loaded from folders.SettingsPath;
  // without a settings file, the folders in defaults are offered.
  MainWindow(const shell::StartFolders& folders, shell::Settings defaults);
  // The same in the current directory, with the system's usual folders.
  MainWindow();
  // Finishes the session (a running compile ends, the settings are saved).
  ~MainWindow() override;

  shell::Session& Session() { return *S; }
  CompileOutputWindow& CompileOutput() { return *Output; }
  // It opens after the first level; Ctrl+E and a click on the seed show it again.
  LevelWindow& Level() { return *LevelView; }

  // Called with the Setup or About dialog once it is shown (not with message
  // boxes); tests drive the dialogs from here.
  std::function<void(HWND dialog)> DialogShown;
  // The folder chooser of the Setup dialog; empty result when cancelled.
  SetupDialog::Chooser ChooseFolder;

  void ShowState(const shell::MainState& state) override;
  void ShowLevel(const shell::LevelSheet& sheet) override;
  void OpenLevelWindow(bool activate) override;
  void OpenCompileOutput() override;
  void ShowCompileLog(const shell::CompileLogUpdate& update) override;
  void ShowError(const std::string& text) override;
  bool Ask(const std::string& question) override;
  void Post(std::function<void()> call) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The status bar's parts for the fields shown now, and their texts.
  void ShowStatusFields();
  int SeedPart() const { return Shown.Seed.empty() ? -1 : (Shown.Step.empty() ? 1 : 2); }
  void AddTooltips();

  shell::MainState Shown;
  HWND Tooltip = nullptr;
  std::wstring TipText;  // the shown tip's, which must outlive its message
  std::unique_ptr<CompileOutputWindow> Output;
  std::unique_ptr<LevelWindow> LevelView;
  std::unique_ptr<shell::Session> S;
};

}  // namespace win
