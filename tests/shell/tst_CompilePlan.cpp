#include <gtest/gtest.h>

#include "FakeTools.h"
#include "shell/CompilePlan.h"
#include "shell/CompileVerdict.h"

using namespace testing_support;

namespace {

TEST(BatchFile, RunsTheToolsOnTheMapStopsAtTheFirstFailureAndTakesFolderNamesLiterally) {
  const std::string text =
      shell::BatchFileText({"quorvel", "C:\\Levels", "C:\\Tools", "C:\\Game"}, {"qcsg.exe", "qbsp2.exe", "vis.exe", "qrad.exe"});
  EXPECT_EQ(text,
            "@echo off\r\n"
            "echo Step 1 of 4: qcsg.exe\r\nqcsg.exe \"C:\\Levels\\quorvel\"\r\nif %errorlevel% neq 0 exit /b %errorlevel%\r\n"
            "echo Step 2 of 4: qbsp2.exe\r\nqbsp2.exe \"C:\\Levels\\quorvel\"\r\nif %errorlevel% neq 0 exit /b %errorlevel%\r\n"
            "echo Step 3 of 4: vis.exe\r\nvis.exe \"C:\\Levels\\quorvel\"\r\nif %errorlevel% neq 0 exit /b %errorlevel%\r\n"
            "echo Step 4 of 4: qrad.exe\r\nqrad.exe \"C:\\Levels\\quorvel\"\r\nif %errorlevel% neq 0 exit /b %errorlevel%\r\n"
            "echo Moving the level into the maps folder\r\nmove  \"C:\\Levels\\quorvel.bsp\" \"C:\\Game\\valve\\maps\"\r\n");
  const std::string odd = shell::BatchFileText({"quorvel", "D:/50% & (x)^", "T", "E:\\Spi\xc3\xa9l\\"}, {"a", "b", "c", "d"});
  EXPECT_TRUE(Contains(odd, "a \"D:\\50%% & (x)^\\quorvel\"\r\n")) << odd;
  EXPECT_TRUE(Contains(odd, "\"E:\\Spi\xc3\xa9l\\valve\\maps\"\r\n")) << odd;
}

TEST(WindowsPlan, TakesTheBestToolOfEachStepAndRunsTheBatchInToolDir) {
  TempDir tools;
  MakePrograms(tools.Path, {"hlcsg.exe", "qcsg.exe", "sdHLBSP.exe", "hlbsp_x64.exe", "vis.exe", "sdHLRAD_x64.exe",
                            "qrad.exe"});
  const auto plan = shell::MakeWindowsPlan(
      {"quorvel", "C:\\Levels", tools.Str(), "C:\\Game", shell::CompileQuality::Full}, "C:\\cmd.exe");
  ASSERT_TRUE(plan.Ok()) << plan.Error();
  EXPECT_EQ(plan->BatchTools, (std::array<std::string, 4>{"hlcsg.exe", "sdHLBSP.exe", "vis.exe", "sdHLRAD_x64.exe"}));
  // The quality's arguments go to the tools that take them; the classic ones run as at Normal, and say so.
  EXPECT_TRUE(Contains(plan->BatchText, "\r\nvis.exe \"C:\\Levels\\quorvel\"\r\n")) << plan->BatchText;
  EXPECT_TRUE(Contains(plan->BatchText, "\r\nsdHLRAD_x64.exe -extra \"C:\\Levels\\quorvel\"\r\n")) << plan->BatchText;
  EXPECT_EQ(plan->Header, "Compile quality: Full (vis.exe takes no quality arguments and runs as at Normal)");
  ASSERT_EQ(plan->Steps.size(), 1u);
  const platform::ProcessSpec& run = plan->Steps[0].Process;
  EXPECT_EQ(run.Program, "C:\\cmd.exe");
  EXPECT_EQ(run.Arguments, (std::vector<std::string>{"/d", "/v:off", "/c", ".\\quorvel.bat"}));
  EXPECT_EQ(run.WorkingDirectory, tools.Str());
  std::filesystem::remove(tools.File("vis.exe"));
  const auto missing = shell::MakeWindowsPlan({"quorvel", "C:\\Levels", tools.Str(), "C:\\Game"}, "cmd.exe");
  ASSERT_FALSE(missing.Ok());
  EXPECT_TRUE(Contains(missing.Error(), tools.Str()) && Contains(missing.Error(), "hlvis.exe or vis.exe"))
      << missing.Error();
}

TEST(PosixPlan, RunsEachToolInToolDirOnTheMapWithTheQualitysArguments) {
  FakeCompile setup;
  std::filesystem::remove(setup.ToolDir + "/hlbsp");
  MakePrograms(setup.ToolDir, {"sdHLCSG", "sdHLBSP"});
  using Q = shell::CompileQuality;
  const std::string map = setup.AppDir + "/quorvel";
  // Fast changes RAD's arguments only, Full VIS's and RAD's: which ones, for
  // ZHLT, the session (Fast) and the command line and Windows plan (Full)
  // show; SDHLT's -fast below.
  for (const Q quality : {Q::Normal, Q::Fast, Q::Full}) {
    const auto plan = shell::MakePosixPlan({"quorvel", setup.AppDir, setup.ToolDir, setup.HLDir, quality}, 3);
    ASSERT_TRUE(plan.Ok()) << plan.Error();
    ASSERT_EQ(plan->Steps.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
      const shell::CompileStep& step = plan->Steps[i];
      EXPECT_EQ(step.Process.Program, setup.ToolDir + "/" + step.Name);
      EXPECT_EQ(step.Process.WorkingDirectory, setup.ToolDir);
      if (quality == Q::Normal || i < 2 || (quality == Q::Fast && i == 2)) {
        EXPECT_EQ(step.Process.Arguments, (std::vector<std::string>{"-threads", "3", map})) << step.Name;
      }
    }
    EXPECT_EQ(plan->Header, std::string("Compile quality: ") + shell::SpecOf(quality).Caption);
  }
  MakePrograms(setup.ToolDir, {"sdHLRAD", "sdHLVIS"});
  const auto plan = shell::MakePosixPlan({"quorvel", setup.AppDir, setup.ToolDir, setup.HLDir, Q::Fast}, 3);
  ASSERT_TRUE(plan.Ok()) << plan.Error();
  std::vector<std::string> names;
  for (const shell::CompileStep& step : plan->Steps) names.push_back(step.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"sdHLCSG", "sdHLBSP", "sdHLVIS", "sdHLRAD"}));  // SDHLT first
  EXPECT_EQ(plan->Steps[3].Process.Arguments, (std::vector<std::string>{"-threads", "3", "-fast", map}));
  for (const char* name : {"sdHLVIS", "sdHLRAD"}) std::filesystem::remove(setup.ToolDir + "/" + name);
  EXPECT_EQ(plan->TargetPath, setup.MapsDir + "/quorvel.bsp");
  std::filesystem::permissions(setup.ToolDir + "/hlrad", std::filesystem::perms::owner_read);  // not runnable
  const auto missing = shell::MakePosixPlan({"quorvel", setup.AppDir, setup.ToolDir, setup.HLDir}, 1);
  ASSERT_FALSE(missing.Ok());
  EXPECT_TRUE(Contains(missing.Error(), "sdHLRAD or hlrad")) << missing.Error();
}

TEST(CompileVerdict, ShowsTheToolsErrorLinesElseItsLastLinesAndFindsAMissingWadFile) {
  EXPECT_EQ(shell::MeaningfulLines("csg v1\r\nError: a\nreading\nError: b\r\n\nError: b\ndone\n"), "Error: a\nError: b");
  EXPECT_EQ(shell::MeaningfulLines("1\n2\n\n3\n4\n5\n6\r\n   \n"), "2\n3\n4\n5\n6");
  TempDir dir;
  WriteFile(dir.File("there.wad"), "");
  const std::string map = dir.File("quorvel.map");
  WriteFile(map, "{\r\n\"classname\" \"worldspawn\"\r\n\"wad\" \"" + dir.File("there.wad") + ";" + dir.File("gone.wad") +
                     "\"\r\n{\r\n}\r\n");
  EXPECT_EQ(shell::MissingWadFile(map), dir.File("gone.wad"));
  WriteFile(map, "{\n\"wad\" \"" + dir.File("there.wad") + "\"\n}\n");
  EXPECT_EQ(shell::MissingWadFile(map), std::nullopt);
}

}  // namespace
