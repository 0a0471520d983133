#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "FakeTools.h"
#include "app/CompileOutputForm.h"
#include "app/DirectoryEdit.h"
#include "app/MainWin.h"
#include "app/Setup.h"

using namespace testing_support;

namespace {

// The main window started in a level folder beside fake tools and a fake
// game, with messages recorded instead of shown.
class Window : public ::testing::Test {
 protected:
  void Start() {
    Form = std::make_unique<TMainForm>();
    Form->ErrorDisplay = [this](const QString& text) { Errors.push_back(text); };
    Form->show();
  }
  void WriteSettings() { WriteFile(Setup.AppDir + "/quorvel.ini", Setup.ToolDir + "\r\n" + Setup.HLDir + "\r\n"); }
  bool Actions() const {
    return Form->ButGenMap->isEnabled() && Form->ButGenBsp->isEnabled() && Form->ButRun->isEnabled();
  }
  bool WaitForStatus(const QString& text) {
    return QTest::qWaitFor([&] { return Form->StatusText() == text; }, 20000);
  }

  FakeCompile Setup;
  ChangeDirectory InLevels{Setup.AppDir};
  std::unique_ptr<TMainForm> Form;
  std::vector<QString> Errors;
};

TEST_F(Window, CaptionsCarryAccessKeys) {
  Start();
  EXPECT_EQ(Form->windowTitle(), "Quorvel");
  std::vector<QString> captions;
  for (QPushButton* button : {Form->ButGenMap, Form->ButGenBsp, Form->ButRun, Form->ButSetup, Form->ButAbout,
                              Form->ButExit})
    captions.push_back(button->text());
  EXPECT_EQ(captions, (std::vector<QString>{"Generate .&map", "Generate .&bsp", "&Run Half-Life", "&Setup", "&About",
                                            "E&xit"}));
}

TEST_F(Window, FirstStartWaitsForSetupAndSavesItsFolders) {
  Start();
  EXPECT_FALSE(Form->ButGenMap->isEnabled() || Form->ButGenBsp->isEnabled() || Form->ButRun->isEnabled());
  Form->RunModal = [this](QDialog& dialog) {
    static_cast<TSetupForm&>(dialog).DirTool->SetText(QString::fromStdString(Setup.ToolDir));
    return 1;
  };
  Form->ButSetup->click();
  EXPECT_TRUE(Actions());
  Form.reset();
  const std::string saved = ReadFile(Setup.AppDir + "/quorvel.ini");
  EXPECT_EQ(saved.substr(0, saved.find("\r\n")), Setup.ToolDir);
  EXPECT_TRUE(Contains(saved, "Half-Life\r\n")) << saved;  // the default game folder
}

TEST_F(Window, SetupShowsTheSavedFoldersAndKeepsEveryLine) {
  const std::string text = "/d/Tools\r\n/e/Game\r\nextra\r\n";
  WriteFile(Setup.AppDir + "/quorvel.ini", "/d/Tools\n/e/Game\rextra");
  Start();
  EXPECT_TRUE(Actions());
  QString shown;
  Form->RunModal = [&shown](QDialog& dialog) {
    auto& setup = static_cast<TSetupForm&>(dialog);
    shown = setup.DirTool->Text() + "|" + setup.DirHL->Text();
    return 1;
  };
  Form->ButSetup->click();
  EXPECT_EQ(shown, "/d/Tools|/e/Game");
  Form.reset();
  EXPECT_EQ(ReadFile(Setup.AppDir + "/quorvel.ini"), text);
}

TEST_F(Window, GenerateCompileAndReachTheGame) {
  WriteSettings();
  Start();
  Form->ButGenMap->click();
  EXPECT_EQ(Form->StatusText(), ".map generated");
  EXPECT_TRUE(Contains(ReadFile(Setup.AppDir + "/quorvel.map"), Setup.HLDir + "/valve/halflife.wad"));

  Form->ButGenBsp->click();
  EXPECT_FALSE(Actions());  // until the compile ends
  ASSERT_TRUE(WaitForStatus(".bsp generated")) << Form->StatusText().toStdString();
  EXPECT_TRUE(Actions());
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(ReadFile(Setup.MapsDir + "/quorvel.bsp"), "level\n");
  EXPECT_TRUE(Form->CompileOutput->PlainText().contains(".bsp generated"));
}

TEST_F(Window, AFailingToolIsReported) {
  WriteSettings();
  Setup.Tool("hlvis", fake::kFail);
  Start();
  Form->ButGenMap->click();
  Form->ButGenBsp->click();
  ASSERT_TRUE(WaitForStatus("Compile failed: hlvis"));
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].startsWith("hlvis failed with exit status 3.")) << Errors[0].toStdString();
  EXPECT_TRUE(Form->CompileOutput->PlainText().contains("Error: no way through"));
  EXPECT_TRUE(Actions());
}

TEST_F(Window, ClosingDuringACompileAsksAndStopsTheTool) {
  WriteSettings();
  Setup.Tool("hlcsg", fake::kHang);
  Start();
  int asked = 0;
  bool stop = false;
  Form->ConfirmStopCompile = [&] { return ++asked, stop; };
  Form->ButGenMap->click();
  Form->ButGenBsp->click();
  const std::string child = WaitForLine(Setup.ToolDir + "/child.pid");
  EXPECT_FALSE(Form->close());
  EXPECT_TRUE(Form->isVisible());
  stop = true;
  EXPECT_TRUE(Form->close());
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(ProcessEnds(child));
}

}  // namespace
