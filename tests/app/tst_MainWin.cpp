#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <array>
#include <memory>
#include <vector>

#include "TestDir.h"
#include "app/About.h"
#include "app/MainWin.h"
#include "app/RadioGroup.h"
#include "app/SetupData.h"
#include "labyrinth/Labyrinth.h"

namespace {

using Indexes = std::array<int, 6>;

// A main window started in its own directory, with every message and
// labyrinth construction recorded instead of shown.
class MainWinTest : public ::testing::Test {
 protected:
  void Start() {
    Form = std::make_unique<TMainForm>();
    Form->ErrorDisplay = [this](const QString& text) { Errors.push_back(text); };
    Form->MakeLabyrinth = [this](int d, int c, int s, int m, int g, int f) {
      Passed.push_back({d, c, s, m, g, f});
      return std::make_unique<Labyrinth>(d, c, s, m, g, f);
    };
  }
  void Stop() { Form.reset(); }
  bool ActionsEnabled() const {
    return Form->ButGenMap->isEnabled() && Form->ButGenBsp->isEnabled() &&
           Form->ButRun->isEnabled();
  }
  bool ActionsDisabled() const {
    return !Form->ButGenMap->isEnabled() && !Form->ButGenBsp->isEnabled() &&
           !Form->ButRun->isEnabled();
  }

  TestDir Dir;
  std::unique_ptr<TMainForm> Form;
  std::vector<QString> Errors;
  std::vector<Indexes> Passed;
};

TEST_F(MainWinTest, WindowHasTheControlsCaptionsAndDefaults) {
  Start();
  EXPECT_EQ(Form->windowTitle(), "Quorvel");
  EXPECT_EQ(Form->size(), QSize(462, 254));
  EXPECT_EQ(Form->minimumSize(), Form->maximumSize());
  EXPECT_FALSE(Form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(Form->StatusBar->isSizeGripEnabled());
  EXPECT_EQ(Form->StatusBar->geometry(), QRect(0, 235, 462, 19));
  EXPECT_EQ(Form->ButPanel->geometry(), QRect(356, 0, 106, 235));

  struct Group {
    const char* name;
    const char* title;
    QStringList items;
    int itemIndex;
    QRect rect;
  };
  const std::vector<Group> groups = {
      {"RGMapDim", "Map Dimension", {"Very Small", "Small", "Medium", "Big", "Very Big"}, 1, {8, 5, 98, 126}},
      {"RGMapCompl", "Map Complexity", {"Low", "Normal", "High"}, 1, {8, 150, 93, 81}},
      {"RGSkill", "Skill", {"Low", "Normal", "High"}, 1, {129, 150, 93, 81}},
      {"RGMonsters", "Monsters Type", {"All", "Grunts only", "Grunts and Assassins", "Aliens only"}, 0, {112, 5, 136, 126}},
      {"RGBarney", "Friends", {"None", "1", "2"}, 0, {255, 150, 93, 81}},
      {"RGGameType", "Game Type", {"Kill all", "Find the exit"}, 1, {252, 5, 96, 126}},
  };
  for (const Group& g : groups) {
    SCOPED_TRACE(g.name);
    auto* group = Form->findChild<TRadioGroup*>(g.name);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), g.title);
    ASSERT_EQ(group->Count(), g.items.size());
    for (int i = 0; i < group->Count(); ++i) EXPECT_EQ(group->Item(i)->text(), g.items[i]);
    EXPECT_EQ(group->ItemIndex(), g.itemIndex);
    EXPECT_EQ(group->geometry(), g.rect);
  }

  struct Button {
    const char* name;
    const char* text;
    QRect rect;
  };
  const std::vector<Button> buttons = {
      {"ButGenMap", "Generate .map", {13, 10, 81, 25}}, {"ButGenBsp", "Generate .bsp", {13, 48, 81, 25}},
      {"ButRun", "Run Half-Life", {13, 85, 81, 25}},    {"ButSetup", "Setup", {16, 135, 75, 25}},
      {"ButAbout", "About", {16, 165, 75, 25}},         {"ButExit", "Exit", {16, 202, 75, 25}},
  };
  for (const Button& b : buttons) {
    SCOPED_TRACE(b.name);
    auto* button = Form->findChild<QPushButton*>(b.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), b.text);
    EXPECT_EQ(button->geometry(), b.rect);
    EXPECT_EQ(button->parentWidget(), Form->ButPanel);
  }
}

TEST_F(MainWinTest, ShowErrorIsAModalBoxWithTheTitleTheTextAndOneOkButton) {
  TMainForm form;  // with the real error display
  QString title, text;
  int buttons = 0;
  QMessageBox::Icon icon = QMessageBox::Critical;
  bool modal = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        modal = box->isModal() && box->parentWidget() == &form;
        box->button(QMessageBox::Ok)->click();
      }
    }
  });
  form.ShowError("Something went wrong");
  EXPECT_EQ(title, "Quorvel");
  EXPECT_EQ(text, "Something went wrong");
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, 1);
  EXPECT_TRUE(modal);
}

TEST_F(MainWinTest, DefaultSelectionsPassOneOneOneZeroOneZero) {
  Start();
  Form->ButGenMapClick();
  ASSERT_EQ(Passed.size(), 1u);
  EXPECT_EQ(Passed[0], (Indexes{1, 1, 1, 0, 1, 0}));
}

TEST_F(MainWinTest, IndexesGoInDimensionComplexitySkillMonstersGameTypeFriendsOrder) {
  Start();
  Form->RGMapDim->Item(4)->click();    // Very Big
  Form->RGMapCompl->Item(2)->click();  // High
  Form->RGSkill->Item(2)->click();     // High
  Form->RGMonsters->Item(3)->click();  // Aliens only
  Form->RGBarney->Item(2)->click();    // 2
  Form->RGGameType->Item(0)->click();  // Kill all
  Form->ButGenMapClick();
  ASSERT_EQ(Passed.size(), 1u);
  EXPECT_EQ(Passed[0], (Indexes{4, 2, 2, 3, 0, 2}));
}

TEST_F(MainWinTest, GenerateMapWritesIntoTheStartDirectoryWithTheGameDir) {
  WriteBytes(Dir.File("quorvel.ini"), "D:\\Tools\r\nE:\\Game\r\n");
  Start();
  const TestDir elsewhere;  // a later command changed the current directory
  Form->SetStatusText("old text");
  Form->ButGenMapClick();
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(Form->StatusText(), ".map generated");
  const std::string map = ReadBytes(Dir.File("quorvel.map"));
  EXPECT_NE(map.find(std::string("\"wad\" \"E:\\Game") + HLMap::kNativeSeparator + "valve"),
            std::string::npos);
  EXPECT_FALSE(FileExists(elsewhere.File("quorvel.map")));
}

TEST_F(MainWinTest, AnEmptyGameDirStillWritesTheMap) {
  WriteBytes(Dir.File("quorvel.ini"), "D:\\Tools\r\n\r\n");
  Start();
  EXPECT_EQ(Form->HLDir, "");
  Form->ButGenMapClick();
  EXPECT_EQ(Form->StatusText(), ".map generated");
  EXPECT_NE(ReadBytes(Dir.File("quorvel.map")).find(std::string("\"wad\" \"") + HLMap::kNativeSeparator),
            std::string::npos);
}

TEST_F(MainWinTest, AllAttemptsRejectedShowsTheErrorAndWritesNothing) {
  WriteBytes(Dir.File("quorvel.map"), "previous level");
  Start();
  int attempts = -1;
  Form->GenerateLevel = [&attempts](Labyrinth&) {
    attempts = 0;
    return 0;
  };
  Form->SetStatusText("old text");
  Form->ButGenMapClick();
  EXPECT_EQ(attempts, 0);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], "Error generating labyrinth: try again");
  EXPECT_EQ(Form->StatusText(), "");
  EXPECT_EQ(ReadBytes(Dir.File("quorvel.map")), "previous level");
}

TEST_F(MainWinTest, AMapThatCannotBeWrittenIsReportedWithPathAndReason) {
  QDir(QString::fromStdString(Dir.Path())).mkdir("quorvel.map");  // a directory is in the way
  Start();
  Form->ButGenMapClick();
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].contains(QString::fromStdString(Dir.File("quorvel.map")))) << Errors[0].toStdString();
  EXPECT_GT(Errors[0].size(), QString::fromStdString(Dir.File("quorvel.map")).size() + 2);
  EXPECT_EQ(Form->StatusText(), "");
}

TEST_F(MainWinTest, AVanishedStartDirectoryIsReported) {
  Start();
  const std::string appDir = Form->AppDir;
  {
    const TestDir elsewhere;
    ASSERT_TRUE(QDir(QString::fromStdString(appDir)).removeRecursively());
    Form->ButGenMapClick();
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_TRUE(Errors[0].startsWith(QString::fromStdString("Cannot write " + appDir)));
    EXPECT_EQ(Form->StatusText(), "");
    Stop();  // the settings save fails too, with a warning on stderr only
    EXPECT_EQ(Errors.size(), 1u);
  }
}

TEST_F(MainWinTest, SettingsFileGivesTheDirectoriesAndIsWrittenBackAtExit) {
  WriteBytes(Dir.File("quorvel.ini"), "D:\\Tools\r\nE:\\Game\r\n");
  Start();
  EXPECT_EQ(Form->AppDir, Dir.Path());
  EXPECT_EQ(Form->ToolDir, "D:\\Tools");
  EXPECT_EQ(Form->HLDir, "E:\\Game");
  EXPECT_TRUE(ActionsEnabled());
  Form->SetupData->SetLine(0, "F:\\New Tools");
  EXPECT_EQ(Form->ToolDir, "F:\\New Tools");
  const TestDir elsewhere;
  Stop();
  EXPECT_EQ(ReadBytes(Dir.File("quorvel.ini")), "F:\\New Tools\r\nE:\\Game\r\n");
  EXPECT_FALSE(FileExists(elsewhere.File("quorvel.ini")));
}

TEST_F(MainWinTest, ExtraLinesAreWrittenBackAndLineEndsBecomeCrLf) {
  WriteBytes(Dir.File("quorvel.ini"), "D:\\Tools\nE:\\Game\rkeep me\n\nlast");
  Start();
  EXPECT_EQ(Form->HLDir, "E:\\Game");
  Stop();
  EXPECT_EQ(ReadBytes(Dir.File("quorvel.ini")), "D:\\Tools\r\nE:\\Game\r\nkeep me\r\n\r\nlast\r\n");
}

TEST_F(MainWinTest, AShortSettingsFileGivesEmptyDirectories) {
  WriteBytes(Dir.File("quorvel.ini"), "D:\\Tools");
  Start();
  EXPECT_EQ(Form->ToolDir, "D:\\Tools");
  EXPECT_EQ(Form->HLDir, "");
  EXPECT_TRUE(ActionsEnabled());
}

TEST_F(MainWinTest, FirstStartDisablesTheActionsAndSavesTheDefaults) {
  Start();
  EXPECT_TRUE(ActionsDisabled());
  EXPECT_TRUE(Form->ButSetup->isEnabled());
  EXPECT_TRUE(Form->ButAbout->isEnabled());
  EXPECT_TRUE(Form->ButExit->isEnabled());
  EXPECT_EQ(Form->ToolDir, "");
  EXPECT_EQ(Form->HLDir, "");
  EXPECT_TRUE(Errors.empty());
  const QStringList defaults = TSetupLines::DefaultLines();
  Stop();
  EXPECT_EQ(ReadBytes(Dir.File("quorvel.ini")), TSetupLines::FormatText(defaults));

  Start();  // the next start finds the file
  EXPECT_TRUE(ActionsEnabled());
  EXPECT_EQ(Form->ToolDir, defaults[0].toStdString());
}

TEST_F(MainWinTest, ClosingSetupEnablesTheActionsAndKeepsTheLines) {
  Start();
  int shown = 0;
  Form->RunModal = [&shown](QDialog& dialog) {
    ++shown;
    EXPECT_EQ(dialog.windowTitle(), "Setup");
    return 1;
  };
  Form->ButSetupClick();
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(ActionsEnabled());
  // Opening the dialog stored the default lines back, so the copies follow.
  EXPECT_EQ(Form->ToolDir, TSetupLines::DefaultLines()[0].toStdString());
  EXPECT_EQ(Form->SetupData->Lines(), TSetupLines::DefaultLines());
}

TEST_F(MainWinTest, ARunningCompileKeepsTheActionsDisabled) {
  Start();
  Form->RunModal = [](QDialog&) { return 1; };
  bool compiling = true;
  Form->CompileRunning = [&compiling] { return compiling; };
  Form->ButSetupClick();
  EXPECT_TRUE(ActionsDisabled());
  compiling = false;
  Form->EnableActions();
  EXPECT_TRUE(ActionsEnabled());
}

TEST_F(MainWinTest, ExitClosesTheWindow) {
  Start();
  Form->show();
  ASSERT_TRUE(Form->isVisible());
  Form->ButExit->click();
  EXPECT_FALSE(Form->isVisible());
}

TEST_F(MainWinTest, AboutOpensANewFoldedDialogEachTime) {
  Start();
  std::vector<int> heights;
  Form->RunModal = [&heights](QDialog& dialog) {
    auto& about = dynamic_cast<TAboutLicenseDlg&>(dialog);
    heights.push_back(about.height());
    about.ButLicense->click();  // closed while unfolded
    heights.push_back(about.height());
    return 1;
  };
  Form->ButAboutClick();
  Form->ButAboutClick();
  EXPECT_EQ(heights, (std::vector<int>{140, 261, 140, 261}));
  EXPECT_TRUE(Form->findChildren<QDialog*>().isEmpty());  // each destroyed on return
}

}  // namespace
