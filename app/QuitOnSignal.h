#pragma once
// A session that ends (log-out, `kill`, Ctrl+C in a terminal) sends SIGTERM,
// SIGHUP or SIGINT; the program then ends as it should (a compile stopped,
// the settings saved) instead of dying on the spot.

#include <functional>

// Calls onSignal from the event loop (not from the signal handler) for each
// of those signals. Call once, right after the QApplication is made: a
// signal that comes before the event loop runs is acted on as soon as it
// does. POSIX only; does nothing elsewhere.
void OnTerminationSignals(std::function<void()> onSignal);
