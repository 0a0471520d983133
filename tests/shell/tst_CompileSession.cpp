#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <thread>

#include "FakeTools.h"
#include "shell/CompileSession.h"

using namespace testing_support;
using shell::CompileOutcome;

namespace {

// A session whose reports are posted to a queue that the test thread runs,
// as a window's event loop would.
class Compile {
 public:
  explicit Compile(const FakeCompile& setup) : Setup(setup) {
    shell::CompileSession::Callbacks calls;
    calls.Output = [this](const std::string& text) { Check(), Output += text; };
    calls.StepStarted = [this](std::size_t index, std::size_t count, const std::string& name) {
      Check(), Steps += std::to_string(index + 1) + "/" + std::to_string(count) + " " + name + "\n";
    };
    calls.Finished = [this](const CompileOutcome& outcome) { Check(), Outcome = outcome, ++Finished; };
    Session = std::make_unique<shell::CompileSession>(
        [this](std::function<void()> call) {
          std::lock_guard<std::mutex> lock(Mutex);
          Queue.push_back(std::move(call));
          Posted.notify_one();
        },
        std::move(calls));
  }
  bool Start() { return Session->Start(shell::CompileDirs{Setup.AppDir, Setup.ToolDir, Setup.HLDir}); }
  CompileOutcome Run() {
    Finished = 0;
    EXPECT_TRUE(Start());
    return Wait();
  }

  // Runs the posted calls until the outcome came (or a minute passed).
  CompileOutcome Wait() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (Finished == 0 && std::chrono::steady_clock::now() < end) RunPosted(std::chrono::milliseconds(100));
    EXPECT_EQ(Finished, 1);
    return Outcome;
  }
  void RunPosted(std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(Mutex);
    Posted.wait_for(lock, wait, [this] { return !Queue.empty(); });
    std::deque<std::function<void()>> calls;
    calls.swap(Queue);
    lock.unlock();
    for (auto& call : calls) call();
  }

  const FakeCompile& Setup;
  std::mutex Mutex;
  std::condition_variable Posted;
  std::deque<std::function<void()>> Queue;
  std::string Output, Steps;
  CompileOutcome Outcome;
  int Finished = 0;
  std::unique_ptr<shell::CompileSession> Session;

 private:
  void Check() { EXPECT_EQ(std::this_thread::get_id(), Owner) << "a report off the owner's thread"; }
  std::thread::id Owner = std::this_thread::get_id();
};

class CompileSession : public ::testing::Test {
 protected:
  FakeCompile Fake;
  Compile Job{Fake};
};

TEST_F(CompileSession, CompilesAndMovesTheLevelIntoTheGame) {
  // Left by an earlier run: taken for this run's results if kept.
  for (const char* stale : {"/quorvel.err", "/quorvel.lin", "/quorvel.bsp"}) WriteFile(Fake.AppDir + stale, "old");
  Fake.Tool("hlvis", "echo 'vis says hello'");
  const CompileOutcome outcome = Job.Run();
  EXPECT_TRUE(outcome.Ok) << outcome.ErrorText;
  EXPECT_EQ(Fake.Ran(), "hlcsg\nhlbsp\nhlvis\nhlrad\n");
  EXPECT_EQ(Job.Steps, "1/4 hlcsg\n2/4 hlbsp\n3/4 hlvis\n4/4 hlrad\n");
  EXPECT_EQ(ReadFile(Fake.MapsDir + "/quorvel.bsp"), "level\n");
  EXPECT_FALSE(std::filesystem::exists(Fake.AppDir + "/quorvel.bsp"));
  EXPECT_TRUE(Contains(Job.Output, "-threads")) << Job.Output;
  EXPECT_TRUE(Contains(Job.Output, "vis says hello\n")) << Job.Output;
  EXPECT_FALSE(Job.Session->Running());
}

TEST_F(CompileSession, NamesTheFailedToolAndRunsNoneAfterIt) {
  Fake.Tool("hlvis", fake::kFail);
  const CompileOutcome outcome = Job.Run();
  EXPECT_FALSE(outcome.Ok);
  EXPECT_EQ(outcome.StatusText, "Compile failed: hlvis");
  EXPECT_EQ(outcome.ErrorText, "hlvis failed with exit status 3.\n\nhlvis said:\nError: no way through\n\nThe errors are in " +
                                   Fake.AppDir + "/quorvel.err.");
  EXPECT_EQ(Fake.Ran(), "hlcsg\nhlbsp\nhlvis\n");
  EXPECT_FALSE(std::filesystem::exists(Fake.MapsDir + "/quorvel.bsp"));
}

TEST_F(CompileSession, ReportsLeaksCrashesAndTooManyEntities) {
  struct Case {
    const char* Tool;
    std::string Body, Status, Error;
  };
  for (const Case& c : {
           Case{"hlbsp", fake::kLeak, "Compile failed: the level leaks", "pointfile"},
           Case{"hlcsg", fake::kCrash, "Compile failed: hlcsg", "hlcsg crashed (signal 11)."},
           Case{"hlcsg", "echo 'Error: num_entities == MAX_MAP_ENTITIES'; exit 1", "Compile failed: hlcsg",
                "more entities than the tool can take"},
       }) {
    FakeCompile setup;
    setup.Tool(c.Tool, c.Body);
    Compile compile(setup);
    const CompileOutcome outcome = compile.Run();
    EXPECT_EQ(outcome.StatusText, c.Status);
    EXPECT_TRUE(Contains(outcome.ErrorText, c.Error)) << outcome.ErrorText;
  }
}

TEST_F(CompileSession, ChecksTheFoldersFirst) {
  std::filesystem::remove_all(Fake.HLDir);
  EXPECT_EQ(Job.Run().StatusText, "Game maps folder not found");
  std::filesystem::remove(Fake.AppDir + "/quorvel.map");
  EXPECT_TRUE(Contains(Job.Run().ErrorText, "Press \"Generate .map\" first."));
  EXPECT_EQ(Fake.Ran(), "");
}

TEST_F(CompileSession, StopEndsTheToolAndWhatItStarted) {
  Fake.Tool("hlbsp", fake::kHang);
  ASSERT_TRUE(Job.Start());
  const std::string child = WaitForLine(Fake.ToolDir + "/child.pid");
  ASSERT_FALSE(child.empty());
  EXPECT_FALSE(Job.Start());
  Job.Session->Stop();
  const CompileOutcome outcome = Job.Wait();
  EXPECT_TRUE(outcome.Stopped);
  EXPECT_EQ(outcome.StatusText, "Compile stopped");
  EXPECT_TRUE(ProcessEnds(child));
  EXPECT_EQ(Fake.Ran(), "hlcsg\nhlbsp\n");
}

TEST_F(CompileSession, ReportsNothingOnceDestroyed) {
  Fake.Tool("hlcsg", fake::kHang);
  ASSERT_TRUE(Job.Start());
  const std::string child = WaitForLine(Fake.ToolDir + "/child.pid");
  Job.Session.reset();
  EXPECT_TRUE(ProcessEnds(child));
  Job.Output.clear();
  Job.RunPosted(std::chrono::milliseconds(200));  // what was posted before the end
  EXPECT_EQ(Job.Finished, 0);
  EXPECT_EQ(Job.Output, "");
}

// (The window tests see the step counted from one, under a minute.)
TEST_F(CompileSession, StepTextShowsHours) {
  EXPECT_EQ(shell::CompileStepText("hlrad", 3, 4, std::chrono::seconds(3723)), "hlrad: step 4 of 4, 1:02:03");
}

// The Windows plan through a stand-in interpreter that keeps the batch file
// and ends as the batch would when its third tool failed.
TEST_F(CompileSession, WindowsBatchNamesTheToolThatStoppedIt) {
  for (const char* name : {"sdHLCSG.exe", "hlbsp.exe", "vis.exe", "qrad.exe"}) WriteFile(Fake.ToolDir + "/" + name, "");
  const std::string interpreter = Fake.Root.File("cmd");
  // Prints what the batch's echo lines would, up to the third tool.
  WriteScript(interpreter, "cp quorvel.bat ../ran.bat; grep '^echo' quorvel.bat | head -3 | cut -c6-; exit 13");
  auto plan = shell::MakeWindowsPlan({Fake.AppDir, Fake.ToolDir, Fake.HLDir}, interpreter);
  ASSERT_TRUE(plan.Ok()) << plan.Error();
  ASSERT_TRUE(Job.Session->Start(*plan));
  const CompileOutcome outcome = Job.Wait();
  EXPECT_EQ(outcome.FailedStep, "vis.exe");
  EXPECT_EQ(Job.Steps, "1/4 sdHLCSG.exe\n2/4 hlbsp.exe\n3/4 vis.exe\n");
  EXPECT_EQ(outcome.ErrorText, "vis.exe failed, so quorvel.bat stopped there (exit status 13).");
  EXPECT_EQ(ReadFile(Fake.Root.File("ran.bat")), plan->BatchText);
  EXPECT_FALSE(std::filesystem::exists(plan->BatchPath));  // deleted after every run
  WriteScript(interpreter, "exit 0");  // the move did nothing
  Job.Finished = 0;
  ASSERT_TRUE(Job.Session->Start(*plan));
  EXPECT_TRUE(Contains(Job.Wait().ErrorText, "the move in " + plan->BatchPath + " failed"));
}

}  // namespace
