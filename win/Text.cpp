#include "win/Text.h"

#include <windows.h>

namespace win {

std::string WindowText(void* hwnd) {
  const HWND window = static_cast<HWND>(hwnd);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

}  // namespace win
