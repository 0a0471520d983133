#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "CliTestSupport.h"

TEST(CliLevel, SummaryReportsTheLevel) {
  TempDir dir;
  const std::string path = dir.File("big.map");
  const Outcome outcome = RunCommand({"--dimension", "very-big", "--skill", "high", "--monsters",
                                      "aliens", "--seed", "4294967295", "--output", path});
  ASSERT_EQ(outcome.Status, 0) << outcome.Err;
  const std::vector<std::string> lines = Lines(outcome.Err);
  ASSERT_EQ(lines.size(), 10u) << outcome.Err;
  EXPECT_EQ(lines[0], "Seed:       4294967295");
  EXPECT_EQ(lines[1].rfind("Attempts:   ", 0), 0u);
  EXPECT_GE(std::stoi(lines[1].substr(12)), 1);
  EXPECT_LE(std::stoi(lines[1].substr(12)), 500);
  EXPECT_EQ(lines[2], "Grid:       90 x 65");
  EXPECT_EQ(lines[3].rfind("Brushes:    ", 0), 0u);
  EXPECT_GT(std::stoi(lines[3].substr(12)), 0);
  EXPECT_EQ(lines[4].rfind("Entities:   ", 0), 0u);
  EXPECT_GT(std::stoi(lines[4].substr(12)), 0);
  EXPECT_EQ(lines[5], "Monsters:   150");
  EXPECT_EQ(lines[6], "Weapons:    16");
  EXPECT_EQ(lines[7], "Ammunition: 16");
  EXPECT_EQ(lines[8], "Items:      14");
  EXPECT_EQ(lines[9], "Output:     " + path);
}

TEST(CliLevel, SameSeedSameBytesOtherSeedOtherLevel) {
  const std::vector<std::string> args{"--dimension", "medium", "--complexity", "high",
                                      "--output",    "-",      "--quiet"};
  auto withSeed = [&args](const char* seed) {
    std::vector<std::string> all = args;
    all.insert(all.end(), {"--seed", seed});
    return RunCommand(all);
  };
  const Outcome first = withSeed("99");
  const Outcome second = withSeed("99");
  const Outcome other = withSeed("100");
  ASSERT_EQ(first.Status, 0);
  ASSERT_EQ(other.Status, 0);
  EXPECT_EQ(first.Out, second.Out);
  EXPECT_NE(first.Out, other.Out);
}

TEST(CliLevel, GridPreviewIsHeightLinesOfWidthCells) {
  TempDir dir;
  const std::string grid = dir.File("grid.txt");
  for (const auto& [dimension, width, height] :
       {std::tuple{"very-small", 30u, 25u}, std::tuple{"big", 75u, 55u}}) {
    SCOPED_TRACE(dimension);
    const Outcome outcome = RunCommand({"--dimension", dimension, "--seed", "5", "--grid", "-",
                                        "--output", dir.File("level.map"), "--quiet"});
    ASSERT_EQ(outcome.Status, 0) << outcome.Err;
    ASSERT_FALSE(outcome.Out.empty());
    EXPECT_EQ(outcome.Out.back(), '\n');
    EXPECT_EQ(outcome.Out.find('\r'), std::string::npos);
    const std::vector<std::string> lines = Lines(outcome.Out);
    ASSERT_EQ(lines.size(), height);
    for (const std::string& line : lines) EXPECT_EQ(line.size(), width);
    // The start is in column 0 and the exit in the last column.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.front() == 'P'; }),
              1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.back() == 'E'; }),
              1);

    // A file gets the same text.
    ASSERT_EQ(RunCommand({"--dimension", dimension, "--seed", "5", "--grid", grid, "--output",
                          dir.File("level.map"), "--quiet"})
                  .Status,
              0);
    EXPECT_EQ(ReadFile(grid), outcome.Out);
  }
}
