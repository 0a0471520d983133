#include "win/AboutDialog.h"

#include <commctrl.h>

#include "shell/Names.h"
#include "shell/Version.h"
#include "win/resource.h"

namespace win {

namespace {

constexpr int kClientWidth = 284;
// Client heights: folded (the licence's top - 5) and unfolded.
constexpr int kFoldedHeight = 140, kUnfoldedHeight = 261;

// The edit control breaks lines only at CR LF.
std::string WithCrLf(std::string text) {
  for (auto at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) text.insert(at, 1, '\r');
  return text;
}

}  // namespace

AboutDialog::AboutDialog(HWND owner) {
  Create(L"QuorvelAbout", L"About", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
         WS_EX_DLGMODALFRAME, owner, kClientWidth, kFoldedHeight);
  RECT ownerRect{};
  GetWindowRect(owner, &ownerRect);
  const UINT dpi = Dpi();
  SetWindowPos(Hwnd, nullptr, ownerRect.left + Scale(30, dpi), ownerRect.top + Scale(30, dpi), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);

  AddControl(WC_STATICW, "", SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, kApplIcon, Box(5, 5, 36, 36));
  const DWORD text = SS_LEFT | SS_NOPREFIX;
  AddControl(WC_STATICW, shell::kApplicationTitle, text, kApplName, Box(70, 10, 162, 40), 0, {16, true});
  AddControl(WC_STATICW, std::string("Version ") + shell::kVersion, text, kVersion, Box(70, 55, 120, 16), 0, {13});
  AddControl(WC_STATICW, shell::kAuthorLine, text, kAuthor, Box(70, 80, 210, 16), 0, {13});
  AddControl(WC_BUTTONW, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, Box(126, 105, 71, 25));
  AddControl(WC_BUTTONW, "License", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, kButLicense, Box(205, 105, 71, 25));
  DefaultButton = IDOK;
  AddControl(WC_EDITW, WithCrLf(shell::kLicenseText), ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, kLicense,
             Box(4, 145, 276, 116), WS_EX_CLIENTEDGE, {12});
  SetIcon();
}

// The icon drawn at its size for this DPI, not stretched from 32 pixels.
void AboutDialog::SetIcon() {
  const int size = Scale(32, Dpi());
  const HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVEL),
                                                   IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  SendDlgItemMessageW(Hwnd, kApplIcon, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  Icon.reset(icon);
}

LRESULT AboutDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int id = message == WM_COMMAND ? LOWORD(wParam) : 0;
  if (message == WM_CLOSE || id == IDOK) {
    Done = true;
  } else if (id == kButLicense) {  // a check box: pressed, it shows the licence
    SetClientSize(kClientWidth, IsDlgButtonChecked(Hwnd, kButLicense) ? kUnfoldedHeight : kFoldedHeight);
  } else {
    const LRESULT result = Window::HandleMessage(message, wParam, lParam);
    if (message == WM_DPICHANGED) SetIcon();
    return result;
  }
  return 0;
}

}  // namespace win
