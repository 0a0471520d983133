// Where levels and settings go: project folders as always, the XDG folders
// for a start in the home folder or from the menu.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "shell/StartFolder.h"

using namespace testing_support;
using shell::ChooseStartFolders;

namespace fs = std::filesystem;

class StartFolderTest : public ::testing::Test {
 protected:
  TempDir Root;
  std::string Home = Root.File("home");
  std::string Project = Root.File("project");
  shell::UserEnvironment Env{Home, "/usr/bin", "", ""};
  void SetUp() override { fs::create_directories(Home), fs::create_directories(Project); }
};

TEST_F(StartFolderTest, XdgVariablesCountOnlyWhenAbsoluteAndAFolderThatCannotBeMadeIsNamed) {
  Env.XdgDataHome = Root.File("data");
  Env.XdgConfigHome = "relative/config";
  const shell::StartFolders folders = ChooseStartFolders(Home, Env, false);
  EXPECT_EQ(folders.AppDir, Root.File("data") + "/quorvel");
  EXPECT_EQ(folders.SettingsPath, Home + "/.config/quorvel/quorvel.ini");
  WriteFile(Root.File("file"), "");
  Env.XdgDataHome = Root.File("file");
  const Result<> made = shell::PrepareStartFolders(ChooseStartFolders(Home, Env, false));
  ASSERT_FALSE(made.Ok());
  EXPECT_TRUE(Contains(made.Error(), Root.File("file") + "/quorvel")) << made.Error();
}

// A folder with settings keeps everything there, even from the menu; the
// home folder (reached through a link too) and a start from the menu use
// the XDG folders; another folder is a new project.
// (HomeStart.sh starts the program in a home folder and looks at what it wrote.)
TEST_F(StartFolderTest, TheLevelFolderFollowsTheSettingsTheHomeFolderAndTheMenu) {
  const std::string user = Home + "/.local/share/quorvel";
  fs::create_directory_symlink(Home, Root.File("link"));
  const shell::StartFolders home = ChooseStartFolders(Root.File("link"), Env, false);
  EXPECT_EQ(home.AppDir, user);
  EXPECT_EQ(home.SettingsPath, Home + "/.config/quorvel/quorvel.ini");
  EXPECT_EQ(ChooseStartFolders(Project, Env, false).AppDir, Project);
  EXPECT_EQ(ChooseStartFolders(Project, Env, true).AppDir, user);
  for (const std::string& dir : {Home, Project}) {
    WriteFile(dir + "/quorvel.ini", "/tools\r\n/game\r\n");
    const shell::StartFolders folders = ChooseStartFolders(dir, Env, true);
    EXPECT_FALSE(folders.UserFolders);
    EXPECT_EQ(folders.AppDir, dir);
    EXPECT_EQ(folders.SettingsPath, dir + "/quorvel.ini");
  }
}
