#include "win/CompileOutputWindow.h"

#include <commctrl.h>

#include <algorithm>

namespace win {

namespace {

std::wstring Decode(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  UINT codePage = CP_UTF8;
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (n == 0) {
    codePage = platform::ConsoleCodePage();
    n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  }
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), n);
  return text;
}

}  // namespace

CompileOutputWindow::CompileOutputWindow(HWND owner) : Owner(owner) {
  Create(L"QuorvelCompileOutput", L"Compile output", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, owner, 720,
         420);
  AddControl(WC_EDITW, "",
             ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
             kText, Box(0, 0, 1, 1), WS_EX_CLIENTEDGE);
  AddControl(WC_BUTTONW, "S&top", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, kButStop, Box(0, 0, 75, 25));
  AddControl(WC_BUTTONW, "&Clear", BS_PUSHBUTTON | WS_TABSTOP, kButClear, Box(0, 0, 75, 25));
  AddControl(WC_BUTTONW, "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, kButClose, Box(0, 0, 75, 25));
  SendDlgItemMessageW(Hwnd, kText, EM_SETLIMITTEXT, 0, 0);
  DefaultButton = kButClose;
  Layout();
}

void CompileOutputWindow::MakeFonts(UINT dpi) { Fixed = FixedFont(dpi); }

HFONT CompileOutputWindow::FontFor(HWND control) {
  return GetDlgCtrlID(control) == kText ? Fixed.get() : NormalFont();
}

void CompileOutputWindow::Layout() {
  RECT client{};
  GetClientRect(Hwnd, &client);
  const UINT dpi = Dpi();
  const int margin = Scale(8, dpi), w = Scale(75, dpi), h = Scale(25, dpi);
  const int buttonsTop = client.bottom - margin - h;
  MoveWindow(Item(kText), margin, margin, client.right - 2 * margin, buttonsTop - 2 * margin, TRUE);
  MoveWindow(Item(kButClose), client.right - margin - w, buttonsTop, w, h, TRUE);
  MoveWindow(Item(kButClear), client.right - 2 * margin - 2 * w, buttonsTop, w, h, TRUE);
  MoveWindow(Item(kButStop), margin, buttonsTop, w, h, TRUE);
}

void CompileOutputWindow::SetRunning(bool running) {
  if (!running && GetFocus() == Item(kButStop)) SetFocus(Item(kButClose));
  EnableWindow(Item(kButStop), running);
  RememberFocus(Item(running ? kButStop : kButClose));
}

void CompileOutputWindow::ShowLog(const shell::CompileLogUpdate& update) {
  std::wstring text;
  for (const std::string& line : update.Lines) text += Decode(line) + L"\r\n";  // the edit control's line end
  text += Decode(update.Current);

  const HWND edit = Item(kText);
  // Following unless the user scrolled up: then the lines they read stay put.
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_ALL;
  const bool follow = !GetScrollInfo(edit, SB_VERT, &scroll) ||
                      scroll.nPos + static_cast<int>(scroll.nPage) > scroll.nMax;
  const int firstLine = static_cast<int>(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
  DWORD selStart = 0, selEnd = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));

  SendMessageW(edit, WM_SETREDRAW, FALSE, 0);
  if (update.Reset) {
    SetWindowTextW(edit, text.c_str());
  } else {
    // The last line is always the unfinished one.
    const auto lines = SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
    const auto lastLine = SendMessageW(edit, EM_LINEINDEX, lines - 1, 0);
    SendMessageW(edit, EM_SETSEL, lastLine, GetWindowTextLengthW(edit));
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  const int excess = static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0)) - static_cast<int>(update.Held) - 1;
  const int dropped = std::max(excess, 0);  // whole lines cut off the top
  if (dropped > 0) {
    SendMessageW(edit, EM_SETSEL, 0, SendMessageW(edit, EM_LINEINDEX, dropped, 0));
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
  }
  if (follow) {
    const int end = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, end, end);
    SendMessageW(edit, WM_VSCROLL, SB_BOTTOM, 0);
  } else {
    SendMessageW(edit, EM_SETSEL, selStart, selEnd);
    const int now = static_cast<int>(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageW(edit, EM_LINESCROLL, 0, std::max(firstLine - dropped, 0) - now);
  }
  SendMessageW(edit, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(edit, nullptr, TRUE);
}

void CompileOutputWindow::Show(bool activate) {
  if (Placed) return ShowRaised(activate);
  // Placed once: later the user's own placement is kept. Room for a
  // terminal's 80 columns of the fixed font, which the tools write for,
  // beside the scroll bar.
  Placed = true;
  const UINT dpi = Dpi();
  const SIZE line = TextExtent(Hwnd, Fixed.get(), std::wstring(80, L'0'));
  const RECT rect = PlaceBeside(
      Owner, FrameSize({line.cx + GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) + Scale(24, dpi), Scale(420, dpi)}),
      {Scale(360, dpi), Scale(200, dpi)});
  ShowRaised(activate, &rect);
}

LRESULT CompileOutputWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kButStop:
          if (OnStop) OnStop();
          return 0;
        case kButClear: Clear(); return 0;
        case kButClose: ShowWindow(Hwnd, SW_HIDE); return 0;
      }
      break;
    case WM_CLOSE:  // hidden only
      ShowWindow(Hwnd, SW_HIDE);
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
