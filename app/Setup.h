#pragma once
// The Setup dialog: the compile tools and game directories. There is no
// cancel: a chosen folder is stored at once, "Close" only ends the dialog.

#include <QDialog>

#include "shell/Settings.h"

class QLabel;
class QPushButton;
class TDirectoryEdit;

class TSetupForm : public QDialog {
  Q_OBJECT

 public:
  TSetupForm(shell::Settings& data, QWidget* owner);

  QLabel* Label1;
  QLabel* Label2;
  TDirectoryEdit* DirTool;
  TDirectoryEdit* DirHL;
  QPushButton* ButClose;

 private:
  void FormCreate();
  void DirToolChange();
  void DirHLChange();
  // Stores a field's text as a line, unless it shows that line already: a
  // folder name that is not valid text keeps its bytes.
  void Store(std::size_t line, const QString& text);

  shell::Settings& Data;
};
