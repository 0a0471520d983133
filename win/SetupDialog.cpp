#include "win/SetupDialog.h"

#include <commctrl.h>

#include <utility>

#include "win/Text.h"

namespace win {

namespace {
constexpr int kLabel1 = 210, kLabel2 = 211;
}

SetupDialog::SetupDialog(HWND owner, const std::string& toolDir, const std::string& hlDir,
                         Chooser choose, Changed changed)
    : Owner(owner), Choose(std::move(choose)), OnChange(std::move(changed)) {
  Create(L"QuorvelSetup", L"Setup", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME, owner,
         297, 150);
  RECT window{};
  GetWindowRect(Hwnd, &window);
  const RECT centred = PlaceCentred(owner, {window.right - window.left, window.bottom - window.top});
  SetWindowPos(Hwnd, nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  AddControl(WC_STATICW, "Compilation Tools Directory", SS_LEFT | SS_NOPREFIX, kLabel1, Box(20, 13, 200, 13));
  AddControl(WC_EDITW, "", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, kDirTool, Box(16, 29, 246, 21),
             WS_EX_CLIENTEDGE);
  AddControl(WC_BUTTONW, "...", BS_PUSHBUTTON | WS_TABSTOP, kBrowseTool, Box(262, 29, 20, 21));
  AddControl(WC_STATICW, "Half-Life Main Directory", SS_LEFT | SS_NOPREFIX, kLabel2, Box(20, 68, 200, 13));
  AddControl(WC_EDITW, "", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, kDirHL, Box(16, 84, 246, 21),
             WS_EX_CLIENTEDGE);
  AddControl(WC_BUTTONW, "...", BS_PUSHBUTTON | WS_TABSTOP, kBrowseHL, Box(262, 84, 20, 21));
  AddControl(WC_BUTTONW, "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, kButClose, Box(111, 120, 75, 25));

  DefaultButton = kButClose;
  SetField(kDirTool, 0, toolDir);
  SetField(kDirHL, 1, hlDir);
}

SetupDialog::~SetupDialog() {
  if (Hwnd) DestroyWindow(Hwnd);
}

void SetupDialog::Run(const std::function<void(HWND)>& shown) {
  RunModal(Hwnd, Owner, GetDlgItem(Hwnd, kButClose), [this] { return Done; }, shown);
}

void SetupDialog::MakeFonts(UINT dpi) { Bold = MessageFont(dpi, 0, true); }

HFONT SetupDialog::FontFor(HWND control) {
  const int id = GetDlgCtrlID(control);
  return id == kLabel1 || id == kLabel2 ? Bold.get() : NormalFont();
}

void SetupDialog::SetField(int id, std::size_t line, const std::string& text) {
  SetDlgItemTextW(Hwnd, id, Widen(text).c_str());
  if (OnChange) OnChange(line, text);
}

void SetupDialog::Browse(int fieldId, std::size_t line, const char* title) {
  if (!Choose) return;
  const std::optional<std::string> folder = Choose(Hwnd, title, WindowText(GetDlgItem(Hwnd, fieldId)));
  if (folder) SetField(fieldId, line, *folder);
}

LRESULT SetupDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kBrowseTool: Browse(kDirTool, 0, "Compile tools folder"); return 0;
        case kBrowseHL: Browse(kDirHL, 1, "Half-Life folder"); return 0;
        case kButClose:
        case IDCANCEL: Done = true; return 0;
      }
      break;
    case WM_CLOSE:
      Done = true;
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
