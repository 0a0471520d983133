#include "win/MainWindow.h"

#include <commctrl.h>

#include <utility>

#include "platform/Platform.h"
#include "shell/CompileSession.h"
#include "shell/GameLaunch.h"
#include "shell/GenerateMap.h"
#include "shell/Names.h"
#include "win/AboutDialog.h"
#include "win/CompileOutputWindow.h"
#include "win/FolderChooser.h"
#include "win/LevelWindow.h"
#include "win/SetupDialog.h"
#include "win/Text.h"
#include "win/resource.h"

namespace win {

namespace {

constexpr int kClientWidth = 462;
constexpr int kClientHeight = 254;
constexpr int kStatusHeight = 19;
constexpr int kPanelWidth = 106;
constexpr int kPanelLeft = kClientWidth - kPanelWidth;
constexpr int kPanelHeight = kClientHeight - kStatusHeight;

constexpr int kStepFieldWidth = 170;
constexpr int kSeedFieldWidth = 100;

// A call from another thread, run by the window procedure (lParam owns it).
constexpr UINT kRunPosted = WM_APP + 1;
// Updates the status bar's step field each second while a compile runs.
constexpr UINT_PTR kStepTimer = 1;

struct GroupLayout {
  OptionGroup Group;
  const char* Caption;
  std::vector<const char*> Items;
  int Default;
  RECT Rect;
};

// Creation order is the tab order: the upper row, the lower row.
const std::vector<GroupLayout>& Groups() {
  static const std::vector<GroupLayout> groups{
      {kMapDim, "Map Dimension", {"Very Small", "Small", "Medium", "Big", "Very Big"}, 1, {8, 5, 106, 131}},
      {kMonsters, "Monsters Type", {"All", "Grunts only", "Grunts and Assassins", "Aliens only"}, 0, {112, 5, 248, 131}},
      {kGameType, "Game Type", {"Kill all", "Find the exit"}, 1, {252, 5, 348, 131}},
      {kMapCompl, "Map Complexity", {"Low", "Normal", "High"}, 1, {8, 150, 101, 231}},
      {kSkill, "Skill", {"Low", "Normal", "High"}, 1, {129, 150, 222, 231}},
      {kBarney, "Friends", {"None", "1", "2"}, 0, {255, 150, 348, 231}},
  };
  return groups;
}

int RadioId(int group, int item) { return kFirstRadio + 10 * group + item; }

// The items share the group's height below its caption evenly.
RECT ItemRect(const RECT& group, int item, int count) {
  constexpr int kCaption = 16, kBottom = 6, kLeft = 8, kItemHeight = 17;
  const int slot = (group.bottom - group.top - kCaption - kBottom) / count;
  const int top = group.top + kCaption + item * slot + (slot - kItemHeight) / 2;
  return {group.left + kLeft, top, group.right - 4, top + kItemHeight};
}

}  // namespace

MainWindow::MainWindow()
    : MainWindow(shell::StartFolders{platform::CurrentDirectory(), shell::SettingsPath(platform::CurrentDirectory())}) {}

MainWindow::MainWindow(const shell::StartFolders& folders)
    : AppDir(folders.AppDir), SettingsFile(folders.SettingsPath) {
  Create(L"QuorvelMainWindow", Widen(shell::kApplicationTitle),
         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, nullptr,
         kClientWidth, kClientHeight);

  for (const GroupLayout& group : Groups()) {
    AddControl(WC_BUTTONW, group.Caption, BS_GROUPBOX | WS_GROUP, -1, group.Rect);
    const int count = static_cast<int>(group.Items.size());
    for (int i = 0; i < count; ++i) {
      const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
      const HWND radio = AddControl(WC_BUTTONW, group.Items[static_cast<std::size_t>(i)],
                                    BS_AUTORADIOBUTTON | first, RadioId(group.Group, i),
                                    ItemRect(group.Rect, i, count));
      if (i == group.Default) SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
    }
  }

  const auto button = [this](int id, const char* caption, int x, int y, int w, int h) {
    AddControl(WC_BUTTONW, caption, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, id,
               Box(kPanelLeft + x, y, w, h));
  };
  button(kButGenMap, "Generate .&map", 13, 10, 81, 25);
  button(kButGenBsp, "Generate .&bsp", 13, 48, 81, 25);
  button(kButRun, "&Run Half-Life", 13, 85, 81, 25);
  button(kButSetup, "&Setup", 16, 135, 75, 25);
  button(kButAbout, "&About", 16, 165, 75, 25);
  button(kButExit, "E&xit", 16, 202, 75, 25);

  AddControl(STATUSCLASSNAMEW, "", CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, kStatusBar,
             Box(0, kPanelHeight, kClientWidth, kStatusHeight));
  AddTooltips();

  Output = std::make_unique<CompileOutputWindow>(Hwnd);
  Output->OnStop = [this] { Compile->Stop(); };
  LevelView = std::make_unique<LevelWindow>(Hwnd);
  LevelView->OnMakeAgain = [this](std::uint32_t seed) { GenerateLevel(seed); };
  LevelView->OnCompileAndPlay = [this] { CompileAndPlay(); };
  ChooseFolder = ChooseFolderDialog;
  Compile = std::make_unique<shell::CompileSession>(
      [hwnd = Hwnd](std::function<void()> call) {
        auto* posted = new std::function<void()>(std::move(call));
        if (!PostMessageW(hwnd, kRunPosted, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
      },
      shell::CompileSession::Callbacks{
          nullptr,
          [this](const shell::CompileLogUpdate& update) { Output->ShowLog(update); },
          [this](std::size_t index, std::size_t count, const std::string& name) { StepStarted(index, count, name); },
          [this](const shell::CompileOutcome& outcome) { CompileFinished(outcome); },
      });
  FormCreate();
}

MainWindow::~MainWindow() {
  if (Hwnd) DestroyWindow(Hwnd);
}

int MainWindow::ItemIndex(OptionGroup group) const {
  for (int i = 0; i < 10; ++i) {
    const HWND radio = GetDlgItem(Hwnd, RadioId(group, i));
    if (!radio) break;
    if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
  }
  return -1;
}

std::string MainWindow::StatusText() const { return WindowText(GetDlgItem(Hwnd, kStatusBar)); }

std::string MainWindow::PartText(int part) const {
  const HWND status = GetDlgItem(Hwnd, kStatusBar);
  if (part < 0) return {};
  const auto wpart = static_cast<WPARAM>(part);
  std::wstring text(LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, wpart, 0)) + 1, L'\0');
  text.resize(LOWORD(SendMessageW(status, SB_GETTEXTW, wpart, reinterpret_cast<LPARAM>(text.data()))));
  return Narrow(text);
}

std::string MainWindow::StepText() const { return PartText(StepPart()); }

std::string MainWindow::SeedText() const { return PartText(SeedPart()); }

int MainWindow::StepPart() const { return Compile && Compile->Running() ? 1 : -1; }

int MainWindow::SeedPart() const { return LastSeed ? (StepPart() < 0 ? 1 : 2) : -1; }

// The status texts on the left, then the step field while a compile runs and
// the seed once a level was made; without them the texts have the whole width.
void MainWindow::ShowStatusFields() {
  std::vector<int> widths;
  if (StepPart() > 0) widths.push_back(kStepFieldWidth);
  if (SeedPart() > 0) widths.push_back(kSeedFieldWidth);
  int edge = kClientWidth;
  for (int width : widths) edge -= width;
  std::vector<int> edges;  // each part's right edge; the last reaches the end
  for (int width : widths) {
    edges.push_back(Scale(edge, Dpi()));
    edge += width;
  }
  edges.push_back(-1);
  const HWND status = GetDlgItem(Hwnd, kStatusBar);
  SendMessageW(status, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  const auto setText = [status](int part, const std::string& text) {
    SendMessageW(status, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(Widen(text).c_str()));
  };
  if (StepPart() > 0) setText(StepPart(), StepFieldText());
  if (SeedPart() > 0) setText(SeedPart(), "Seed " + std::to_string(*LastSeed));
  TTTOOLINFOW seed{};
  seed.cbSize = sizeof seed;
  seed.hwnd = status;
  seed.uId = kStatusBar;
  if (SeedPart() > 0)
    SendMessageW(status, SB_GETRECT, static_cast<WPARAM>(SeedPart()), reinterpret_cast<LPARAM>(&seed.rect));
  SendMessageW(Tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&seed));
}

// A disabled button gets no mouse messages, so its tip is a rectangle of the
// main window's own, with the text asked for when it shows.
void MainWindow::AddTooltips() {
  Tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  for (int id : {kButGenMap, kButGenBsp, kButRun}) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Hwnd;
    tool.uId = static_cast<UINT_PTR>(id);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    GetWindowRect(GetDlgItem(Hwnd, id), &tool.rect);
    MapWindowPoints(nullptr, Hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
    SendMessageW(Tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  // The seed in the status bar; its rectangle follows the fields.
  TTTOOLINFOW seed{};
  seed.cbSize = sizeof seed;
  seed.uFlags = TTF_SUBCLASS;
  seed.hwnd = Control(kStatusBar);
  seed.uId = kStatusBar;
  seed.lpszText = const_cast<wchar_t*>(L"Show the level (Ctrl+E)");
  SendMessageW(Tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&seed));
}

std::string MainWindow::DisabledReason() const {
  if (Compile && Compile->Running()) return "A compile is running.";
  return SetupNeeded;
}

void MainWindow::SetStatusText(const std::string& text) {
  SendMessageW(GetDlgItem(Hwnd, kStatusBar), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void MainWindow::ShowError(const std::string& text) { ShowMessage(Hwnd, shell::kApplicationTitle, text); }

void MainWindow::SetActionsEnabled(bool enabled) {
  for (int id : {kButGenMap, kButGenBsp, kButRun}) EnableWindow(GetDlgItem(Hwnd, id), enabled);
  LevelView->SetActionsEnabled(enabled);
}

void MainWindow::EnableActions() { SetActionsEnabled(DisabledReason().empty()); }

void MainWindow::FormCreate() {
  shell::StartSettings start = shell::LoadStartSettings(SettingsFile, shell::Settings::Defaults());
  SetupData = std::move(start.Data);
  // A file that is there but cannot be read is the user's: never replaced.
  SaveSettingsAtExit = start.SaveAtExit;
  SettingsProblem = std::move(start.Problem);
  ShowSetupNeeded(start.SetupNeeded);
  RememberFocus(GetDlgItem(Hwnd, SetupNeeded.empty() ? kButGenMap : kButSetup));
}

void MainWindow::ShowSetupNeeded(const std::string& reason) {
  const std::string shown = std::exchange(SetupNeeded, reason);
  if (!SetupNeeded.empty() || StatusText() == shown) SetStatusText(SetupNeeded);  // other texts stay
  EnableActions();
}

void MainWindow::FormDestroy() {
  if (!SaveSettingsAtExit) return;
  const Result<> saved = shell::SaveSettings(SettingsFile, SetupData);
  if (saved) return;
  SaveFailed = true;
  ShowMessage(nullptr, shell::kApplicationTitle, saved.Error());
}

void MainWindow::ButGenMapClick() { GenerateLevel(std::nullopt); }

void MainWindow::GenerateLevel(std::optional<std::uint32_t> seed) {
  SetStatusText("");
  shell::GenerateRequest request;
  request.Options = {ItemIndex(kMapDim), ItemIndex(kMapCompl), ItemIndex(kSkill),
                     ItemIndex(kMonsters), ItemIndex(kGameType), ItemIndex(kBarney)};
  request.AppDir = AppDir;
  request.GameDir = SetupData.GameDir();
  // A second press within the same second still makes a new level.
  request.Seed = seed ? *seed : shell::TakeNextSeed(LastSeed);
  const Result<shell::GeneratedMap> map = shell::GenerateMap(request);
  if (!map) {
    ShowError(map.Error());
    return;
  }
  const bool first = !LevelMade;
  LevelMade = true;
  LastSeed = map->Seed;
  SetStatusText(map->StatusText);
  ShowStatusFields();
  LevelView->ShowLevel(*map, request.Options, request.GameDir);
  if (first) LevelView->Show(false);
}

void MainWindow::ShowLevelWindow() {
  if (LevelMade) LevelView->Show(true);
}

void MainWindow::CompileAndPlay() {
  AfterCompile = [this](bool succeeded) {
    if (succeeded) ButRunClick();
  };
  ButGenBspClick();
  if (!Compile->Running()) AfterCompile = nullptr;
}

void MainWindow::ButGenBspClick() {
  // The button is disabled while it runs: the focus comes back to it after.
  RememberFocus(IsChild(Hwnd, GetFocus()) ? GetFocus() : Control(kButGenBsp));
  SetActionsEnabled(false);
  SetStatusText("");
  Output->Clear();
  if (!Compile->Start(shell::CompileDirs{AppDir, SetupData.ToolDir(), SetupData.GameDir()})) {
    EnableActions();
    return;
  }
  CompileStart = std::chrono::steady_clock::now();
  StepIndex = StepCount = 0;
  StepName.clear();
  SetTimer(Hwnd, kStepTimer, 1000, nullptr);
  ShowStatusFields();
  Output->SetRunning(true);
  Output->Show();
}

void MainWindow::StepStarted(std::size_t index, std::size_t count, const std::string& name) {
  StepIndex = index, StepCount = count, StepName = name;
  ShowStatusFields();
}

// "hlbsp.exe: step 2 of 4, 0:07" once the first tool has started.
std::string MainWindow::StepFieldText() const {
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - CompileStart);
  return StepName.empty() ? "Compiling" : shell::CompileStepText(StepName, StepIndex, StepCount, elapsed);
}

void MainWindow::CompileFinished(const shell::CompileOutcome& outcome) {
  KillTimer(Hwnd, kStepTimer);
  LastCompileFailed = !outcome.Ok;
  ShowStatusFields();
  Output->SetRunning(false);
  SetStatusText(outcome.StatusText);
  EnableActions();
  if (GetActiveWindow() == Hwnd) RestoreFocus();
  if (!outcome.ErrorText.empty()) ShowError(outcome.ErrorText);
  if (auto next = std::exchange(AfterCompile, nullptr)) next(outcome.Ok);
}

void MainWindow::ButRunClick() {
  const shell::RunCheck check = shell::CheckLevelToRun(SetupData.GameDir(), LastCompileFailed);
  if (check.How == shell::RunCheck::Kind::Refuse) return ShowError(check.Text);
  if (check.How == shell::RunCheck::Kind::Confirm && !Ask(check.Text)) return;
  const Result<> started = shell::LaunchGame(SetupData.GameDir());
  if (!started) return ShowError(started.Error());
  SetStatusText(shell::kHalfLifeStarted);
}

void MainWindow::ButSetupClick() {
  {
    SetupDialog dialog(Hwnd, SetupData, ChooseFolder);
    dialog.Run(DialogShown);
  }
  ShowSetupNeeded(shell::SetupNeeded(SetupData));
}

void MainWindow::ButAboutClick() {
  AboutDialog dialog(Hwnd);
  dialog.Run(DialogShown);
}

bool MainWindow::Ask(const std::string& question) {
  return MessageBoxW(Hwnd, Widen(question).c_str(), Widen(shell::kApplicationTitle).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool MainWindow::ConfirmClose() {
  if (!Compile->Running()) return true;
  if (!Ask("A compile is running. Stop it and quit?")) return false;
  Compile->Stop();
  return true;
}

void MainWindow::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Hwnd, &paint);
  const UINT dpi = Dpi();
  RECT panel{Scale(kPanelLeft, dpi), 0, Scale(kClientWidth, dpi), Scale(kPanelHeight, dpi)};
  DrawEdge(dc, &panel, BDR_RAISEDINNER, BF_RECT);
  EndPaint(Hwnd, &paint);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kButGenMap: ButGenMapClick(); return 0;
        case kButGenBsp: ButGenBspClick(); return 0;
        case kButRun: ButRunClick(); return 0;
        case kButSetup: ButSetupClick(); return 0;
        case kButAbout: ButAboutClick(); return 0;
        case kButExit: PostMessageW(Hwnd, WM_CLOSE, 0, 0); return 0;
        case IDM_SHOW_OUTPUT: Output->Show(); return 0;
        case IDM_SHOW_LEVEL: ShowLevelWindow(); return 0;
      }
      break;
    case kRunPosted: {
      const std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
      (*call)();
      return 0;
    }
    case WM_TIMER:
      if (wParam == kStepTimer) ShowStatusFields();
      return 0;
    case WM_NOTIFY: {
      const auto* click = reinterpret_cast<NMMOUSE*>(lParam);
      if (click->hdr.hwndFrom == Control(kStatusBar) && click->hdr.code == NM_CLICK && SeedPart() >= 0 &&
          click->dwItemSpec == static_cast<DWORD_PTR>(SeedPart())) {
        ShowLevelWindow();
        return 0;
      }
      auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      if (tip->hdr.code == TTN_GETDISPINFOW && tip->hdr.hwndFrom == Tooltip) {
        TipText = Widen(IsWindowEnabled(Control(static_cast<int>(tip->hdr.idFrom))) ? "" : DisabledReason());
        tip->lpszText = TipText.data();
        return 0;
      }
      break;
    }
    case WM_DPICHANGED: {
      const LRESULT result = Window::HandleMessage(message, wParam, lParam);
      DestroyWindow(Tooltip);
      AddTooltips();
      ShowStatusFields();
      return result;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CLOSE:
      if (ConfirmClose()) DestroyWindow(Hwnd);
      return 0;
    case WM_DESTROY: {
      FormDestroy();
      // Ends a running tool and waits for its thread; calls it posted and
      // that never ran are dropped here.
      Compile.reset();
      MSG pending;
      while (PeekMessageW(&pending, Hwnd, kRunPosted, kRunPosted, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(pending.lParam);
      return 0;
    }
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
