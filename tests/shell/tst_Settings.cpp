#include <gtest/gtest.h>

#include "TestFiles.h"
#include "shell/Settings.h"

using namespace testing_support;
using shell::Settings;

namespace {

using Lines = std::vector<std::string>;

TEST(Settings, ReadsEveryKindOfLineEndAndSkipsAByteOrderMark) {
  EXPECT_EQ(Settings::Parse("a\nb\rc\r\n\nlast").Lines, (Lines{"a", "b", "c", "", "last"}));
  EXPECT_EQ(Settings::Parse("\xEF\xBB\xBF/tools\r\n").Lines, (Lines{"/tools"}));
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
TEST(Settings, WhatIsSavedReadsBackAndAFileThatIsNotSettingsIsReportedAndKept) {
  TempDir dir;
  const auto missing = shell::LoadSettings(dir.File("quorvel.ini"));
  ASSERT_TRUE(missing.Ok());
  EXPECT_FALSE(missing->has_value());

  // The limit counts the file as it is saved, with CR LF: the largest file
  // read is saved and read again, one that would grow past it is refused.
  const std::string path = dir.File("quorvel.ini");
  const auto lines = [](std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += "x\n";
    return text;
  };
  WriteFile(path, lines(shell::kMaxSettingsBytes / 3));  // "x" + CR LF each
  const auto largest = shell::LoadSettings(path);
  ASSERT_TRUE(largest.Ok()) << largest.Error();
  ASSERT_TRUE(shell::SaveSettings(path, **largest));
  EXPECT_TRUE(shell::LoadSettings(path).Ok());
  Settings more = **largest;
  more.Lines.push_back("x");
  EXPECT_TRUE(Contains(shell::SaveSettings(path, more).Error(), "more than the 65536"));

  const struct {
    std::string Bytes;
    const char* Reason;
  } refused[] = {
      {std::string(shell::kMaxSettingsBytes + 1, 'x'), "it is larger than 65536 bytes"},
      {lines(30003), "with CR LF line ends it is 90009 bytes"},
      {std::string("/tools\r\n/ga\0me\r\n", 17), "it holds a NUL byte (at byte 11)"},
  };
  for (const auto& file : refused) {
    SCOPED_TRACE(file.Reason);
    WriteFile(path, file.Bytes);
    const shell::StartSettings start = shell::LoadStartSettings(path, {});
    EXPECT_FALSE(start.SaveAtExit);
    EXPECT_TRUE(Contains(start.Problem, "Cannot read the settings file " + path + ": " + file.Reason)) << start.Problem;
  }
}

TEST(Settings, RelativeFoldersAreTakenFromTheSettingsFolder) {
  TempDir dir;
  const std::string path = shell::SettingsPath(dir.Str());
  WriteFile(path, "\xEF\xBB\xBFtools\nsub/../game\n");  // Notepad's "UTF-8 with BOM"
  const shell::StartSettings start = shell::LoadStartSettings(path, {});
  EXPECT_EQ(start.Data.Lines, (Lines{dir.File("tools"), dir.File("game")}));
  EXPECT_TRUE(start.SaveAtExit && start.Problem.empty() && start.Ready.Ok());
}

}  // namespace
