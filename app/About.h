#pragma once
// The About dialog: icon, name, version and a licence text that folds away
// below the visible part until "License" is pressed. Opens 30 pixels right
// of and below the owner's top-left corner, folded.

#include <QDialog>

class TAboutLicenseDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutLicenseDlg(QWidget* owner);
};
