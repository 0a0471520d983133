#pragma once
// The Setup dialog: the compile tools and game directories. There is no
// cancel: a chosen folder is stored at once, "Close" only ends the dialog.

#include <QDialog>

class QLabel;
class QPushButton;
class TSetupLines;
class TDirectoryEdit;

class TSetupForm : public QDialog {
  Q_OBJECT

 public:
  TSetupForm(TSetupLines& data, QWidget* owner);

  QLabel* Label1;
  QLabel* Label2;
  TDirectoryEdit* DirTool;
  TDirectoryEdit* DirHL;
  QPushButton* ButClose;

 private:
  void FormCreate();
  void DirToolChange();
  void DirHLChange();

  TSetupLines& Data;
};
