// Half-Life found in each Steam layout, the compile tools on PATH or in the
// usual places: tried on made-up folder trees.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "shell/GameFolders.h"

using namespace testing_support;

namespace fs = std::filesystem;

namespace {

std::string InstallGame(const std::string& library) {
  const std::string game = library + "/steamapps/common/Half-Life";
  fs::create_directories(game + "/valve");
  return game;
}

void MakeProgram(const std::string& path) {
  fs::create_directories(fs::path(path).parent_path());
  WriteFile(path, "#!/bin/sh\n");
  fs::permissions(path, fs::perms::owner_all);
}

}  // namespace

TEST(GameFolders, FoundInEachSteamLayout) {
  for (const char* root : {"/.steam/steam", "/.local/share/Steam", "/.steam/debian-installation",
                           "/.var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
    TempDir home;
    const std::string game = InstallGame(home.Str() + root);
    EXPECT_EQ(shell::FindGameFolder(home.Str()), game) << root;
    EXPECT_TRUE(shell::InSteamLibrary(game));
  }
  TempDir empty;
  EXPECT_EQ(shell::FindGameFolder(empty.Str()), "");
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

  EXPECT_EQ(shell::FindGameFolder(home.Str()), game);
  // The link and the folder it names are one library; the listed root too.
  EXPECT_EQ(shell::SteamLibraries(home.Str()),
            (std::vector<std::string>{home.Str() + "/.steam/steam", disk.Str() + "/Steam Library"}));
}

TEST(GameFolders, LibraryFoldersInBothForms) {
  EXPECT_EQ(shell::ParseLibraryFolders("\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" "
                                       "\"ContentStatsID\" \"-1\" \"1\" \"D:\\\\Games\\\\Steam\" }"),
            (std::vector<std::string>{"D:\\Games\\Steam"}));
  EXPECT_EQ(shell::ParseLibraryFolders("\"libraryfolders\" { \"0\" { \"path\" \"/a\" \"label\" \"\" "
                                       "\"apps\" { \"70\" \"1\" } } // note\n \"1\" { \"path\" \"/b\" } }"),
            (std::vector<std::string>{"/a", "/b"}));
  EXPECT_TRUE(shell::ParseLibraryFolders("").empty());
}

TEST(GameFolders, SteamLibraryGameFoldersAreRecognised) {
  EXPECT_TRUE(shell::InSteamLibrary("/mnt/games/steamapps/common/Half-Life/"));
  EXPECT_FALSE(shell::InSteamLibrary("/opt/Half-Life"));
  EXPECT_FALSE(shell::InSteamLibrary("/mnt/steamapps/common"));
}

TEST(GameFolders, ToolsFolderHoldsAWholeCompilerSet) {
  TempDir root;
  const std::string partial = root.File("partial"), sd = root.File("sd"), usual = root.File("usual");
  MakeProgram(partial + "/hlcsg");
  for (const char* name : {"sdHLCSG", "sdHLBSP", "sdHLVIS", "sdHLRAD"}) MakeProgram(sd + "/" + name);
  for (const char* name : {"hlcsg", "hlbsp", "hlvis", "hlrad"}) MakeProgram(usual + "/" + name);

  shell::UserEnvironment env{root.Str(), partial + ":" + sd, "", ""};
  EXPECT_EQ(shell::FindToolsFolder(env, {usual}), sd);
  env.Path = partial;
  EXPECT_EQ(shell::FindToolsFolder(env, {root.File("missing"), usual}), usual);
  EXPECT_EQ(shell::FindToolsFolder(env, {}), "");
}

TEST(GameFolders, FoundFoldersBecomeTheDefaultsAndOnlyThen) {
  TempDir home;
  MakeProgram(home.Str() + "/hlcompilers/hlcsg");  // not a whole set
  const shell::Settings guessed = shell::FoundDefaults({home.Str(), "", "", ""});
  EXPECT_EQ(guessed.Lines, shell::Settings::Defaults().Lines);

  for (const char* name : {"hlbsp", "hlvis", "hlrad"}) MakeProgram(home.Str() + "/hlcompilers/" + name);
  const std::string game = InstallGame(home.Str() + "/.local/share/Steam");
  const shell::Settings found = shell::FoundDefaults({home.Str(), "", "", ""});
  EXPECT_EQ(found.ToolDir(), home.Str() + "/hlcompilers");
  EXPECT_EQ(found.GameDir(), game);
}
