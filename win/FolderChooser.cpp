#include "win/FolderChooser.h"

#include <shobjidl.h>

#include "win/Text.h"

namespace win {

namespace {
// Releases a COM interface at the end of a scope.
template <typename T>
struct ComPtr {
  T* Pointer = nullptr;
  ~ComPtr() {
    if (Pointer) Pointer->Release();
  }
  T* operator->() const { return Pointer; }
  T** operator&() { return &Pointer; }
};
}  // namespace

std::optional<std::string> ChooseFolderDialog(HWND owner, const std::string& title, const std::string& current) {
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                              reinterpret_cast<void**>(&dialog))))
    return std::nullopt;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(Widen(title).c_str());
  ComPtr<IShellItem> start;
  if (!current.empty() &&
      SUCCEEDED(SHCreateItemFromParsingName(Widen(current).c_str(), nullptr, IID_IShellItem,
                                            reinterpret_cast<void**>(&start))))
    dialog->SetFolder(start.Pointer);
  if (FAILED(dialog->Show(owner))) return std::nullopt;
  ComPtr<IShellItem> chosen;
  if (FAILED(dialog->GetResult(&chosen))) return std::nullopt;
  wchar_t* path = nullptr;
  if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
  std::string folder = Narrow(path);
  CoTaskMemFree(path);
  return folder;
}

}  // namespace win
