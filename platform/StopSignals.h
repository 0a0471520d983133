#pragma once
// Ctrl+C, SIGTERM and SIGHUP for a command-line program that runs tools in
// process groups of their own: the terminal's Ctrl+C reaches only the
// program, so it must stop the tools itself before it ends.
//
//   platform::CatchStopSignals();
//   ... poll StopSignal() while a tool runs; stop it when not 0 ...
//   if (const int signal = platform::StopSignal()) platform::EndBySignal(signal);
//
// Windows: nothing is caught (StopSignal() stays 0); the tools run in a job
// object that ends them with the program however it ends.

namespace platform {

// From now on SIGINT, SIGTERM and SIGHUP are recorded instead of ending the
// program; one that was ignored when the program started (nohup) stays
// ignored.
void CatchStopSignals();

// The first of them caught, or 0.
int StopSignal();

// Ends the program by that signal, as it would have ended uncaught, so that
// the shell sees it (status 128 + the signal's number).
[[noreturn]] void EndBySignal(int signal);

}  // namespace platform
