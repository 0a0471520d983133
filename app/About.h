#pragma once
// The About dialog: icon, name, version and a licence text that folds away
// below the visible part until "License" is pressed.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TAboutLicenseDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 284;

  // Opens 30 pixels right of and below the owner's top-left corner, folded.
  explicit TAboutLicenseDlg(QWidget* owner);

  static QString LicenseText();

  QLabel* ApplIcon;
  QLabel* ApplName;
  QLabel* Version;
  QLabel* Author;
  QPlainTextEdit* License;
  QPushButton* ButLicense;
  QPushButton* ButOK;

  bool LicenseShown = false;

  void ButLicenseClick();

 private:
  void SetClientHeight(int height);
  int FoldedHeight() const;
};
