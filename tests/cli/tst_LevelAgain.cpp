// The level made again from its command line, and its picture. (A picture
// named like another file: tst_CliSafety.cpp.)
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

// The words the user's shell (bash) makes of a command line, the program's
// name included: each printed by printf, ended by a NUL byte.
std::vector<std::string> ShellWords(const std::string& commandLine) {
  TempDir dir;
  WriteFile(dir.File("line.sh"), "printf '%s\\0' " + commandLine + "\n");
  std::unique_ptr<FILE, int (*)(FILE*)> run(popen(("bash " + dir.File("line.sh")).c_str(), "r"), pclose);
  std::string text;
  for (int c; (c = fgetc(run.get())) != EOF;) text += static_cast<char>(c);
  std::vector<std::string> words;
  for (size_t at = 0, end; (end = text.find('\0', at)) != std::string::npos; at = end + 1)
    words.push_back(text.substr(at, end - at));
  return words;
}

// The copied command line and the compile output's command lines are quoted
// one way: every byte of every argument comes back through the shell.
TEST(LevelAgain, TheCopiedCommandLineWritesTheSameBytes) {
  std::vector<std::string> words = {"plain-word_1.map", "", "two words", "it's", "$HOME `x` \"q\" \\",
                                    "line\nbreak\ttab\x7f", "caf\xc3\xa9 \xe2\x82\xac", "~", "a*?[b]{c,d}!#&;|<>()"};
  for (int byte = 0x80; byte < 0x100; ++byte) words.back() += static_cast<char>(byte);  // no UTF-8 at all
  words.push_back("\xc0\xaf overlong, \xed\xa0\x80 surrogate, \xf4\x90\x80\x80 too high, \xe2\x82 cut");
  std::vector<std::string> expected = words;
  expected.insert(expected.begin(), "/tools/hl csg");
  EXPECT_EQ(ShellWords(shell::CommandLineText("/tools/hl csg", words)), expected);
  EXPECT_EQ(shell::CommandLineText("hlcsg", {"-threads", "2", "/a b/quorvel"}), "hlcsg -threads 2 '/a b/quorvel'");
  TempDir dir;
  shell::GenerateRequest request;
  request.Options = {0, 2, 0, 2, 0, 1};
  // A byte that is not UTF-8 too: the clipboard would turn it into U+FFFD.
  request.GameDir = dir.Str() + "/Half-Life's $HOME (1) \\folder \xff\xc3";
  request.Seed = 3141592653u;
  const auto made = shell::GenerateLevel(request);
  ASSERT_TRUE(made.Ok()) << made.Error();
  std::vector<std::string> args = shell::ArgumentsFor(request.Options, made->Seed, request.GameDir);
  const std::string line = shell::CommandLineText("quorvel-cli", args);
  EXPECT_EQ(line.rfind("quorvel-cli --dimension very-small ", 0), 0u) << line;
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
}

}  // namespace
