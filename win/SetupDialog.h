#pragma once
// The Setup dialog: the compile tools folder and the game's main folder,
// each a read-only field with a button that opens the folder chooser,
// centred on the main window. There is no cancel: every folder chosen takes
// effect at once through Changed, and filling the fields when the dialog
// opens counts as a change too.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "win/Ui.h"

namespace win {

class SetupDialog : public Window {
 public:
  enum Id : int { kDirTool = 200, kBrowseTool, kDirHL, kBrowseHL, kButClose = IDOK };

  using Chooser =
      std::function<std::optional<std::string>(HWND owner, const std::string& title, const std::string& current)>;
  // line 0 is the tools folder, line 1 the game folder.
  using Changed = std::function<void(std::size_t line, const std::string& text)>;

  SetupDialog(HWND owner, const std::string& toolDir, const std::string& hlDir, Chooser choose,
              Changed changed);
  ~SetupDialog() override;

  // Shows the dialog modally until "Close".
  void Run(const std::function<void(HWND)>& shown);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  HFONT FontFor(HWND control) override;
  void MakeFonts(UINT dpi) override;

 private:
  void SetField(int id, std::size_t line, const std::string& text);
  void Browse(int fieldId, std::size_t line, const char* title);

  HWND Owner;
  Chooser Choose;
  Changed OnChange;
  Font Bold;
  bool Done = false;
};

}  // namespace win
