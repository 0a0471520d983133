// What the command line refuses before it writes, and what it does when
// standard output or another writer gets in the way.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include "RunCommand.h"
#include "TestFiles.h"

namespace fs = std::filesystem;
using namespace testing_support;

namespace {

// The real program with standard output on fd, SIGPIPE ignored, standard
// error into the file "err".
Outcome WithStandardOutput(std::vector<std::string> args, int fd) {
  const pid_t child = fork();
  if (child == 0) {
    dup2(fd, 1);
    dup2(open("err", O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<char*> argv{const_cast<char*>(QUORVEL_CLI)};
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", ReadFile("err")};
}

class CliSafety : public ::testing::Test {
 protected:
  TempDir Dir;
  ChangeDirectory In{Dir.Path};
};

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
  EXPECT_EQ(ReadFile("level.map"), "old");
  EXPECT_FALSE(fs::exists("new.map"));
}

TEST_F(CliSafety, AGameFolderTheLevelCannotCarryIsAUsageError) {
  // (The Setup checks try the semicolon and the carriage return.)
  const std::pair<const char*, const char*> cases[] = {
      {"/x\" \"light\" \"9999", "double quote"},
      {"/games\n/hl", "line feed"},
      {"/games\thl", "control character 0x09"}};
  for (const auto& [gameDir, named] : cases) {
    SCOPED_TRACE(named);
    const Outcome run = RunCommand({"--game-dir", gameDir});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(Contains(run.Err, "--game-dir")) << run.Err;
    EXPECT_TRUE(Contains(run.Err, named)) << run.Err;
  }
  EXPECT_TRUE(fs::is_empty(Dir.Path));
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
