// The notes Setup shows beside its two folder fields.

#include <gtest/gtest.h>

#include "FakeTools.h"
#include "shell/SetupChecks.h"

using namespace testing_support;

namespace {

TEST(SetupChecks, EachFolderProblemIsNamedAndUnkeepableNamesAreRefused) {
  FakeCompile fake;
  const std::string partTools = fake.Root.File("part tools");
  std::filesystem::create_directory(partTools);
  WriteScript(partTools + "/hlcsg", "");
  WriteScript(partTools + "/sdHLBSP", "");
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
