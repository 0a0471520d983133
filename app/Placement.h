#pragma once
// Where a secondary window opens: beside the main window, by the shell's
// placement rule (shell/WindowPlacement.h), on the main window's screen and
// clear of its buttons.

#include <QSize>

class QWidget;

// Moves and sizes window (not yet shown) for a client size of wanted, and at
// least least, beside owner.
void PlaceBeside(QWidget& window, const QWidget& owner, QSize wanted, QSize least);
