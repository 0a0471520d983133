// Stands in for a map compile tool and for the game under the name it is
// copied to. Each run appends "NAME|ARGUMENTS|FOLDER" to calls.log beside the
// program and prints a line. A file "fail-NAME" beside it makes it fail,
// "hang-NAME" makes it wait a minute (to be stopped); a bsp tool leaves
// MAP.bsp beside the map.

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

int wmain(int argc, wchar_t** argv) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const fs::path program(self);
  const fs::path dir = program.parent_path();
  const std::wstring name = program.filename().wstring();

  std::wstring arguments;
  for (int i = 1; i < argc; ++i) arguments += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
  std::ofstream(dir / "calls.log", std::ios::app | std::ios::binary)
      << fs::path(name + L'|' + arguments + L'|' + fs::current_path().wstring()).u8string() << '\n';
  std::printf("fake tool %ls working\n", name.c_str());
  std::fflush(stdout);

  if (fs::exists(dir / (L"hang-" + name))) Sleep(60000);
  if (fs::exists(dir / (L"fail-" + name))) {
    std::printf("fake tool %ls: failing on purpose\n", name.c_str());
    return 3;
  }
  if (argc > 1 && name.find(L"bsp") != std::wstring::npos)
    std::ofstream(fs::path(std::wstring(argv[argc - 1]) + L".bsp"), std::ios::binary) << "BSP";
  return 0;
}
