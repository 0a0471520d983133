#include <gtest/gtest.h>

#include "FakeTools.h"
#include "shell/Settings.h"
#include "shell/SetupChecks.h"

using namespace testing_support;
using shell::Settings;

namespace {

using Lines = std::vector<std::string>;

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

// Every kind of line end; a missing line reads as empty; relative folders
// are taken from the settings folder, after Notepad's "UTF-8 with BOM" mark.
TEST(Settings, ReadsEveryLineEndSkipsAByteOrderMarkAndTakesFoldersFromItsFolder) {
  EXPECT_EQ(Settings::Parse("a\nb\rc\r\n\nlast").Lines, (Lines{"a", "b", "c", "", "last"}));
  EXPECT_EQ(Settings::Parse("\xEF\xBB\xBF/tools\r\nonly\n").Lines, (Lines{"/tools", "only"}));
  EXPECT_EQ(Settings::Parse("only\n").GameDir(), "");
  TempDir dir;
  const std::string path = shell::SettingsPath(dir.Str());
  WriteFile(path, "\xEF\xBB\xBFtools\nsub/../game\n");
  const shell::StartSettings start = shell::LoadStartSettings(path, {});
  EXPECT_EQ(start.Data.Lines, (Lines{dir.File("tools"), dir.File("game")}));
  EXPECT_TRUE(start.SaveAtExit && start.Problem.empty() && start.Ready.Ok());
}

// The notes Setup shows beside its two folder fields.
TEST(SetupChecks, EachFolderProblemIsNamedAndUnkeepableNamesAreRefused) {
  FakeCompile fake;
  const std::string partTools = fake.Root.File("part tools");
  MakePrograms(partTools, {"hlcsg", "sdHLBSP"});
  WriteFile(fake.Root.File("file"), "");
  struct Case {
    Result<std::string> (*Check)(const std::string&);
    std::string Dir;
    bool Refused;
    std::string Says;  // empty: no note
  };
  const Case cases[] = {
      {shell::CheckToolsFolder, fake.ToolDir, false, "Found hlcsg, hlbsp, hlvis, hlrad."},
      {shell::CheckToolsFolder, partTools, false, "sdHLVIS or hlvis is missing"},
      {shell::CheckToolsFolder, fake.Root.File("gone"), false, "does not exist"},
      {shell::CheckToolsFolder, fake.Root.File("file"), false, "not a folder"},
      {shell::CheckToolsFolder, "", false, "No folder chosen"},
      {shell::CheckToolsFolder, "hlcompilers", true, "whole path"},
      {shell::CheckGameFolder, fake.HLDir, false, ""},
      {shell::CheckGameFolder, fake.AppDir, false, "valve/maps"},
      {shell::CheckGameFolder, fake.Root.File("gone"), false, "does not exist"},
      {shell::CheckGameFolder, "/games/a;b", true, "semicolon"},
      {shell::CheckGameFolder, "/games/a\rb", true, "carriage return"},
      {shell::CheckGameFolder, "/games/a\nb", true, "line feed"},
      {shell::CheckGameFolder, "/games/a\tb", true, "control character 0x09"},
  };
  for (const Case& c : cases) {
    const Result<std::string> note = c.Check(c.Dir);
    EXPECT_EQ(!note, c.Refused) << c.Dir;
    const std::string text = note ? *note : note.Error();
    if (c.Says.empty())
      EXPECT_EQ(text, "") << c.Dir;
    else
      EXPECT_TRUE(Contains(text, c.Says)) << c.Dir << ": " << text;
  }
}

}  // namespace
