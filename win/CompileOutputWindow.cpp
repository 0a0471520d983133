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

CompileOutputWindow::CompileOutputWindow(HWND owner) {
  Create(L"QuorvelCompileOutput", L"Compile output", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, owner, 720,
         420);
  AddControl(WC_EDITW, "",
             ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
             kText, {8, 8, -8, -41}, WS_EX_CLIENTEDGE, {0, false, true});
  AddControl(WC_BUTTONW, "S&top", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, kButStop, Box(8, -33, 75, 25));
  AddControl(WC_BUTTONW, "&Clear", BS_PUSHBUTTON | WS_TABSTOP, kButClear, Box(-166, -33, 75, 25));
  AddControl(WC_BUTTONW, "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, kButClose, Box(-83, -33, 75, 25));
  SendDlgItemMessageW(Hwnd, kText, EM_SETLIMITTEXT, 0, 0);
  DefaultButton = kButClose;
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
  const auto send = [edit](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<int>(SendMessageW(edit, message, wParam, lParam));
  };
  // Following unless the user scrolled up: then the lines they read stay put.
  SCROLLINFO scroll{sizeof scroll, SIF_ALL, 0, 0, 0, 0, 0};
  const bool follow = !GetScrollInfo(edit, SB_VERT, &scroll) ||
                      scroll.nPos + static_cast<int>(scroll.nPage) > scroll.nMax;
  const int firstLine = send(EM_GETFIRSTVISIBLELINE);
  DWORD selStart = 0, selEnd = 0;
  send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));

  send(WM_SETREDRAW, FALSE);
  if (update.Reset) {
    SetWindowTextW(edit, text.c_str());
  } else {
    // The last line is always the unfinished one.
    send(EM_SETSEL, send(EM_LINEINDEX, send(EM_GETLINECOUNT) - 1), GetWindowTextLengthW(edit));
    send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // Whole lines cut off the top, beyond what the log holds.
  const int dropped = std::max(send(EM_GETLINECOUNT) - static_cast<int>(update.Held) - 1, 0);
  if (dropped > 0) {
    send(EM_SETSEL, 0, send(EM_LINEINDEX, dropped));
    send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
  }
  if (follow) {
    send(EM_SETSEL, GetWindowTextLengthW(edit), GetWindowTextLengthW(edit));
    send(WM_VSCROLL, SB_BOTTOM);
  } else {
    send(EM_SETSEL, selStart, selEnd);
    send(EM_LINESCROLL, 0, std::max(firstLine - dropped, 0) - send(EM_GETFIRSTVISIBLELINE));
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
  const int width =
      TextSize(FontOf(Item(kText)), std::wstring(80, L'0')).cx + GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
  const RECT rect = PlaceBeside(GetWindow(Hwnd, GW_OWNER), FrameSize({width + Scale(24, dpi), Scale(420, dpi)}),
                                {Scale(360, dpi), Scale(200, dpi)});
  ShowRaised(activate, &rect);
}

LRESULT CompileOutputWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int id = message == WM_COMMAND ? LOWORD(wParam) : 0;
  if (id == kButStop)
    Session->StopCompile();
  else if (id == kButClear)
    Clear();
  else if (id == kButClose || message == WM_CLOSE)  // hidden only
    ShowWindow(Hwnd, SW_HIDE);
  else
    return Window::HandleMessage(message, wParam, lParam);
  return 0;
}

}  // namespace win
