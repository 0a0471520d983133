// What the command line refuses before it writes, what it does when
// standard output or another writer gets in the way, and how it ends on a
// signal during a compile.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include "FakeTools.h"
#include "RunCommand.h"

namespace fs = std::filesystem;
using namespace testing_support;

namespace {

// Starts the real program as a shell would, with standard output on out
// (closed for -1) and standard error on err, but SIGPIPE ignored.
pid_t StartCli(std::vector<std::string> args, int out, int err) {
  const pid_t child = fork();
  if (child == 0) {
    dup2(err, 2);
    if (out < 0) close(1); else dup2(out, 1);
    std::signal(SIGPIPE, SIG_IGN);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
    std::vector<char*> argv{const_cast<char*>(QUORVEL_CLI)};
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return child;
}

// Its exit status and standard error, which goes to err or else to the file "err".
Outcome WithStandardOutput(std::vector<std::string> args, int out, int err = -1) {
  const int file = open("err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const pid_t child = StartCli(std::move(args), out, err >= 0 ? err : file);
  close(file);
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", ReadFile("err")};
}

class CliSafety : public ::testing::Test {
 protected:
  TempDir Dir;
  ChangeDirectory In{Dir.Path};
};


// quorvel-cli compiling with the fake tools, its messages in the file
// cli.err. The tools run in process groups of their own, which a terminal's
// Ctrl+C does not reach.
pid_t StartCompile(const FakeCompile& fake) {
  const int err = open(fake.Root.File("cli.err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const pid_t cli = StartCli({"--compile", "--tools", fake.ToolDir, "--game-dir", fake.HLDir, "--output",
                              fake.AppDir + "/quorvel.map", "--quiet"}, 1, err);
  close(err);
  return cli;
}

// Ctrl+C, SIGTERM or SIGHUP: the tool and what it started end, then the
// program ends by the same signal.
TEST(CliSignals, StopTheToolsThenEndTheProgramBySignal) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    FakeCompile fake;
    fake.Tool("hlcsg", fake::kHang);
    const pid_t cli = StartCompile(fake);
    const std::string child = WaitForLine(fake.ToolDir + "/child.pid");
    ASSERT_FALSE(child.empty());
    kill(cli, signal);
    int status = 0;
    ASSERT_EQ(waitpid(cli, &status, 0), cli);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_TRUE(ProcessEnds(child));
    EXPECT_EQ(fake.Ran(), "hlcsg\n");
    EXPECT_TRUE(Contains(ReadFile(fake.Root.File("cli.err")), "Compile stopped"));
  }
}

#ifdef __linux__
// Killed outright, it leaves no tool running.
TEST(CliSignals, AKilledProgramTakesItsToolAlong) {
  FakeCompile fake;
  fake.Tool("hlcsg", "echo $$ > tool.pid; exec sleep 60");
  const pid_t cli = StartCompile(fake);
  const std::string tool = WaitForLine(fake.ToolDir + "/tool.pid");
  ASSERT_FALSE(tool.empty());
  kill(cli, SIGKILL);
  waitpid(cli, nullptr, 0);
  EXPECT_TRUE(ProcessEnds(tool));
}
#endif

}  // namespace

TEST_F(CliSafety, AFailedStandardOutputExitsWith1WithTheReason) {
  // A pipe nobody reads; and, for root, a "full" device made here.
  int broken[2];
  ASSERT_EQ(pipe(broken), 0);
  close(broken[0]);
  const bool full = mknod("full", S_IFCHR | 0666, makedev(1, 7)) == 0;
  if (!full) std::printf("[  SKIPPED ] the full device cases: mknod needs root\n");
  const int fullFd = full ? open("full", O_WRONLY) : -1;
  const std::vector<std::string> cases[] = {
      {"--help"},
      {"--version"},
      {"--seed", "5", "--output", "-"},
      {"--seed", "5", "--output", "level.map", "--grid", "-"},
  };
  for (const auto& args : cases) {
    for (const auto& [fd, reason] : {std::pair{broken[1], "Broken pipe"}, {fullFd, "No space"}}) {
      if (fd < 0) continue;
      SCOPED_TRACE(args.back() + " " + reason);
      const Outcome run = WithStandardOutput(args, fd);
      EXPECT_EQ(run.Status, 1) << run.Err;
      EXPECT_TRUE(Contains(run.Err, "to standard output: " + std::string(reason))) << run.Err;
    }
  }
  close(broken[1]);
  close(fullFd);
}

TEST_F(CliSafety, StandardOutputAndErrorNamedAsFilesAreWrittenThroughAndAppendedTo) {
  // "out" and "err" lead where /dev/stdout and /dev/stderr do, to the
  // program's own descriptors 1 and 2; redirected with ">>" they append.
  fs::create_symlink("/proc/self/fd/1", "out");
  fs::create_symlink("/proc/self/fd/2", "err.link");
  WriteFile("log.txt", "old\n");
  WriteFile("err.log", "old\n");
  const int log = open("log.txt", O_WRONLY | O_APPEND), errLog = open("err.log", O_WRONLY | O_APPEND);
  const Outcome level = WithStandardOutput({"--seed", "1", "--quiet", "--output", "out"}, log);
  const Outcome grid = WithStandardOutput({"--seed", "1", "--quiet", "--output", "-", "--grid", "err.link"}, log, errLog);
  EXPECT_EQ(level.Status, 0) << level.Err;
  EXPECT_EQ(grid.Status, 0);
  const std::string map = RunCommand({"--seed", "1", "--output", "-"}).Out;
  EXPECT_EQ(ReadFile("log.txt"), "old\n" + map + map);
  EXPECT_EQ(ReadFile("err.log"), "old\nSeed:          1\n" + RunCommand({"--seed", "1", "--grid", "-", "--output", "x.map"}).Out);
  close(log);
  close(errLog);

  const Outcome closed = WithStandardOutput({"--seed", "1", "--output", "out"}, -1);
  EXPECT_EQ(closed.Status, 1);
  EXPECT_TRUE(Contains(closed.Err, "cannot write the level to 'out': it names standard output, which is not open"))
      << closed.Err;
}

TEST_F(CliSafety, OutputAndGridNamingOneFileIsAUsageError) {
  WriteFile("level.map", "old");
  fs::create_directory("sub");
  fs::create_hard_link("level.map", "hard.map");
  fs::create_symlink("level.map", "soft.map");
  const std::pair<const char*, const char*> cases[] = {
      {"level.map", "level.map"}, {"level.map", "./level.map"}, {"sub/../level.map", "level.map"},
      {"hard.map", "level.map"},  {"soft.map", "level.map"},    {"new.map", "sub/../new.map"},
  };
  for (const auto& [output, grid] : cases) {
    SCOPED_TRACE(std::string(output) + " " + grid);
    const Outcome run = RunCommand({"--output", output, "--grid", grid});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(Contains(run.Err, "--output and --grid name the same file")) << run.Err;
  }
  const Outcome picture = RunCommand({"--output", "x.map", "--grid", "level.map", "--preview", "./level.map"});
  EXPECT_EQ(picture.Status, 2);
  EXPECT_TRUE(Contains(picture.Err, "--grid and --preview name the same file './level.map': the picture would "
                                    "replace the preview"))
      << picture.Err;
  EXPECT_EQ(ReadFile("level.map"), "old");
  EXPECT_FALSE(fs::exists("new.map"));

  // A file written through (here an open descriptor, as /dev/stdout is)
  // takes both: nothing is replaced.
  const int fd = open("both.txt", O_WRONLY | O_CREAT | O_APPEND, 0644);
  fs::create_symlink("/proc/self/fd/" + std::to_string(fd), "through");
  const Outcome both = RunCommand({"--seed", "2", "--output", "through", "--grid", "through"});
  close(fd);
  EXPECT_EQ(both.Status, 0) << both.Err;
  EXPECT_EQ(ReadFile("both.txt"),
            RunCommand({"--seed", "2", "--output", "-"}).Out + RunCommand({"--seed", "2", "--grid", "-"}).Out);
}

TEST_F(CliSafety, ParallelRunsToOnePathLeaveOneCompleteLevel) {
  const int writers = 50;
  std::vector<std::string> levels;
  for (int seed = 0; seed < writers; ++seed)
    levels.push_back(RunCommand({"--seed", std::to_string(seed), "--output", "-"}).Out);
  const std::string path = Dir.File("quorvel.map");
  for (int round = 0; round < 20; ++round) {
    std::vector<std::thread> threads;
    for (int seed = 0; seed < writers; ++seed)
      threads.emplace_back([&, seed] {
        RunCommand({"--seed", std::to_string(seed), "--output", path, "--quiet"});
      });
    for (std::thread& thread : threads) thread.join();
    SCOPED_TRACE(round);
    ASSERT_NE(std::find(levels.begin(), levels.end(), ReadFile(path)), levels.end());
    ASSERT_EQ(Entries(Dir.Path).size(), 1u);
  }
}
