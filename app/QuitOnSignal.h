#pragma once
// A session that ends (log-out, `kill`, Ctrl+C in a terminal) sends SIGTERM,
// SIGHUP or SIGINT; the program then closes its window as the Exit button
// does, so the settings are saved, instead of dying on the spot.

class QWidget;

// Closes window on those signals. POSIX only; does nothing elsewhere.
void CloseOnTerminationSignals(QWidget* window);
