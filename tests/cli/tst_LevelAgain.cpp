// The level made again from its command line, and its picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "RunCommand.h"
#include "TestFiles.h"
#include "shell/CommandLine.h"
#include "shell/GenerateMap.h"
#include "shell/LevelOptions.h"

using namespace testing_support;

namespace {

// The arguments the user's shell makes of a command line (the program name
// left out): each printed on a line of its own by printf.
std::vector<std::string> ShellWords(const std::string& commandLine) {
  const std::string script = "printf '%s\\n' " + commandLine.substr(commandLine.find(' ') + 1);
  std::unique_ptr<FILE, int (*)(FILE*)> run(popen(script.c_str(), "r"), pclose);
  std::string text;
  for (int c; (c = fgetc(run.get())) != EOF;) text += static_cast<char>(c);
  std::vector<std::string> words;
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    words.push_back(text.substr(at, end - at));
  return words;
}

TEST(LevelAgain, TheCopiedCommandLineWritesTheSameBytes) {
  TempDir dir;
  shell::GenerateRequest request;
  request.Options = {0, 2, 0, 2, 0, 1};
  request.GameDir = dir.Str() + "/Half-Life's $HOME (1) \\folder";
  request.Seed = 3141592653u;
  const auto made = shell::GenerateLevel(request);
  ASSERT_TRUE(made.Ok()) << made.Error();
  const std::vector<std::string> again = shell::ArgumentsFor(request.Options, made->Seed, request.GameDir);
  const std::string line = shell::CommandLineText("quorvel-cli", again);
  EXPECT_EQ(line.rfind("quorvel-cli --dimension very-small ", 0), 0u) << line;
  std::vector<std::string> args = ShellWords(line);
  EXPECT_EQ(args, again);
  args.insert(args.end(), {"--output", dir.File("again.map")});
  ASSERT_EQ(RunCommand(args).Status, 0);
  EXPECT_EQ(ReadFile(dir.File("again.map")), made->MapText);
}

TEST(LevelAgain, PreviewWritesOneSvgPictureWithItsLegend) {
  TempDir dir;
  ChangeDirectory cd(dir.Path);
  const Outcome run = RunCommand({"--seed", "5", "--friends", "2", "--preview", "level.svg"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::string svg = ReadFile(dir.File("level.svg"));
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
  for (const char* text : {">Seed 5</text>", "Friends 2</text>"})
    EXPECT_TRUE(Contains(svg, text)) << text;
  EXPECT_TRUE(Contains(run.Err, "Picture:       level.svg")) << run.Err;
  const Outcome same = RunCommand({"--output", "x.map", "--preview", "./x.map"});
  EXPECT_EQ(same.Status, 2);
  EXPECT_TRUE(Contains(same.Err, "--output and --preview name the same file")) << same.Err;
}

}  // namespace
