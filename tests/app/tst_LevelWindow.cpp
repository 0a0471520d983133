#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "RunCommand.h"
#include "WindowTest.h"
#include "app/LevelWindow.h"
#include "app/RadioGroup.h"
#include "cli/Options.h"

using namespace testing_support;

namespace {

class LevelWindow : public WindowTest {
 protected:
  LevelWindow() { WriteSettings(); Start(); }
  std::string Map() const { return ReadFile(Fake.AppDir + "/quorvel.map"); }
  // The bytes quorvel-cli writes for these arguments.
  std::string CliMap(std::vector<std::string> args) const {
    args.insert(args.end(), {"--output", Fake.Root.File("cli.map")});
    EXPECT_EQ(RunCommand(args).Status, 0);
    return ReadFile(Fake.Root.File("cli.map"));
  }
};

TEST_F(LevelWindow, OpensAfterTheFirstLevelWithItsSeedAndMakesASeedsLevelAgain) {
  TLevelWindow* level = Form->LevelWindow;
  EXPECT_FALSE(level->isVisible());
  EXPECT_FALSE(Form->SeedLabel->isVisible());
  Form->ButGenMap->click();
  ASSERT_TRUE(Form->LastMap);
  const std::uint32_t seed = Form->LastMap->Seed;
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
  EXPECT_EQ(CliMap(cli::ArgumentsFor(LabyrinthOptions{}, seed, Fake.HLDir)), Map());

  // A second press in the same second makes another level.
  Form->ButGenMap->click();
  EXPECT_NE(Form->LastMap->Seed, seed);
  // Closed, it comes back from the seed in the status bar.
  level->close();
  emit Form->SeedLabel->linkActivated(QStringLiteral("level"));
  EXPECT_TRUE(level->isVisible());

  // "Make again" writes a typed seed's level with the current options.
  Form->RGMapDim->SetItemIndex(0);
  level->SeedEdit->setText(QStringLiteral("4000000000"));
  level->ButMakeAgain->click();
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(Form->LastMap->Seed, 4000000000u);
  EXPECT_EQ(Map(), CliMap({"--dimension", "very-small", "--seed", "4000000000", "--game-dir", Fake.HLDir}));
}

TEST_F(LevelWindow, TheCopiedCommandLineKeepsAGameFolderThatIsNotUtf8) {
  Form->ButGenMap->click();
  ASSERT_TRUE(Form->LastMap);
  const std::string gameDir = "/games/Half-Life \xff";
  Form->LevelWindow->ShowLevel(*Form->LastMap, LabyrinthOptions{}, gameDir);
  Form->LevelWindow->ButCopyCommand->click();
  const QByteArray copied = QApplication::clipboard()->text().toUtf8();
  EXPECT_EQ(copied.toStdString(),
            cli::CommandLineText(cli::ArgumentsFor(LabyrinthOptions{}, Form->LastMap->Seed, gameDir)));
  EXPECT_TRUE(copied.endsWith("--game-dir $'/games/Half-Life \\xff'")) << copied.toStdString();
}

TEST_F(LevelWindow, CompileAndPlayStartsTheGameAfterTheCompile) {
  const std::string started = FakeGame();
  Form->ButGenMap->click();
  Form->LevelWindow->ButCompilePlay->click();
  EXPECT_FALSE(Form->LevelWindow->ButMakeAgain->isEnabled());  // until the compile ends
  ASSERT_TRUE(QTest::qWaitFor([&] { return Contains(ReadFile(started), "-console +map quorvel"); }, 20000));
  EXPECT_EQ(Form->StatusText(), "Half-Life started");
  EXPECT_TRUE(Form->LevelWindow->ButMakeAgain->isEnabled());
  EXPECT_TRUE(Errors.empty());
}

}  // namespace
