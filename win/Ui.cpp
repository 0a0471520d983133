#include "win/Ui.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "shell/WindowPlacement.h"
#include "win/resource.h"

namespace win {

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

namespace {
bool IsPushButton(HWND control) {
  return SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
}

LOGFONTW SystemMessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  return metrics.lfMessageFont;
}
}  // namespace

Font MessageFont(UINT dpi, int pixelHeight, bool bold) {
  LOGFONTW font = SystemMessageFont(dpi);
  if (pixelHeight) font.lfHeight = -Scale(pixelHeight, dpi);
  if (bold) font.lfWeight = FW_BOLD;
  return Font(CreateFontIndirectW(&font));
}

SIZE TextSize(HFONT font, const std::wstring& text, int wrapWidth) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font);
  RECT rect{0, 0, wrapWidth, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return {rect.right, rect.bottom};
}

Window::~Window() {
  if (Hwnd) DestroyWindow(Hwnd);
}

void Window::Create(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
                    HWND owner, int clientWidth, int clientHeight) {
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  // The dialog colour behind, the program icon; registering again fails harmlessly.
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const WNDCLASSEXW windowClass{sizeof windowClass, 0, DefWindowProcW, 0, 0, instance,
                                LoadIconW(instance, MAKEINTRESOURCEW(IDI_QUORVEL)), LoadCursorW(nullptr, IDC_ARROW),
                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, className, nullptr};
  RegisterClassExW(&windowClass);
  // The window's DPI is known only once it exists: create it, then size it.
  Hwnd = CreateWindowExW(exStyle, className, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                         clientWidth, clientHeight, owner, nullptr, instance, nullptr);
  SetWindowLongPtrW(Hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(Hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure));
  CurrentDpi = GetDpiForWindow(Hwnd);
  Normal = MessageFont(Dpi());
  SetClientSize(clientWidth, clientHeight);
}

void Window::SetClientSize(int width, int height) {
  ClientWidth96 = width;
  ClientHeight96 = height;
  const int wantWidth = Scale(width, Dpi()), wantHeight = Scale(height, Dpi());
  SIZE frame = FrameSize({wantWidth, wantHeight});
  // The frame can differ from the computed one (a theme, a window manager):
  // correct by what the client area actually became.
  for (int attempt = 0; attempt < 2; ++attempt) {
    SetWindowPos(Hwnd, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(Hwnd, &client);
    if (client.right == wantWidth && client.bottom == wantHeight) break;
    frame.cx += wantWidth - client.right;
    frame.cy += wantHeight - client.bottom;
  }
}

SIZE Window::FrameSize(SIZE client) const {
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(Hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(Hwnd, GWL_EXSTYLE)), Dpi());
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Window::ShowRaised(bool activate, const RECT* frame) {
  if (frame)
    SetWindowPos(Hwnd, nullptr, frame->left, frame->top, frame->right - frame->left, frame->bottom - frame->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Hwnd, activate ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
  SetWindowPos(Hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE));
  if (activate) SetForegroundWindow(Hwnd);
}

HWND Window::AddControl(const wchar_t* className, const std::string& text, DWORD style, int id,
                        RECT rect96, DWORD exStyle, Look look) {
  const HWND control =
      CreateWindowExW(exStyle, className, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Hwnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  Controls.push_back({control, rect96, look, nullptr});
  Place(control, rect96, FALSE);
  SetFont(Controls.back());
  return control;
}

void Window::MoveControl(int id, RECT rect96) {
  for (Placed& placed : Controls)
    if (placed.Control == Item(id)) placed.Rect96 = rect96;
  Place(Item(id), rect96, TRUE);
}

void Window::Place(HWND control, const RECT& r, BOOL repaint) const {
  RECT client{};
  GetClientRect(Hwnd, &client);
  const auto x = [&](LONG v) { return (v < 0 ? client.right : 0) + Scale(v, Dpi()); };
  const auto y = [&](LONG v) { return (v < 0 ? client.bottom : 0) + Scale(v, Dpi()); };
  MoveWindow(control, x(r.left), y(r.top), x(r.right) - x(r.left), y(r.bottom) - y(r.top), repaint);
}

void Window::SetFont(Placed& placed) {
  const Look& look = placed.Style;
  if (look.Fixed) {
    LOGFONTW font{};
    font.lfHeight = SystemMessageFont(Dpi()).lfHeight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpyW(font.lfFaceName, L"Consolas");  // or the nearest fixed-pitch font there is
    placed.Own.reset(CreateFontIndirectW(&font));
  } else if (look.PixelHeight || look.Bold) {
    placed.Own = MessageFont(Dpi(), look.PixelHeight, look.Bold);
  }
  SendMessageW(placed.Control, WM_SETFONT, reinterpret_cast<WPARAM>(placed.Own ? placed.Own.get() : NormalFont()),
               FALSE);
}

void Window::DpiChanged(UINT dpi, const RECT& suggested) {
  CurrentDpi = dpi;
  Normal = MessageFont(dpi);
  for (Placed& placed : Controls) {
    Place(placed.Control, placed.Rect96, FALSE);
    SetFont(placed);
  }
  InvalidateRect(Hwnd, nullptr, TRUE);
  // Keep the suggested position, but the exact scaled client size.
  SetWindowPos(Hwnd, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetClientSize(ClientWidth96, ClientHeight96);
}

void Window::RestoreFocus() {
  HWND target = LastFocus;
  if (!target || !IsWindow(target) || !IsWindowEnabled(target) || !IsWindowVisible(target))
    target = GetNextDlgTabItem(Hwnd, nullptr, FALSE);
  if (target) SetFocus(target);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SIZE:
      for (const Placed& placed : Controls) Place(placed.Control, placed.Rect96, TRUE);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Hwnd, focus)) LastFocus = focus;
      } else if (!IsIconic(Hwnd)) {
        RestoreFocus();
        return 0;
      }
      break;
    case DM_GETDEFID: {
      // Enter presses the focused button, as in the system's dialogs.
      const HWND focus = GetFocus();
      if (focus && IsChild(Hwnd, focus) && IsPushButton(focus)) return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
      return DefaultButton ? MAKELRESULT(DefaultButton, DC_HASDEFID) : 0;
    }
  }
  return DefWindowProcW(Hwnd, message, wParam, lParam);
}

namespace {

shell::ScreenRect ScreenRectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

RECT RectOf(const shell::ScreenRect& r) { return {r.X, r.Y, r.Right(), r.Bottom()}; }

shell::ScreenRect WorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return ScreenRectOf(monitor.rcWork);
}

shell::ScreenRect FrameOf(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return ScreenRectOf(frame);
}

}  // namespace

RECT PlaceBeside(HWND anchor, SIZE wanted, SIZE minimum) {
  RECT buttons{};
  for (HWND child = GetWindow(anchor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    if (IsPushButton(child) && GetWindowRect(child, &rect)) UnionRect(&buttons, &buttons, &rect);
  }
  return RectOf(shell::PlaceBeside(FrameOf(anchor), ScreenRectOf(buttons), wanted.cx, wanted.cy, WorkArea(anchor),
                                   minimum.cx, minimum.cy));
}

RECT PlaceCentred(HWND anchor, SIZE wanted) {
  return RectOf(shell::PlaceCentred(FrameOf(anchor), wanted.cx, wanted.cy, WorkArea(anchor)));
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = window->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    // A failed command leaves the window usable, as any other failure does.
    ShowMessage(hwnd, "Quorvel", e.what());
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    window->Hwnd = nullptr;
  }
  return result;
}

void Dialog::Run(const std::function<void(HWND)>& shown) {
  const HWND owner = GetWindow(Hwnd, GW_OWNER);
  EnableWindow(owner, FALSE);
  ShowWindow(Hwnd, SW_SHOW);
  SetFocus(Item(IDOK));
  if (shown) shown(Hwnd);
  MSG message{};
  while (!Done && Hwnd && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageFor(message, owner, nullptr);
  // Enabled before the dialog goes, so that the owner is activated again.
  EnableWindow(owner, TRUE);
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
}

void ShowMessage(HWND owner, const std::string& caption, const std::string& text) {
  MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONERROR);
}

void DispatchMessageFor(MSG& message, HWND main, HACCEL accelerators) {
  const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  const bool ours = root && (root == main || GetWindow(root, GW_OWNER) == main);
  if (ours && accelerators && TranslateAcceleratorW(main, accelerators, &message)) return;
  // Escape closes as the close box does, even where the focused control (a
  // multi-line text box) would keep the key.
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && root && root != main)
    return static_cast<void>(SendMessageW(root, WM_CLOSE, 0, 0));
  if (root && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace win
