#pragma once
// The Setup dialog: the compile tools and game directories, and the compile
// quality, stored as they are chosen. There is no cancel: a folder goes to
// the session once it is complete (chosen with "...", or typed or pasted and
// the field left), "Close" takes what is typed. Beneath each field the
// session's note on it (Session::StoreFolder). Opens over the owner's centre.

#include <QDialog>

#include <functional>

#include "shell/Session.h"

class TSetupForm : public QDialog {
  Q_OBJECT

 public:
  TSetupForm(shell::Session& session, QWidget* owner);

  // What "..." beside a field asks: the chosen folder, or an empty text when
  // the user cancelled. Empty, the system's folder dialog; tests put their own.
  std::function<QString(QWidget* parent, const QString& title, const QString& current)> ChooseFolder;

 protected:
  // Takes what the fields hold, however the dialog ends.
  void done(int result) override;

 private:
  // Gives that folder's field text to the session and shows its note. A
  // text that shows the stored folder keeps the folder's bytes: a folder
  // name need not be valid text.
  void Store(shell::FolderKind kind);
  // Places the widgets top to bottom; a note takes room only when it says
  // something.
  void LayOut();
  template <typename T = QWidget>
  T* Part(const char* name) const {
    return findChild<T*>(QString::fromLatin1(name));
  }

  shell::Session& S;
};
