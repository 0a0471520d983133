#include "win/SetupDialog.h"

#include <commctrl.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <utility>

namespace win {

std::optional<std::string> ChooseFolderDialog(HWND owner, const std::string& title, const std::string& current) {
  Microsoft::WRL::ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
    return std::nullopt;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(Widen(title).c_str());
  Microsoft::WRL::ComPtr<IShellItem> start, chosen;
  if (!current.empty() && SUCCEEDED(SHCreateItemFromParsingName(Widen(current).c_str(), nullptr, IID_PPV_ARGS(&start))))
    dialog->SetFolder(start.Get());
  wchar_t* path = nullptr;
  if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(&chosen)) ||
      FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path)))
    return std::nullopt;
  std::string folder = Narrow(path);
  CoTaskMemFree(path);
  return folder;
}

namespace {
constexpr int kLabelTool = 210, kLabelGame = 211, kLabelQuality = 212;
constexpr int kClientWidth = 297;
constexpr int kFieldWidth = 266;

// A folder's controls, and where the next row starts at the least.
struct Row {
  shell::FolderKind Kind;
  const char *Caption, *ChooserTitle;
  int Label, Field, Browse, Note, NextTop;
};
constexpr Row kRows[] = {
    {shell::FolderKind::Tools, "Compilation Tools Directory", "Compile tools folder", kLabelTool,
     SetupDialog::kDirTool, SetupDialog::kBrowseTool, SetupDialog::kNoteTool, 68},
    {shell::FolderKind::Game, "Half-Life Main Directory", "Half-Life folder", kLabelGame, SetupDialog::kDirHL,
     SetupDialog::kBrowseHL, SetupDialog::kNoteHL, 120},
};
const Row& RowOf(shell::FolderKind kind) { return kRows[kind == shell::FolderKind::Tools ? 0 : 1]; }
const Row& RowWith(int id) { return id == kRows[0].Field || id == kRows[0].Browse ? kRows[0] : kRows[1]; }
}  // namespace

SetupDialog::SetupDialog(HWND owner, shell::Session& session, Chooser choose)
    : S(session), Choose(std::move(choose)) {
  Create(L"QuorvelSetup", L"Setup", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME, owner,
         kClientWidth, 150);
  for (const Row& row : kRows) {
    const bool tools = row.Kind == shell::FolderKind::Tools;
    AddControl(WC_STATICW, row.Caption, SS_LEFT | SS_NOPREFIX, row.Label, {}, 0, {0, true});
    AddControl(WC_EDITW, tools ? S.Folders().ToolDir() : S.Folders().GameDir(), ES_AUTOHSCROLL | WS_TABSTOP,
               row.Field, {}, WS_EX_CLIENTEDGE);
    AddControl(WC_BUTTONW, "...", BS_PUSHBUTTON | WS_TABSTOP, row.Browse);
    AddControl(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, row.Note);
  }
  AddControl(WC_STATICW, "Compile &quality", SS_LEFT, kLabelQuality, {}, 0, {0, true});
  const HWND quality = AddControl(WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kQuality);
  for (const shell::QualitySpec& spec : shell::QualityTable())
    SendMessageW(quality, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(spec.Caption).c_str()));
  SendMessageW(quality, CB_SETCURSEL, static_cast<WPARAM>(S.Quality()), 0);
  AddControl(WC_BUTTONW, "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, kButClose);
  DefaultButton = kButClose;
  for (const Row& row : kRows) Store(row.Kind);

  RECT window{};
  GetWindowRect(Hwnd, &window);
  const RECT centred = PlaceCentred(owner, {window.right - window.left, window.bottom - window.top});
  SetWindowPos(Hwnd, nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void SetupDialog::Store(shell::FolderKind kind) {
  const Row& row = RowOf(kind);
  SetItemText(row.Note, S.StoreFolder(kind, WindowText(Item(row.Field))));
  LayOut();
}

// The note's text wrapped to the field's width, in 96-DPI pixels.
int SetupDialog::NoteHeight(int noteId) const {
  const std::wstring text = Widen(WindowText(Item(noteId)));
  if (text.empty()) return 0;
  return MulDiv(TextSize(NormalFont(), text, Scale(kFieldWidth, Dpi())).cy, 96, static_cast<int>(Dpi())) + 1;
}

void SetupDialog::LayOut() {
  int y = 13;
  const auto place = [this, &y](int id, int x, int width, int height, int gap) {
    MoveControl(id, Box(x, y, width, height));
    y += height + gap;
  };
  for (const Row& row : kRows) {
    place(row.Label, 20, 200, 13, 3);
    MoveControl(row.Browse, Box(16 + kFieldWidth - 20, y, 20, 21));
    place(row.Field, 16, kFieldWidth - 20, 21, 2);
    place(row.Note, 16, kFieldWidth, NoteHeight(row.Note), 4);
    y = std::max(y, row.NextTop);
  }
  MoveControl(kLabelQuality, Box(20, y + 4, 110, 13));
  MoveControl(kQuality, Box(130, y, 152, 100));  // a drop-down list's height includes its list
  y += 21 + 8;
  place(kButClose, 111, 75, 25, 5);
  SetClientSize(kClientWidth, y);
}

LRESULT SetupDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const bool command = message == WM_COMMAND;
  if (message == WM_CLOSE || (command && id == kButClose)) {  // however it ends, what the fields hold counts
    for (const Row& row : kRows) Store(row.Kind);
    Done = true;
  } else if (command && HIWORD(wParam) == EN_KILLFOCUS) {  // a typed folder counts once the field is left
    Store(RowWith(id).Kind);
  } else if (command && id == kQuality && HIWORD(wParam) == CBN_SELCHANGE) {
    const auto chosen = SendMessageW(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0);
    S.ChooseQuality(shell::QualityTable().at(static_cast<std::size_t>(chosen)).Quality);
  } else if (command && (id == kBrowseTool || id == kBrowseHL)) {
    const Row& row = RowWith(id);
    if (const auto folder = Choose ? Choose(Hwnd, row.ChooserTitle, WindowText(Item(row.Field))) : std::nullopt) {
      SetItemText(row.Field, *folder);
      Store(row.Kind);
    }
  } else {
    return Window::HandleMessage(message, wParam, lParam);
  }
  return 0;
}

}  // namespace win
