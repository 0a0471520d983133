#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "FakeTools.h"
#include "RunCommand.h"
#include "app/LevelWindow.h"
#include "app/MainWin.h"
#include "app/RadioGroup.h"
#include "cli/Options.h"

using namespace testing_support;

namespace {

class LevelWindow : public ::testing::Test {
 protected:
  LevelWindow() {
    WriteFile(Setup.AppDir + "/quorvel.ini", Setup.ToolDir + "\r\n" + Setup.HLDir + "\r\n");
    Form = std::make_unique<TMainForm>();
    Form->ErrorDisplay = [this](const QString& text) { Errors.push_back(text); };
    Form->show();
  }
  std::string Map() const { return ReadFile(Setup.AppDir + "/quorvel.map"); }
  // The bytes quorvel-cli writes for these arguments.
  std::string CliMap(std::vector<std::string> args) const {
    args.insert(args.end(), {"--output", Setup.Root.File("cli.map")});
    EXPECT_EQ(RunCommand(args).Status, 0);
    return ReadFile(Setup.Root.File("cli.map"));
  }

  FakeCompile Setup;
  ChangeDirectory InLevels{Setup.AppDir};
  std::unique_ptr<TMainForm> Form;
  std::vector<QString> Errors;
};

TEST_F(LevelWindow, OpensAfterTheFirstLevelWithItsSeedAndCommandLine) {
  TLevelWindow* level = Form->LevelWindow;
  EXPECT_FALSE(level->isVisible());
  EXPECT_FALSE(Form->SeedLabel->isVisible());
  Form->ButGenMap->click();
  ASSERT_TRUE(Form->LastMap);
  const std::uint32_t seed = Form->LastMap->Seed;
  EXPECT_EQ(Form->StatusText(), ".map generated");
  EXPECT_TRUE(level->isVisible());
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(level->frameGeometry()));
  EXPECT_GT(level->frameGeometry().right(), Form->frameGeometry().right());
  EXPECT_TRUE(Form->SeedLabel->isVisible());
  EXPECT_TRUE(Form->SeedLabel->text().contains(QStringLiteral("Seed %1").arg(seed)));
  EXPECT_EQ(level->SeedText->text(), QStringLiteral("Seed %1").arg(seed));

  level->ButCopyCommand->click();
  const QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied, level->CommandLine());
  EXPECT_TRUE(copied.contains(QStringLiteral("--seed %1").arg(seed))) << copied.toStdString();
  EXPECT_EQ(CliMap(cli::ArgumentsFor(LabyrinthOptions{}, seed, Setup.HLDir)), Map());

  // A second press in the same second makes another level.
  Form->ButGenMap->click();
  EXPECT_NE(Form->LastMap->Seed, seed);
  // Closed, it comes back from the seed in the status bar.
  level->close();
  emit Form->SeedLabel->linkActivated(QStringLiteral("level"));
  EXPECT_TRUE(level->isVisible());
}

TEST_F(LevelWindow, MakeAgainWritesTheSeedsLevelWithTheCurrentOptions) {
  Form->ButGenMap->click();
  Form->RGMapDim->SetItemIndex(0);
  Form->LevelWindow->SeedEdit->setText(QStringLiteral("4000000000"));
  Form->LevelWindow->ButMakeAgain->click();
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(Form->LastMap->Seed, 4000000000u);
  EXPECT_EQ(Map(), CliMap({"--dimension", "very-small", "--seed", "4000000000", "--game-dir", Setup.HLDir}));
}

TEST_F(LevelWindow, CompileAndPlayStartsTheGameAfterTheCompile) {
  WriteScript(Setup.HLDir + "/hl.sh", "echo \"$@\" > started.txt");
  Form->ButGenMap->click();
  Form->LevelWindow->ButCompilePlay->click();
  EXPECT_FALSE(Form->LevelWindow->ButMakeAgain->isEnabled());  // until the compile ends
  ASSERT_TRUE(QTest::qWaitFor([&] { return Contains(ReadFile(Setup.HLDir + "/started.txt"), "+map quorvel"); }, 20000));
  EXPECT_EQ(Form->StatusText(), "Half-Life started");
  EXPECT_TRUE(Form->LevelWindow->ButMakeAgain->isEnabled());
  EXPECT_TRUE(Errors.empty());
}

}  // namespace
