#pragma once
// Driving the Win32 windows in-process: clicks as messages, the message loop
// run until something happened, message boxes answered by a hook instead of
// a user.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "win/Ui.h"

namespace win_test {

inline void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// The texts of a status bar's parts, left to right.
inline std::vector<std::string> StatusParts(HWND bar) {
  std::vector<std::string> parts(static_cast<std::size_t>(SendMessageW(bar, SB_GETPARTS, 0, 0)));
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::wstring text(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, i, 0)) + 1, L'\0');
    text.resize(LOWORD(SendMessageW(bar, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text.data()))));
    parts[i] = win::Narrow(text);
  }
  return parts;
}

// Which of the radio buttons numbered from firstId on is checked; -1: none.
inline int CheckedRadio(HWND window, int firstId) {
  for (int id = firstId; GetDlgItem(window, id); ++id)
    if (IsDlgButtonChecked(window, id) == BST_CHECKED) return id - firstId;
  return -1;
}

// What stops the captions of window's buttons (push and radio buttons, check
// and group boxes) from showing whole at dpi, one line each: a caption wider
// than the room its control leaves it, or drawn in a font of another height
// than the message font's. Empty when every caption fits.
inline std::vector<std::string> CaptionProblems(HWND window, UINT dpi) {
  std::vector<std::string> problems;
  LOGFONTW message{}, font{};
  GetObjectW(win::MessageFont(dpi).get(), sizeof message, &message);
  for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    std::wstring text = win::Widen(win::WindowText(control));
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    if (lstrcmpiW(className, L"Button") != 0 || text.empty()) continue;
    const auto shown = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(shown, sizeof font, &font);
    // The room the button's frame, check mark or group line leaves (the
    // themes differ a little: the larger of them).
    RECT rect{};
    GetClientRect(control, &rect);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    const LONG type = style & BS_TYPEMASK;
    int room = rect.right - win::Scale(8, dpi);
    if (type == BS_GROUPBOX)
      room = rect.right - win::Scale(16, dpi);
    else if ((type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX) && !(style & BS_PUSHLIKE))
      room = rect.right - GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) - win::Scale(5, dpi);
    const SIZE size = win::TextSize(win::FontOf(control), text);
    const std::string name = win::Narrow(text) + " at " + std::to_string(dpi) + " dpi: ";
    if (font.lfHeight != message.lfHeight)
      problems.push_back(name + "font height " + std::to_string(font.lfHeight) + ", not " +
                         std::to_string(message.lfHeight));
    if (size.cx > room)
      problems.push_back(name + std::to_string(size.cx) + " pixels wide in " + std::to_string(room));
  }
  return problems;
}

// Runs the thread's messages until done() or the timeout, through the
// program's own message loop step (main: the main window); false on timeout.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout, HWND main = nullptr) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  MSG message;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) win::DispatchMessageFor(message, main, nullptr);
  }
  return true;
}

// While it lives, every message box this thread opens is recorded and
// answered with `answer` as soon as it is shown.
class MessageBoxCatcher {
 public:
  struct Box {
    std::string Caption;
    std::string Text;
    std::string Icon;  // "error", "question", "other" or "none"
  };

  explicit MessageBoxCatcher(int answer = IDOK) : Answer(answer) {
    Current = this;
    Hook = SetWindowsHookExW(WH_CBT, &MessageBoxCatcher::Procedure, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxCatcher() {
    UnhookWindowsHookEx(Hook);
    Current = nullptr;
  }
  MessageBoxCatcher(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

  std::vector<Box> Boxes;
  int Answer;  // the button every box gets from now on

 private:
  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    if (code == HCBT_ACTIVATE && Current && GetClassNameW(window, className, 16) &&
        std::wstring(className) == L"#32770") {
      // 0xFFFF is the message box's text control.
      Current->Boxes.push_back({win::WindowText(window), win::WindowText(GetDlgItem(window, 0xFFFF)), IconOf(window)});
      // A box without that button (a plain message) is answered with OK.
      const int answer = GetDlgItem(window, Current->Answer) ? Current->Answer : IDOK;
      PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  // The system icon the box shows (the icon control's number differs
  // between Windows and Wine: found by its style).
  static std::string IconOf(HWND box) {
    for (HWND control = GetWindow(box, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
      // (The box itself is not visible yet: the control's own style says.)
      const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
      if ((style & SS_TYPEMASK) != SS_ICON || !(style & WS_VISIBLE)) continue;
      const auto icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
      if (!icon) continue;
      if (icon == LoadIconW(nullptr, IDI_ERROR)) return "error";
      return icon == LoadIconW(nullptr, IDI_QUESTION) ? "question" : "other";
    }
    return "none";
  }

  static inline MessageBoxCatcher* Current = nullptr;
  HHOOK Hook;
};

}  // namespace win_test
