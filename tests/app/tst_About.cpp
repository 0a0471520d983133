#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/About.h"

namespace {

TEST(AboutDialog, FoldsAndUnfoldsTheLicence) {
  QWidget owner;
  owner.move(200, 120);
  TAboutLicenseDlg dialog(&owner);
  EXPECT_EQ(dialog.windowTitle(), "About");
  EXPECT_EQ(dialog.size(), QSize(284, 140));
  EXPECT_FALSE(dialog.LicenseShown);

  dialog.ButLicense->click();
  EXPECT_TRUE(dialog.LicenseShown);
  EXPECT_TRUE(dialog.ButLicense->isChecked());
  EXPECT_EQ(dialog.height(), 261);
  EXPECT_EQ(dialog.License->geometry().bottom() + 1, 261);

  dialog.ButLicense->click();
  EXPECT_FALSE(dialog.LicenseShown);
  EXPECT_FALSE(dialog.ButLicense->isChecked());
  EXPECT_EQ(dialog.height(), 140);
}

TEST(AboutDialog, OpensThirtyPixelsFromTheOwnersCorner) {
  QWidget owner;
  owner.move(200, 120);
  TAboutLicenseDlg dialog(&owner);
  EXPECT_EQ(dialog.pos(), QPoint(230, 150));
}

TEST(AboutDialog, ShowsNameVersionIconAndAThreePartLicence) {
  TAboutLicenseDlg dialog(nullptr);
  EXPECT_EQ(dialog.ApplName->text(), "Quorvel");
  EXPECT_TRUE(dialog.ApplName->font().bold());
  EXPECT_EQ(dialog.Version->text(), "Version 1.01");
  EXPECT_FALSE(dialog.Author->text().isEmpty());
  EXPECT_FALSE(dialog.ApplIcon->pixmap().isNull());  // the compiled-in icon was found
  EXPECT_TRUE(dialog.License->isReadOnly());
  EXPECT_EQ(dialog.License->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(dialog.License->toPlainText().split("\n\n").size(), 3);
  EXPECT_TRUE(dialog.License->toPlainText().contains("warranty"));
}

}  // namespace
