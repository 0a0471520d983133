#include "win/LevelWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "shell/LevelButtons.h"
#include "shell/Names.h"

namespace win {

namespace {

// The 96-DPI layout: the picture fills the left, the facts and the buttons
// keep a column of their own on the right.
constexpr int kMargin = 8;
constexpr int kSideWidth = 266;
constexpr int kNameWidth = 96;
constexpr int kLine = 16;
constexpr int kOptionLines = 6;
constexpr int kCountLines = 8;
constexpr int kButtonWidth = 130;  // "Copy command line" in Segoe UI 9 pt
constexpr int kButtonHeight = 25;
constexpr int kFactsTop = kMargin + 26;
constexpr int kCountsTop = kFactsTop + kOptionLines * kLine + 10;
constexpr int kSideHeight = kCountsTop + kCountLines * kLine + 16 + 2 * kButtonHeight + 6 + kMargin;
// Below, the whole width: the name and "Keep level" left, the kept levels'
// buttons right, the list under them.
constexpr int kKeepWidth = 80, kKeptButtonWidth = 64, kKeptListHeight = 80;
constexpr int kKeptHeight = kButtonHeight + 6 + kKeptListHeight + kMargin;
// The controls are placed from the client area's right edge (the column)
// and bottom edge (the rows of buttons).
constexpr int kSide = -(kSideWidth + kMargin), kSecond = kSide + kSideWidth - kButtonWidth;
constexpr int kKeptTop = -kKeptHeight, kLower = kKeptTop - kMargin - kButtonHeight;
constexpr int kUpper = kLower - kButtonHeight - 6, kKeepLeft = -(kMargin + 3 * (kKeptButtonWidth + 4) + kKeepWidth + 4);
constexpr int kLeastPicture = 120;  // small, so that the window fits beside the main one on a small screen
constexpr int kLeastWidth = kLeastPicture + kSideWidth + 3 * kMargin;
// Eight pixels a cell: a Very Big level still fits a small screen.
constexpr int kWantedCell = 8;

COLORREF Colour(const char* hex) {
  const unsigned long rgb = std::strtoul(hex + 1, nullptr, 16);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// One column of a sheet's rows, a line each.
std::string Column(const std::vector<std::pair<std::string, std::string>>& rows, bool names) {
  std::string text;
  for (const auto& [name, value] : rows) text += (text.empty() ? "" : "\r\n") + (names ? name + ":" : value);
  return text;
}

shell::TextMeasure Measure(HFONT font) {
  const auto width = [font](const std::string& text) { return static_cast<int>(TextSize(font, Widen(text)).cx); };
  return {TextSize(font, L"0").cy, width};
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

LevelWindow::LevelWindow(HWND owner) {
  Create(L"QuorvelLevel", L"Level", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, owner, kLeastWidth,
         kSideHeight + kKeptHeight);
  const RECT facts[] = {Box(kSide, kMargin, kSideWidth, 20),
                        Box(kSide, kFactsTop, kNameWidth, kOptionLines * kLine),
                        Box(kSide + kNameWidth, kFactsTop, kSideWidth - kNameWidth, kOptionLines * kLine),
                        Box(kSide, kCountsTop, kNameWidth, kCountLines * kLine),
                        Box(kSide + kNameWidth, kCountsTop, kSideWidth - kNameWidth, kCountLines * kLine)};
  for (int id = kSeed; id <= kCountValues; ++id)
    AddControl(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, id, facts[id - kSeed], 0, {0, id == kSeed});
  // Creation order is the tab order: the upper row, then the lower.
  const auto button = [this](int id, const char* caption, int left, int top, int width) {
    AddControl(WC_BUTTONW, caption, BS_PUSHBUTTON | WS_TABSTOP, id, Box(left, top, width, kButtonHeight));
  };
  button(kButCopy, "&Copy command line", kSide, kUpper, kButtonWidth);
  button(kButCompilePlay, "Compile and &play", kSecond, kUpper, kButtonWidth);
  const HWND seed = AddControl(WC_EDITW, "", ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, kSeedEdit,
                               Box(kSide, kLower + 1, kButtonWidth, kButtonHeight - 2), WS_EX_CLIENTEDGE);
  SendMessageW(seed, EM_SETLIMITTEXT, 20, 0);  // the session says when the digits are no seed
  SendMessageW(seed, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Seed"));
  button(kButMakeAgain, "Make &again", kSecond, kLower, kButtonWidth);
  const HWND name = AddControl(WC_EDITW, "", ES_AUTOHSCROLL | WS_TABSTOP, kNameEdit,
                               {kMargin, kKeptTop + 1, kKeepLeft - 4, kKeptTop + kButtonHeight - 1}, WS_EX_CLIENTEDGE);
  SendMessageW(name, EM_SETLIMITTEXT, shell::kMaxLevelNameLength, 0);
  button(kButKeep, "&Keep level", kKeepLeft, kKeptTop, kKeepWidth);
  const int keptLeft = kKeepLeft + kKeepWidth + 8;
  button(kButPlayKept, "P&lay", keptLeft, kKeptTop, kKeptButtonWidth);
  button(kButCompileKept, "C&ompile", keptLeft + kKeptButtonWidth + 4, kKeptTop, kKeptButtonWidth);
  button(kButDeleteKept, "&Delete", keptLeft + 2 * (kKeptButtonWidth + 4), kKeptTop, kKeptButtonWidth);
  const HWND list = AddControl(WC_LISTVIEWW, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, kKeptList,
                               {kMargin, kKeptTop + kButtonHeight + 6, -kMargin, -kMargin}, WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  for (int column = 0; column < static_cast<int>(shell::kKeptColumns.size()); ++column) {
    std::wstring text = Widen(shell::kKeptColumns[column]);
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT;
    header.pszText = text.data();
    ListView_InsertColumn(list, column, &header);
  }
  // Enter in the seed field, where the focus starts, makes that seed's level.
  DefaultButton = kButMakeAgain;
  RememberFocus(seed);
}

void LevelWindow::ShowSheet(const shell::LevelSheet& sheet) {
  Sheet = sheet;
  SetItemText(kSeed, sheet.SeedLine);
  if (sheet.NewLevel) SetItemText(kSeedEdit, sheet.SeedField);
  if (sheet.NewLevel) SetItemText(kNameEdit, sheet.KeepName);
  const HWND list = Item(kKeptList);
  const std::string chosen = ChosenKept();
  ListView_DeleteAllItems(list);
  for (int row = 0; row < static_cast<int>(sheet.Kept.size()); ++row) {
    LVITEMW item{};
    item.iItem = row;
    ListView_InsertItem(list, &item);
    for (int column = 0; column < static_cast<int>(shell::kKeptColumns.size()); ++column) {
      std::wstring text = Widen(sheet.Kept[row][column]);
      ListView_SetItemText(list, row, column, text.data());
    }
    if (sheet.Kept[row][0] == chosen) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
  }
  for (int column = 0; column < static_cast<int>(shell::kKeptColumns.size()); ++column) {  // the texts' and header's width
    ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE);
    const int header = ListView_GetStringWidth(list, Widen(shell::kKeptColumns[column]).c_str()) + Scale(16, Dpi());
    ListView_SetColumnWidth(list, column, std::max(header, ListView_GetColumnWidth(list, column)));
  }
  EnableButtons();
  SetWindowTextW(Hwnd, Widen(sheet.Title).c_str());
  for (int id = kOptionNames; id <= kCountValues; ++id)  // names and values in turn
    SetItemText(id, Column(id < kCountNames ? sheet.Options : sheet.Counts, (id - kOptionNames) % 2 == 0));
  EnableWindow(Item(kButCopy), sheet.HasLevel);
  const RECT picture = PictureRect();
  InvalidateRect(Hwnd, &picture, TRUE);
}

SIZE LevelWindow::WantedClientSize() {
  const UINT dpi = Dpi();
  auto [width, height] = shell::PictureSize(Sheet.Picture, Scale(kWantedCell, dpi), Measure(NormalFont()));
  width = std::max(width, Scale(kLeastPicture, dpi));
  return {width + Scale(kSideWidth + 3 * kMargin, dpi),
          std::max(height + Scale(2 * kMargin, dpi), Scale(kSideHeight, dpi)) + Scale(kKeptHeight, dpi)};
}

SIZE LevelWindow::LeastFrameSize() const {
  return FrameSize({Scale(kLeastWidth, Dpi()), Scale(kSideHeight + kKeptHeight, Dpi())});
}

void LevelWindow::Show(bool activate) {
  if (IsWindowVisible(Hwnd)) return ShowRaised(activate);  // where the user put it
  const RECT rect = PlaceBeside(GetWindow(Hwnd, GW_OWNER), FrameSize(WantedClientSize()), LeastFrameSize());
  ShowRaised(activate, &rect);
}

void LevelWindow::SetActionsEnabled(bool enabled) {
  ActionsEnabled = enabled;
  EnableButtons();
}

void LevelWindow::EnableButtons() {
  const shell::LevelButtons on = shell::LevelButtonsFor(ActionsEnabled, Sheet.HasLevel, !ChosenKept().empty());
  const std::pair<int, bool> buttons[] = {{kButMakeAgain, on.MakeAgain},     {kButCompilePlay, on.CompilePlay},
                                          {kButKeep, on.Keep},               {kButPlayKept, on.PlayKept},
                                          {kButCompileKept, on.CompileKept}, {kButDeleteKept, on.DeleteKept}};
  for (const auto& [id, enabled] : buttons) {
    if (!enabled && GetFocus() == Item(id)) SetFocus(Item(kButCopy));
    EnableWindow(Item(id), enabled);
  }
}

std::string LevelWindow::ChosenKept() const {
  const HWND list = Item(kKeptList);
  const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  wchar_t name[64] = L"";
  if (row >= 0) ListView_GetItemText(list, row, 0, name, 64);
  return Narrow(name);
}

RECT LevelWindow::PictureRect() const {
  RECT client{};
  GetClientRect(Hwnd, &client);
  const UINT dpi = Dpi();
  const int margin = Scale(kMargin, dpi);
  return {margin, margin, std::max<LONG>(margin, client.right - Scale(kSideWidth, dpi) - 2 * margin),
          client.bottom - Scale(kKeptHeight, dpi) - margin};
}

// The picture as the shell lays it out, drawn off screen first so that
// resizing does not flicker.
void LevelWindow::Paint() {
  PAINTSTRUCT paint;
  const HDC target = BeginPaint(Hwnd, &paint);
  const RECT area = PictureRect();
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return static_cast<void>(EndPaint(Hwnd, &paint));
  const HDC dc = CreateCompatibleDC(target);
  const HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  // Deleting the memory DC first releases what is selected into it.
  for (HGDIOBJ object : {HGDIOBJ(bitmap), HGDIOBJ(NormalFont()), GetStockObject(DC_PEN), GetStockObject(DC_BRUSH)})
    SelectObject(dc, object);
  Fill(dc, {0, 0, width, height}, GetSysColor(COLOR_BTNFACE));
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  SetTextColor(dc, text);
  SetBkMode(dc, TRANSPARENT);
  for (const shell::PictureMark& mark : shell::LayOutPicture(Sheet.Picture, width, height, Measure(NormalFont()))) {
    const COLORREF colour = mark.Colour ? Colour(mark.Colour) : text;
    RECT box{mark.X, mark.Y, mark.X + mark.Width, mark.Y + mark.Height};
    switch (mark.What) {
      case shell::PictureMark::Kind::Fill:
        Fill(dc, box, colour);
        break;
      case shell::PictureMark::Kind::Dot: {
        const int inset = mark.Width / 10;
        SelectObject(dc, GetStockObject(NULL_PEN));
        SetDCBrushColor(dc, colour);
        Ellipse(dc, box.left + inset, box.top + inset, box.right - inset + 1, box.bottom - inset + 1);
        SelectObject(dc, GetStockObject(DC_PEN));
        break;
      }
      case shell::PictureMark::Kind::Text:
        DrawTextW(dc, Widen(mark.Text).c_str(), -1, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        break;
      case shell::PictureMark::Kind::ScaleBar: {
        SetDCPenColor(dc, colour);
        const POINT bar[] = {{box.left, box.top}, {box.left, box.bottom}, {box.right, box.bottom}, {box.right, box.top - 1}};
        Polyline(dc, bar, 4);
        break;
      }
    }
  }
  BitBlt(target, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
  DeleteDC(dc);
  DeleteObject(bitmap);
  EndPaint(Hwnd, &paint);
}

void LevelWindow::CopyCommandLine() {
  const std::wstring text = Widen(Sheet.CommandLine);
  if (!OpenClipboard(Hwnd)) return ShowMessage(Hwnd, shell::kApplicationTitle, "The clipboard is in use.");
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);  // else the clipboard owns it
  }
  CloseClipboard();
  Session->CommandCopied();
}

LRESULT LevelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      InvalidateRect(Hwnd, nullptr, TRUE);  // the picture takes the new room
      break;
    case WM_DPICHANGED: {
      // The picture takes whatever room there is: keep the size the system
      // suggests rather than the least one.
      Window::HandleMessage(message, wParam, lParam);
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(Hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_GETMINMAXINFO: {
      const SIZE least = LeastFrameSize();
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kButCopy: CopyCommandLine(); return 0;
        case kButCompilePlay: Session->CompileAndPlay(); return 0;
      }
      // Enter presses the default button even when it is disabled.
      if (!IsWindowEnabled(Item(LOWORD(wParam)))) return 0;
      switch (LOWORD(wParam)) {
        case kButMakeAgain: Session->MakeAgain(WindowText(Item(kSeedEdit))); return 0;
        case kButKeep: Session->KeepLevel(WindowText(Item(kNameEdit))); return 0;
        case kButPlayKept: Session->PlayKept(ChosenKept()); return 0;
        case kButCompileKept: Session->CompileKept(ChosenKept()); return 0;
        case kButDeleteKept: Session->DeleteKept(ChosenKept()); return 0;
      }
      break;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == LVN_ITEMCHANGED) EnableButtons();
      break;
    case DM_GETDEFID:  // Enter in the name field keeps the level
      DefaultButton = GetFocus() == Item(kNameEdit) ? kButKeep : kButMakeAgain;
      break;
    case WM_CLOSE:
      ShowWindow(Hwnd, SW_HIDE);
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
