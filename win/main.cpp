// Quorvel's Windows program: the main window, no command-line arguments.
//
// Exit status: 0, or 1 when the program ended on an error it reported (a
// start folder it cannot use, a settings file it could not read or use, a
// failed save of the settings at exit).

#include <windows.h>

#include <objbase.h>

#include <exception>

#include "platform/Platform.h"
#include "shell/GameFolders.h"
#include "shell/Names.h"
#include "shell/StartFolder.h"
#include "win/MainWindow.h"
#include "win/resource.h"

namespace {

int Run(HINSTANCE instance, int show) {
  const shell::UserEnvironment env = shell::UserEnvironment::FromProcess();
  const shell::StartFolders folders = shell::ChooseStartFolders(platform::CurrentDirectory(), env, false);
  if (const Result<> ready = shell::PrepareStartFolders(folders); !ready) {
    win::ShowMessage(nullptr, shell::kApplicationTitle, ready.Error());
    return 1;
  }
  win::MainWindow window(folders, shell::FoundDefaults(env));
  ShowWindow(window.Handle(), show);
  if (!window.SettingsProblem.empty()) window.ShowError(window.SettingsProblem);
  const HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN));
  MSG message;
  while (window.Handle() && GetMessageW(&message, nullptr, 0, 0) > 0)
    win::DispatchMessageFor(message, window.Handle(), accelerators);
  if (window.Handle()) DestroyWindow(window.Handle());  // ended by WM_QUIT: save the settings now
  return !window.SettingsProblem.empty() || window.SettingsSaveFailed() ? 1 : 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // The folder chooser is a COM object that wants a single-threaded apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  int status = 1;
  try {
    status = Run(instance, show);
  } catch (const std::exception& e) {
    win::ShowMessage(nullptr, shell::kApplicationTitle, e.what());
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return status;
}
