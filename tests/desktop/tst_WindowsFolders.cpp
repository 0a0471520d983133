// Windows: where an installed program keeps its files, Half-Life found
// through Steam's registry value and library list, and the game started
// through steam.exe. Tried on made-up folder trees, with the registry value
// given as UserEnvironment::SteamPath; one test reads it from the registry.

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "FakeTools.h"
#include "shell/GameFolders.h"
#include "shell/StartFolder.h"
#include "shell/SteamLaunch.h"

using namespace testing_support;

namespace fs = std::filesystem;

namespace {

// A made-up user: Program Files, the install folder in it, the AppData
// folders, and Steam with Half-Life in a second library on "another disk".
struct WindowsUser {
  WindowsUser() {
    fs::create_directories(Installed);
    fs::create_directories(Steam / "steamapps" / "common" / "Half-Life");  // no valve folder: not here
    fs::create_directories(Game / "valve");
    // As Steam writes it: its own folder first, paths with doubled backslashes.
    const auto quoted = [](const fs::path& path) {
      std::string text;
      for (const char c : path.string()) text += c == '\\' ? std::string("\\\\") : std::string(1, c);
      return text;
    };
    WriteFile(Steam / "steamapps" / "libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + quoted(Steam) + "\"\n\t}\n\t\"1\"\n\t{\n"
              "\t\t\"path\"\t\t\"" + quoted(Library) + "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"70\"\t\t\"1\"\n\t\t}\n\t}\n}\n");
  }

  TempDir Root;
  fs::path ProgramFiles = Root.Path / "Program Files";
  fs::path Installed = ProgramFiles / "Quorvel";
  fs::path Steam = Root.Path / "Program Files (x86)" / "Steam";
  fs::path Library = Root.Path / "D" / "SteamLibrary";
  fs::path Game = Library / "steamapps" / "common" / "Half-Life";
  shell::UserEnvironment Env = [this] {
    shell::UserEnvironment env{Root.File("Users\\me"), "", "", ""};
    env.AppData = Root.File("Users\\me\\AppData\\Roaming");
    env.LocalAppData = Root.File("Users\\me\\AppData\\Local");
    env.ProgramFolder = Installed.string();
    env.ProgramFiles = {ProgramFiles.string(), (Root.Path / "Program Files (x86)").string()};
    // Steam's own spelling: lower case, forward slashes.
    std::string steam = Steam.generic_string();
    for (char& c : steam) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    env.SteamPath = steam;
    return env;
  }();
};

}  // namespace

// Started from the Start menu (in the install folder) or anywhere under
// Program Files, the program keeps its files in AppData, made when needed;
// a folder with quorvel.ini, and any other folder, keeps them there.
TEST(WindowsFolders, AnInstalledProgramKeepsItsFilesInAppData) {
  WindowsUser user;
  const shell::UserEnvironment& env = user.Env;
  const std::string roaming = env.AppData + "\\Quorvel", local = env.LocalAppData + "\\Quorvel";
  fs::create_directories(user.ProgramFiles / "Other" / "bin");
  // Any spelling of the folder: Windows names are case-blind.
  std::string upper = (user.ProgramFiles / "Other" / "bin").string();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const std::string& dir : {user.Installed.string(), upper}) {
    const shell::StartFolders folders = shell::ChooseStartFolders(dir, env, false);
    EXPECT_TRUE(folders.UserFolders) << dir;
    EXPECT_EQ(folders.AppDir, local) << dir;
    EXPECT_EQ(folders.SettingsPath, roaming + "\\quorvel.ini") << dir;
  }
  const Result<> made = shell::PrepareStartFolders(shell::ChooseStartFolders(user.Installed.string(), env, false));
  EXPECT_TRUE(made.Ok()) << made.Error();
  EXPECT_TRUE(fs::is_directory(roaming) && fs::is_directory(local));
  EXPECT_TRUE(fs::is_empty(user.Installed));

  // A portable copy, and a project folder elsewhere.
  WriteFile(user.Installed / "quorvel.ini", "C:\\Tools\r\nC:\\Game\r\n");
  const fs::path project = user.Root.Path / "levels";
  fs::create_directories(project);
  for (const fs::path& dir : {user.Installed, project}) {
    const shell::StartFolders folders = shell::ChooseStartFolders(dir.string(), env, false);
    EXPECT_FALSE(folders.UserFolders) << dir;
    EXPECT_EQ(folders.AppDir, dir.string());
    EXPECT_EQ(folders.SettingsPath, (dir / "quorvel.ini").string());
  }
}

// The first library of the Steam folder the registry names that holds
// Half-Life's valve folder, in Windows spelling; the tools in the first
// folder of PATH or the usual places with a whole set.
TEST(WindowsFolders, TheGameIsFoundThroughSteamsRegistryValueAndLibraries) {
  WindowsUser user;
  shell::UserEnvironment env = user.Env;
  EXPECT_EQ(shell::FindGameFolder(env), user.Library.string() + "\\steamapps\\common\\Half-Life");
  EXPECT_EQ(shell::SteamLibraries(env).size(), 2u);  // the registry's and the list's spelling of Steam: one

  const fs::path partial = user.Root.Path / "partial", tools = user.Root.Path / "Users" / "me" / "hlcompilers";
  MakePrograms(partial, {"hlcsg.exe", "hlbsp.exe", "hlvis.exe"});
  MakePrograms(tools, {"sdHLCSG_x64.exe", "hlbsp.exe", "vis.exe", "qrad.exe"});
  env.Path = partial.string() + ";C:\\nowhere;";
  const shell::Settings found = shell::FoundDefaults(env);
  EXPECT_EQ(found.ToolDir(), tools.string());
  EXPECT_EQ(found.GameDir(), shell::FindGameFolder(env));

  // Without Steam, or with Half-Life in no library, the usual suggestions.
  fs::remove_all(user.Game);
  EXPECT_EQ(shell::FindGameFolder(env), "");
  env.SteamPath.clear();
  EXPECT_TRUE(shell::SteamLibraries(env).empty());
  EXPECT_EQ(shell::FoundDefaults(env).GameDir(), shell::Settings::Defaults().GameDir());
}

// "Run Half-Life" for a game in a Steam library: steam.exe from Steam's
// folder; without it, the game's own hl.exe, the message naming both.
TEST(WindowsFolders, AGameInASteamLibraryStartsThroughSteamExe) {
  WindowsUser user;
  std::vector<platform::ProcessSpec> started;
  const auto refuse = [&started](const platform::ProcessSpec& spec) -> Result<> {
    started.push_back(spec);
    return Failure{"refused"};
  };
  const shell::LevelTarget level{"quorvel", "", "", user.Game.string()};
  const Result<> noSteam = shell::RunHalfLife(level, user.Env, refuse);
  EXPECT_TRUE(started.empty());
  EXPECT_TRUE(Contains(noSteam.Error(), "steam.exe: not found in Steam's folder")) << noSteam.Error();
  EXPECT_TRUE(Contains(noSteam.Error(), "no hl.exe")) << noSteam.Error();

  MakePrograms(user.Steam, {"steam.exe"});
  MakePrograms(user.Game, {"hl.exe"});
  const Result<> refused = shell::RunHalfLife(level, user.Env, refuse);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_TRUE(fs::equivalent(started[0].Program, user.Steam / "steam.exe")) << started[0].Program;
  EXPECT_EQ(started[0].Arguments, (std::vector<std::string>{"-applaunch", "70", "-console", "+map", "quorvel"}));
  EXPECT_EQ(started[1].Program, (user.Game / "hl.exe").string());
  EXPECT_TRUE(Contains(refused.Error(), "-applaunch 70")) << refused.Error();

  shell::UserEnvironment unregistered = user.Env;
  unregistered.SteamPath.clear();
  EXPECT_TRUE(Contains(shell::RunHalfLife(level, unregistered, refuse).Error(),
                       "Steam's folder is not in the registry"));
}

// The places come from the system: the known folders, the program's own
// folder, and Steam's value in the user's registry.
// (The Wine prefix is the tests' own: the value is written there, then removed.)
TEST(WindowsFolders, ThePlacesComeFromTheSystemAndTheRegistry) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Valve\\Steam", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const wchar_t value[] = L"c:/program files (x86)/steam";
  RegSetValueExW(key, L"SteamPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
  RegCloseKey(key);
  const shell::UserEnvironment env = shell::UserEnvironment::FromProcess();
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Valve");

  EXPECT_EQ(env.SteamPath, "c:/program files (x86)/steam");
  EXPECT_EQ(shell::SteamRoots(env), std::vector<std::string>{"c:\\program files (x86)\\steam"});
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_TRUE(fs::equivalent(env.ProgramFolder, fs::path(self).parent_path())) << env.ProgramFolder;
  for (const std::string& folder : {env.Home, env.AppData, env.LocalAppData}) {
    EXPECT_TRUE(fs::path(folder).is_absolute()) << folder;
    EXPECT_TRUE(Contains(folder, env.Home)) << folder;
  }
  EXPECT_EQ(env.ProgramFiles.size(), 2u);
  EXPECT_TRUE(shell::InProgramFolders(env.ProgramFiles.at(0) + "\\Quorvel", env));
  EXPECT_FALSE(shell::InProgramFolders(env.Home, env));
}
