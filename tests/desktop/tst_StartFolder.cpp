// Where levels and settings go: project folders as always, the XDG folders
// for a start in the home folder or from the menu.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "TestFiles.h"
#include "shell/StartFolder.h"

using namespace testing_support;
using shell::ChooseStartFolders;
using shell::UserEnvironment;

namespace fs = std::filesystem;

class StartFolderTest : public ::testing::Test {
 protected:
  TempDir Root;
  std::string Home = Root.File("home");
  std::string Project = Root.File("project");
  UserEnvironment Env{Home, "/usr/bin", "", ""};

  void SetUp() override {
    fs::create_directories(Home);
    fs::create_directories(Project);
  }
};

TEST_F(StartFolderTest, HomeWithoutSettingsUsesTheUsersDataAndConfigFolders) {
  const shell::StartFolders folders = ChooseStartFolders(Home, Env, false);
  EXPECT_TRUE(folders.UserFolders);
  EXPECT_EQ(folders.AppDir, Home + "/.local/share/quorvel");
  EXPECT_EQ(folders.SettingsPath, Home + "/.config/quorvel/quorvel.ini");

  Env.XdgDataHome = Root.File("data");
  Env.XdgConfigHome = "relative/config";  // not absolute: ignored
  const shell::StartFolders set = ChooseStartFolders(Home, Env, false);
  EXPECT_EQ(set.AppDir, Root.File("data") + "/quorvel");
  EXPECT_EQ(set.SettingsPath, Home + "/.config/quorvel/quorvel.ini");
}

TEST_F(StartFolderTest, HomeReachedThroughALinkIsStillHome) {
  fs::create_directory_symlink(Home, Root.File("link"));
  EXPECT_TRUE(ChooseStartFolders(Root.File("link"), Env, false).UserFolders);
}

TEST_F(StartFolderTest, AFolderWithSettingsKeepsEverythingThereEvenFromTheMenu) {
  for (const std::string& dir : {Home, Project}) {
    WriteFile(dir + "/quorvel.ini", "/tools\r\n/game\r\n");
    for (bool fromMenu : {false, true}) {
      const shell::StartFolders folders = ChooseStartFolders(dir, Env, fromMenu);
      EXPECT_FALSE(folders.UserFolders);
      EXPECT_EQ(folders.AppDir, dir);
      EXPECT_EQ(folders.SettingsPath, dir + "/quorvel.ini");
    }
  }
}

TEST_F(StartFolderTest, AnotherFolderWithoutSettingsIsANewProjectUnlessStartedFromTheMenu) {
  EXPECT_EQ(ChooseStartFolders(Project, Env, false).AppDir, Project);
  EXPECT_EQ(ChooseStartFolders(Project, Env, true).AppDir, Home + "/.local/share/quorvel");
}

TEST_F(StartFolderTest, CreatingTheUserFoldersWritesNothingElseIntoHome) {
  const shell::StartFolders folders = ChooseStartFolders(Home, Env, false);
  ASSERT_TRUE(shell::CreateStartFolders(folders).Ok());
  EXPECT_TRUE(fs::is_directory(folders.AppDir));
  EXPECT_TRUE(fs::is_directory(fs::path(folders.SettingsPath).parent_path()));
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(Home)) entries.push_back(entry.path().filename().string());
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{".config", ".local"}));

  WriteFile(Root.File("file"), "");
  Env.XdgDataHome = Root.File("file");  // a file where a folder must go
  const Result<> failed = shell::CreateStartFolders(ChooseStartFolders(Home, Env, false));
  ASSERT_FALSE(failed.Ok());
  EXPECT_TRUE(Contains(failed.Error(), Root.File("file") + "/quorvel")) << failed.Error();
}
