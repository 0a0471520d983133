// The main window's logic without a window: a recording view drives the
// session as the Qt and Win32 windows do, with fake tools and a fake game.

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <mutex>
#include <set>
#include <stdexcept>

#include "FakeTools.h"
#include "platform/Platform.h"
#include "shell/GameLaunch.h"
#include "shell/Session.h"

using namespace testing_support;

namespace {

// Records what the session shows and answers its questions; posted calls
// wait in a queue that RunUntil runs, as a window's event loop would.
struct View : shell::MainView {
  void ShowState(const shell::MainState& state) override {
    if (ThrowOnShow) throw std::runtime_error(std::exchange(ThrowOnShow, nullptr));
    State = state;
  }
  void ShowLevel(const shell::LevelSheet& sheet) override { Sheet = sheet; }
  void OpenLevelWindow(bool activate) override { LevelOpened.push_back(activate); }
  void OpenCompileOutput() override { Output.clear(); }
  void ShowCompileLog(const shell::CompileLogUpdate& update) override {
    for (const std::string& line : update.Lines) Output += line + "\n";
  }
  void ShowError(const std::string& text) override { Errors.push_back(text); }
  bool Ask(const std::string& question) override {
    Questions.push_back(question);
    return Answer;
  }
  void Post(std::function<void()> call) override {
    std::lock_guard<std::mutex> lock(Mutex);
    Queue.push_back(std::move(call));
  }
  bool RunUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::deque<std::function<void()>> calls;
      {
        std::lock_guard<std::mutex> lock(Mutex);
        calls.swap(Queue);
      }
      for (auto& call : calls) call();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

  shell::MainState State;
  shell::LevelSheet Sheet;
  std::vector<bool> LevelOpened;
  std::string Output;
  std::vector<std::string> Errors, Questions;
  bool Answer = false;
  const char* ThrowOnShow = nullptr;
  std::mutex Mutex;
  std::deque<std::function<void()>> Queue;
};

class Session : public ::testing::Test {
 protected:
  void WriteSettings(const std::string& more = "") {
    WriteFile(Ini, Fake.ToolDir + "\r\n" + Fake.HLDir + "\r\n" + more);
  }
  void Start() { S = std::make_unique<shell::Session>(V, shell::StartFolders{Fake.AppDir, Ini}, shell::Settings{}); }
  bool Compiled(const std::string& status) {
    return V.RunUntil([&] { return !V.State.Compiling; }) && V.State.Status == status;
  }
  std::string FakeGame() {
    WriteScript(Fake.HLDir + "/hl_linux", "echo \"$*\" > started");
    return Fake.HLDir + "/started";
  }

  FakeCompile Fake;
  std::string Ini = Fake.AppDir + "/quorvel.ini";
  View V;
  std::unique_ptr<shell::Session> S;
};

TEST_F(Session, AFirstStartWaitsForSetupAndSavesWhatWasChosen) {
  Start();
  EXPECT_FALSE(V.State.ActionsEnabled);
  EXPECT_EQ(V.State.DisabledReason, shell::kOpenSetup);
  EXPECT_EQ(V.State.Status, shell::kOpenSetup);
  // Each field's note says what is wrong; a name a level cannot carry is not kept.
  EXPECT_EQ(S->StoreFolder(shell::FolderKind::Tools, Fake.Root.File("none")), "This folder does not exist.");
  EXPECT_TRUE(Contains(S->StoreFolder(shell::FolderKind::Tools, Fake.AppDir), "No compile tools here"));
  EXPECT_EQ(S->StoreFolder(shell::FolderKind::Tools, Fake.ToolDir), "Found hlcsg, hlbsp, hlvis, hlrad.");
  EXPECT_EQ(S->StoreFolder(shell::FolderKind::Game, Fake.HLDir), "");
  const std::string refused = S->StoreFolder(shell::FolderKind::Game, Fake.HLDir + "\"x");
  EXPECT_EQ(refused.rfind("Not saved. ", 0), 0u) << refused;
  EXPECT_EQ(S->Folders().GameDir(), Fake.HLDir);
  EXPECT_EQ(S->NoteFor(shell::FolderKind::Game), "");
  S->SetupClosed();
  EXPECT_TRUE(V.State.ActionsEnabled);
  EXPECT_EQ(V.State.Status, "");
  ASSERT_TRUE(S->Finish().Ok());
  EXPECT_EQ(S->ExitStatus(), 0);
  EXPECT_EQ(ReadFile(Ini).rfind(Fake.ToolDir + "\r\n" + Fake.HLDir + "\r\n", 0), 0u) << ReadFile(Ini);
}

// The folders stay the file's first two lines, as older versions and other
// readers expect; the options follow by name and come back at the next
// start; lines the program does not know stay.
TEST_F(Session, TheOptionsAreRememberedAfterTheTwoFolderLines) {
  WriteSettings("a line of someone else's\r\n");
  Start();
  EXPECT_TRUE(V.State.ActionsEnabled);
  EXPECT_EQ(V.State.Options.MapDim, 1);
  const auto& table = shell::LevelOptionTable();
  S->ChooseOption(table[0], 2);  // Map Dimension: Medium
  S->ChooseOption(table[1], 2);  // Monsters Type: Grunts and Assassins
  EXPECT_EQ(S->Quality(), shell::CompileQuality::Normal);
  S->ChooseQuality(shell::CompileQuality::Full);
  EXPECT_EQ(V.State.Options.MapDim, 2);
  ASSERT_TRUE(S->Finish().Ok());
  const std::string saved = ReadFile(Ini);
  EXPECT_EQ(saved.rfind(Fake.ToolDir + "\r\n" + Fake.HLDir + "\r\na line of someone else's\r\nquality=full\r\ndimension=medium\r\n", 0), 0u)
      << saved;
  EXPECT_TRUE(Contains(saved, "\r\nmonsters=grunts-assassins\r\n")) << saved;
  S.reset();
  Start();
  EXPECT_EQ(S->Quality(), shell::CompileQuality::Full);
  EXPECT_EQ(V.State.Options.MapDim, 2);
  EXPECT_EQ(V.State.Options.MonstersType, 2);
  EXPECT_EQ(V.State.Options.Skill, 1);
}

TEST_F(Session, GenerateCompileAndPlay) {
  WriteSettings();
  const std::string started = FakeGame();
  Start();
  S->GenerateMap();
  EXPECT_EQ(V.State.Status, ".map generated");
  EXPECT_EQ(V.LevelOpened, std::vector<bool>{false});  // opened, not activated, after the first level
  const std::string first = V.State.Seed;
  EXPECT_EQ(V.Sheet.SeedLine, first);
  EXPECT_EQ(V.Sheet.Options.front(), (std::pair<std::string, std::string>{"Map Dimension", "Small"}));
  EXPECT_EQ(V.Sheet.Counts.front().first, "Attempts used");
  EXPECT_TRUE(Contains(V.Sheet.CommandLine, "quorvel-cli --dimension small ")) << V.Sheet.CommandLine;
  EXPECT_FALSE(V.Sheet.Picture.Cells.empty());
  S->GenerateMap();  // in the same second: another seed
  EXPECT_NE(V.State.Seed, first);
  EXPECT_EQ(V.LevelOpened.size(), 1u);

  S->CompileAndPlay();
  EXPECT_TRUE(V.State.Compiling);
  EXPECT_FALSE(V.State.ActionsEnabled);
  EXPECT_EQ(V.State.DisabledReason, "A compile is running.");
  ASSERT_TRUE(V.RunUntil([&] { return V.State.Status == "Half-Life started"; })) << V.State.Status;
  EXPECT_EQ(WaitForLine(started), "-console +map quorvel");
  EXPECT_TRUE(V.State.ActionsEnabled);
  EXPECT_EQ(V.State.Step, "");
  EXPECT_EQ(ReadFile(Fake.MapsDir + "/quorvel.bsp"), "level\n");
  EXPECT_TRUE(Contains(V.Output, ".bsp generated")) << V.Output;
  EXPECT_TRUE(V.Errors.empty());
}

TEST_F(Session, AFailedCompileIsToldAndTheOlderLevelPlaysOnlyWhenConfirmed) {
  WriteSettings();
  const std::string started = FakeGame();
  Fake.Tool("hlvis", fake::kFail);
  Start();
  S->RunGame();
  ASSERT_EQ(V.Errors.size(), 1u);
  EXPECT_TRUE(Contains(V.Errors[0], "press \"Generate .bsp\" to compile it first")) << V.Errors[0];
  WriteFile(Fake.MapsDir + "/quorvel.bsp", "the level before");
  S->GenerateMap();
  S->Compile();
  ASSERT_TRUE(Compiled("Compile failed: hlvis")) << V.State.Status;
  ASSERT_EQ(V.Errors.size(), 2u);
  EXPECT_TRUE(Contains(V.Errors[1], "no way through")) << V.Errors[1];
  S->RunGame();
  ASSERT_EQ(V.Questions.size(), 1u);
  EXPECT_TRUE(Contains(V.Questions[0], "the level compiled before it")) << V.Questions[0];
  EXPECT_FALSE(std::filesystem::exists(started));
  V.Answer = true;
  S->RunGame();
  EXPECT_EQ(WaitForLine(started), "-console +map quorvel");
}

// A typed seed makes the same bytes as quorvel-cli with that seed; text that
// is no seed is refused with the same message in every window.
TEST_F(Session, MakeAgainTakesOnlyASeed) {
  WriteSettings();
  Start();
  S->ChooseOption(shell::LevelOptionTable()[0], 0);
  S->MakeAgain("0004000000000");
  EXPECT_TRUE(V.Errors.empty());
  EXPECT_EQ(V.State.Seed, "Seed 4000000000");
  shell::GenerateRequest request;
  request.Options.MapDim = 0;
  request.Seed = 4000000000u;
  request.GameDir = Fake.HLDir;
  EXPECT_EQ(ReadFile(Fake.AppDir + "/quorvel.map"), shell::GenerateLevel(request)->MapText);
  for (const char* text : {"4294967296", "", "12a"}) {
    S->MakeAgain(text);
    ASSERT_FALSE(V.Errors.empty());
    EXPECT_EQ(V.Errors.back(), "A seed is a whole number from 0 to 4294967295.") << text;
  }
  EXPECT_EQ(V.State.Seed, "Seed 4000000000");
}

// A kept level has a name of its own: the default level's commands leave it,
// and Delete removes its files and nobody else's. What the program did not
// write is never replaced.
TEST_F(Session, KeptLevelsAreCompiledPlayedAndDeletedByTheirNames) {
  WriteSettings("quality=fast\r\n");
  const std::string started = FakeGame();
  const std::string levels = Fake.AppDir + "/levels";
  Start();
  EXPECT_TRUE(V.Sheet.Kept.empty());
  S->KeepLevel("early");
  EXPECT_EQ(V.Errors.back(), "There is no level to keep yet: make one first.");
  S->MakeAgain("77");
  EXPECT_EQ(V.Sheet.KeepName, "quorvel_77");
  std::filesystem::create_directories(levels);
  WriteFile(levels + "/mine.map", "the user's own");
  WriteFile(Fake.MapsDir + "/theirs.bsp", "another level");
  for (const char* name : {"mine", "theirs", "no way", "con", "Quorvel", "a234567890123456789012345678901234"}) {
    S->KeepLevel(name);
    EXPECT_EQ(V.Errors.size(), 2u) << name;
    V.Errors.resize(1);
  }
  EXPECT_EQ(Entries(levels), (std::set<std::string>{"mine.map"}));
  EXPECT_TRUE(Contains(V.Errors.back(), "first")) << V.Errors.back();

  S->KeepLevel("keep_me");
  EXPECT_EQ(V.State.Status, "Kept as keep_me");
  EXPECT_EQ(ReadFile(levels + "/keep_me.map"), ReadFile(Fake.AppDir + "/quorvel.map"));
  ASSERT_EQ(V.Sheet.Kept.size(), 1u);
  EXPECT_EQ(V.Sheet.Kept[0][0], "keep_me");
  EXPECT_EQ(V.Sheet.Kept[0][1], "77");
  EXPECT_EQ(V.Sheet.Kept[0][2], "Small, All, Find the exit, Normal, Normal, None");
  EXPECT_EQ(V.Sheet.Kept[0][4], "no");
  S->KeepLevel("keep_me");
  EXPECT_TRUE(Contains(V.Errors.back(), "already a kept level keep_me: delete it first")) << V.Errors.back();
  S->PlayKept("keep_me");
  EXPECT_TRUE(Contains(V.Errors.back(), "press Compile first")) << V.Errors.back();

  S->CompileKept("keep_me");
  ASSERT_TRUE(Compiled(".bsp generated")) << V.State.Status;
  EXPECT_TRUE(Contains(V.Output, "Compile quality: Fast\n")) << V.Output;
  EXPECT_TRUE(Contains(V.Output, "hlrad' -threads " + std::to_string(platform::CoreCount()) + " -bounce 0 '" + levels + "/keep_me'\n")) << V.Output;
  EXPECT_EQ(ReadFile(Fake.MapsDir + "/keep_me.bsp"), "level\n");
  EXPECT_EQ(V.Sheet.Kept[0][4], "yes");
  S->PlayKept("keep_me");
  EXPECT_EQ(WaitForLine(started), "-console +map keep_me");
  S->Compile();  // the default level's compile leaves the kept one
  ASSERT_TRUE(Compiled(".bsp generated")) << V.State.Status;
  EXPECT_EQ(ReadFile(Fake.MapsDir + "/keep_me.bsp"), "level\n");

  WriteFile(levels + "/keep_me.log", "the tools' log");
  S->DeleteKept("keep_me");  // asked, No
  ASSERT_EQ(V.Questions.size(), 1u);
  EXPECT_TRUE(Contains(V.Questions[0], Fake.MapsDir + "/keep_me.bsp")) << V.Questions[0];
  EXPECT_TRUE(std::filesystem::exists(levels + "/keep_me.map"));
  V.Answer = true;
  S->DeleteKept("keep_me");
  EXPECT_EQ(V.State.Status, "Deleted keep_me");
  EXPECT_TRUE(V.Sheet.Kept.empty());
  EXPECT_EQ(Entries(levels), (std::set<std::string>{"mine.map"}));
  EXPECT_EQ(Entries(Fake.MapsDir), (std::set<std::string>{"quorvel.bsp", "theirs.bsp"}));
  S->CompileKept("keep_me");
  EXPECT_TRUE(Contains(V.Errors.back(), "There is no kept level keep_me")) << V.Errors.back();
}

TEST_F(Session, QuittingDuringACompileAsksUnlessTheProgramMustEnd) {
  WriteSettings();
  Fake.Tool("hlcsg", fake::kHang);
  Start();
  S->GenerateMap();
  S->ChooseOption(shell::LevelOptionTable()[3], 2);
  S->Compile();
  const std::string child = WaitForLine(Fake.ToolDir + "/child.pid");
  EXPECT_FALSE(S->MayClose());
  EXPECT_EQ(V.Questions, std::vector<std::string>{"A compile is running. Stop it and quit?"});
  // A signal or the end of the user's session: no question, the tool ends,
  // the settings are saved.
  S->EndNow();
  EXPECT_TRUE(S->MayClose());
  EXPECT_EQ(V.Questions.size(), 1u);
  ASSERT_TRUE(S->Finish().Ok());
  EXPECT_TRUE(ProcessEnds(child));
  EXPECT_TRUE(Contains(ReadFile(Ini), "complexity=high\r\n")) << ReadFile(Ini);
  EXPECT_TRUE(V.Errors.empty());
}

TEST_F(Session, SettingsThatCannotBeUsedAreReportedAndKept) {
  std::filesystem::create_directory(Ini);
  Start();
  EXPECT_TRUE(Contains(S->StartProblem(), Ini)) << S->StartProblem();
  EXPECT_EQ(S->ExitStatus(), 1);
  EXPECT_FALSE(V.State.ActionsEnabled);
  S->StoreFolder(shell::FolderKind::Tools, Fake.ToolDir);
  S->SetupClosed();
  ASSERT_TRUE(S->Finish().Ok());
  EXPECT_TRUE(std::filesystem::is_directory(Ini));  // never replaced

  S.reset();
  std::filesystem::remove(Ini);
  WriteFile(Ini, Fake.ToolDir + "\r\n" + Fake.HLDir + "/x\" \"light\" \"9\r\n");
  Start();
  EXPECT_TRUE(Contains(S->StartProblem(), "double quote")) << S->StartProblem();
  EXPECT_EQ(V.State.DisabledReason, shell::kOpenSetupForGame);
  std::filesystem::remove_all(Fake.AppDir);  // the save at the end fails
  EXPECT_FALSE(S->Finish().Ok());
  EXPECT_FALSE(S->Finish().Ok());  // and says so again
}

TEST_F(Session, AFailingCommandIsShownAndTheWindowStaysUsable) {
  WriteSettings();
  Start();
  V.ThrowOnShow = "out of luck";
  S->GenerateMap();
  EXPECT_EQ(V.Errors, std::vector<std::string>{"out of luck"});
  S->GenerateMap();
  EXPECT_EQ(V.State.Status, ".map generated");
}

}  // namespace
