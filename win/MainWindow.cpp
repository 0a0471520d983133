#include "win/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/Platform.h"
#include "shell/Names.h"
#include "win/AboutDialog.h"
#include "win/CompileOutputWindow.h"
#include "win/LevelWindow.h"

namespace win {

namespace {

constexpr int kClientWidth = 540;
constexpr int kClientHeight = 254;
constexpr int kStatusHeight = 19;
constexpr int kPanelWidth = 128;
constexpr int kPanelLeft = kClientWidth - kPanelWidth;
constexpr int kPanelHeight = kClientHeight - kStatusHeight;
constexpr int kSeedFieldWidth = 100;

// A call from another thread, run by the window procedure (lParam owns it).
constexpr UINT kRunPosted = WM_APP + 1;
// Updates the status bar's step field each second while a compile runs.
constexpr UINT_PTR kStepTimer = 1;

// Where each option group stands (left, top, right, bottom), in the
// options' table order: wide enough for every caption in Windows' Segoe UI
// 9 pt (a fifth wider than Wine's Tahoma 8 pt) at any DPI.
constexpr RECT kGroupPlaces[kGroupCount] = {
    {8, 5, 120, 131},   {126, 5, 288, 131},  {294, 5, 404, 131},  // dimension, monsters, game type
    {8, 150, 120, 231}, {150, 150, 262, 231}, {292, 150, 404, 231},  // complexity, skill, friends
};

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
    : MainWindow(shell::StartFolders{platform::CurrentDirectory(), shell::SettingsPath(platform::CurrentDirectory())},
                 shell::Settings::Defaults()) {}

MainWindow::MainWindow(const shell::StartFolders& folders, shell::Settings defaults) {
  Create(L"QuorvelMainWindow", Widen(shell::kApplicationTitle), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         0, nullptr, kClientWidth, kClientHeight);

  // Creation order is the tab order: the groups in reading order.
  const auto& table = shell::LevelOptionTable();
  for (int g = 0; g < kGroupCount; ++g) {
    const shell::OptionSpec& spec = table.at(static_cast<std::size_t>(g));
    AddControl(WC_BUTTONW, spec.Caption, BS_GROUPBOX | WS_GROUP, -1, kGroupPlaces[g]);
    const int count = static_cast<int>(spec.Items.size());
    for (int i = 0; i < count; ++i)
      AddControl(WC_BUTTONW, spec.Items[static_cast<std::size_t>(i)].Caption,
                 BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), RadioId(g, i), ItemRect(kGroupPlaces[g], i, count));
  }
  const auto button = [this](int id, const char* caption, int x, int y, int w, int h) {
    AddControl(WC_BUTTONW, caption, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, id, Box(kPanelLeft + x, y, w, h));
  };
  button(kButGenMap, "Generate .&map", 12, 10, 104, 25);
  button(kButGenBsp, "Generate .&bsp", 12, 48, 104, 25);
  button(kButRun, "&Run Half-Life", 12, 85, 104, 25);
  button(kButSetup, "&Setup", 26, 135, 75, 25);
  button(kButAbout, "&About", 26, 165, 75, 25);
  button(kButExit, "E&xit", 26, 202, 75, 25);

  AddControl(STATUSCLASSNAMEW, "", CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, kStatusBar,
             Box(0, kPanelHeight, kClientWidth, kStatusHeight));
  AddTooltips();

  Output = std::make_unique<CompileOutputWindow>(Hwnd);
  LevelView = std::make_unique<LevelWindow>(Hwnd);
  ChooseFolder = ChooseFolderDialog;
  S = std::make_unique<shell::Session>(*this, folders, std::move(defaults));
  Output->Session = LevelView->Session = S.get();
  RememberFocus(Item(Shown.ActionsEnabled ? kButGenMap : kButSetup));
}

MainWindow::~MainWindow() {
  if (Hwnd) DestroyWindow(Hwnd);
}

void MainWindow::ShowState(const shell::MainState& state) {
  Shown = state;
  const auto& table = shell::LevelOptionTable();
  for (std::size_t g = 0; g < table.size(); ++g) {
    // Tab into a group lands on its chosen item.
    for (int i = 0; i < static_cast<int>(table[g].Items.size()); ++i) {
      const HWND radio = Item(RadioId(static_cast<int>(g), i));
      const bool chosen = i == table[g].Get(state.Options);
      SendMessageW(radio, BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
      const LONG_PTR style = GetWindowLongPtrW(radio, GWL_STYLE);
      SetWindowLongPtrW(radio, GWL_STYLE, chosen ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
  }
  const bool wasEnabled = IsWindowEnabled(Item(kButGenMap)) != FALSE;
  if (wasEnabled && !state.ActionsEnabled)  // the focus comes back here when they are enabled again
    RememberFocus(IsChild(Hwnd, GetFocus()) ? GetFocus() : Item(kButGenBsp));
  for (int id : {kButGenMap, kButGenBsp, kButRun}) EnableWindow(Item(id), state.ActionsEnabled);
  if (!wasEnabled && state.ActionsEnabled && GetActiveWindow() == Hwnd) RestoreFocus();
  LevelView->SetActionsEnabled(state.ActionsEnabled);
  Output->SetRunning(state.Compiling);
  if (state.Compiling)
    SetTimer(Hwnd, kStepTimer, 1000, nullptr);
  else
    KillTimer(Hwnd, kStepTimer);
  ShowStatusFields();
}

// The status text on the left, then the step field while a compile runs and
// the seed once a level was made; without them the text has the whole width.
void MainWindow::ShowStatusFields() {
  const HWND status = Item(kStatusBar);
  std::vector<std::pair<std::string, int>> fields{{Shown.Status, 0}};  // the text, the width in pixels
  if (!Shown.Step.empty()) {
    // As wide as the step's text with every digit at its widest, so that the
    // field neither cuts the text nor moves as the time goes on.
    std::wstring sample = Widen(Shown.Step);
    std::replace_if(sample.begin(), sample.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }, L'0');
    fields.emplace_back(Shown.Step, TextSize(FontOf(status), sample).cx + Scale(16, Dpi()));
  }
  if (SeedPart() > 0) fields.emplace_back(Shown.Seed, Scale(kSeedFieldWidth, Dpi()));
  RECT client{};
  GetClientRect(status, &client);
  std::vector<int> edges(fields.size(), -1);  // each part's right edge; the last reaches the end
  int edge = client.right;
  for (std::size_t i = fields.size() - 1; i > 0; --i) edges[i - 1] = edge = std::max(edge - fields[i].second, 0);
  SendMessageW(status, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < fields.size(); ++i)
    SendMessageW(status, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(Widen(fields[i].first).c_str()));
  TTTOOLINFOW seed{sizeof seed, 0, status, kStatusBar, {}, nullptr, nullptr, 0, nullptr};  // the seed's tip follows it
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
  const auto add = [this](HWND owner, int id, wchar_t* text, RECT rect) {
    TTTOOLINFOW tool{sizeof tool, TTF_SUBCLASS, owner, static_cast<UINT_PTR>(id), rect, nullptr, text, 0, nullptr};
    SendMessageW(Tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  };
  for (int id : {kButGenMap, kButGenBsp, kButRun}) {
    RECT rect{};
    GetWindowRect(Item(id), &rect);
    MapWindowPoints(nullptr, Hwnd, reinterpret_cast<POINT*>(&rect), 2);
    add(Hwnd, id, LPSTR_TEXTCALLBACKW, rect);
  }
  // The seed in the status bar; its rectangle follows the fields.
  add(Item(kStatusBar), kStatusBar, const_cast<wchar_t*>(L"Show the level (Ctrl+E)"), {});
}

void MainWindow::ShowLevel(const shell::LevelSheet& sheet) { LevelView->ShowSheet(sheet); }

void MainWindow::OpenLevelWindow(bool activate) { LevelView->Show(activate); }

void MainWindow::OpenCompileOutput() {
  Output->Clear();
  Output->Show(false);  // the keyboard stays with this window
}

void MainWindow::ShowCompileLog(const shell::CompileLogUpdate& update) { Output->ShowLog(update); }

void MainWindow::ShowError(const std::string& text) { ShowMessage(Hwnd, shell::kApplicationTitle, text); }

bool MainWindow::Ask(const std::string& question) {
  return MessageBoxW(Hwnd, Widen(question).c_str(), Widen(shell::kApplicationTitle).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void MainWindow::Post(std::function<void()> call) {
  auto* posted = new std::function<void()>(std::move(call));
  if (!PostMessageW(Hwnd, kRunPosted, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const auto& table = shell::LevelOptionTable();
      if (id >= kFirstRadio && id < RadioId(static_cast<int>(table.size()), 0) && HIWORD(wParam) == BN_CLICKED) {
        // The clicked item is the chosen one, by mouse or by the arrow keys.
        S->ChooseOption(table[static_cast<std::size_t>((id - kFirstRadio) / 10)], (id - kFirstRadio) % 10);
        return 0;
      }
      switch (id) {
        case kButGenMap: S->GenerateMap(); return 0;
        case kButGenBsp: S->Compile(); return 0;
        case kButRun: S->RunGame(); return 0;
        case kButSetup:
          SetupDialog(Hwnd, *S, ChooseFolder).Run(DialogShown);
          S->SetupClosed();
          return 0;
        case kButAbout: AboutDialog(Hwnd).Run(DialogShown); return 0;
        case kButExit: PostMessageW(Hwnd, WM_CLOSE, 0, 0); return 0;
        case IDM_SHOW_OUTPUT: Output->Show(true); return 0;
        case IDM_SHOW_LEVEL: S->ShowLevelWindow(); return 0;
      }
      break;
    }
    case kRunPosted: {
      const std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
      (*call)();
      return 0;
    }
    case WM_TIMER:
      if (wParam == kStepTimer) S->Tick();
      return 0;
    case WM_NOTIFY: {
      const auto* click = reinterpret_cast<NMMOUSE*>(lParam);
      if (click->hdr.hwndFrom == Item(kStatusBar) && click->hdr.code == NM_CLICK && SeedPart() >= 0 &&
          click->dwItemSpec == static_cast<DWORD_PTR>(SeedPart())) {
        S->ShowLevelWindow();
        return 0;
      }
      auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      if (tip->hdr.code == TTN_GETDISPINFOW && tip->hdr.hwndFrom == Tooltip) {
        const bool enabled = IsWindowEnabled(Item(static_cast<int>(tip->hdr.idFrom)));
        TipText = Widen(enabled ? "" : Shown.DisabledReason);
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
    case WM_PAINT: {  // the buttons' panel
      PAINTSTRUCT paint;
      RECT panel{Scale(kPanelLeft, Dpi()), 0, Scale(kClientWidth, Dpi()), Scale(kPanelHeight, Dpi())};
      DrawEdge(BeginPaint(Hwnd, &paint), &panel, BDR_RAISEDINNER, BF_RECT);
      EndPaint(Hwnd, &paint);
      return 0;
    }
    case WM_CLOSE:
      if (S->MayClose()) DestroyWindow(Hwnd);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The process may end as soon as this returns: stop and save now.
      if (wParam) {
        S->EndNow();
        (void)S->Finish();
      }
      return 0;
    case WM_DESTROY: {
      // Ends a running tool and waits for its thread, and saves; calls it
      // posted and that never ran are dropped here.
      (void)S->Finish();
      MSG pending;
      while (PeekMessageW(&pending, Hwnd, kRunPosted, kRunPosted, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(pending.lParam);
      return 0;
    }
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
