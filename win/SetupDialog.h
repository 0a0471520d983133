#pragma once
// The Setup dialog: the compile tools folder and the game's main folder,
// each a field (typed, pasted or chosen with "...") with a note below it
// that says what was found or why the folder will not do, centred on the
// main window, and the compile quality, stored as it is chosen. There is no
// cancel: a folder goes to the session once it is complete (chosen, or typed
// and the field left, or the dialog closed), which keeps it unless its name
// cannot be kept (the note then says why).

#include <functional>
#include <optional>
#include <string>

#include "shell/Session.h"
#include "win/Ui.h"

namespace win {

// The system's folder chooser: the chosen folder's full path, in a chooser
// titled title that starts in current when it exists; nothing when cancelled.
std::optional<std::string> ChooseFolderDialog(HWND owner, const std::string& title, const std::string& current);

class SetupDialog : public Dialog {
 public:
  enum Id : int { kDirTool = 200, kBrowseTool, kDirHL, kBrowseHL, kNoteTool, kNoteHL, kQuality, kButClose = IDOK };

  using Chooser =
      std::function<std::optional<std::string>(HWND owner, const std::string& title, const std::string& current)>;

  SetupDialog(HWND owner, shell::Session& session, Chooser choose);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Gives the field's folder to the session and shows its note.
  void Store(shell::FolderKind kind);
  // Places the rows below each other, each note as tall as its text.
  void LayOut();
  int NoteHeight(int noteId) const;

  shell::Session& S;
  Chooser Choose;
};

}  // namespace win
