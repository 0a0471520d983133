#include "app/compile/GameLauncher.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "FakeTools.h"

namespace {

// A game script that records like the fake tools and ends at once.
void WriteGame(FakeSetup& setup, const QString& name) { setup.WriteTool(name, "exit 0\n", setup.HLDir); }

TEST(LaunchGame, EachCallStartsAnotherGameInHLDirWithTheLevel) {
  FakeSetup setup(" a'b\"c $HOME;d&e%f");
  WriteGame(setup, "hl.sh");
  WriteGame(setup, "hl_linux");
  QString error;
  qint64 first = 0, second = 0;
  ASSERT_TRUE(LaunchGame(setup.HLDir, &error, &first)) << error.toStdString();
  ASSERT_TRUE(LaunchGame(setup.HLDir, &error, &second)) << error.toStdString();
  EXPECT_NE(first, second);
  ASSERT_TRUE(WaitUntil([&] {
    const QList<QStringList> records = setup.Records();
    return records.size() == 2 && records[0].size() == 5 && records[1].size() == 5;
  }));
  for (const QStringList& record : setup.Records()) {
    EXPECT_EQ(record, QStringList({"hl.sh", setup.HLDir, "-console", "+map", "quorvel"}));
  }
}

TEST(LaunchGame, FallsBackToTheEngineWhenThereIsNoLauncherScript) {
  FakeSetup setup;
  WriteGame(setup, "hl_linux");
  GameLaunch launch;
  QString error;
  ASSERT_TRUE(FindGame(setup.HLDir, &launch, &error)) << error.toStdString();
  EXPECT_EQ(launch.Program, setup.HLDir + "/hl_linux");
  EXPECT_EQ(launch.Arguments, QStringList({"-console", "+map", "quorvel"}));
  EXPECT_EQ(launch.WorkingDirectory, setup.HLDir);
  ASSERT_TRUE(LaunchGame(setup.HLDir, &error)) << error.toStdString();
  ASSERT_TRUE(WaitUntil([&] { return setup.Records().size() == 1; }));
  EXPECT_EQ(setup.Records()[0].value(0), "hl_linux");
}

TEST(LaunchGame, MissingGameIsReportedWithTheNamesAndTheFolder) {
  FakeSetup setup;
  QString error;
  EXPECT_FALSE(LaunchGame(setup.HLDir, &error));
  EXPECT_TRUE(error.contains("hl.sh or hl_linux")) << error.toStdString();
  EXPECT_TRUE(error.contains(setup.HLDir)) << error.toStdString();

  EXPECT_FALSE(LaunchGame(QString(), &error));
  EXPECT_TRUE(error.contains("not set")) << error.toStdString();
}

TEST(LaunchGame, GameThatCannotStartIsReportedWithTheReason) {
  FakeSetup setup;
  WriteFile(setup.HLDir + "/hl.sh", "#!/bin/sh\n");  // not executable
  QString error;
  EXPECT_FALSE(LaunchGame(setup.HLDir, &error));
  EXPECT_TRUE(error.contains("hl.sh in " + setup.HLDir + " is not executable")) << error.toStdString();

  // Executable, but the program it names is not there.
  WriteFile(setup.HLDir + "/hl.sh", "#!/nonexistent/shell\n");
  ASSERT_TRUE(QFile::setPermissions(setup.HLDir + "/hl.sh", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  EXPECT_FALSE(LaunchGame(setup.HLDir, &error));
  EXPECT_TRUE(error.contains(setup.HLDir + "/hl.sh")) << error.toStdString();
  EXPECT_TRUE(error.contains("could not be started")) << error.toStdString();
}

}  // namespace
