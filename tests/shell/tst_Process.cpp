#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "FakeTools.h"
#include "platform/Platform.h"
#include "platform/Process.h"

using namespace testing_support;
using platform::Process;
using platform::ProcessExit;
namespace fs = std::filesystem;

namespace {

// Runs a shell command line to its end; its output in *output.
ProcessExit RunScript(const TempDir& dir, const std::string& body, std::string* output = nullptr) {
  WriteScript(dir.File("tool"), body);
  auto captured = std::make_shared<std::string>();
  auto process = Process::Start({dir.File("tool"), {}, dir.Str()},
                                {[captured](std::string_view text) { *captured += text; }, nullptr});
  const ProcessExit exit = process->Wait();
  process.reset();
  if (output) *output = *captured;
  return exit;
}

TEST(Process, ReportsExitStatusOutputCrashAndStartFailure) {
  TempDir dir;
  std::string output;
  ProcessExit exit = RunScript(dir, "echo out; echo err >&2; pwd; exit 7", &output);
  EXPECT_EQ(exit.How, ProcessExit::Kind::Exited);
  EXPECT_EQ(exit.Status, 7);
  EXPECT_EQ(output, "out\nerr\n" + dir.Str() + "\n");
  EXPECT_EQ(RunScript(dir, "kill -SEGV $$").How, ProcessExit::Kind::Crashed);
  // An endless line is cut; what follows it is kept.
  RunScript(dir, "head -c 3000000 /dev/zero | tr '\\0' x; echo; echo done", &output);
  EXPECT_EQ(output, std::string(Process::kMaxLineBytes, 'x') + std::string(Process::kCutMark) + "\ndone\n");
  exit = Process::Start({dir.File("missing"), {}, dir.Str()}, {})->Wait();
  EXPECT_EQ(exit.How, ProcessExit::Kind::FailedToStart);
  EXPECT_FALSE(exit.Error.empty());
  exit = Process::Start({dir.File("tool"), {}, dir.File("no folder")}, {})->Wait();
  EXPECT_EQ(exit.How, ProcessExit::Kind::FailedToStart);
  EXPECT_TRUE(Contains(exit.Error, dir.File("no folder")));
}

// Output arrives while the tool runs; Stop ends it and what it started,
// soon, even when it ignores the polite request.
TEST(Process, StreamsOutputAndStopEndsWhatTheToolStarted) {
  TempDir dir;
  // Started in the current folder (no folder given), so the pid goes by path.
  WriteScript(dir.File("tool"), "trap '' TERM; echo first; sleep 60 & echo $! > '" + dir.File("child.pid") + "'; wait");
  auto firstOutput = std::make_shared<std::promise<void>>();
  auto process = Process::Start({dir.File("tool"), {}, ""},
                                {[firstOutput, seen = false](std::string_view) mutable {
                                   if (!seen) firstOutput->set_value();
                                   seen = true;
                                 },
                                 nullptr});
  EXPECT_EQ(firstOutput->get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  const std::string child = WaitForLine(dir.File("child.pid"));
  ASSERT_FALSE(child.empty());
  const auto start = std::chrono::steady_clock::now();
  process->Stop();
  EXPECT_EQ(process->Wait().How, ProcessExit::Kind::Stopped);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(ProcessEnds(child));
}

TEST(LineLimiter, CountsALineAcrossPieces) {
  platform::LineLimiter limiter(4);
  EXPECT_EQ(limiter.Filter("ab"), "ab");
  EXPECT_EQ(limiter.Filter("cdef\rgh"), "cd" + std::string(Process::kCutMark) + "\rgh");
  EXPECT_EQ(limiter.Filter("ijk\n"), "ij" + std::string(Process::kCutMark) + "\n");
}

// (The Steam launch tests start programs this way in their folders.)
TEST(StartDetached, SaysWhyAProgramDidNotStart) {
  TempDir dir;
  const Result<> failed = platform::StartDetached({dir.File("missing"), {}, dir.Str()});
  ASSERT_FALSE(failed.Ok());
  EXPECT_TRUE(Contains(failed.Error(), dir.File("missing")) && Contains(failed.Error(), dir.Str()));
}

// (The compile plan and the game start try files that cannot be run.)
TEST(PlatformFiles, MoveReplacesAnOlderFileEvenOnAnotherFileSystemOrSaysWhyNot) {
  TempDir source;
  EXPECT_FALSE(platform::IsExecutable(source.Str()));  // searchable, but not a program
  const std::string from = source.File("a b;$x.bsp");
  const std::string bytes(300000, 'b');  // more than one copy buffer
  WriteFile(from, bytes);
  EXPECT_FALSE(platform::MoveFileTo(from, source.File("no such folder/quorvel.bsp")).Error().empty());
  EXPECT_EQ(ReadFile(from), bytes);
  for (const fs::path& target : {source.Path / "maps", fs::path("/dev/shm/quorvel-move-test")}) {
    if (!fs::exists(target.parent_path())) continue;
    fs::create_directories(target);
    WriteFile(from, bytes);
    WriteFile(target / "quorvel.bsp", "old");
    const Result<> moved = platform::MoveFileTo(from, (target / "quorvel.bsp").string());
    EXPECT_TRUE(moved) << moved.Error();
    EXPECT_FALSE(fs::exists(from));
    EXPECT_EQ(ReadFile(target / "quorvel.bsp"), bytes);
    EXPECT_EQ(Entries(target).size(), 1u);  // nothing left over
    fs::remove_all(target);
  }
}

}  // namespace
