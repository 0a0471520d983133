#include "app/compile/CompilePlan.h"

#include <gtest/gtest.h>

#include "FakeTools.h"

namespace {

TEST(BatchFileText, ExampleDirectoriesGiveTheSixLinesQuotedAndChecked) {
  const QString expected =
      "@echo off\r\n"
      "qcsg.exe \"C:\\Levels\\quorvel\"\r\n"
      "if %errorlevel% neq 0 exit /b 11\r\n"
      "qbsp2.exe \"C:\\Levels\\quorvel\"\r\n"
      "if %errorlevel% neq 0 exit /b 12\r\n"
      "vis.exe \"C:\\Levels\\quorvel\"\r\n"
      "if %errorlevel% neq 0 exit /b 13\r\n"
      "qrad.exe \"C:\\Levels\\quorvel\"\r\n"
      "if %errorlevel% neq 0 exit /b 14\r\n"
      "move  \"C:\\Levels\\quorvel.bsp\" \"C:\\Game\\valve\\maps\"\r\n";
  EXPECT_EQ(BatchFileText("C:\\Levels", "C:\\Game").toStdString(), expected.toStdString());
}

TEST(BatchFileText, SpacesStayQuotedAndPercentIsDoubled) {
  const QString expected =
      "@echo off\r\n"
      "qcsg.exe \"D:\\My Levels 100%%\\a&b;c\\quorvel\"\r\n"
      "if %errorlevel% neq 0 exit /b 11\r\n"
      "qbsp2.exe \"D:\\My Levels 100%%\\a&b;c\\quorvel\"\r\n"
      "if %errorlevel% neq 0 exit /b 12\r\n"
      "vis.exe \"D:\\My Levels 100%%\\a&b;c\\quorvel\"\r\n"
      "if %errorlevel% neq 0 exit /b 13\r\n"
      "qrad.exe \"D:\\My Levels 100%%\\a&b;c\\quorvel\"\r\n"
      "if %errorlevel% neq 0 exit /b 14\r\n"
      "move  \"D:\\My Levels 100%%\\a&b;c\\quorvel.bsp\" \"E:\\Program Files %%PATH%%\\valve\\maps\"\r\n";
  // Forward slashes, as a folder chooser may give them, become backslashes.
  EXPECT_EQ(BatchFileText("D:/My Levels 100%/a&b;c", "E:\\Program Files %PATH%").toStdString(),
            expected.toStdString());
}

TEST(BatchFileText, RootFolderGetsNoDoubledSeparator) {
  EXPECT_TRUE(BatchFileText("C:\\", "D:\\").contains("qcsg.exe \"C:\\quorvel\"\r\n"));
  EXPECT_TRUE(BatchFileText("C:\\", "D:\\").contains("move  \"C:\\quorvel.bsp\" \"D:\\valve\\maps\"\r\n"));
}

TEST(BatchFailedTool, StatusNamesTheToolThatStoppedTheBatch) {
  EXPECT_EQ(BatchFailedTool(11), "qcsg.exe");
  EXPECT_EQ(BatchFailedTool(14), "qrad.exe");
  // A failed move leaves 1; the interpreter's own failures other numbers.
  EXPECT_EQ(BatchFailedTool(1), QString());
  EXPECT_EQ(BatchFailedTool(10), QString());
  EXPECT_EQ(BatchFailedTool(15), QString());
  EXPECT_EQ(BatchFailedTool(0), QString());
}

TEST(WindowsPlan, RunsTheBatchInToolDirThroughTheInterpreter) {
  const CompilePlan plan =
      MakeWindowsPlan({"C:\\Levels", "C:\\Tools", "C:\\Game"}, "C:\\Windows\\system32\\cmd.exe");
  EXPECT_EQ(plan.BatchPath, "C:\\Tools\\quorvel.bat");
  EXPECT_EQ(plan.BatchText, BatchFileText("C:\\Levels", "C:\\Game"));
  ASSERT_EQ(plan.Steps.size(), 1);
  EXPECT_EQ(plan.Steps[0].Program, "C:\\Windows\\system32\\cmd.exe");
  EXPECT_EQ(plan.Steps[0].Arguments, QStringList({"/d", "/v:off", "/c", ".\\quorvel.bat"}));
  EXPECT_EQ(plan.Steps[0].WorkingDirectory, "C:\\Tools");
  EXPECT_FALSE(plan.MoveAfterSteps);
  EXPECT_EQ(plan.ErrPath, "C:\\Levels\\quorvel.err");
  EXPECT_EQ(plan.LinPath, "C:\\Levels\\quorvel.lin");
  EXPECT_EQ(plan.BspPath, "C:\\Levels\\quorvel.bsp");
  EXPECT_EQ(plan.MapsDir, "C:\\Game\\valve\\maps");
  EXPECT_EQ(plan.TargetPath, "C:\\Game\\valve\\maps\\quorvel.bsp");
}

TEST(PosixPlan, EachStepRunsItsToolInToolDirOnTheMapName) {
  FakeSetup setup(" a'b\"c $HOME;d&e%f");
  setup.WriteTools();
  CompilePlan plan;
  QString error;
  ASSERT_TRUE(MakePosixPlan({setup.AppDir, setup.ToolDir, setup.HLDir}, 6, &plan, &error))
      << error.toStdString();
  ASSERT_EQ(plan.Steps.size(), 4);
  for (int i = 0; i < 4; ++i) {
    const CompileStep& step = plan.Steps[i];
    EXPECT_EQ(step.Description, FakeSetup::LinuxNames()[i]);
    EXPECT_EQ(step.Program, setup.ToolDir + "/" + FakeSetup::LinuxNames()[i]);
    EXPECT_EQ(step.Arguments, QStringList({"-threads", "6", setup.AppDir + "/quorvel"}));
    EXPECT_EQ(step.WorkingDirectory, setup.ToolDir);
  }
  EXPECT_TRUE(plan.BatchPath.isEmpty());
  EXPECT_TRUE(plan.MoveAfterSteps);
  EXPECT_EQ(plan.TargetPath, setup.HLDir + "/valve/maps/quorvel.bsp");
}

TEST(PosixPlan, FindsEitherFamilyAndPrefersTheCommonNames) {
  FakeSetup setup;
  setup.WriteTools(FakeSetup::SdNames());
  CompilePlan plan;
  QString error;
  ASSERT_TRUE(MakePosixPlan({setup.AppDir, setup.ToolDir, setup.HLDir}, 1, &plan, &error));
  EXPECT_EQ(plan.Steps[0].Program, setup.ToolDir + "/sdHLCSG");
  EXPECT_EQ(plan.Steps[3].Program, setup.ToolDir + "/sdHLRAD");

  setup.WriteTool("hlbsp", fake::kWriteBsp);
  ASSERT_TRUE(MakePosixPlan({setup.AppDir, setup.ToolDir, setup.HLDir}, 1, &plan, &error));
  EXPECT_EQ(plan.Steps[0].Program, setup.ToolDir + "/sdHLCSG");
  EXPECT_EQ(plan.Steps[1].Program, setup.ToolDir + "/hlbsp");
}

TEST(PosixPlan, MissingOrNotExecutableToolIsNamedWithTheFolder) {
  FakeSetup setup;
  setup.WriteTools({"hlcsg", "hlbsp", "hlvis"});
  WriteFile(setup.ToolDir + "/hlrad", "#!/bin/sh\n");  // not executable
  CompilePlan plan;
  QString error;
  EXPECT_FALSE(MakePosixPlan({setup.AppDir, setup.ToolDir, setup.HLDir}, 1, &plan, &error));
  EXPECT_TRUE(error.contains("hlrad and sdHLRAD")) << error.toStdString();
  EXPECT_TRUE(error.contains(setup.ToolDir)) << error.toStdString();
  EXPECT_TRUE(plan.Steps.isEmpty());
}

TEST(CommandLineText, QuotesWhatTheShellWouldSplit) {
  const CompileStep step{"hlcsg", "/opt/tools/hlcsg", {"-threads", "2", "/home/a b/it's/quorvel"}, "/opt/tools"};
  EXPECT_EQ(CommandLineText(step).toStdString(), "/opt/tools/hlcsg -threads 2 '/home/a b/it'\\''s/quorvel'");
}

}  // namespace
