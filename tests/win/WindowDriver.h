#pragma once
// Driving the Win32 windows in-process: clicks as messages, the message loop
// run until something happened, message boxes answered by a hook instead of
// a user.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "win/Text.h"
#include "win/Ui.h"

namespace win_test {

inline void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

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
      Current->Boxes.push_back({win::WindowText(window), win::WindowText(GetDlgItem(window, 0xFFFF))});
      // A box without that button (a plain message) is answered with OK.
      const int answer = GetDlgItem(window, Current->Answer) ? Current->Answer : IDOK;
      PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline MessageBoxCatcher* Current = nullptr;
  HHOOK Hook;
};

}  // namespace win_test
