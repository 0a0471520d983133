// The checks at the door of the window: the settings file at start, the
// Setup dialog's folders, and what a first start tells the user.

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <sys/stat.h>

#include "WindowTest.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

using Doors = WindowTest;

TEST_F(Doors, AFirstStartWaitsForSetupWhichOpensCentredAndSavesItsFolders) {
  Start();
  const QString why = QString::fromUtf8(shell::kOpenSetup);
  EXPECT_EQ(DisabledTips(), QStringList({why, why, why}));
  EXPECT_EQ(Form->StatusText(), why);
  Form->move(40, 30);
  QPoint centre;
  RunSetup([&](TSetupForm& setup) {
    setup.show();
    centre = setup.frameGeometry().center();
    setup.DirTool->SetText(QString::fromStdString(Fake.ToolDir));
  });
  EXPECT_LE((centre - Form->frameGeometry().center()).manhattanLength(), 2) << centre.x() << "," << centre.y();
  EXPECT_TRUE(Actions());
  EXPECT_FALSE(Form->ButGenBsp->toolTip().contains("Setup"));
  EXPECT_EQ(Form->StatusText(), "");
  Form.reset();
  const std::string saved = ReadFile(Ini);
  EXPECT_EQ(saved.substr(0, saved.find("\r\n")), Fake.ToolDir);
  EXPECT_TRUE(Contains(saved, "Half-Life\r\n")) << saved;  // the default game folder
}

// (StartChecks.sh tries a folder and an unreadable file too, with the program.)
TEST_F(Doors, ASettingsFileThatCannotBeReadIsReportedAndLeftAsItIsAfterSetup) {
  ASSERT_EQ(mkfifo(Ini.c_str(), 0600), 0);
  Start();
  EXPECT_TRUE(Form->SettingsProblem.contains(QString::fromStdString(Ini)));
  EXPECT_FALSE(DisabledTips().isEmpty());
  ChooseFakeFolders();
  Form.reset();
  EXPECT_TRUE(fs::is_fifo(Ini));
}

TEST_F(Doors, AGameFolderALevelCannotNameWaitsForSetup) {
  WriteFile(Ini, Fake.ToolDir + "\r\n" + Fake.HLDir + "/x\" \"light\" \"9999\r\n");
  Start();
  EXPECT_TRUE(Form->SettingsProblem.contains("double quote")) << Form->SettingsProblem.toStdString();
  ASSERT_FALSE(DisabledTips().isEmpty());
  EXPECT_EQ(DisabledTips()[0], QString::fromUtf8(shell::kOpenSetupForGame));
  RunSetup([](TSetupForm&) {});  // closed as it was: still refused
  EXPECT_FALSE(DisabledTips().isEmpty());
  ChooseFakeFolders();
  EXPECT_TRUE(DisabledTips().isEmpty());
  Form.reset();
  EXPECT_EQ(ReadFile(Ini), Fake.ToolDir + "\r\n" + Fake.HLDir + "\r\n");
}

TEST_F(Doors, AFailedSaveAtExitIsTold) {
  Start();
  QStringList told;
  Form->ExitErrorDisplay = [&told](const QString& text) { told << text; };
  fs::remove_all(Fake.AppDir);
  Form.reset();
  ASSERT_EQ(told.size(), 1);
  EXPECT_TRUE(told[0].contains(QString::fromStdString(Ini))) << told[0].toStdString();
}

// Folders come pasted or chosen; each field notes a folder that will not do
// and keeps out a name that cannot be kept.
TEST_F(Doors, SetupTakesPastedAndChosenFoldersAndNotesThoseThatWillNotDo) {
  shell::Settings data{{Fake.ToolDir, Fake.HLDir}};
  TSetupForm setup(data, nullptr);
  EXPECT_EQ(setup.NoteTool->text() + setup.NoteHL->text(), "");
  QGuiApplication::clipboard()->setText(QString::fromStdString(Fake.AppDir));
  setup.DirTool->Edit()->selectAll();
  setup.DirTool->Edit()->paste();
  EXPECT_EQ(data.ToolDir(), Fake.AppDir);
  EXPECT_TRUE(setup.NoteTool->text().startsWith("No compile tools here")) << setup.NoteTool->text().toStdString();
  QStringList titles;
  for (TDirectoryEdit* field : {setup.DirTool, setup.DirHL}) {
    field->ChooseFolder = [&](QWidget*, const QString& title, const QString&) {
      titles << title;
      return QString::fromStdString(Fake.HLDir);
    };
    field->BrowseButton()->click();
  }
  EXPECT_EQ(titles, QStringList({"Compile tools folder", "Half-Life folder"}));
  for (TDirectoryEdit* field : {setup.DirTool, setup.DirHL}) field->SetText(QStringLiteral("/a\nb"));
  EXPECT_EQ(data.Lines, (std::vector<std::string>{Fake.HLDir, Fake.HLDir}));
  EXPECT_TRUE(setup.NoteTool->text().startsWith("Not saved. The folder's name contains a line break"));
  EXPECT_TRUE(setup.NoteHL->text().startsWith("Not saved. The game folder's name contains a line feed"));
  EXPECT_GT(setup.ButClose->y(), setup.NoteHL->geometry().bottom());
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
  RunSetup([&](TSetupForm& setup) { note = setup.NoteTool->text(), game = setup.DirHL->Text(); });
  EXPECT_EQ(note, "");  // the tools were found under the name's own bytes
  EXPECT_EQ(game, "/e/Game");
  Form.reset();
  EXPECT_EQ(ReadFile(Ini), tools + "\r\n/e/Game\r\nextra\r\n");
}

}  // namespace
