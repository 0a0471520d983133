#include <gtest/gtest.h>

#include "TestFiles.h"
#include "shell/Settings.h"

using namespace testing_support;
using shell::Settings;

namespace {

using Lines = std::vector<std::string>;

TEST(Settings, ReadsEveryKindOfLineEnd) {
  EXPECT_EQ(Settings::Parse("a\nb\rc\r\n\nlast").Lines, (Lines{"a", "b", "c", "", "last"}));
  EXPECT_EQ(Settings::Parse(std::string("tools\ngame\0hidden\n", 18)).Lines, (Lines{"tools", "game"}));
  const Settings one = Settings::Parse("only\n");
  EXPECT_EQ(one.ToolDir(), "only");
  EXPECT_EQ(one.GameDir(), "");  // a missing line reads as empty
}

// (A window test saves odd bytes and extra lines back as they were.)
TEST(Settings, NeverSavesALineBreakInsideAFolder) {
  TempDir dir;
  const std::string path = shell::SettingsPath(dir.Str());
  const std::string saved = "/tools\r\n/game\r\n";
  WriteFile(path, saved);
  for (const char* broken : {"/a\nb", "/a\rb"}) {
    const Result<> refused = shell::SaveSettings(path, Settings{{broken, "/game"}});
    ASSERT_FALSE(refused.Ok());
    EXPECT_TRUE(Contains(refused.Error(), "line break")) << refused.Error();
  }
  EXPECT_EQ(ReadFile(path), saved);
}

// (A folder or a FIFO in the file's place: the window programs' start checks.)
TEST(Settings, MissingFileIsNoSettingsAndAnOversizedOneIsReported) {
  TempDir dir;
  const auto missing = shell::LoadSettings(dir.File("quorvel.ini"));
  ASSERT_TRUE(missing.Ok());
  EXPECT_FALSE(missing->has_value());
  WriteFile(dir.File("big.ini"), std::string(shell::kMaxSettingsBytes + 1, 'x'));
  const auto big = shell::LoadSettings(dir.File("big.ini"));
  ASSERT_FALSE(big.Ok());
  EXPECT_TRUE(Contains(big.Error(), dir.File("big.ini"))) << big.Error();
}

TEST(Settings, RelativeFoldersAreTakenFromTheSettingsFolder) {
  TempDir dir;
  const std::string path = shell::SettingsPath(dir.Str());
  WriteFile(path, "tools\nsub/../game\n");
  const shell::StartSettings start = shell::LoadStartSettings(path, {});
  EXPECT_EQ(start.Data.Lines, (Lines{dir.File("tools"), dir.File("game")}));
  EXPECT_TRUE(start.SaveAtExit && start.Problem.empty() && start.SetupNeeded.empty());
}

}  // namespace
