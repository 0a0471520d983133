#pragma once
// UTF-8 inside, UTF-16 at the Win32 door.

#include <string>
#include <string_view>

namespace win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A window's text as UTF-8.
std::string WindowText(void* hwnd);

}  // namespace win
