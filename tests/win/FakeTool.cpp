// Stands in for a map compile tool and for the game under the name it is
// copied to. Each run appends "NAME|ARGUMENTS|FOLDER" to calls.log beside the
// program and prints a line. A file "crash-NAME" beside it makes it end as a
// crash would (status 0xC0000005), "flood-NAME" print lines without end,
// "count-NAME" print a progress counter as SDHLT does; a bsp tool leaves
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

  if (fs::exists(dir / (L"crash-" + name))) return static_cast<int>(0xC0000005u);
  while (fs::exists(dir / (L"flood-" + name))) std::printf("a line of output\n");
  if (fs::exists(dir / (L"count-" + name))) {
    std::printf("BasePortalVis:\n");
    for (int i = 0; i < 328; ++i) std::printf("\r%6d / %5d", i, 328);
    std::printf("\r%60s\r (0.01 seconds)\n", "");
  }
  if (argc > 1 && name.find(L"bsp") != std::wstring::npos)
    std::ofstream(fs::path(std::wstring(argv[argc - 1]) + L".bsp"), std::ios::binary) << "BSP";
  return 0;
}
