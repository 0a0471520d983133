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
  // A window of its own beside parent (the main window), which deletes it.
  explicit TCompileOutputForm(QWidget* parent = nullptr);

  QPlainTextEdit* Text;
  QPushButton* ButStop;  // the owner connects it and enables it while a compile runs

  // Catches up with the compile's log in one edit: the unfinished last line
  // replaced, the completed lines added, the oldest beyond what the log
  // holds dropped. The lines are the tools' bytes in the system's encoding.
  // The view follows the end, as a terminal does, unless the user has
  // scrolled up to read; scrolling back to the end follows again.
  void ShowLog(const shell::CompileLogUpdate& update);
  void Clear();
  // Shows the window as ShowBeside (app/Placement.h) does, beside its parent.
  void ShowAndRaise(bool activate = true);

 private:
  bool Follow = true;  // the view keeps the newest line in sight
};
