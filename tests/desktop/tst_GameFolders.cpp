// Where levels and settings go (project folders as always, the XDG folders
// for a start in the home folder or from the menu), Half-Life found in each
// Steam layout, the compile tools on PATH or in the usual places: tried on
// made-up folder trees.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "FakeTools.h"
#include "shell/GameFolders.h"
#include "shell/StartFolder.h"

using namespace testing_support;

namespace fs = std::filesystem;

namespace {

std::string InstallGame(const std::string& library) {
  const std::string game = library + "/steamapps/common/Half-Life";
  fs::create_directories(game + "/valve");
  return game;
}

shell::UserEnvironment At(const TempDir& home) { return {home.Str(), "", "", ""}; }

}  // namespace

TEST(GameFolders, FoundInEachSteamLayout) {
  for (const char* root : {"/.steam/steam", "/.local/share/Steam", "/.steam/debian-installation",
                           "/.var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
    TempDir home;
    const std::string game = InstallGame(home.Str() + root);
    EXPECT_EQ(shell::FindGameFolder(At(home)), game) << root;
  }
  TempDir empty;
  EXPECT_EQ(shell::FindGameFolder(At(empty)), "");
  EXPECT_EQ(shell::FoundDefaults(At(empty)).Lines, shell::Settings::Defaults().Lines);
}

TEST(GameFolders, FoundInALibraryThatLibraryFoldersLists) {
  TempDir home, disk;
  const std::string steam = home.Str() + "/.local/share/Steam";
  fs::create_directories(steam + "/steamapps/common/Half-Life");  // no valve folder: not installed here
  fs::create_directories(home.Str() + "/.steam");
  fs::create_directory_symlink(steam, home.Str() + "/.steam/steam");
  WriteFile(steam + "/steamapps/libraryfolders.vdf",
            "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam +
                "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"70\"\t\t\"123\"\n\t\t}\n\t}\n"
                "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + disk.Str() + "/Steam Library\"\n\t}\n}\n");
  const std::string game = InstallGame(disk.Str() + "/Steam Library");
  EXPECT_EQ(shell::FindGameFolder(At(home)), game);
  // The link and the folder it names are one library, however often listed.
  EXPECT_EQ(shell::SteamLibraries(At(home)),
            (std::vector<std::string>{home.Str() + "/.steam/steam", disk.Str() + "/Steam Library"}));
  // The older form of the list.
  EXPECT_EQ(shell::ParseLibraryFolders("\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" "
                                       "\"1\" \"D:\\\\Games\\\\Steam\" }"),
            (std::vector<std::string>{"D:\\Games\\Steam"}));
}

TEST(GameFolders, ToolsFolderHoldsAWholeCompilerSet) {
  TempDir root;
  const std::string partial = root.File("partial"), sd = root.File("sd"), usual = root.File("usual");
  MakePrograms(partial, {"hlcsg", "hlbsp", "hlvis"});
  MakePrograms(sd, {"sdHLCSG", "sdHLBSP", "sdHLVIS", "sdHLRAD"});
  MakePrograms(usual, {"hlcsg", "hlbsp", "hlvis", "hlrad"});
  shell::UserEnvironment env{root.Str(), partial + ":" + sd, "", ""};
  EXPECT_EQ(shell::FindToolsFolder(env, {usual}), sd);
  env.Path = partial;
  EXPECT_EQ(shell::FindToolsFolder(env, {root.File("missing"), usual}), usual);
  EXPECT_EQ(shell::FindToolsFolder(env, {}), "");
}

TEST(GameFolders, OnlyAFirstStartSearchesAndOnlyASmallRegularListIsRead) {
  TempDir home, disk;
  const std::string steam = home.Str() + "/.steam/steam";
  fs::create_directories(steam + "/steamapps");
  fs::create_directories(steam + "/config");
  const std::string game = InstallGame(disk.Str());
  const std::string list = "\"libraryfolders\" { \"0\" { \"path\" \"" + disk.Str() + "\" } }";
  // A FIFO would block the start, a device never end, an endless file fill memory.
  const shell::UserEnvironment env{home.Str(), "", "", ""};
  ASSERT_EQ(mkfifo((steam + "/steamapps/libraryfolders.vdf").c_str(), 0644), 0);
  WriteFile(steam + "/config/libraryfolders.vdf", list + std::string(2 << 20, ' '));
  EXPECT_EQ(shell::FindGameFolder(env), "");
  WriteFile(steam + "/config/libraryfolders.vdf", list);
  EXPECT_EQ(shell::FindGameFolder(env), game);

  // The usual tools folder too, but only without a settings file.
  MakePrograms(home.Str() + "/hlcompilers", {"hlcsg", "hlbsp", "hlvis", "hlrad"});
  const std::string settings = home.File("quorvel.ini");
  EXPECT_EQ(shell::StartDefaults(settings, env).Lines, (std::vector<std::string>{home.Str() + "/hlcompilers", game}));
  WriteFile(settings, "");
  EXPECT_EQ(shell::StartDefaults(settings, env).Lines, shell::Settings::Defaults().Lines);
}

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
  const shell::StartFolders folders = shell::ChooseStartFolders(Home, Env, false);
  EXPECT_EQ(folders.AppDir, Root.File("data") + "/quorvel");
  EXPECT_EQ(folders.SettingsPath, Home + "/.config/quorvel/quorvel.ini");
  WriteFile(Root.File("file"), "");
  Env.XdgDataHome = Root.File("file");
  const Result<> made = shell::PrepareStartFolders(shell::ChooseStartFolders(Home, Env, false));
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
  const shell::StartFolders home = shell::ChooseStartFolders(Root.File("link"), Env, false);
  EXPECT_EQ(home.AppDir, user);
  EXPECT_EQ(home.SettingsPath, Home + "/.config/quorvel/quorvel.ini");
  EXPECT_EQ(shell::ChooseStartFolders(Project, Env, false).AppDir, Project);
  EXPECT_EQ(shell::ChooseStartFolders(Project, Env, true).AppDir, user);
  for (const std::string& dir : {Home, Project}) {
    WriteFile(dir + "/quorvel.ini", "/tools\r\n/game\r\n");
    const shell::StartFolders folders = shell::ChooseStartFolders(dir, Env, true);
    EXPECT_FALSE(folders.UserFolders);
    EXPECT_EQ(folders.AppDir, dir);
    EXPECT_EQ(folders.SettingsPath, dir + "/quorvel.ini");
  }
}
