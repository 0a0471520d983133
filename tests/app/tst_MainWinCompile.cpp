#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <vector>

#include "TestDir.h"
#include "app/MainWin.h"
#include "app/compile/CompileController.h"

namespace {

// A start directory holding the settings, fake map tools and a fake game.
// The tools log their names; hlbsp writes the level as a real one would.
class MainWinCompileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Tools = Dir.Path() + "/tools dir";
    Game = Dir.Path() + "/game $dir";
    QDir().mkpath(QString::fromStdString(Game + "/valve/maps"));
    QDir().mkpath(QString::fromStdString(Tools));
    Log = Dir.Path() + "/log.txt";
    WriteBytes(Dir.File("quorvel.ini"), Tools + "\r\n" + Game + "\r\n");
  }

  void Tool(const std::string& path, const std::string& body) {
    WriteBytes(path, "#!/bin/sh\necho \"$(basename \"$0\") $*\" >> '" + Log + "'\n" + body + "\n");
    QFile::setPermissions(QString::fromStdString(path),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  void Tools4(const std::string& csgBody = "exit 0") {
    Tool(Tools + "/hlcsg", csgBody);
    Tool(Tools + "/hlbsp", "for last; do :; done; echo level > \"$last.bsp\"");
    Tool(Tools + "/hlvis", "exit 0");
    Tool(Tools + "/hlrad", "exit 0");
  }

  void Start() {
    Form = std::make_unique<TMainForm>();
    Form->ErrorDisplay = [this](const QString& text) { Errors.push_back(text); };
    Form->ConfirmStopCompile = [this] {
      ++Questions;
      return StopWhenAsked;
    };
    Form->show();
  }
  bool Actions(bool enabled) const {
    return Form->ButGenMap->isEnabled() == enabled && Form->ButGenBsp->isEnabled() == enabled &&
           Form->ButRun->isEnabled() == enabled;
  }

  TestDir Dir;
  std::string Tools, Game, Log;
  std::unique_ptr<TMainForm> Form;
  std::vector<QString> Errors;
  int Questions = 0;
  bool StopWhenAsked = false;
};

TEST_F(MainWinCompileTest, GenerateCompileAndRunFromTheWindow) {
  Tools4();
  Tool(Game + "/hl.sh", "echo \"cwd=$(pwd)\" >> '" + Log + "'");
  Start();
  Form->ButGenMapClick();
  ASSERT_EQ(Form->StatusText(), ".map generated");

  Form->ButGenBspClick();
  EXPECT_TRUE(Actions(false));
  EXPECT_EQ(Form->StatusText(), "");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->Compile->IsRunning(); }, 20000));
  EXPECT_EQ(Form->StatusText(), ".bsp generated");
  EXPECT_TRUE(Errors.empty()) << Errors.front().toStdString();
  EXPECT_TRUE(Actions(true));
  EXPECT_EQ(ReadBytes(Game + "/valve/maps/quorvel.bsp"), "level\n");

  Form->ButRunClick();
  Form->ButRunClick();
  // The two games run at once, so their log lines may interleave: count them.
  const auto twice = [&](const std::string& line) {
    const std::string log = ReadBytes(Log);
    int n = 0;
    for (auto at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++n;
    return n == 2;
  };
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return twice("hl.sh -console +map quorvel\n") && twice("cwd=" + Game + "\n"); }, 10000))
      << ReadBytes(Log);
  EXPECT_EQ(Form->StatusText(), ".bsp generated") << "running the game leaves the status alone";
}

TEST_F(MainWinCompileTest, FailedToolIsReportedAndButtonsComeBack) {
  Tools4("exit 4");
  Start();
  Form->ButGenMapClick();
  Form->ButGenBspClick();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->Compile->IsRunning(); }, 20000));
  EXPECT_NE(Form->StatusText(), ".bsp generated");
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].contains("hlcsg")) << Errors[0].toStdString();
  EXPECT_TRUE(Actions(true));
  EXPECT_FALSE(FileExists(Game + "/valve/maps/quorvel.bsp"));
}

TEST_F(MainWinCompileTest, MissingMapOrGameIsReportedWithoutRunningAnything) {
  Tools4();
  Start();
  Form->ButGenBspClick();
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].contains("quorvel.map")) << Errors[0].toStdString();
  EXPECT_TRUE(Actions(true));
  EXPECT_FALSE(FileExists(Log));

  Form->ButRunClick();
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_TRUE(Errors[1].contains(QString::fromStdString(Game))) << Errors[1].toStdString();
}

TEST_F(MainWinCompileTest, SetupDuringACompileKeepsTheButtonsOffAndClosingAsksFirst) {
  Tools4("exec sleep 30");
  Start();
  Form->ButGenMapClick();
  Form->RunModal = [](QDialog&) { return 1; };
  Form->ButGenBspClick();
  ASSERT_TRUE(Form->Compile->IsRunning());

  Form->ButSetupClick();
  EXPECT_TRUE(Actions(false)) << "one compile at a time";

  StopWhenAsked = false;
  EXPECT_FALSE(Form->close());
  EXPECT_EQ(Questions, 1);
  EXPECT_TRUE(Form->Compile->IsRunning());

  StopWhenAsked = true;
  EXPECT_TRUE(Form->close());
  EXPECT_EQ(Questions, 2);
  EXPECT_FALSE(Form->Compile->IsRunning());
  EXPECT_TRUE(Actions(true));
  EXPECT_FALSE(FileExists(Game + "/valve/maps/quorvel.bsp"));
}

}  // namespace
