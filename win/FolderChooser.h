#pragma once
// The system's folder chooser (IFileOpenDialog picking folders).

#include <windows.h>

#include <optional>
#include <string>

namespace win {

// The chosen folder's full path, in a chooser titled title that starts in
// current when it exists; nothing when the user cancelled.
std::optional<std::string> ChooseFolderDialog(HWND owner, const std::string& title, const std::string& current);

}  // namespace win
