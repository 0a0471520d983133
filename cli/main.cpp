#include <iostream>

#include "cli/Cli.h"
#include "platform/StopSignals.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The arguments as UTF-8, as every path in the program is on Windows: argv
// holds them in the ANSI code page, which cannot carry every folder name.
std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide && i < count; ++i) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
    args.push_back(arg);
  }
  LocalFree(wide);
  return args;
}

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  (void)argc, (void)argv;
  // "--output -" must pass the level's CR LF line ends through unchanged.
  _setmode(_fileno(stdout), _O_BINARY);
  return cli::RunCli(Utf8Arguments(), std::cout, std::cerr);
#else
  platform::CatchStopSignals();
  const int status = cli::RunCli(argc, argv, std::cout, std::cerr);
  // The tools have been stopped: now end as the signal would have.
  if (const int signal = platform::StopSignal()) platform::EndBySignal(signal);
  return status;
#endif
}
