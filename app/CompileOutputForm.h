#pragma once
// The "Compile output" window: what the compile tools print, live, as a
// terminal shows it (shell/CompileLog.h). A desktop program has no console,
// and the tools' output is the only report of what they did. Closing the
// window (or Escape) only hides it; the text stays for the next ShowAndRaise.

#include <QWidget>

#include "shell/CompileLog.h"

class QPlainTextEdit;
class QPushButton;

class TCompileOutputForm : public QWidget {
  Q_OBJECT

 public:
  // A separate top-level window even with a parent (the main window), which
  // deletes it and beside which it opens.
  explicit TCompileOutputForm(QWidget* parent = nullptr);

  QPlainTextEdit* Text;
  QPushButton* ButStop;  // enabled while a compile runs; the owner connects it

  // Catches up with the compile's log in one edit: the unfinished last line
  // replaced, the completed lines added, the oldest beyond what the log
  // holds dropped. The lines are the tools' bytes in the system's encoding.
  // The view follows the end, as a terminal does, unless the user has
  // scrolled up to read; scrolling back to the end follows again.
  void ShowLog(const shell::CompileLogUpdate& update);
  void Clear();
  // Shows the window raised, beside its parent when it was hidden;
  // activated when the user asked for it (not when a compile opened it).
  void ShowAndRaise(bool activate = true);

 private:
  bool Follow = true;  // the view keeps the newest line in sight
};
