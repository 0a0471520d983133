// Quorvel's Windows program: the main window, no command-line arguments.

#include <windows.h>

#include <objbase.h>

#include <exception>
#include <memory>

#include "shell/Names.h"
#include "win/MainWindow.h"
#include "win/resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // The folder chooser is a COM object that wants a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  try {
    win::MainWindow window;
    ShowWindow(window.Handle(), show);
    const HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN));
    MSG message;
    while (window.Handle() && GetMessageW(&message, nullptr, 0, 0) > 0)
      win::DispatchMessageFor(message, window.Handle(), accelerators);
  } catch (const std::exception& e) {
    win::ShowMessage(nullptr, shell::kApplicationTitle, e.what());
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
