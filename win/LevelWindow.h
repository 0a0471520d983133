#pragma once
// "Level": a view of a shell::LevelSheet (the last level's picture, facts
// and the ways to make it again; the kept levels below) whose buttons call
// the session. Closing (Escape too) only hides it.

#include <string>

#include "shell/Session.h"
#include "win/Ui.h"

namespace win {

class LevelWindow : public Window {
 public:
  enum Id : int { kSeed = 500, kOptionNames, kOptionValues, kCountNames, kCountValues, kButCopy, kSeedEdit,
                  kButMakeAgain, kButCompilePlay, kNameEdit, kButKeep, kButPlayKept, kButCompileKept, kButDeleteKept,
                  kKeptList };

  explicit LevelWindow(HWND owner);

  void ShowSheet(const shell::LevelSheet& sheet);
  // Shows the window raised, beside the main window when it was hidden;
  // activated when the user asked for it (not when a level was just made).
  void Show(bool activate);
  // The buttons that run something: off while a compile runs.
  void SetActionsEnabled(bool enabled);

  shell::Session* Session = nullptr;  // set once the session exists

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The part of the client area left of the facts and buttons.
  RECT PictureRect() const;
  // The client size (pixels) the picture is best seen at: eight pixels a cell.
  SIZE WantedClientSize();
  SIZE LeastFrameSize() const;
  void Paint();
  void CopyCommandLine();
  std::string ChosenKept() const;
  void EnableButtons();

  shell::LevelSheet Sheet;  // the one shown
  bool ActionsEnabled = true;
};

}  // namespace win
