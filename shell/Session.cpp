#include "shell/Session.h"

#include <exception>

#include "shell/CommandLine.h"
#include "shell/GameLaunch.h"
#include "shell/Names.h"
#include "shell/Paths.h"
#include "shell/SetupChecks.h"

namespace shell {

namespace {
constexpr char kCompiling[] = "A compile is running.";
constexpr char kQuitQuestion[] = "A compile is running. Stop it and quit?";
}  // namespace

Session::Session(MainView& view, const StartFolders& folders, Settings defaults) : View(view), Start(folders) {
  StartSettings loaded = LoadStartSettings(Start.SettingsPath, std::move(defaults));
  Data = std::move(loaded.Data);
  // A file that is there but cannot be read is the user's: never replaced.
  SaveAtExit = loaded.SaveAtExit;
  Problem = std::move(loaded.Problem);
  Failed = !Problem.empty();
  Main.Options = OptionsFromSettings(Data);
  Sheet.Title = "Level";
  CompileSession::Callbacks calls;
  calls.Log = [this](const CompileLogUpdate& update) { View.ShowCompileLog(update); };
  calls.StepStarted = [this](std::size_t index, std::size_t count, const std::string& name) {
    StepStarted(index, count, name);
  };
  calls.Finished = [this](const CompileOutcome& outcome) { CompileFinished(outcome); };
  Compiler = std::make_unique<CompileSession>([this](std::function<void()> call) { View.Post(std::move(call)); },
                                              std::move(calls));
  ShowSetupNeeded(loaded.Ready);
  ShowKept();
}

Session::~Session() { Compiler.reset(); }  // ends a running tool before the view goes

template <typename F>
void Session::Guarded(F command) {
  try {
    command();
  } catch (const std::exception& e) {
    View.ShowError(e.what());
  }
}

void Session::Show() { View.ShowState(Main); }

void Session::Enable() {
  Main.Compiling = CompileRunning();
  Main.DisabledReason = Main.Compiling ? kCompiling : SetupNeeded;
  Main.ActionsEnabled = Main.DisabledReason.empty();
  Show();
}

void Session::ShowSetupNeeded(const Result<>& ready) {
  const std::string& reason = ready.Error();
  // The reason stands in the status bar; other texts stay.
  if (!reason.empty() || Main.Status == SetupNeeded) Main.Status = reason;
  SetupNeeded = reason;
  Enable();
}

LevelTarget Session::Target() const {
  LevelTarget target;
  target.LevelDir = Start.AppDir;
  target.ToolDir = Data.ToolDir();
  target.GameDir = Data.GameDir();
  target.Quality = Quality();
  return target;
}

void Session::ChooseOption(const OptionSpec& option, int item) {
  Guarded([&] {
    option.Set(Main.Options, item);
    Show();
  });
}

void Session::GenerateMap() {
  Guarded([&] {
    if (Main.ActionsEnabled) Generate(TakeNextSeed(LastSeed), false);
  });
}

void Session::MakeAgain(const std::string& seedText) {
  Guarded([&] {
    if (!Main.ActionsEnabled) return;
    const Result<std::uint32_t> seed = ParseSeed(seedText);
    if (!seed) return View.ShowError(seed.Error());
    Generate(*seed, true);
  });
}

void Session::Generate(std::uint32_t seed, bool chosen) {
  Main.Status.clear();
  Show();
  GenerateRequest request;
  request.Options = Main.Options;
  request.Seed = seed;
  request.SeedChosen = chosen;
  const Result<GeneratedLevel> made = shell::GenerateMap(request, Target());
  if (!made) return View.ShowError(made.Error());
  const bool first = !Sheet.HasLevel;
  const std::string seedText = std::to_string(made->Seed);
  Sheet.HasLevel = true;
  Sheet.Title = "Level " + seedText;
  Sheet.SeedLine = "Seed " + seedText;
  Sheet.SeedField = seedText;
  Sheet.Options = OptionRows(made->Options);
  Sheet.Counts = CountRows(*made);
  Sheet.Picture = MakeLevelPicture(made->Layout, made->Characters);
  Sheet.CommandLine = CommandLineText("quorvel-cli", ArgumentsFor(made->Options, made->Seed, made->GameDir));
  Sheet.KeepName = OfferedName(made->Seed);
  Sheet.NewLevel = true;
  Last = *made;
  Main.Status = kMapGenerated;
  Main.Seed = Sheet.SeedLine;
  Show();
  View.ShowLevel(Sheet);
  Sheet.NewLevel = false;
  if (first) View.OpenLevelWindow(false);
}

void Session::ShowLevelWindow() {
  Guarded([&] { View.OpenLevelWindow(true); });
}

void Session::CommandCopied() {
  Guarded([&] {
    Main.Status = "Copied";
    Show();
  });
}

void Session::KeepLevel(const std::string& name) {
  Guarded([&] {
    if (!Main.ActionsEnabled) return;
    if (!Last) return View.ShowError("There is no level to keep yet: make one first.");
    const Result<KeptLevel> kept = shell::KeepLevel(KeptDir(), name, *Last);
    if (!kept) return View.ShowError(kept.Error());
    Main.Status = "Kept as " + kept->Name;
    Show();
    ShowKept();
  });
}

std::optional<KeptLevel> Session::Kept(const std::string& name) {
  std::optional<KeptLevel> level = FindKeptLevel(KeptDir(), name);
  if (!level) View.ShowError("There is no kept level " + name + " in " + KeptDir() + ".");
  ShowKept();  // the list may have changed behind the window's back
  return level;
}

void Session::ShowKept() {
  Sheet.Kept.clear();
  for (const KeptLevel& level : ListKeptLevels(KeptDir())) {
    const bool compiled = level.Compiled && IsFile(level.GameLevelPath());
    std::string options;
    for (const auto& [group, item] : OptionRows(level.Options)) options += (options.empty() ? "" : ", ") + item;
    Sheet.Kept.push_back({level.Name, std::to_string(level.Seed), options, level.Made, compiled ? "yes" : "no"});
  }
  View.ShowLevel(Sheet);
}

void Session::PlayKept(const std::string& name) {
  Guarded([&] {
    if (!Main.ActionsEnabled) return;
    const std::optional<KeptLevel> level = Kept(name);
    if (!level) return;
    const LevelTarget target = KeptTarget(KeptDir(), *level, Data.ToolDir(), Quality());
    if (!level->Compiled || !IsFile(target.GameLevelPath()))
      return View.ShowError("The level " + level->Name + " is not compiled into the game (" + target.GameLevelPath() +
                            "): press Compile first.");
    const Result<> started = LaunchGame(target);
    if (!started) return View.ShowError(started.Error());
    Main.Status = kHalfLifeStarted;
    Show();
  });
}

void Session::CompileKept(const std::string& name) {
  Guarded([&] {
    if (!Main.ActionsEnabled) return;
    const std::optional<KeptLevel> level = Kept(name);
    if (!level) return;
    if (const Result<> compilable = CheckCompileKept(*level); !compilable) return View.ShowError(compilable.Error());
    StartCompile(KeptTarget(KeptDir(), *level, Data.ToolDir(), Quality()));
    if (CompileRunning()) CompilingKept = level;
  });
}

void Session::DeleteKept(const std::string& name) {
  Guarded([&] {
    if (!Main.ActionsEnabled) return;
    const std::optional<KeptLevel> level = Kept(name);
    if (!level) return;
    std::string files;
    for (const std::string& file : KeptLevelFiles(KeptDir(), *level))
      if (IsFile(file)) files += "\n" + file;
    if (!View.Ask("Delete the kept level " + level->Name + "? These files are removed:" + files)) return;
    const Result<> deleted = DeleteKeptLevel(KeptDir(), *level);
    if (!deleted) View.ShowError(deleted.Error());
    else Main.Status = "Deleted " + level->Name;
    Show();
    ShowKept();
  });
}

void Session::Compile() {
  Guarded([&] {
    if (Main.ActionsEnabled) StartCompile(Target());
  });
}

void Session::StartCompile(const LevelTarget& target) {
  Main.Status.clear();
  View.OpenCompileOutput();
  if (!Compiler || !Compiler->Start(target)) return;
  CompileStart = std::chrono::steady_clock::now();
  StepIndex = StepCount = 0;
  StepName.clear();
  Main.Step = "Compiling";
  Enable();
}

void Session::CompileAndPlay() {
  Guarded([&] {
    if (!Main.ActionsEnabled) return;
    AfterCompile = [this](bool succeeded) {
      if (succeeded) RunGame();
    };
    Compile();
    if (!CompileRunning()) AfterCompile = nullptr;
  });
}

void Session::StopCompile() {
  Guarded([&] {
    if (Compiler) Compiler->Stop();
  });
}

void Session::StepStarted(std::size_t index, std::size_t count, const std::string& name) {
  StepIndex = index, StepCount = count, StepName = name;
  Tick();
}

void Session::Tick() {
  if (!Main.Compiling || StepName.empty()) return;
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - CompileStart);
  Main.Step = CompileStepText(StepName, StepIndex, StepCount, elapsed);
  Show();
}

void Session::CompileFinished(const CompileOutcome& outcome) {
  LastCompileFailed = !outcome.Ok;
  Main.Step.clear();
  Main.Status = outcome.StatusText;
  Enable();
  Guarded([&] {
    // Recorded even while the program ends: the level is in the game now.
    if (const std::optional<KeptLevel> kept = std::exchange(CompilingKept, std::nullopt); kept && outcome.Ok) {
      if (const Result<> marked = MarkCompiled(KeptDir(), *kept); !marked && !Ending) View.ShowError(marked.Error());
      ShowKept();
    }
    if (!outcome.ErrorText.empty() && !Ending) View.ShowError(outcome.ErrorText);
    if (auto next = std::exchange(AfterCompile, nullptr); next && !Ending) next(outcome.Ok);
  });
}

void Session::RunGame() {
  Guarded([&] {
    if (!Main.ActionsEnabled) return;
    const Result<std::string> question = CheckLevelToRun(Target(), LastCompileFailed);
    if (!question) return View.ShowError(question.Error());
    if (!question->empty() && !View.Ask(*question)) return;
    const Result<> started = LaunchGame(Target());
    if (!started) return View.ShowError(started.Error());
    Main.Status = kHalfLifeStarted;
    Show();
  });
}

std::string Session::StoreFolder(FolderKind kind, const std::string& folder) {
  const std::size_t line = kind == FolderKind::Tools ? Settings::kToolLine : Settings::kGameLine;
  const Result<std::string> note = kind == FolderKind::Tools ? CheckToolsFolder(folder) : CheckGameFolder(folder);
  if (note) {
    Data.SetLine(line, folder);
    return *note;
  }
  return Data.Line(line) == folder ? note.Error() : "Not saved. " + note.Error();
}

std::string Session::NoteFor(FolderKind kind) const {
  const Result<std::string> note =
      kind == FolderKind::Tools ? CheckToolsFolder(Data.ToolDir()) : CheckGameFolder(Data.GameDir());
  return note ? *note : note.Error();
}

CompileQuality Session::Quality() const {
  const Result<CompileQuality> quality = ParseQuality(Data.Value("quality"));
  return quality ? *quality : CompileQuality::Normal;
}

void Session::ChooseQuality(CompileQuality quality) { Data.SetValue("quality", SpecOf(quality).Name); }

void Session::SetupClosed() {
  Guarded([&] { ShowSetupNeeded(FoldersReady(Data)); });
}

bool Session::MayClose() {
  if (!CompileRunning() || Ending) return true;
  if (!View.Ask(kQuitQuestion)) return false;
  Compiler->Stop();
  return true;
}

void Session::EndNow() {
  Ending = true;
  if (Compiler) Compiler->Stop();
}

Result<> Session::Finish() {
  if (Done) return Saved;
  Done = true;
  Ending = true;
  Compiler.reset();  // stops the tool and waits for it
  if (!SaveAtExit) return Saved;
  StoreOptions(Main.Options, Data);
  Saved = SaveSettings(Start.SettingsPath, Data);
  if (!Saved) Failed = true;
  return Saved;
}

}  // namespace shell
