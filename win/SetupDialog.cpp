#include "win/SetupDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "win/Text.h"

namespace win {

namespace {
constexpr int kLabel1 = 210, kLabel2 = 211, kLabelQuality = 212;
constexpr int kClientWidth = 297;
constexpr int kFieldWidth = 266;

// A folder's controls, and where the next row starts at the least.
struct Row {
  shell::FolderKind Kind;
  int Label, Field, Browse, Note, NextTop;
};
constexpr Row kTool{shell::FolderKind::Tools, kLabel1, SetupDialog::kDirTool, SetupDialog::kBrowseTool,
                    SetupDialog::kNoteTool, 68};
constexpr Row kGame{shell::FolderKind::Game, kLabel2, SetupDialog::kDirHL, SetupDialog::kBrowseHL,
                    SetupDialog::kNoteHL, 120};
const Row& RowOf(shell::FolderKind kind) { return kind == kTool.Kind ? kTool : kGame; }
}  // namespace

SetupDialog::SetupDialog(HWND owner, shell::Session& session, Chooser choose)
    : Owner(owner), S(session), Choose(std::move(choose)) {
  Create(L"QuorvelSetup", L"Setup", WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME, owner,
         kClientWidth, 150);

  AddControl(WC_STATICW, "Compilation Tools Directory", SS_LEFT | SS_NOPREFIX, kLabel1, {});
  AddControl(WC_EDITW, S.Folders().ToolDir(), ES_AUTOHSCROLL | WS_TABSTOP, kDirTool, {}, WS_EX_CLIENTEDGE);
  AddControl(WC_BUTTONW, "...", BS_PUSHBUTTON | WS_TABSTOP, kBrowseTool, {});
  AddControl(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kNoteTool, {});
  AddControl(WC_STATICW, "Half-Life Main Directory", SS_LEFT | SS_NOPREFIX, kLabel2, {});
  AddControl(WC_EDITW, S.Folders().GameDir(), ES_AUTOHSCROLL | WS_TABSTOP, kDirHL, {}, WS_EX_CLIENTEDGE);
  AddControl(WC_BUTTONW, "...", BS_PUSHBUTTON | WS_TABSTOP, kBrowseHL, {});
  AddControl(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kNoteHL, {});
  AddControl(WC_STATICW, "Compile &quality", SS_LEFT, kLabelQuality, {});
  const HWND quality = AddControl(WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kQuality, {});
  for (const shell::QualitySpec& spec : shell::QualityTable())
    SendMessageW(quality, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(spec.Caption).c_str()));
  SendMessageW(quality, CB_SETCURSEL, static_cast<WPARAM>(S.Quality()), 0);
  AddControl(WC_BUTTONW, "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, kButClose, {});
  DefaultButton = kButClose;
  Store(kTool.Kind);
  Store(kGame.Kind);

  RECT window{};
  GetWindowRect(Hwnd, &window);
  const RECT centred = PlaceCentred(owner, {window.right - window.left, window.bottom - window.top});
  SetWindowPos(Hwnd, nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

SetupDialog::~SetupDialog() {
  if (Hwnd) DestroyWindow(Hwnd);
}

void SetupDialog::Run(const std::function<void(HWND)>& shown) {
  RunModal(Hwnd, Owner, GetDlgItem(Hwnd, kButClose), [this] { return Done; }, shown);
}

void SetupDialog::MakeFonts(UINT dpi) { Bold = MessageFont(dpi, 0, true); }

HFONT SetupDialog::FontFor(HWND control) {
  const int id = GetDlgCtrlID(control);
  return id == kLabel1 || id == kLabel2 || id == kLabelQuality ? Bold.get() : NormalFont();
}

void SetupDialog::Store(shell::FolderKind kind) {
  const Row& row = RowOf(kind);
  const std::string note = S.StoreFolder(kind, WindowText(GetDlgItem(Hwnd, row.Field)));
  SetDlgItemTextW(Hwnd, row.Note, Widen(note).c_str());
  LayOut();
}

// The note's text wrapped to the field's width, in 96-DPI pixels.
int SetupDialog::NoteHeight(int noteId) const {
  const std::wstring text = Widen(WindowText(GetDlgItem(Hwnd, noteId)));
  if (text.empty()) return 0;
  const UINT dpi = Dpi();
  RECT rect{0, 0, Scale(kFieldWidth, dpi), 0};
  const HDC dc = GetDC(Hwnd);
  const HGDIOBJ previous = SelectObject(dc, NormalFont());
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(Hwnd, dc);
  return MulDiv(rect.bottom, 96, static_cast<int>(dpi)) + 1;
}

void SetupDialog::LayOut() {
  int y = 13;
  const auto place = [this, &y](int id, int x, int width, int height, int gap) {
    MoveControl(GetDlgItem(Hwnd, id), Box(x, y, width, height));
    y += height + gap;
  };
  for (const Row& row : {kTool, kGame}) {
    place(row.Label, 20, 200, 13, 3);
    MoveControl(GetDlgItem(Hwnd, row.Browse), Box(16 + kFieldWidth - 20, y, 20, 21));
    place(row.Field, 16, kFieldWidth - 20, 21, 2);
    place(row.Note, 16, kFieldWidth, NoteHeight(row.Note), 4);
    y = std::max(y, row.NextTop);
  }
  MoveControl(GetDlgItem(Hwnd, kLabelQuality), Box(20, y + 4, 110, 13));
  MoveControl(GetDlgItem(Hwnd, kQuality), Box(130, y, 152, 100));  // a drop-down list's height includes its list
  y += 21 + 8;
  place(kButClose, 111, 75, 25, 5);
  SetClientSize(kClientWidth, y);
}

void SetupDialog::Browse(int fieldId, const char* title) {
  if (!Choose) return;
  const std::optional<std::string> folder = Choose(Hwnd, title, WindowText(GetDlgItem(Hwnd, fieldId)));
  if (!folder) return;
  SetDlgItemTextW(Hwnd, fieldId, Widen(*folder).c_str());
  Store(fieldId == kDirTool ? kTool.Kind : kGame.Kind);
}

// Takes what the fields hold, however the dialog ends.
void SetupDialog::Close() {
  Store(kTool.Kind);
  Store(kGame.Kind);
  Done = true;
}

LRESULT SetupDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // A typed folder counts once the field is left, not at every key.
      if (HIWORD(wParam) == EN_KILLFOCUS) {
        Store(LOWORD(wParam) == kDirTool ? kTool.Kind : kGame.Kind);
        return 0;
      }
      if (LOWORD(wParam) == kQuality && HIWORD(wParam) == CBN_SELCHANGE) {
        const auto chosen = SendMessageW(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0);
        S.ChooseQuality(shell::QualityTable().at(static_cast<std::size_t>(chosen)).Quality);
        return 0;
      }
      switch (LOWORD(wParam)) {
        case kBrowseTool: Browse(kDirTool, "Compile tools folder"); return 0;
        case kBrowseHL: Browse(kDirHL, "Half-Life folder"); return 0;
        case kButClose: Close(); return 0;
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
