#include "win/LevelWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "cli/Options.h"
#include "shell/Names.h"
#include "shell/OptionNames.h"
#include "win/Text.h"

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
constexpr int kLeastPicture = 200;
constexpr int kLeastWidth = kLeastPicture + kSideWidth + 3 * kMargin;
// Eight pixels a cell: a Very Big level still fits a small screen.
constexpr int kWantedCell = 8;

constexpr int kSwatch = 12;

COLORREF Colour(const char* hex) {
  const unsigned long rgb = std::strtoul(hex + 1, nullptr, 16);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawFeature(HDC dc, const shell::LegendEntry& entry, const RECT& cell) {
  if (!entry.Dot) return Fill(dc, cell, Colour(entry.Colour));
  const int inset = (cell.right - cell.left) / 10;
  SelectObject(dc, GetStockObject(NULL_PEN));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, Colour(entry.Colour));
  Ellipse(dc, cell.left + inset, cell.top + inset, cell.right - inset + 1, cell.bottom - inset + 1);
}

// The legend's measures in a device context holding the window's font.
struct LegendMetrics {
  int Line = 0;     // a row of the legend, and the scale bar's
  int Column = 0;   // as wide as the longest label needs
  int Height(int width) const {
    const int columns = Columns(width);
    const int rows = (static_cast<int>(shell::Legend().size()) + columns - 1) / columns;
    return Line * (rows + 1);  // and the scale bar's line
  }
  int Columns(int width) const { return std::max(1, width / Column); }
};

LegendMetrics MeasureLegend(HDC dc, UINT dpi) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  int widest = 0;
  for (const shell::LegendEntry& entry : shell::Legend()) {
    const std::wstring label = Widen(entry.Label);
    SIZE size{};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  return {metrics.tmHeight + Scale(4, dpi), widest + Scale(kSwatch + 16, dpi)};
}

// Pixels per cell that fit the picture and its legend into width x height.
int CellPixels(const shell::LevelPicture& picture, const LegendMetrics& legend, int width, int height) {
  if (picture.Width == 0 || picture.Height == 0) return 0;
  return std::max(2, std::min(width / picture.Width, (height - legend.Height(width)) / picture.Height));
}

}  // namespace

LevelWindow::LevelWindow(HWND owner) : Owner(owner) {
  Create(L"QuorvelLevel", L"Level", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, owner, kLeastWidth, kSideHeight);
  const DWORD text = SS_LEFT | SS_NOPREFIX;
  AddControl(WC_STATICW, "", text, kSeed, Box(0, 0, 1, 1));
  AddControl(WC_STATICW, "", text, kOptionNames, Box(0, 0, 1, 1));
  AddControl(WC_STATICW, "", text, kOptionValues, Box(0, 0, 1, 1));
  AddControl(WC_STATICW, "", text, kCountNames, Box(0, 0, 1, 1));
  AddControl(WC_STATICW, "", text, kCountValues, Box(0, 0, 1, 1));
  // Creation order is the tab order: the upper row, then the lower.
  AddControl(WC_BUTTONW, "&Copy command line", BS_PUSHBUTTON | WS_TABSTOP, kButCopy, Box(0, 0, kButtonWidth, 25));
  AddControl(WC_BUTTONW, "Compile and &play", BS_PUSHBUTTON | WS_TABSTOP, kButCompilePlay,
             Box(0, 0, kButtonWidth, 25));
  const HWND seed =
      AddControl(WC_EDITW, "", ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, kSeedEdit, Box(0, 0, 1, 1), WS_EX_CLIENTEDGE);
  SendMessageW(seed, EM_SETLIMITTEXT, 10, 0);
  SendMessageW(seed, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Seed"));
  AddControl(WC_BUTTONW, "Make &again", BS_PUSHBUTTON | WS_TABSTOP, kButMakeAgain, Box(0, 0, kButtonWidth, 25));
  // Enter in the seed field, where the focus starts, makes that seed's level.
  DefaultButton = kButMakeAgain;
  RememberFocus(seed);
  Layout();
}

LevelWindow::~LevelWindow() {
  if (Hwnd) DestroyWindow(Hwnd);
}

void LevelWindow::MakeFonts(UINT dpi) { Bold = MessageFont(dpi, 0, true); }

HFONT LevelWindow::FontFor(HWND control) { return GetDlgCtrlID(control) == kSeed ? Bold.get() : NormalFont(); }

void LevelWindow::ShowLevel(const shell::GeneratedMap& level, const LabyrinthOptions& options,
                            const std::string& gameDir) {
  Picture = shell::MakeLevelPicture(level.Layout, level.Characters);
  const auto setText = [this](int id, const std::vector<std::string>& lines) {
    SetDlgItemTextW(Hwnd, id, Widen(Lines(lines)).c_str());
  };
  const std::string seed = std::to_string(level.Seed);
  setText(kSeed, {"Seed " + seed});
  setText(kSeedEdit, {seed});
  SetWindowTextW(Hwnd, Widen("Level " + seed).c_str());

  std::vector<std::string> names, values;
  for (const auto& [group, item] : shell::OptionCaptions(options)) {
    names.push_back(group + ":");
    values.push_back(item);
  }
  setText(kOptionNames, names);
  setText(kOptionValues, values);
  const auto count = [](int n) { return std::to_string(n); };
  setText(kCountNames,
          {"Attempts used:", "Grid:", "Brushes:", "Entities:", "Monsters:", "Weapons:", "Ammunition:", "Items:"});
  setText(kCountValues, {count(level.Attempts), count(level.Width) + " x " + count(level.Height) + " cells",
                         count(level.Brushes), count(level.Entities), count(level.Monsters), count(level.Weapons),
                         count(level.Ammunition), count(level.Items)});
  Command = cli::CommandLineText(cli::ArgumentsFor(options, level.Seed, gameDir));
  const RECT picture = PictureRect();
  InvalidateRect(Hwnd, &picture, TRUE);
}

SIZE LevelWindow::WantedClientSize() {
  const UINT dpi = Dpi();
  const HDC dc = GetDC(Hwnd);
  const HGDIOBJ previous = SelectObject(dc, NormalFont());
  const LegendMetrics legend = MeasureLegend(dc, dpi);
  SelectObject(dc, previous);
  ReleaseDC(Hwnd, dc);
  const int cell = Scale(kWantedCell, dpi);
  const int width = std::max({Picture.Width * cell, 3 * legend.Column, Scale(kLeastPicture, dpi)});
  const int height = Picture.Height * cell + legend.Height(width);
  return {width + Scale(kSideWidth + 3 * kMargin, dpi),
          std::max(height + Scale(2 * kMargin, dpi), Scale(kSideHeight, dpi))};
}

SIZE LevelWindow::FrameSize(SIZE client) const {
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(Hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(Hwnd, GWL_EXSTYLE)), Dpi());
  return {frame.right - frame.left, frame.bottom - frame.top};
}

SIZE LevelWindow::LeastFrameSize() const {
  return FrameSize({Scale(kLeastWidth, Dpi()), Scale(kSideHeight, Dpi())});
}

void LevelWindow::Show(bool activate) {
  if (!IsWindowVisible(Hwnd)) {
    // Placed each time it opens; while open, where the user put it.
    const RECT rect = PlaceBeside(Owner, FrameSize(WantedClientSize()), LeastFrameSize());
    SetWindowPos(Hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(Hwnd, activate ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
  SetWindowPos(Hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE));
  if (activate) SetForegroundWindow(Hwnd);
}

void LevelWindow::SetActionsEnabled(bool enabled) {
  for (int id : {kButMakeAgain, kButCompilePlay}) {
    const HWND button = GetDlgItem(Hwnd, id);
    if (!enabled && GetFocus() == button) SetFocus(GetDlgItem(Hwnd, kButCopy));
    EnableWindow(button, enabled);
  }
}

RECT LevelWindow::PictureRect() const {
  RECT client{};
  GetClientRect(Hwnd, &client);
  const UINT dpi = Dpi();
  const int margin = Scale(kMargin, dpi);
  return {margin, margin, std::max<LONG>(margin, client.right - Scale(kSideWidth, dpi) - 2 * margin),
          client.bottom - margin};
}

void LevelWindow::Layout() {
  RECT client{};
  GetClientRect(Hwnd, &client);
  const UINT dpi = Dpi();
  const auto px = [dpi](int pixels) { return Scale(pixels, dpi); };
  const int left = client.right - px(kSideWidth + kMargin);
  const int valueLeft = left + px(kNameWidth), valueWidth = px(kSideWidth - kNameWidth);
  const auto place = [this](int id, int x, int y, int w, int h) { MoveWindow(GetDlgItem(Hwnd, id), x, y, w, h, TRUE); };
  place(kSeed, left, px(kMargin), px(kSideWidth), px(20));
  place(kOptionNames, left, px(kFactsTop), px(kNameWidth), px(kOptionLines * kLine));
  place(kOptionValues, valueLeft, px(kFactsTop), valueWidth, px(kOptionLines * kLine));
  place(kCountNames, left, px(kCountsTop), px(kNameWidth), px(kCountLines * kLine));
  place(kCountValues, valueLeft, px(kCountsTop), valueWidth, px(kCountLines * kLine));
  // The buttons two by two at the bottom, the seed field beside "Make again".
  const int second = left + px(kSideWidth - kButtonWidth);
  const int lower = client.bottom - px(kMargin + kButtonHeight), upper = lower - px(kButtonHeight + 6);
  place(kButCopy, left, upper, px(kButtonWidth), px(kButtonHeight));
  place(kButCompilePlay, second, upper, px(kButtonWidth), px(kButtonHeight));
  place(kSeedEdit, left, lower + px(1), px(kButtonWidth), px(kButtonHeight - 2));
  place(kButMakeAgain, second, lower, px(kButtonWidth), px(kButtonHeight));
  InvalidateRect(Hwnd, nullptr, TRUE);
}

// The grid with its features, a scale bar and the legend, drawn off screen
// first so that resizing does not flicker.
void LevelWindow::Paint() {
  PAINTSTRUCT paint;
  const HDC target = BeginPaint(Hwnd, &paint);
  const RECT area = PictureRect();
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return static_cast<void>(EndPaint(Hwnd, &paint));
  const HDC dc = CreateCompatibleDC(target);
  const HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  const HGDIOBJ oldFont = SelectObject(dc, NormalFont());
  const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  Fill(dc, {0, 0, width, height}, GetSysColor(COLOR_BTNFACE));

  const UINT dpi = Dpi();
  const LegendMetrics legend = MeasureLegend(dc, dpi);
  const int cell = CellPixels(Picture, legend, width, height);
  if (cell > 0) {
    const int gridWidth = Picture.Width * cell, gridHeight = Picture.Height * cell;
    const int left = (width - gridWidth) / 2;
    Fill(dc, {left, 0, left + gridWidth, gridHeight}, Colour(shell::kFloorColour));
    if (cell >= 4) {
      const COLORREF line = Colour(shell::kGridLineColour);
      for (int x = 0; x <= Picture.Width; ++x) Fill(dc, {left + x * cell, 0, left + x * cell + 1, gridHeight}, line);
      for (int y = 0; y <= Picture.Height; ++y) Fill(dc, {left, y * cell, left + gridWidth + 1, y * cell + 1}, line);
    }
    for (const shell::Placed& placed : Picture.Cells) {
      const int x = left + placed.X * cell, y = placed.Y * cell;
      DrawFeature(dc, shell::LegendOf(placed.What), {x, y, x + cell, y + cell});
    }

    // The scale bar, then the legend, in the system's text colour.
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    const shell::ScaleBar scale = shell::ScaleBarOf(Picture);
    const int cells = scale.Cells;
    const int y = gridHeight + legend.Line / 2, tick = Scale(3, dpi);
    SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, text);
    const POINT bar[] = {{left, y - tick}, {left, y + tick}, {left + cells * cell, y + tick},
                         {left + cells * cell, y - tick - 1}};
    Polyline(dc, bar, 4);
    RECT scaleRect{left + cells * cell + Scale(6, dpi), gridHeight, width, gridHeight + legend.Line};
    DrawTextW(dc, Widen(scale.Text).c_str(), -1, &scaleRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

    const int columns = legend.Columns(width), swatch = Scale(kSwatch, dpi);
    int index = 0;
    for (const shell::LegendEntry& entry : shell::Legend()) {
      const int x = (index % columns) * legend.Column + Scale(4, dpi);
      const int top = gridHeight + legend.Line * (1 + index / columns);
      const int swatchTop = top + (legend.Line - swatch) / 2;
      // On a patch of floor, as in the picture: a dark wall stays visible
      // on a dark desktop.
      const RECT patch{x, swatchTop, x + swatch, swatchTop + swatch};
      Fill(dc, patch, Colour(shell::kFloorColour));
      const int edge = Scale(1, dpi);
      DrawFeature(dc, entry, {patch.left + edge, patch.top + edge, patch.right - edge, patch.bottom - edge});
      RECT label{x + swatch + Scale(4, dpi), top, x + legend.Column, top + legend.Line};
      DrawTextW(dc, Widen(entry.Label).c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      ++index;
    }
  }

  BitBlt(target, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EndPaint(Hwnd, &paint);
}

void LevelWindow::CopyCommandLine() {
  const std::wstring text = Widen(Command);
  if (!OpenClipboard(Hwnd)) return ShowMessage(Hwnd, shell::kApplicationTitle, "The clipboard is in use.");
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);  // else the clipboard owns it
  }
  CloseClipboard();
}

void LevelWindow::MakeAgainClick() {
  if (!IsWindowEnabled(GetDlgItem(Hwnd, kButMakeAgain)) || !OnMakeAgain) return;
  const std::string text = WindowText(GetDlgItem(Hwnd, kSeedEdit));
  std::uint32_t seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return ShowMessage(Hwnd, shell::kApplicationTitle, "A seed is a whole number from 0 to 4294967295.");
  OnMakeAgain(seed);
}

LRESULT LevelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
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
        case kButMakeAgain: MakeAgainClick(); return 0;
        case kButCompilePlay:
          if (OnCompileAndPlay) OnCompileAndPlay();
          return 0;
      }
      break;
    case WM_CLOSE:
      ShowWindow(Hwnd, SW_HIDE);
      return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace win
