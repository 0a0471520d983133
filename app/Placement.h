#pragma once
// Where a secondary window opens: beside the main window, by the shell's
// placement rule (shell/WindowPlacement.h), on the main window's screen and
// clear of its buttons.

#include <QSize>

class QWidget;

// Shows window raised; when it was hidden, first moved and sized for a
// client size of wanted, and at least least, beside owner. Activated when
// the user asked for it, not when a compile or a new level opened it.
void ShowBeside(QWidget& window, const QWidget& owner, QSize wanted, QSize least, bool activate);
// Escape closes window (which only hides it).
void CloseOnEscape(QWidget& window);
// Moves window (not yet shown) over owner's centre, kept on owner's screen.
void CentreOn(QWidget& window, const QWidget& owner);
