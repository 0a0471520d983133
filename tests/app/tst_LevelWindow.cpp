#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScreen>
#include <QTreeWidget>

#include "WindowTest.h"
#include "app/LevelWindow.h"

using namespace testing_support;

namespace {

using LevelWindow = WindowTest;

// The first level opens the Level window beside the main window; its seed
// shows in both. The copied command line reaches the clipboard as the shell
// reads it back, the byte that is not UTF-8 too (not as U+FFFD), as in a game
// folder an old system named. Escape closes the window, and the seed in the
// status bar opens it again.
TEST_F(LevelWindow, OpensBesideWithItsSeedAndCopiesTheCommandLine) {
  std::filesystem::create_directory_symlink(Fake.HLDir, Fake.Root.File("Half-Life \xff"));
  WriteFile(Ini, Fake.ToolDir + "\r\n" + Fake.Root.File("Half-Life \xff") + "\r\n");
  Start();
  TLevelWindow* level = Form->LevelWindow;
  auto* seedLabel = Form->findChild<QLabel*>("SeedLabel");
  EXPECT_FALSE(level->isVisible());
  EXPECT_FALSE(seedLabel->isVisible());
  Button("ButGenMap")->click();
  const QString seed = QString::fromStdString(Form->Session().Level().SeedLine);
  EXPECT_TRUE(level->isVisible());
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(level->frameGeometry()));
  EXPECT_GT(level->frameGeometry().right(), Form->frameGeometry().right());
  EXPECT_TRUE(seedLabel->isVisible());
  EXPECT_TRUE(seedLabel->text().contains(seed)) << seedLabel->text().toStdString();
  EXPECT_EQ(level->SeedText->text(), seed);
  level->ButCopyCommand->click();
  const QByteArray copied = QApplication::clipboard()->text().toUtf8();
  EXPECT_EQ(copied.toStdString(), Form->Session().Level().CommandLine);
  EXPECT_TRUE(copied.endsWith("--game-dir $'" + QByteArray::fromStdString(Fake.Root.Str()) + "/Half-Life \\xff'"))
      << copied.toStdString();
  EXPECT_EQ(Status(), "Copied");

  QTest::keyClick(level, Qt::Key_Escape);
  EXPECT_FALSE(level->isVisible());
  emit seedLabel->linkActivated(QStringLiteral("level"));
  EXPECT_TRUE(level->isVisible());
}

// Ctrl+E before any level opens the seed field; Keep level lists the level
// by the name offered, its Compile marks it compiled, Play starts the game,
// Delete (asked) takes it off the list.
TEST_F(LevelWindow, ASeedBeforeTheFirstLevelAndKeptLevelsByName) {
  const std::string started = Fake.Game();
  Start();
  TLevelWindow* level = Form->LevelWindow;
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  QTest::keyClick(Form.get(), Qt::Key_E, Qt::ControlModifier);
  ASSERT_TRUE(level->isVisible());
  EXPECT_TRUE(level->SeedEdit->text().isEmpty());
  EXPECT_FALSE(level->ButKeep->isEnabled());
  level->SeedEdit->setText(QStringLiteral("7"));
  QTest::keyClick(level->SeedEdit, Qt::Key_Return);
  EXPECT_EQ(Form->findChild<QLabel*>("SeedLabel")->text(), "<a href=\"level\">Seed 7</a>");
  EXPECT_EQ(level->NameEdit->text(), "quorvel_7");
  level->ButKeep->click();
  ASSERT_EQ(level->KeptList->topLevelItemCount(), 1);
  EXPECT_EQ(level->KeptList->topLevelItem(0)->text(0), "quorvel_7");
  EXPECT_EQ(level->KeptList->topLevelItem(0)->text(4), "no");
  EXPECT_FALSE(level->ButPlayKept->isEnabled());  // nothing chosen yet
  level->KeptList->setCurrentItem(level->KeptList->topLevelItem(0));
  level->ButCompileKept->click();
  ASSERT_TRUE(WaitForStatus(".bsp generated")) << Status().toStdString();
  EXPECT_EQ(level->KeptList->topLevelItem(0)->text(4), "yes");
  level->ButPlayKept->click();
  EXPECT_EQ(WaitForLine(started), "-console +map quorvel_7");
  Yes = true;
  level->ButDeleteKept->click();
  EXPECT_EQ(Questions.size(), 1u);
  EXPECT_EQ(level->KeptList->topLevelItemCount(), 0);
  EXPECT_TRUE(Errors.empty());
}

// The picture takes at least half the window at its own size, and the start
// shows whatever lies on its cell.
TEST_F(LevelWindow, ThePictureFillsTheWindowAndShowsTheStart) {
  Start();
  Item("dimension", 0)->click();
  TLevelWindow* level = Form->LevelWindow;
  for (const char* seed : {"1", "2", "3", "4", "5", "6", "7", "8"}) {
    Form->Session().MakeAgain(seed);
    level->resize(level->sizeHint());
    QTest::qWait(10);
    EXPECT_GE(2 * level->Picture->width(), level->width()) << seed;
    const QImage image = level->Picture->grab().toImage();
    int starts = 0;
    for (const shell::PictureMark& mark : level->Picture->Marks()) {
      if (mark.What == shell::PictureMark::Kind::ScaleBar) break;  // the grid ends, the legend follows
      if (mark.Colour != shell::LegendOf(shell::Feature::Start).Colour) continue;
      ++starts;
      const QPoint centre(mark.X + mark.Width / 2, mark.Y + mark.Height / 2);
      EXPECT_EQ(image.pixelColor(centre * image.devicePixelRatio()), QColor(mark.Colour)) << seed;
    }
    EXPECT_GE(starts, 1) << seed;
  }
}

}  // namespace
