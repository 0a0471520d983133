#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/About.h"

namespace {

TEST(AboutDialog, ShowsNameAndVersionAndFoldsTheLicence) {
  QWidget owner;
  owner.move(200, 120);
  TAboutLicenseDlg dialog(&owner);
  EXPECT_EQ(dialog.pos(), QPoint(230, 150));
  EXPECT_EQ(dialog.ApplName->text(), "Quorvel");
  EXPECT_EQ(dialog.Version->text(), "Version 1.01");
  EXPECT_EQ(dialog.size(), QSize(284, 140));

  dialog.ButLicense->click();
  EXPECT_EQ(dialog.height(), 261);
  EXPECT_TRUE(dialog.License->toPlainText().contains("warranty"));
  dialog.ButLicense->click();
  EXPECT_EQ(dialog.height(), 140);
}

TEST(AboutDialog, EnterPressesOK) {
  TAboutLicenseDlg dialog(nullptr);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
