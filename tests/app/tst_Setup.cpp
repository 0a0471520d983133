// The checks at the door of the window: a first start, the Setup dialog's
// folders, and the settings' bytes at exit.

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QToolButton>

#include "WindowTest.h"
#include "app/Setup.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

using Doors = WindowTest;

// Until Setup has the folders the actions wait, saying why in their tooltips
// and the status bar. Setup opens over the window's centre; the folder and
// the options chosen come back after Exit and a new start.
TEST_F(Doors, AFirstStartWaitsForSetupAndTheChoicesComeBackAfterExit) {
  fs::remove(Ini);
  Start();
  EXPECT_EQ(Form->focusWidget(), Button("ButSetup"));  // the first command that can run
  const QString why = QString::fromUtf8(shell::kOpenSetup);
  for (QPushButton* button : {Button("ButGenMap"), Button("ButGenBsp"), Button("ButRun")})
    EXPECT_TRUE(!button->isEnabled() && button->toolTip() == why) << button->text().toStdString();
  EXPECT_EQ(Status(), why);
  Form->move(40, 30);
  QPoint centre;
  OnDialog = [&](QDialog& setup) {
    centre = setup.frameGeometry().center();
    static_cast<TSetupForm&>(setup).ChooseFolder = [&](QWidget*, const QString&, const QString&) {
      return QString::fromStdString(Fake.ToolDir);
    };
    setup.findChild<QToolButton*>()->click();
  };
  Button("ButSetup")->click();
  EXPECT_LE((centre - Form->frameGeometry().center()).manhattanLength(), 2) << centre.x() << "," << centre.y();
  EXPECT_TRUE(Actions());
  EXPECT_FALSE(Button("ButGenBsp")->toolTip().contains("Setup"));
  EXPECT_EQ(Status(), "");
  Item("dimension", 2)->click();
  Item("friends", 1)->click();
  Button("ButExit")->click();
  Form.reset();
  Start();
  EXPECT_TRUE(Actions());
  EXPECT_TRUE(Item("dimension", 2)->isChecked());
  EXPECT_TRUE(Item("friends", 1)->isChecked());
}

// Folders come typed, pasted or chosen, and count once complete; each field
// notes what it found or why the folder will not do, and keeps out a name
// that cannot be kept.
TEST_F(Doors, SetupTakesPastedAndChosenFoldersAndNotesThoseThatWillNotDo) {
  Start();
  const shell::Settings& data = Form->Session().Folders();
  TSetupForm setup(Form->Session(), nullptr);
  auto* noteTool = setup.findChild<QLabel*>("NoteTool");
  auto* noteGame = setup.findChild<QLabel*>("NoteHL");
  EXPECT_EQ(noteGame->text(), "");
  auto* tools = setup.findChild<QLineEdit*>("DirTool");
  tools->clear();
  QTest::keyClicks(tools, QString::fromStdString(Fake.AppDir));
  EXPECT_EQ(data.ToolDir(), Fake.ToolDir);  // not at every key
  QGuiApplication::clipboard()->setText(QString::fromStdString(Fake.AppDir));
  tools->selectAll();
  tools->paste();
  QTest::keyClick(tools, Qt::Key_Return);
  EXPECT_EQ(data.ToolDir(), Fake.AppDir);
  EXPECT_TRUE(noteTool->text().startsWith("No compile tools here")) << noteTool->text().toStdString();
  QStringList titles;  // the chooser's: a folder, then a name no line can hold
  setup.ChooseFolder = [&](QWidget*, const QString& title, const QString&) {
    titles << title;
    return titles.size() <= 2 ? QString::fromStdString(Fake.HLDir) : QStringLiteral("/a\nb");
  };
  for (int round = 0; round < 2; ++round)
    for (QToolButton* browse : setup.findChildren<QToolButton*>()) browse->click();
  const QStringList both = {"Compile tools folder", "Half-Life folder"};
  EXPECT_EQ(titles, both + both);
  EXPECT_EQ(data.ToolDir(), Fake.HLDir);
  EXPECT_EQ(data.GameDir(), Fake.HLDir);
  EXPECT_TRUE(noteTool->text().startsWith("Not saved. The folder's name contains a line break"));
  EXPECT_TRUE(noteGame->text().startsWith("Not saved. The game folder's name contains a line feed"));
  EXPECT_GT(setup.findChild<QPushButton*>("ButClose")->y(), noteGame->geometry().bottom());
}

// Saved folders are shown as they are and every line, its bytes and the
// line ends aside, is written back at exit.
TEST_F(Doors, SavedFoldersSurviveSetupAndExitByteForByte) {
  const std::string tools = Fake.Root.File("t\xe9ols");  // Latin-1, as an old system would name it
  fs::create_directory_symlink(Fake.ToolDir, tools);
  WriteFile(Ini, tools + "\n/e/Game\rextra");
  Start();
  EXPECT_TRUE(Actions());
  QString note = "not run", game;
  OnDialog = [&](QDialog& setup) {
    note = setup.findChild<QLabel*>("NoteTool")->text(), game = setup.findChild<QLineEdit*>("DirHL")->text();
  };
  Button("ButSetup")->click();
  EXPECT_EQ(note, "Found hlcsg, hlbsp, hlvis, hlrad.");  // under the name's own bytes
  EXPECT_EQ(game, "/e/Game");
  Form.reset();
  const std::string saved = ReadFile(Ini);
  EXPECT_EQ(saved.substr(0, saved.find("dimension=")), tools + "\r\n/e/Game\r\nextra\r\n");
}

}  // namespace
