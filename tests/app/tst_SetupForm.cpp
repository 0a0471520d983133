#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

#include "TestDir.h"
#include "app/DirectoryEdit.h"
#include "app/MainWin.h"
#include "app/Setup.h"
#include "app/SetupData.h"

namespace {

TEST(SetupForm, LayoutAndCaptions) {
  TSetupLines data({"D:\\Tools", "E:\\Game"});
  TSetupForm form(data, nullptr);
  form.show();  // children are placed when the dialog is first shown
  EXPECT_EQ(form.windowTitle(), "Setup");
  EXPECT_EQ(form.size(), QSize(297, 150));
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(form.Label1->text(), "Compilation Tools Directory");
  EXPECT_EQ(form.Label2->text(), "Half-Life Main Directory");
  EXPECT_TRUE(form.Label1->font().bold());
  EXPECT_TRUE(form.Label2->font().bold());
  EXPECT_EQ(form.DirTool->geometry(), QRect(16, 29, 266, 21));
  EXPECT_EQ(form.DirHL->geometry(), QRect(16, 84, 266, 21));
  EXPECT_EQ(form.DirTool->BrowseButton()->geometry(), QRect(246, 0, 20, 21));
  EXPECT_EQ(form.DirTool->Edit()->geometry(), QRect(0, 0, 246, 21));
  EXPECT_TRUE(form.DirTool->Edit()->isReadOnly());
  EXPECT_TRUE(form.DirHL->Edit()->isReadOnly());
  EXPECT_EQ(form.ButClose->text(), "Close");
  EXPECT_EQ(form.ButClose->geometry(), QRect(111, 120, 75, 25));
}

TEST(SetupForm, OpeningStoresTheLinesBackUnchanged) {
  TSetupLines data({"D:\\Tools", "E:\\Game", "extra"});
  int changes = 0;
  QObject::connect(&data, &TSetupLines::Changed, [&changes] { ++changes; });
  TSetupForm form(data, nullptr);
  EXPECT_EQ(form.DirTool->Text(), "D:\\Tools");
  EXPECT_EQ(form.DirHL->Text(), "E:\\Game");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(data.Lines(), (QStringList{"D:\\Tools", "E:\\Game", "extra"}));
}

TEST(SetupForm, AChosenFolderIsStoredAtOnceACancelledChoiceIsNot) {
  TSetupLines data({"D:\\Tools", "E:\\Game"});
  TSetupForm form(data, nullptr);
  QString offered;
  form.DirHL->ChooseFolder = [&offered](QWidget*, const QString& current) {
    offered = current;
    return QStringLiteral("/games/hl");
  };
  form.DirHL->BrowseButton()->click();
  EXPECT_EQ(offered, "E:\\Game");
  EXPECT_EQ(data.Line(1), QDir::toNativeSeparators("/games/hl"));

  form.DirTool->ChooseFolder = [](QWidget*, const QString&) { return QString(); };
  form.DirTool->Browse();
  EXPECT_EQ(data.Line(0), "D:\\Tools");
}

TEST(SetupForm, CloseAcceptsTheDialog) {
  TSetupLines data({"a", "b"});
  TSetupForm form(data, nullptr);
  form.show();
  form.ButClose->click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
}

// Through the main window: the dialog shows the loaded paths, a chosen tools
// folder reaches ToolDir before the dialog closes, and the exit writes it.
TEST(SetupForm, ChoosingAToolsFolderReachesTheMainWindowAndTheFile) {
  TestDir dir;
  WriteBytes(dir.File("quorvel.ini"), "D:\\Tools\r\nE:\\Game\r\n");
  auto form = std::make_unique<TMainForm>();
  std::string toolDirWhileOpen;
  form->RunModal = [&](QDialog& dialog) {
    auto& setup = dynamic_cast<TSetupForm&>(dialog);
    EXPECT_EQ(setup.DirTool->Text(), "D:\\Tools");
    EXPECT_EQ(setup.DirHL->Text(), "E:\\Game");
    setup.DirTool->ChooseFolder = [](QWidget*, const QString&) { return QStringLiteral("/opt/tools"); };
    setup.DirTool->Browse();
    toolDirWhileOpen = form->ToolDir;
    setup.ButClose->click();
    return setup.result();
  };
  form->ButSetupClick();
  EXPECT_EQ(toolDirWhileOpen, QDir::toNativeSeparators("/opt/tools").toStdString());
  form.reset();
  EXPECT_EQ(ReadBytes(dir.File("quorvel.ini")),
            QDir::toNativeSeparators("/opt/tools").toStdString() + "\r\nE:\\Game\r\n");
}

}  // namespace
