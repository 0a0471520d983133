// The main window's logic without a window: a recording view drives the
// session as the Qt and Win32 windows do, with fake tools and a fake game.
// The compile runs here too: what the tools leave, their failures, Stop,
// and the log's updates.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "FakeTools.h"
#include "platform/Platform.h"
#include "shell/Session.h"

using namespace testing_support;
using namespace std::chrono_literals;

namespace {

// Records what the session shows, on the thread that owns it, and answers
// its questions; posted calls wait in a queue that RunUntil runs, as a
// window's event loop would. The log is kept as a view keeps it.
struct View : shell::MainView {
  void ShowState(const shell::MainState& state) override {
    Check();
    if (ThrowOnShow) throw std::runtime_error(std::exchange(ThrowOnShow, nullptr));
    const std::string step = state.Step.substr(0, state.Step.find(','));
    if (!step.empty() && (Steps.empty() || Steps.back() != step)) Steps.push_back(step);
    State = state;
  }
  void ShowLevel(const shell::LevelSheet& sheet) override { Check(), Sheet = sheet; }
  void OpenLevelWindow(bool activate) override { Check(), LevelOpened.push_back(activate); }
  void OpenCompileOutput() override { Check(), Shown.clear(), Steps.clear(); }
  void ShowCompileLog(const shell::CompileLogUpdate& update) override {
    Check();
    EXPECT_TRUE(State.Compiling || State.Status.empty()) << "a log update after the compile's end";
    if (update.Reset) Shown.clear();
    if (!Shown.empty()) Shown.pop_back();  // the unfinished line
    Shown.insert(Shown.end(), update.Lines.begin(), update.Lines.end());
    Shown.push_back(update.Current);
    if (Shown.size() > update.Held + 1) Shown.erase(Shown.begin(), Shown.end() - update.Held - 1);
    ++Updates;
  }
  void ShowError(const std::string& text) override { Check(), Errors.push_back(text); }
  bool Ask(const std::string& question) override {
    Check(), Questions.push_back(question);
    return Answer;
  }
  void Post(std::function<void()> call) override {
    std::lock_guard<std::mutex> lock(Mutex);
    Queue.push_back(std::move(call));
  }
  // Runs the posted calls until done() (at least once); false after 30 s.
  bool RunUntil(const std::function<bool()>& done) {
    for (const auto end = std::chrono::steady_clock::now() + 30s;; std::this_thread::sleep_for(5ms)) {
      std::deque<std::function<void()>> calls;
      {
        std::lock_guard<std::mutex> lock(Mutex);
        calls.swap(Queue);
      }
      for (auto& call : calls) call();
      if (done()) return true;
      if (std::chrono::steady_clock::now() > end) return false;
    }
  }
  std::string Log() const {
    std::string text;
    for (const std::string& line : Shown) text += line + "\n";
    return text;
  }
  void Check() const { EXPECT_EQ(std::this_thread::get_id(), Owner) << "called off the window's thread"; }

  shell::MainState State;
  shell::LevelSheet Sheet;
  std::vector<bool> LevelOpened;
  std::vector<std::string> Shown, Steps, Errors, Questions;
  int Updates = 0;
  bool Answer = false;
  const char* ThrowOnShow = nullptr;
  std::mutex Mutex;
  std::deque<std::function<void()>> Queue;
  std::thread::id Owner = std::this_thread::get_id();
};

class Session : public ::testing::Test {
 protected:
  void WriteSettings(const std::string& more = "") {
    WriteFile(Ini, Fake.ToolDir + "\r\n" + Fake.HLDir + "\r\n" + more);
  }
  void Start() { S = std::make_unique<shell::Session>(V, shell::StartFolders{Fake.AppDir, Ini}, shell::Settings{}); }
  bool Compiled(const std::string& status) {
    return V.RunUntil([&] { return !V.State.Compiling && !V.State.Status.empty(); }) && V.State.Status == status;
  }
  std::string Child() {  // the pid a hanging tool wrote, then forgotten
    const std::string child = WaitForLine(Fake.ToolDir + "/child.pid");
    std::filesystem::remove(Fake.ToolDir + "/child.pid");
    return child;
  }

  FakeCompile Fake;
  std::string Ini = Fake.AppDir + "/quorvel.ini";
  View V;
  std::unique_ptr<shell::Session> S;
};

// The folders stay the file's first two lines, as older versions and other
// readers expect; the options and the quality follow by name and come back
// at the next start; lines the program does not know stay.
TEST_F(Session, AFirstStartWaitsForSetupAndTheChoicesAreSavedAfterTheTwoFolderLines) {
  Start();
  EXPECT_FALSE(V.State.ActionsEnabled);
  EXPECT_EQ(V.State.DisabledReason, shell::kOpenSetup);
  EXPECT_EQ(V.State.Status, shell::kOpenSetup);
  // Each field's note says what it found; a name a level cannot carry is not kept.
  EXPECT_EQ(S->StoreFolder(shell::FolderKind::Tools, Fake.ToolDir), "Found hlcsg, hlbsp, hlvis, hlrad.");
  EXPECT_EQ(S->StoreFolder(shell::FolderKind::Game, Fake.HLDir), "");
  const std::string refused = S->StoreFolder(shell::FolderKind::Game, Fake.HLDir + "\"x");
  EXPECT_EQ(refused.rfind("Not saved. ", 0), 0u) << refused;
  EXPECT_EQ(S->Folders().GameDir(), Fake.HLDir);
  EXPECT_EQ(S->NoteFor(shell::FolderKind::Game), "");
  S->SetupClosed();
  EXPECT_TRUE(V.State.ActionsEnabled);
  EXPECT_EQ(V.State.Status, "");
  const auto& table = shell::LevelOptionTable();
  S->ChooseOption(table[0], 2);  // Map Dimension: Medium
  S->ChooseOption(table[1], 2);  // Monsters Type: Grunts and Assassins
  EXPECT_EQ(S->Quality(), shell::CompileQuality::Normal);
  S->ChooseQuality(shell::CompileQuality::Full);
  ASSERT_TRUE(S->Finish().Ok());
  EXPECT_EQ(S->ExitStatus(), 0);

  WriteFile(Ini, ReadFile(Ini) + "a line of someone else's\r\n");
  S.reset();
  Start();
  EXPECT_TRUE(V.State.ActionsEnabled);
  EXPECT_EQ(S->Quality(), shell::CompileQuality::Full);
  EXPECT_EQ(V.State.Options.MapDim, 2);
  EXPECT_EQ(V.State.Options.MonstersType, 2);
  EXPECT_EQ(V.State.Options.Skill, 1);
  ASSERT_TRUE(S->Finish().Ok());
  const std::string saved = ReadFile(Ini);
  EXPECT_EQ(saved.rfind(Fake.ToolDir + "\r\n" + Fake.HLDir + "\r\n", 0), 0u) << saved;
  for (const char* line : {"\nquality=full\r\n", "\ndimension=medium\r\n", "\nmonsters=grunts-assassins\r\n",
                           "\na line of someone else's\r\n"})
    EXPECT_TRUE(Contains(saved, line)) << saved;
}

// Like ZHLT's hlbsp, which leaves empty pointfiles after every compile: of
// the files beside the map only those the tools make go (and those an
// earlier run left, which would be taken for this run's), and one that
// cannot go is named without failing the compile.
TEST_F(Session, GenerateCompileAndPlay) {
  WriteSettings();
  const std::string started = Fake.Game();
  for (const char* stale : {"/quorvel.err", "/quorvel.lin", "/quorvel.bsp"}) WriteFile(Fake.AppDir + stale, "old");
  for (const char* mine : {"/quorvel.svg", "/quorvel.txt", "/quorvel.exe", "/quorvel.p1/notes"}) {
    std::filesystem::create_directories(std::filesystem::path(Fake.AppDir + mine).parent_path());
    WriteFile(Fake.AppDir + mine, "mine");
  }
  Fake.Tool("hlbsp", fake::kWriteBsp + "; for e in lin pts p0 p2 p3 prt wic ext wa_ hsz b0 pln log; do : > \"$3.$e\"; done");
  Fake.Tool("hlvis", "echo 'vis says hello'");
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
  EXPECT_EQ(V.Steps, (std::vector<std::string>{"Compiling", "hlcsg: step 1 of 4", "hlbsp: step 2 of 4",
                                               "hlvis: step 3 of 4", "hlrad: step 4 of 4"}));
  EXPECT_EQ(shell::CompileStepText("hlrad", 3, 4, 3723s), "hlrad: step 4 of 4, 1:02:03");
  EXPECT_EQ(Fake.Ran(), "hlcsg\nhlbsp\nhlvis\nhlrad\n");
  EXPECT_EQ(ReadFile(Fake.MapsDir + "/quorvel.bsp"), "level\n");
  EXPECT_EQ(Entries(Fake.AppDir), (std::set<std::string>{"quorvel.exe", "quorvel.ini", "quorvel.log", "quorvel.map",
                                                         "quorvel.p1", "quorvel.svg", "quorvel.txt"}));
  const std::string log = V.Log();
  for (const std::string& line : std::vector<std::string>{"hlcsg' -threads", "\nvis says hello\n", ".bsp generated",
                                    "Not removed: " + Fake.AppDir + "/quorvel.p1: a folder, left alone\n"})
    EXPECT_TRUE(Contains(log, line)) << line << " not in " << log;
  EXPECT_TRUE(V.Errors.empty());
}

// The folders are checked first. A failure names the step and runs none
// after it; an empty pointfile is no leak, and SDHLT's hlbsp may crash after
// its leak line, before the pointfile. "Run Half-Life" wants a compiled
// level, and after a failed compile asks before it plays the older one.
TEST_F(Session, AFailedCompileIsToldAndTheOlderLevelPlaysOnlyWhenConfirmed) {
  WriteSettings();
  const std::string started = Fake.Game();
  Start();
  S->RunGame();
  ASSERT_EQ(V.Errors.size(), 1u);
  EXPECT_TRUE(Contains(V.Errors[0], "press \"Generate .bsp\" to compile it first")) << V.Errors[0];
  std::filesystem::rename(Fake.MapsDir, Fake.Root.File("maps"));
  S->Compile();
  EXPECT_TRUE(Compiled("Game maps folder not found")) << V.State.Status;
  std::filesystem::rename(Fake.Root.File("maps"), Fake.MapsDir);
  std::filesystem::rename(Fake.AppDir + "/quorvel.map", Fake.Root.File("quorvel.map"));
  S->Compile();
  EXPECT_TRUE(Compiled("No .map to compile")) << V.State.Status;
  EXPECT_TRUE(Contains(V.Errors.back(), "Press \"Generate .map\" first.")) << V.Errors.back();
  EXPECT_EQ(Fake.Ran(), "");
  std::filesystem::rename(Fake.Root.File("quorvel.map"), Fake.AppDir + "/quorvel.map");

  struct Case {
    const char* Tool;
    std::string Body, Status, Error, Ran;
  };
  const std::string all = "hlcsg\nhlbsp\nhlvis\n";
  for (const Case& c : {
           Case{"hlvis", ": > \"$3.lin\"; " + fake::kFail, "Compile failed: hlvis",
                "hlvis failed with exit status 3.\n\nhlvis said:\nError: no way through\n\nThe errors are in " +
                    Fake.AppDir + "/quorvel.err.",
                all},
           Case{"hlbsp", fake::kLeak, "Compile failed: the level leaks", "pointfile", "hlcsg\nhlbsp\n"},
           Case{"hlbsp", "echo 'Warning: === LEAK in hull 0 ==='; kill -ABRT $$", "Compile failed: the level leaks",
                "stopped at hlbsp", "hlcsg\nhlbsp\n"},
           Case{"hlcsg", fake::kCrash, "Compile failed: hlcsg", "hlcsg crashed (signal 11).", "hlcsg\n"},
           Case{"hlcsg", "echo 'Error: num_entities == MAX_MAP_ENTITIES'; exit 1", "Compile failed: hlcsg",
                "more entities than the tool can take", "hlcsg\n"},
       }) {
    for (const char* tool : {"hlcsg", "hlbsp", "hlvis"}) Fake.Tool(tool, tool == std::string(c.Tool) ? c.Body : "");
    std::filesystem::remove(Fake.Log);
    S->Compile();
    ASSERT_TRUE(Compiled(c.Status)) << V.State.Status;
    EXPECT_TRUE(Contains(V.Errors.back(), c.Error)) << V.Errors.back();
    EXPECT_EQ(Fake.Ran(), c.Ran);
    EXPECT_FALSE(std::filesystem::exists(Fake.MapsDir + "/quorvel.bsp"));
  }

  WriteFile(Fake.MapsDir + "/quorvel.bsp", "the level before");
  S->RunGame();
  ASSERT_EQ(V.Questions.size(), 1u);
  EXPECT_TRUE(Contains(V.Questions[0], "the level compiled before it")) << V.Questions[0];
  EXPECT_FALSE(std::filesystem::exists(started));
  V.Answer = true;
  S->RunGame();
  EXPECT_EQ(WaitForLine(started), "-console +map quorvel");
}

// A typed seed makes the same bytes as quorvel-cli with that seed; text that
// is no seed is refused with the same message in every window (the seed's
// parser is the command line's).
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
  S->MakeAgain("4294967296");  // the command line's tests try the other numbers the parser refuses
  EXPECT_EQ(V.Errors, std::vector<std::string>{"A seed is a whole number from 0 to 4294967295."});
  EXPECT_EQ(V.State.Seed, "Seed 4000000000");
}

// A kept level has a name of its own: the default level's commands leave it,
// and Delete removes its files and nobody else's. What the program did not
// write is never replaced.
TEST_F(Session, KeptLevelsAreCompiledPlayedAndDeletedByTheirNames) {
  WriteSettings("quality=fast\r\n");
  const std::string started = Fake.Game();
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
  EXPECT_TRUE(Contains(V.Log(), "Compile quality: Fast\n")) << V.Log();
  EXPECT_TRUE(Contains(V.Log(), "hlrad' -threads " + std::to_string(platform::CoreCount()) + " -bounce 0 '" + levels +
                                    "/keep_me'\n"))
      << V.Log();
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

// Stop ends the tool and what it started, and so does quitting during a
// compile, once the user said yes. A signal or the end of the user's session
// asks nothing: the tool ends, the settings are saved, and what the compile
// posted before its end reports nothing.
TEST_F(Session, StopAndTheEndOfTheProgramEndTheToolAndWhatItStarted) {
  WriteSettings();
  Fake.Tool("hlbsp", fake::kHang);
  Start();
  S->Compile();
  std::string child = Child();
  EXPECT_FALSE(S->MayClose());
  EXPECT_EQ(V.Questions, std::vector<std::string>{"A compile is running. Stop it and quit?"});
  S->StopCompile();
  ASSERT_TRUE(Compiled("Compile stopped")) << V.State.Status;
  EXPECT_TRUE(ProcessEnds(child));
  EXPECT_EQ(Fake.Ran(), "hlcsg\nhlbsp\n");
  S->Compile();
  child = Child();
  V.Answer = true;
  EXPECT_TRUE(S->MayClose());
  ASSERT_TRUE(Compiled("Compile stopped")) << V.State.Status;
  EXPECT_TRUE(ProcessEnds(child));
  EXPECT_TRUE(V.Errors.empty());

  S->ChooseOption(shell::LevelOptionTable()[3], 2);
  S->Compile();
  child = Child();
  S->EndNow();
  EXPECT_TRUE(S->MayClose());
  EXPECT_EQ(V.Questions.size(), 2u);
  ASSERT_TRUE(S->Finish().Ok());
  EXPECT_TRUE(ProcessEnds(child));
  EXPECT_TRUE(Contains(ReadFile(Ini), "complexity=high\r\n")) << ReadFile(Ini);
  const int updates = V.Updates;
  S.reset();
  V.RunUntil([] { return true; });
  EXPECT_TRUE(V.State.Compiling);  // never told of an end
  EXPECT_EQ(V.Updates, updates);
  EXPECT_TRUE(V.Errors.empty());
}

// However fast a tool prints, the window gets at most one log update
// waiting at a time, a few a second, and the last before the compile's end.
TEST_F(Session, TheLogComesInBoundedUpdatesWhateverTheToolPrints) {
  WriteSettings();
  Fake.Tool("hlcsg", "timeout 1.5 yes 'a line' ; printf '\\nlast\\rline\\n'");
  Start();
  const auto start = std::chrono::steady_clock::now();
  S->Compile();
  std::this_thread::sleep_for(1s);  // the window is busy
  {
    std::lock_guard<std::mutex> lock(V.Mutex);
    EXPECT_LE(V.Queue.size(), 2u);  // the step's start and one update
  }
  ASSERT_TRUE(Compiled(".bsp generated")) << V.State.Status;
  EXPECT_LE(V.Updates, (std::chrono::steady_clock::now() - start) / shell::CompileSession::kLogInterval + 8);
  EXPECT_LE(V.Shown.size(), shell::CompileLog::kMaxLines + 1);
  EXPECT_NE(std::find(V.Shown.begin(), V.Shown.end(), "line"), V.Shown.end());
  EXPECT_EQ(std::find(V.Shown.begin(), V.Shown.end(), "last"), V.Shown.end());
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

TEST(GenerateMap, WritesTheLevelOfTheSeedBesideTheSettingsOrSaysWhyNot) {
  TempDir dir;
  shell::GenerateRequest request;
  request.Options.MapDim = 0;
  request.Seed = 42;
  shell::LevelTarget target;
  target.LevelDir = dir.Str();
  target.GameDir = "/games/Half-Life";
  const auto made = shell::GenerateMap(request, target);
  ASSERT_TRUE(made.Ok()) << made.Error();
  EXPECT_EQ(made->Seed, 42u);

  // The same bytes as the generator gives for that seed and those options.
  Labyrinth lab(request.Options, 42);
  EXPECT_EQ(lab.GenerateLevel(), made->Attempts);
  lab.GameDir = target.GameDir;
  std::ostringstream expected;
  lab.Write(expected);
  EXPECT_EQ(ReadFile(dir.File("quorvel.map")), expected.str());
  EXPECT_EQ(made->MapText, expected.str());
  EXPECT_EQ(made->Entities, lab.NumEntities());
  request.Options.Friends = 7;
  EXPECT_EQ(shell::GenerateMap(request, target).Error(), "Friends must be 0 to 2, not 7");
  request.Options.Friends = 0;
  target.LevelDir = dir.File("missing");
  const auto failed = shell::GenerateMap(request, target);
  ASSERT_FALSE(failed.Ok());
  EXPECT_TRUE(Contains(failed.Error(), "Cannot write " + dir.File("missing/quorvel.map") + ": ")) << failed.Error();
}

TEST(NextSeed, EveryPressInOneSecondTakesTheNextUnusedSeed) {
  EXPECT_EQ(shell::NextSeed(std::nullopt, 1000), 1000u);
  EXPECT_EQ(shell::NextSeed(1000u, 1000), 1001u);
  EXPECT_EQ(shell::NextSeed(1002u, 1001), 1003u);  // 1001 was used already
  EXPECT_EQ(shell::NextSeed(1003u, 1010), 1010u);  // the clock has moved on
}

// The Windows plan through a stand-in interpreter that keeps the batch file
// and ends as the batch would: with the status of the tool whose marker it
// printed last.
TEST(CompileSession, WindowsBatchNamesTheToolThatStoppedItWithItsStatus) {
  FakeCompile fake;
  View view;
  std::string steps;
  shell::CompileOutcome outcome;
  shell::CompileSession compile([&view](std::function<void()> call) { view.Post(std::move(call)); },
                                {nullptr, nullptr,
                                 [&steps](std::size_t index, std::size_t count, const std::string& name) {
                                   steps += std::to_string(index + 1) + "/" + std::to_string(count) + " " + name + "\n";
                                 },
                                 [&outcome](const shell::CompileOutcome& end) { outcome = end; }});
  const std::string interpreter = fake.Root.File("cmd");
  MakePrograms(fake.ToolDir, {"sdHLCSG.exe", "hlbsp.exe", "vis.exe", "qrad.exe"});
  const auto plan = shell::MakeWindowsPlan({"quorvel", fake.AppDir, fake.ToolDir, fake.HLDir}, interpreter);
  ASSERT_TRUE(plan.Ok()) << plan.Error();
  const auto run = [&](const std::string& script) {
    WriteScript(interpreter, "sleep 0.1; " + script);
    outcome = {};
    EXPECT_TRUE(compile.Start(*plan));
    EXPECT_FALSE(compile.Start(*plan));  // one at a time
    EXPECT_TRUE(view.RunUntil([&] { return !outcome.StatusText.empty(); }));
    return outcome;
  };
  // Prints what the batch's echo lines would, up to the third tool.
  run("cp quorvel.bat ../ran.bat; grep '^echo' quorvel.bat | head -3 | cut -c6-; exit 1");
  EXPECT_EQ(outcome.FailedStep, "vis.exe");
  EXPECT_EQ(steps, "1/4 sdHLCSG.exe\n2/4 hlbsp.exe\n3/4 vis.exe\n");
  EXPECT_EQ(outcome.ErrorText, "vis.exe failed with exit status 1.");
  EXPECT_EQ(ReadFile(fake.Root.File("ran.bat")), plan->BatchText);
  EXPECT_FALSE(std::filesystem::exists(plan->BatchPath));  // deleted after every run
  // Every marker printed, the move's last: the move failed.
  EXPECT_EQ(run("grep '^echo' quorvel.bat | cut -c6-; exit 1").StatusText, "Cannot move the .bsp");
  EXPECT_TRUE(Contains(outcome.ErrorText, "The move of " + fake.AppDir + "/quorvel.bsp into the maps folder"))
      << outcome.ErrorText;
  EXPECT_TRUE(Contains(run("exit 0").ErrorText, "the move in " + plan->BatchPath + " failed"));  // the move did nothing
}

}  // namespace
