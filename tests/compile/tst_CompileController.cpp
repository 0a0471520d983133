#include "app/compile/CompileController.h"

#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "FakeTools.h"
#include "platform/Platform.h"

namespace {

// One run of the controller with its signals recorded.
struct CompileRunner {
  CompileController Controller;
  QSignalSpy Finished{&Controller, &CompileController::Finished};
  QString Output;
  CompileRunner() {
    QObject::connect(&Controller, &CompileController::Output, &Controller,
                     [this](const QString& text) { Output += text; });
  }
  bool Start(const FakeSetup& s) { return Controller.Start(s.AppDir, s.ToolDir, s.HLDir); }
  // Waits for the end of the run; false if it did not come.
  bool Wait() { return Finished.count() > 0 || Finished.wait(20000); }
  bool Ok() const { return Finished.value(0).value(0).toBool(); }
  std::string Status() const { return Finished.value(0).value(1).toString().toStdString(); }
  QString Error() const { return Finished.value(0).value(2).toString(); }
};

QStringList ExpectedArguments(const FakeSetup& setup) {
  return {"-threads", QString::number(platform::CoreCount()), setup.AppDir + "/quorvel"};
}

void ExpectRunsInToolDirOnTheMap(const FakeSetup& setup, const QStringList& tools) {
  const QList<QStringList> records = setup.Records();
  ASSERT_EQ(records.size(), tools.size());
  for (int i = 0; i < tools.size(); ++i) {
    EXPECT_EQ(records[i].value(0), tools[i]);
    EXPECT_EQ(records[i].value(1), setup.ToolDir) << "working directory of " << tools[i].toStdString();
    EXPECT_EQ(records[i].mid(2), ExpectedArguments(setup)) << tools[i].toStdString();
  }
}

TEST(CompileRun, SuccessMovesTheLevelIntoTheMapsFolderReplacingAnOlderOne) {
  FakeSetup setup;
  setup.WriteTools();
  WriteFile(setup.MapsDir + "/quorvel.bsp", "old\n");
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  EXPECT_TRUE(run.Controller.IsRunning());
  ASSERT_TRUE(run.Wait());
  EXPECT_EQ(run.Finished.count(), 1);
  EXPECT_TRUE(run.Ok()) << run.Error().toStdString();
  EXPECT_EQ(run.Status(), ".bsp generated");
  EXPECT_TRUE(run.Error().isEmpty());
  EXPECT_FALSE(run.Controller.IsRunning());
  EXPECT_EQ(ReadFile(setup.MapsDir + "/quorvel.bsp"), "new\n");
  EXPECT_FALSE(FileThere(setup.AppDir + "/quorvel.bsp"));
  ExpectRunsInToolDirOnTheMap(setup, FakeSetup::LinuxNames());
}

TEST(CompileRun, OutputShowsEachCommandLineBeforeTheToolsOwnOutput) {
  FakeSetup setup;
  setup.WriteTools();
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  const QString threads = QString::number(platform::CoreCount());
  int from = 0;
  for (const QString& tool : FakeSetup::LinuxNames()) {
    const QString command = "> " + setup.ToolDir + "/" + tool + " -threads " + threads + " " + setup.AppDir + "/quorvel\n";
    const int at = run.Output.indexOf(command, from);
    ASSERT_GE(at, 0) << "no command line for " << tool.toStdString() << " in:\n" << run.Output.toStdString();
    const int own = run.Output.indexOf(tool + ":", at);
    ASSERT_GT(own, at) << "no output of " << tool.toStdString();
    from = own;
  }
}

TEST(CompileRun, TheOtherToolFamilyIsUsedWhenTheCommonNamesAreMissing) {
  FakeSetup setup;
  setup.WriteTools(FakeSetup::SdNames());
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  EXPECT_TRUE(run.Ok()) << run.Error().toStdString();
  ExpectRunsInToolDirOnTheMap(setup, FakeSetup::SdNames());
  EXPECT_EQ(ReadFile(setup.MapsDir + "/quorvel.bsp"), "new\n");
}

TEST(CompileRun, FoldersWithShellCharactersInTheirNamesWork) {
  FakeSetup setup(" a'b\"c $HOME;d&e%f% `x` (y) !z");
  setup.WriteTools();
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  EXPECT_TRUE(run.Ok()) << run.Error().toStdString();
  EXPECT_EQ(ReadFile(setup.MapsDir + "/quorvel.bsp"), "new\n");
  ExpectRunsInToolDirOnTheMap(setup, FakeSetup::LinuxNames());
}

TEST(CompileRun, FirstFailingToolStopsTheChainAndIsNamed) {
  FakeSetup setup;
  setup.WriteTools({}, {nullptr, nullptr, fake::kFail});
  WriteFile(setup.MapsDir + "/quorvel.bsp", "old\n");
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  EXPECT_FALSE(run.Ok());
  EXPECT_EQ(run.Status(), "Compile failed: hlvis");
  EXPECT_TRUE(run.Error().contains("hlvis failed with exit status 3")) << run.Error().toStdString();
  EXPECT_TRUE(run.Error().contains(setup.AppDir + "/quorvel.err")) << run.Error().toStdString();
  EXPECT_EQ(setup.ToolsRun(), QStringList({"hlcsg", "hlbsp", "hlvis"}));
  EXPECT_EQ(ReadFile(setup.MapsDir + "/quorvel.bsp"), "old\n");
  EXPECT_TRUE(run.Output.contains("Error: brush 3 is not convex"));
}

TEST(CompileRun, NonZeroStatusAloneFailsTheStep) {
  FakeSetup setup;
  setup.WriteTools({}, {fake::kFailQuietly});
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  EXPECT_FALSE(run.Ok());
  EXPECT_TRUE(run.Error().contains("hlcsg failed with exit status 2")) << run.Error().toStdString();
  EXPECT_EQ(setup.ToolsRun(), QStringList({"hlcsg"}));
}

TEST(CompileRun, ErrFileAfterAStepFailsItDespiteStatusZero) {
  FakeSetup setup;
  setup.WriteTools({}, {nullptr, nullptr, nullptr, fake::kErrFileOnly});
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  EXPECT_FALSE(run.Ok());
  EXPECT_EQ(run.Status(), "Compile failed: hlrad");
  EXPECT_TRUE(run.Error().contains("hlrad reported errors (exit status 0)")) << run.Error().toStdString();
  EXPECT_FALSE(FileThere(setup.MapsDir + "/quorvel.bsp"));
}

TEST(CompileRun, LeakIsReportedAsALeakNamingThePointfile) {
  FakeSetup setup;
  setup.WriteTools({}, {nullptr, fake::kLeak});
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  EXPECT_FALSE(run.Ok());
  EXPECT_EQ(run.Status(), "Compile failed: the level leaks");
  EXPECT_TRUE(run.Error().contains("leaks")) << run.Error().toStdString();
  EXPECT_TRUE(run.Error().contains(setup.AppDir + "/quorvel.lin")) << run.Error().toStdString();
  EXPECT_TRUE(run.Error().contains("after hlbsp")) << run.Error().toStdString();
  EXPECT_EQ(setup.ToolsRun(), QStringList({"hlcsg", "hlbsp"}));
  EXPECT_FALSE(FileThere(setup.MapsDir + "/quorvel.bsp"));
}

TEST(CompileRun, StaleFilesOfAnEarlierRunAreNotTakenForThisOnes) {
  FakeSetup setup;
  setup.WriteTools();
  WriteFile(setup.AppDir + "/quorvel.err", "old error\n");
  WriteFile(setup.AppDir + "/quorvel.lin", "");
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  EXPECT_TRUE(run.Ok()) << run.Error().toStdString();

  // A bsp tool that writes nothing must not let an old quorvel.bsp through.
  FakeSetup quiet;
  quiet.WriteTools({}, {nullptr, fake::kSucceed});
  WriteFile(quiet.AppDir + "/quorvel.bsp", "old\n");
  CompileRunner second;
  ASSERT_TRUE(second.Start(quiet));
  ASSERT_TRUE(second.Wait());
  EXPECT_FALSE(second.Ok());
  EXPECT_TRUE(second.Error().contains("left no " + quiet.AppDir + "/quorvel.bsp")) << second.Error().toStdString();
  EXPECT_FALSE(FileThere(quiet.MapsDir + "/quorvel.bsp"));
}

TEST(CompileRun, CrashedOrUnstartableToolIsReported) {
  FakeSetup setup;
  setup.WriteTools({}, {nullptr, fake::kCrash});
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(run.Wait());
  EXPECT_FALSE(run.Ok());
  EXPECT_TRUE(run.Error().contains("hlbsp crashed")) << run.Error().toStdString();

  FakeSetup broken;
  broken.WriteTools();
  // Executable, but its interpreter does not exist.
  WriteFile(broken.ToolDir + "/hlcsg", "#!/nonexistent/interpreter\n");
  CompileRunner second;
  ASSERT_TRUE(second.Start(broken));
  ASSERT_TRUE(second.Wait());
  EXPECT_FALSE(second.Ok());
  EXPECT_EQ(second.Status(), "Compile failed: hlcsg");
  EXPECT_TRUE(second.Error().contains("hlcsg could not be started from " + broken.ToolDir))
      << second.Error().toStdString();
}

TEST(CompileRun, ChecksFailBeforeAnythingRuns) {
  struct Case {
    const char* name;
    std::function<void(FakeSetup&)> spoil;
    QStringList mentions;  // in the error text
  };
  const QList<Case> cases = {
      {"missing map", [](FakeSetup& s) { QFile::remove(s.AppDir + "/quorvel.map"); },
       {"quorvel.map does not exist"}},
      {"missing tool", [](FakeSetup& s) { QFile::remove(s.ToolDir + "/hlvis"); },
       {"hlvis and sdHLVIS", "compile tools folder"}},
      {"missing tool folder", [](FakeSetup& s) { QDir(s.ToolDir).removeRecursively(); }, {"does not exist"}},
      {"missing maps folder", [](FakeSetup& s) { QDir(s.MapsDir).removeRecursively(); },
       {"maps folder", "/valve/maps does not exist"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSetup setup;
    setup.WriteTools();
    c.spoil(setup);
    CompileRunner run;
    EXPECT_FALSE(run.Start(setup));
    // Reported at once, before Start returned.
    ASSERT_EQ(run.Finished.count(), 1);
    EXPECT_FALSE(run.Ok());
    EXPECT_FALSE(run.Controller.IsRunning());
    for (const QString& mention : c.mentions)
      EXPECT_TRUE(run.Error().contains(mention)) << run.Error().toStdString();
    EXPECT_TRUE(setup.ToolsRun().isEmpty());
    EXPECT_FALSE(QDir(setup.MapsDir).exists() && FileThere(setup.MapsDir + "/quorvel.bsp"));
  }
}

TEST(CompileRun, UnsetFoldersAreReported) {
  FakeSetup setup;
  CompileRunner run;
  EXPECT_FALSE(run.Controller.Start(setup.AppDir, "", setup.HLDir));
  ASSERT_EQ(run.Finished.count(), 1);
  EXPECT_TRUE(run.Error().contains("compilation tools folder is not set")) << run.Error().toStdString();
}

TEST(CompileRun, StopEndsTheRunningToolAndWhatItStarted) {
  FakeSetup setup;
  setup.WriteTools({}, {nullptr, nullptr, fake::kSleep});
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(WaitUntil([&] { return setup.SleepPid() > 0; }));
  const long sleeper = setup.SleepPid();
  EXPECT_FALSE(ProcessEnded(sleeper));

  QElapsedTimer timer;
  timer.start();
  run.Controller.Stop();
  EXPECT_LT(timer.elapsed(), 5000);
  ASSERT_EQ(run.Finished.count(), 1);
  EXPECT_FALSE(run.Ok());
  EXPECT_EQ(run.Status(), "Compile stopped");
  EXPECT_TRUE(run.Error().isEmpty());
  EXPECT_FALSE(run.Controller.IsRunning());
  EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(sleeper); }, 3000));

  // Nothing more comes from the ended run.
  QTest::qWait(200);
  EXPECT_EQ(run.Finished.count(), 1);
  EXPECT_EQ(setup.ToolsRun(), QStringList({"hlcsg", "hlbsp", "hlvis"}));
  EXPECT_FALSE(FileThere(setup.MapsDir + "/quorvel.bsp"));
}

TEST(CompileRun, OneCompileAtATime) {
  FakeSetup setup;
  setup.WriteTools({}, {fake::kSleep});
  CompileRunner run;
  ASSERT_TRUE(run.Start(setup));
  EXPECT_FALSE(run.Start(setup));
  EXPECT_EQ(run.Finished.count(), 0);
  EXPECT_TRUE(run.Controller.IsRunning());
  ASSERT_TRUE(WaitUntil([&] { return setup.SleepPid() > 0; }));
  run.Controller.Stop();
  EXPECT_EQ(run.Finished.count(), 1);

  // Idle again: the next compile starts.
  setup.WriteTools();
  ASSERT_TRUE(run.Start(setup));
  ASSERT_TRUE(WaitUntil([&] { return run.Finished.count() == 2; }, 20000));
  EXPECT_TRUE(run.Finished.value(1).value(0).toBool());
}

TEST(CompileRun, DestroyingTheControllerEndsTheToolAndReportsNothing) {
  FakeSetup setup;
  setup.WriteTools({}, {nullptr, fake::kSleep});
  QObject receiver;
  int finished = 0;
  auto controller = std::make_unique<CompileController>();
  QObject::connect(controller.get(), &CompileController::Finished, &receiver, [&] { ++finished; });
  ASSERT_TRUE(controller->Start(setup.AppDir, setup.ToolDir, setup.HLDir));
  ASSERT_TRUE(WaitUntil([&] { return setup.SleepPid() > 0; }));
  controller.reset();
  QTest::qWait(200);
  EXPECT_EQ(finished, 0);
  EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(setup.SleepPid()); }, 3000));
}

TEST(CompileRun, AReceiverDestroyedDuringTheRunIsNotReached) {
  FakeSetup setup;
  setup.WriteTools();
  CompileRunner run;
  auto receiver = std::make_unique<QObject>();
  int reached = 0;
  QObject::connect(&run.Controller, &CompileController::Finished, receiver.get(), [&] { ++reached; });
  QObject::connect(&run.Controller, &CompileController::Output, receiver.get(), [&] { ++reached; });
  ASSERT_TRUE(run.Start(setup));
  const int before = reached;
  receiver.reset();
  ASSERT_TRUE(run.Wait());
  EXPECT_TRUE(run.Ok());
  EXPECT_EQ(reached, before);
}

TEST(CompileRun, AReceiverMayDeleteTheControllerWhenItFinishes) {
  FakeSetup setup;
  setup.WriteTools();
  auto* controller = new CompileController;
  bool done = false;
  QObject::connect(controller, &CompileController::Finished, controller, [&](bool ok) {
    EXPECT_TRUE(ok);
    delete controller;
    done = true;
  });
  ASSERT_TRUE(controller->Start(setup.AppDir, setup.ToolDir, setup.HLDir));
  EXPECT_TRUE(WaitUntil([&] { return done; }, 20000));
}

}  // namespace

namespace {

// The Windows plan's shape on this system: the "interpreter" is sh running
// the batch file, which here is a shell script standing in for the batch.
CompilePlan BatchPlan(const FakeSetup& setup, const QByteArray& batch) {
  CompilePlan plan;
  plan.BatchPath = setup.ToolDir + "/quorvel.bat";
  plan.BatchText = QString::fromUtf8(batch);
  plan.Steps = {{"quorvel.bat", "/bin/sh", {"./quorvel.bat"}, setup.ToolDir}};
  plan.MapPath = setup.AppDir + "/quorvel.map";
  plan.BspPath = setup.AppDir + "/quorvel.bsp";
  plan.ErrPath = setup.AppDir + "/quorvel.err";
  plan.LinPath = setup.AppDir + "/quorvel.lin";
  plan.MapsDir = setup.MapsDir;
  plan.TargetPath = setup.MapsDir + "/quorvel.bsp";
  plan.MoveAfterSteps = false;
  return plan;
}

TEST(BatchRun, SuccessWhenTheBatchMovedTheLevelAndTheBatchFileIsDeleted) {
  FakeSetup setup("100% a&b");
  // Records that it ran in ToolDir, then does the tools' and the move's work.
  const QByteArray batch =
      "pwd -P > \"$QUORVEL_FAKE_LOG\"\n"
      "echo new > \"" + QFile::encodeName(setup.MapsDir) + "/quorvel.bsp\"\n";
  CompileRunner run;
  ASSERT_TRUE(run.Controller.StartPlan(BatchPlan(setup, batch)));
  EXPECT_TRUE(FileThere(setup.ToolDir + "/quorvel.bat"));
  ASSERT_TRUE(run.Wait());
  EXPECT_TRUE(run.Ok()) << run.Error().toStdString();
  EXPECT_EQ(ReadFile(setup.LogPath).trimmed(), setup.ToolDir);
  EXPECT_FALSE(FileThere(setup.ToolDir + "/quorvel.bat"));
  // The batch's text is shown before it runs.
  EXPECT_TRUE(run.Output.contains(QString::fromUtf8(batch)));
}

TEST(BatchRun, ABatchStoppedByAToolNamesItAndIsDeleted) {
  FakeSetup setup;
  WriteFile(setup.MapsDir + "/quorvel.bsp", "old\n");
  CompileRunner run;
  ASSERT_TRUE(run.Controller.StartPlan(BatchPlan(setup, "exit 13\n")));
  ASSERT_TRUE(run.Wait());
  EXPECT_FALSE(run.Ok());
  EXPECT_EQ(run.Status(), "Compile failed: vis.exe");
  EXPECT_TRUE(run.Error().contains("vis.exe failed, so quorvel.bat stopped there (exit status 13)"))
      << run.Error().toStdString();
  EXPECT_FALSE(FileThere(setup.ToolDir + "/quorvel.bat"));
  EXPECT_EQ(ReadFile(setup.MapsDir + "/quorvel.bsp"), "old\n");
}

TEST(BatchRun, AFailedMoveIsReported) {
  FakeSetup setup;
  const QByteArray batch = "echo new > \"" + QFile::encodeName(setup.AppDir) + "/quorvel.bsp\"\nexit 1\n";
  CompileRunner run;
  ASSERT_TRUE(run.Controller.StartPlan(BatchPlan(setup, batch)));
  ASSERT_TRUE(run.Wait());
  EXPECT_FALSE(run.Ok());
  EXPECT_EQ(run.Status(), "Compile failed: quorvel.bat");
  EXPECT_TRUE(run.Error().contains("quorvel.bat failed with exit status 1. The move of " + setup.AppDir +
                                   "/quorvel.bsp into the maps folder " + setup.MapsDir + " failed."))
      << run.Error().toStdString();
  EXPECT_FALSE(FileThere(setup.ToolDir + "/quorvel.bat"));

  // Status 0 but the level still beside the map: the move did not happen.
  CompileRunner second;
  ASSERT_TRUE(second.Controller.StartPlan(BatchPlan(setup, batch.left(batch.indexOf("exit")))));
  ASSERT_TRUE(second.Wait());
  EXPECT_FALSE(second.Ok());
  EXPECT_TRUE(second.Error().contains("did not reach the maps folder " + setup.MapsDir)) << second.Error().toStdString();
}

TEST(BatchRun, ABatchFileThatCannotBeWrittenIsReportedAndNothingRuns) {
  FakeSetup setup;
  CompilePlan plan = BatchPlan(setup, "pwd > \"$QUORVEL_FAKE_LOG\"\n");
  plan.BatchPath = setup.ToolDir + "/no such folder/quorvel.bat";
  CompileRunner run;
  EXPECT_FALSE(run.Controller.StartPlan(plan));
  ASSERT_EQ(run.Finished.count(), 1);
  EXPECT_FALSE(run.Ok());
  EXPECT_TRUE(run.Error().startsWith("Cannot write the batch file " + plan.BatchPath + ": "))
      << run.Error().toStdString();
  EXPECT_GT(run.Error().size(), QString("Cannot write the batch file " + plan.BatchPath + ": ").size());
  EXPECT_FALSE(FileThere(setup.LogPath));
}

TEST(BatchRun, StopDeletesTheBatchFile) {
  FakeSetup setup;
  CompileRunner run;
  ASSERT_TRUE(run.Controller.StartPlan(BatchPlan(setup, "echo $$ > \"$QUORVEL_FAKE_LOG.sleep\"\nsleep 30\n")));
  ASSERT_TRUE(WaitUntil([&] { return setup.SleepPid() > 0; }));
  run.Controller.Stop();
  EXPECT_EQ(run.Status(), "Compile stopped");
  EXPECT_FALSE(FileThere(setup.ToolDir + "/quorvel.bat"));
}

}  // namespace
