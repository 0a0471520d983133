#pragma once
// Windows only. The program's strings are UTF-8; the system's are UTF-16.
// Every call into Windows converts here, and uses the W functions, so that a
// path is read the same whatever the ANSI code page is.

#include <string>
#include <string_view>

namespace platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The code page the command interpreter and console tools use: the system's
// OEM code page. Not GetOEMCP(): a program whose manifest asks for UTF-8 gets
// 65001 there, while the interpreter it starts does not.
unsigned ConsoleCodePage();

// The system's text for an error code (GetLastError), without the line end.
std::string ErrorText(unsigned long code);
// ErrorText(GetLastError()).
std::string LastErrorText();

}  // namespace platform
