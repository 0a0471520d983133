#pragma once
// UTF-8 inside, UTF-16 at the Win32 door.

#include <string>

#include "platform/Win32Text.h"

namespace win {

using platform::Narrow;
using platform::Widen;

// A window's text as UTF-8.
std::string WindowText(void* hwnd);

}  // namespace win
