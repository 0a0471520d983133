#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/About.h"

namespace {

// The name shows light on a dark window too; the licence folds out and back;
// Enter presses OK.
TEST(AboutDialog, ShowsNameAndVersionUnderAnyPaletteFoldsTheLicenceAndEnterPressesOK) {
  const QPalette before = QApplication::palette();
  QPalette dark = before;
  dark.setColor(QPalette::Window, QColor(30, 30, 30));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  QApplication::setPalette(dark);
  TAboutLicenseDlg dialog(nullptr);
  const QImage name = dialog.ApplName->grab().toImage();
  QApplication::setPalette(before);
  int brightest = 0;
  for (int y = 0; y < name.height(); ++y)
    for (int x = 0; x < name.width(); ++x) brightest = std::max(brightest, qGray(name.pixel(x, y)));
  EXPECT_GT(brightest, 160);

  EXPECT_EQ(dialog.ApplName->text(), "Quorvel");
  EXPECT_EQ(dialog.Version->text(), "Version 1.01");
  const int folded = dialog.height();
  dialog.ButLicense->click();
  EXPECT_GE(dialog.height(), folded + 100);
  EXPECT_TRUE(dialog.License->toPlainText().contains("warranty"));
  dialog.ButLicense->click();
  EXPECT_EQ(dialog.height(), folded);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
