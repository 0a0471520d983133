#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <set>
#include <thread>

#include "FakeTools.h"
#include "shell/CompileSession.h"

using namespace testing_support;
using shell::CompileOutcome;

namespace {

// A session whose reports are posted to a queue that the test thread runs,
// as a window's event loop would. The log's updates are shown as a view
// would: Shown holds its lines.
class Compile {
 public:
  // raw: the tools' bytes are posted too, piece by piece, as for the command line.
  explicit Compile(const FakeCompile& setup, bool raw = true) : Setup(setup) {
    shell::CompileSession::Callbacks calls;
    if (raw) calls.Output = [this](const std::string& text) { Check(), Output += text; };
    calls.Log = [this](const shell::CompileLogUpdate& update) {
      Check();
      if (update.Reset) Shown.clear();
      if (!Shown.empty()) Shown.pop_back();  // the unfinished line
      Shown.insert(Shown.end(), update.Lines.begin(), update.Lines.end());
      Shown.push_back(update.Current);
      if (Shown.size() > update.Held + 1) Shown.erase(Shown.begin(), Shown.end() - update.Held - 1);
      ++Updates;
    };
    calls.StepStarted = [this](std::size_t index, std::size_t count, const std::string& name) {
      Check(), Steps += std::to_string(index + 1) + "/" + std::to_string(count) + " " + name + "\n";
    };
    calls.Finished = [this](const CompileOutcome& outcome) {
      Check(), Outcome = outcome, ++Finished;
      EXPECT_EQ(Shown.back(), "") << "the log's last update came after Finished";
    };
    Session = std::make_unique<shell::CompileSession>(
        [this](std::function<void()> call) {
          std::lock_guard<std::mutex> lock(Mutex);
          Queue.push_back(std::move(call));
          Posted.notify_one();
        },
        std::move(calls));
  }
  bool Start() { return Session->Start(shell::LevelTarget{"quorvel", Setup.AppDir, Setup.ToolDir, Setup.HLDir}); }
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
  std::vector<std::string> Shown;
  int Updates = 0;
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

// Like ZHLT's hlbsp, which leaves empty pointfiles after every compile. Of
// the files beside the map only those the tools make go, and one that cannot
// go is named without failing the compile.
TEST_F(CompileSession, CompilesAndMovesTheLevelIntoTheGame) {
  // Left by an earlier run: taken for this run's results if kept.
  for (const char* stale : {"/quorvel.err", "/quorvel.lin", "/quorvel.bsp"}) WriteFile(Fake.AppDir + stale, "old");
  for (const char* mine : {"/quorvel.svg", "/quorvel.txt", "/quorvel.exe", "/quorvel.p1/notes"}) {
    std::filesystem::create_directories(std::filesystem::path(Fake.AppDir + mine).parent_path());
    WriteFile(Fake.AppDir + mine, "mine");
  }
  Fake.Tool("hlbsp", fake::kWriteBsp + "; for e in lin pts p0 p2 p3 prt wic ext wa_ hsz b0 pln log; do : > \"$3.$e\"; done");
  Fake.Tool("hlvis", "echo 'vis says hello'");
  const CompileOutcome outcome = Job.Run();
  EXPECT_TRUE(outcome.Ok) << outcome.ErrorText;
  EXPECT_EQ(Fake.Ran(), "hlcsg\nhlbsp\nhlvis\nhlrad\n");
  EXPECT_EQ(Job.Steps, "1/4 hlcsg\n2/4 hlbsp\n3/4 hlvis\n4/4 hlrad\n");
  EXPECT_EQ(ReadFile(Fake.MapsDir + "/quorvel.bsp"), "level\n");
  EXPECT_EQ(Entries(Fake.AppDir), (std::set<std::string>{"quorvel.exe", "quorvel.log", "quorvel.map", "quorvel.p1",
                                                         "quorvel.svg", "quorvel.txt"}));
  EXPECT_TRUE(Contains(Job.Output, "Not removed: " + Fake.AppDir + "/quorvel.p1: a folder, left alone\n")) << Job.Output;
  EXPECT_TRUE(Contains(Job.Output, "-threads")) << Job.Output;
  EXPECT_TRUE(Contains(Job.Output, "vis says hello\n")) << Job.Output;
  EXPECT_NE(std::find(Job.Shown.begin(), Job.Shown.end(), "vis says hello"), Job.Shown.end());
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
           // SDHLT's hlbsp may crash after its leak line, before the pointfile.
           Case{"hlbsp", "echo 'Warning: === LEAK in hull 0 ==='; kill -ABRT $$", "Compile failed: the level leaks",
                "stopped at hlbsp"},
           // An empty pointfile is no leak.
           Case{"hlvis", ": > \"$3.lin\"; " + fake::kFail, "Compile failed: hlvis", "hlvis failed with exit status 3"},
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

// However fast a tool prints, the owner gets at most one log update waiting
// at a time, a few a second, and the last before Finished.
TEST(CompileSessionLog, ComesInBoundedUpdatesWhateverTheToolPrints) {
  FakeCompile setup;
  setup.Tool("hlcsg", "timeout 1.5 yes 'a line' ; printf '\\nlast\\rline\\n'");
  Compile job(setup, false);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(job.Start());
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the owner is busy
  {
    std::lock_guard<std::mutex> lock(job.Mutex);
    EXPECT_LE(job.Queue.size(), 2u);  // the step's start and one update
  }
  EXPECT_TRUE(job.Wait().Ok);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LE(job.Updates, elapsed / shell::CompileSession::kLogInterval + 8);
  EXPECT_LE(job.Shown.size(), shell::CompileLog::kMaxLines + 1);
  EXPECT_NE(std::find(job.Shown.begin(), job.Shown.end(), "line"), job.Shown.end());
  EXPECT_EQ(std::find(job.Shown.begin(), job.Shown.end(), "last"), job.Shown.end());
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
// and ends as the batch would: with the status of the tool whose marker it
// printed last.
TEST_F(CompileSession, WindowsBatchNamesTheToolThatStoppedItWithItsStatus) {
  for (const char* name : {"sdHLCSG.exe", "hlbsp.exe", "vis.exe", "qrad.exe"}) WriteFile(Fake.ToolDir + "/" + name, "");
  const std::string interpreter = Fake.Root.File("cmd");
  // Prints what the batch's echo lines would, up to the third tool.
  WriteScript(interpreter, "cp quorvel.bat ../ran.bat; grep '^echo' quorvel.bat | head -3 | cut -c6-; exit 1");
  auto plan = shell::MakeWindowsPlan({"quorvel", Fake.AppDir, Fake.ToolDir, Fake.HLDir}, interpreter);
  ASSERT_TRUE(plan.Ok()) << plan.Error();
  ASSERT_TRUE(Job.Session->Start(*plan));
  CompileOutcome outcome = Job.Wait();
  EXPECT_EQ(outcome.FailedStep, "vis.exe");
  EXPECT_EQ(Job.Steps, "1/4 sdHLCSG.exe\n2/4 hlbsp.exe\n3/4 vis.exe\n");
  EXPECT_EQ(outcome.ErrorText, "vis.exe failed with exit status 1.");
  EXPECT_EQ(ReadFile(Fake.Root.File("ran.bat")), plan->BatchText);
  EXPECT_FALSE(std::filesystem::exists(plan->BatchPath));  // deleted after every run
  // Every marker printed, the move's last: the move failed.
  WriteScript(interpreter, "grep '^echo' quorvel.bat | cut -c6-; exit 1");
  Job.Finished = 0;
  ASSERT_TRUE(Job.Session->Start(*plan));
  outcome = Job.Wait();
  EXPECT_EQ(outcome.StatusText, "Cannot move the .bsp");
  EXPECT_TRUE(Contains(outcome.ErrorText, "The move of " + Fake.AppDir + "/quorvel.bsp into the maps folder"))
      << outcome.ErrorText;
  WriteScript(interpreter, "exit 0");  // the move did nothing
  Job.Finished = 0;
  ASSERT_TRUE(Job.Session->Start(*plan));
  EXPECT_TRUE(Contains(Job.Wait().ErrorText, "the move in " + plan->BatchPath + " failed"));
}

}  // namespace
