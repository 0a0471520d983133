// The real quorvel-cli, ended while a compile tool runs: the tools run in
// process groups of their own, which a terminal's Ctrl+C does not reach.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "FakeTools.h"

using namespace testing_support;

namespace {

// Starts quorvel-cli compiling with the fake tools, as a shell would: the
// stop signals at their defaults. Its messages go to the file cli.err.
pid_t StartCompile(const FakeCompile& fake) {
  std::vector<std::string> args = {QUORVEL_CLI,  "--compile", "--tools", fake.ToolDir, "--game-dir",
                                   fake.HLDir,   "--output",  fake.AppDir + "/quorvel.map", "--quiet"};
  const std::string err = fake.Root.File("cli.err");
  const pid_t child = fork();
  if (child == 0) {
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return child;
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
