#pragma once
// "Level": a view of a shell::LevelSheet (the last level's picture, facts
// and the ways to make it again; the kept levels below) that calls its On...
// functions. Closing (Escape too) only hides it.

#include <cstdint>
#include <functional>
#include <string>

#include "shell/Session.h"
#include "win/Ui.h"

namespace win {

class LevelWindow : public Window {
 public:
  enum Id : int {
    kSeed = 500,
    kOptionNames,
    kOptionValues,
    kCountNames,
    kCountValues,
    kButCopy,
    kSeedEdit,
    kButMakeAgain,
    kButCompilePlay,
    kNameEdit,
    kButKeep,
    kButPlayKept,
    kButCompileKept,
    kButDeleteKept,
    kKeptList,
  };

  explicit LevelWindow(HWND owner);

  void ShowSheet(const shell::LevelSheet& sheet);
  // Shows the window raised, beside the main window when it was hidden;
  // activated when the user asked for it (not when a level was just made).
  void Show(bool activate);
  // "Make again" and "Compile and play": off while a compile runs.
  void SetActionsEnabled(bool enabled);

  // The quorvel-cli call that writes this level's bytes.
  const std::string& CommandLine() const { return Command; }

  // The level of the typed seed with the main window's current options.
  std::function<void(const std::string& seed)> OnMakeAgain;
  // "Generate .bsp", then "Run Half-Life" when the compile succeeded.
  std::function<void()> OnCompileAndPlay;
  // The command line is on the clipboard.
  std::function<void()> OnCopied;
  // kButKeep with the name typed, or kButPlayKept, kButCompileKept or
  // kButDeleteKept with the kept level chosen in the list.
  std::function<void(int button, const std::string& name)> OnKept;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  HFONT FontFor(HWND control) override;
  void MakeFonts(UINT dpi) override;

 private:
  void Layout();
  // The part of the client area left of the facts and buttons.
  RECT PictureRect() const;
  // The client size (pixels) the picture is best seen at: eight pixels a cell.
  SIZE WantedClientSize();
  SIZE LeastFrameSize() const;
  shell::TextMeasure Measure(HDC dc) const;
  void Paint();
  void CopyCommandLine();
  std::string ChosenKept() const;
  void EnableButtons();

  Font Bold;
  HWND Owner;
  shell::LevelPicture Picture;
  std::string Command;
  bool ActionsEnabled = true;
  bool HasLevel = false;
};

}  // namespace win
