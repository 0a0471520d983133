#include <iostream>

#include "cli/Cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // "--output -" must pass the level's CR LF line ends through unchanged.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return cli::RunCli(argc, argv, std::cout, std::cerr);
}
