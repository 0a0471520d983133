#pragma once
// The Setup dialog: the compile tools and game directories. There is no
// cancel: a chosen, typed or pasted folder is stored at once, "Close" only
// ends the dialog. Beneath each field a note says why the folder will not
// do (shell/SetupChecks.h); a name the settings or a level cannot hold is
// not stored at all.

#include <QDialog>

#include "shell/Settings.h"

class QLabel;
class QPushButton;
class TDirectoryEdit;

class TSetupForm : public QDialog {
  Q_OBJECT

 public:
  // Opens centred on the owner.
  TSetupForm(shell::Settings& data, QWidget* owner);

  QLabel* Label1;
  QLabel* Label2;
  TDirectoryEdit* DirTool;
  TDirectoryEdit* DirHL;
  QLabel* NoteTool;
  QLabel* NoteHL;
  QPushButton* ButClose;

 private:
  void FormCreate();
  void DirToolChange();
  void DirHLChange();
  // Checks a field's text and stores it as a line unless it is refused. A
  // text that shows the stored line keeps the line's bytes: a folder name
  // need not be valid text.
  void Store(std::size_t line, const QString& text, QLabel* note);
  // Places the widgets top to bottom; a note takes room only when it says
  // something.
  void LayOut();
  // Over the owner's centre, kept on its screen.
  void CentreOn(const QWidget* owner);

  shell::Settings& Data;
};
