#pragma once
// "Compile output": the tools' console output as it comes (shell/CompileLog.h)
// in a read-only text box that follows the newest line unless the user
// scrolled up, with "Stop" (while a compile runs), "Clear" and "Close".
// Closing (Escape too) only hides it; Ctrl+L in the main window shows it again.

#include <string>

#include "shell/Session.h"
#include "win/Ui.h"

namespace win {

class CompileOutputWindow : public Window {
 public:
  enum Id : int { kText = 400, kButStop, kButClear, kButClose };
  explicit CompileOutputWindow(HWND owner);

  // Catches up with the compile's log; each line's bytes are UTF-8, or the
  // console code page when not valid UTF-8.
  void ShowLog(const shell::CompileLogUpdate& update);
  void Clear() { SetItemText(kText, ""); }
  // Shows the window raised, the first time beside the main window (its
  // owner); activated when the user asked for it (not when a compile opened it).
  void Show(bool activate);
  // Enables "Stop", which stops the session's compile.
  void SetRunning(bool running);
  shell::Session* Session = nullptr;  // set once the session exists

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Placed = false;
};

}  // namespace win
