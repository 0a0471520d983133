#pragma once
// Runs quorvel-cli in-process and keeps what it printed.

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

struct Outcome {
  int Status = -1;
  std::string Out;
  std::string Err;
};

inline Outcome RunCommand(const std::vector<std::string>& args,
                          int maxAttempts = Labyrinth::kMaxAttempts) {
  std::ostringstream out, err;
  const int status = cli::RunCli(args, out, err, maxAttempts);
  return {status, out.str(), err.str()};
}
