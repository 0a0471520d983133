#pragma once
// The quorvel-cli program as a function, so tests can run it in-process.

#include <ostream>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"

namespace cli {

// Runs the command with argv[1..argc-1]: the map and preview go to files or
// to out, messages to err. Returns the exit status: 0 done, 1 generation or
// a write failed, 2 bad command line.
int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err);

// The same with the arguments as strings (no program name). maxAttempts
// bounds the Generate calls; only tests lower it.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           int maxAttempts = Labyrinth::kMaxAttempts);

}  // namespace cli
