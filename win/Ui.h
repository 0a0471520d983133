#pragma once
// What every window of the program shares: a window-procedure base class,
// DPI scaling of the 96-DPI layout, the system's message font, child
// controls placed by their 96-DPI rectangles, the modal loop, the message
// box, and UTF-8 inside with UTF-16 at the Win32 door.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/Win32Text.h"

namespace win {

using platform::Narrow;
using platform::Widen;

// A window's text as UTF-8.
std::string WindowText(HWND window);

// Pixels at 96 DPI to pixels at dpi.
inline int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The system's message font at dpi; pixelHeight (at 96 DPI) replaces its
// size when given, and bold its weight.
Font MessageFont(UINT dpi, int pixelHeight = 0, bool bold = false);
// The size of text in font, on one line or wrapped to wrapWidth pixels.
SIZE TextSize(HFONT font, const std::wstring& text, int wrapWidth = 0);
inline HFONT FontOf(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

// How a control's text looks: the message font, or that at another height
// (96-DPI pixels) or bold, or a fixed-pitch font as tall, for tool output.
struct Look {
  int PixelHeight = 0;
  bool Bold = false;
  bool Fixed = false;
};

// A window whose messages go to HandleMessage. Derived classes call Create
// from their constructor; the window is destroyed with the object.
class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return Hwnd; }
  HWND Item(int id) const { return GetDlgItem(Hwnd, id); }
  // The DPI the window is laid out for: its monitor's.
  UINT Dpi() const { return CurrentDpi; }

 protected:
  // clientWidth and clientHeight are at 96 DPI; the window gets them scaled
  // to the DPI of the monitor it opens on.
  void Create(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
              HWND owner, int clientWidth, int clientHeight);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Sets the client size (96-DPI pixels) at the current DPI, keeping the
  // window's top-left corner.
  void SetClientSize(int width, int height);
  // The window's size around a client area of client pixels.
  SIZE FrameSize(SIZE client) const;
  // Shows the window raised, activated or not, at frame when given.
  void ShowRaised(bool activate, const RECT* frame = nullptr);

  // Adds a child control at a 96-DPI rectangle, whose negative coordinates
  // count from the client area's right or bottom edge; it moves with the
  // DPI and the window's size.
  HWND AddControl(const wchar_t* className, const std::string& text, DWORD style, int id, RECT rect96 = {},
                  DWORD exStyle = 0, Look look = {});
  // Gives a control another 96-DPI rectangle, kept for later layouts.
  void MoveControl(int id, RECT rect96);
  HFONT NormalFont() const { return Normal.get(); }
  void SetItemText(int id, const std::string& text) const { SetDlgItemTextW(Hwnd, id, Widen(text).c_str()); }

  // The control that gets the focus back when the window is activated again
  // (after a message box, another window, or a compile that disabled it).
  void RememberFocus(HWND control) { LastFocus = control; }
  // Gives the focus back to that control, or to the first enabled one.
  void RestoreFocus();
  // The button Enter presses when the focus is on no button; 0: none.
  int DefaultButton = 0;

  // Rectangles given as left, top, width, height, as in the layout tables.
  static RECT Box(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

  HWND Hwnd = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Every control moved to its rectangle at the new DPI, with its font.
  void DpiChanged(UINT dpi, const RECT& suggested);
  void Place(HWND control, const RECT& rect96, BOOL repaint) const;

  struct Placed {
    HWND Control;
    RECT Rect96;
    Look Style;
    Font Own;  // its font at the current DPI, unless the message font
  };
  void SetFont(Placed& placed);
  std::vector<Placed> Controls;
  Font Normal;
  HWND LastFocus = nullptr;
  UINT CurrentDpi = 96;
  int ClientWidth96 = 0;
  int ClientHeight96 = 0;
};

// A modal dialog of owner's: Run shows it until Done, owner disabled
// meanwhile, keyboard navigation through IsDialogMessage, the focus starting
// on its IDOK button. shown, when set, is called once the dialog is visible
// (tests drive the dialog from there).
class Dialog : public Window {
 public:
  void Run(const std::function<void(HWND)>& shown);

 protected:
  bool Done = false;
};

// The rectangle a window of size wanted gets beside anchor, on the work area
// of anchor's monitor and clear of anchor's push buttons (shell::PlaceBeside).
RECT PlaceBeside(HWND anchor, SIZE wanted, SIZE minimum);
// The rectangle of a window of size wanted centred on anchor, moved into the
// work area of anchor's monitor.
RECT PlaceCentred(HWND anchor, SIZE wanted);

// A modal error message box with the given caption, the text, the error
// icon and one OK button.
void ShowMessage(HWND owner, const std::string& caption, const std::string& text);

// One step of the program's message loop: the main window's shortcuts (in
// the windows it owns too), Escape closing every other window, the keyboard
// navigation of the window the message is for (Tab, Enter, access keys),
// then the usual translation and dispatch.
void DispatchMessageFor(MSG& message, HWND main, HACCEL accelerators);

}  // namespace win
