#pragma once
// A session that ends (log-out, `kill`, Ctrl+C in a terminal) sends SIGTERM,
// SIGHUP or SIGINT; the program then closes its windows as the Exit button
// does, so the settings are saved, instead of dying on the spot.

// Call once, right after the QApplication is made: a signal that comes
// before the event loop runs is acted on as soon as it does. POSIX only;
// does nothing elsewhere.
void CloseWindowsOnTerminationSignals();
