#pragma once
// The main window's state and commands, once for every window: the Qt and
// the Win32 windows only draw what the session tells them and forward the
// user's input to it. It owns the settings (loaded at start, saved at the
// end), the six options, the last level, the compile and its outcome, and
// the questions asked before running an older level or quitting.
//
//   class Window : public shell::MainView { ... };   // draws, forwards
//   Session session(window, folders, defaults);      // shows its first state
//   session.GenerateMap();                           // "Generate .map" pressed
//
// Every command catches what it throws and shows it as an error, so a
// failed command leaves the window usable. Calls come on the view's thread;
// the compile's reports reach it through MainView::Post.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Result.h"
#include "shell/CompileSession.h"
#include "shell/GenerateMap.h"
#include "shell/KeptLevels.h"
#include "shell/LevelOptions.h"
#include "shell/LevelPicture.h"
#include "shell/Settings.h"
#include "shell/StartFolder.h"

namespace shell {

// What the main window shows.
struct MainState {
  LabyrinthOptions Options;
  // "Generate .map", "Generate .bsp" and "Run Half-Life", and the Level
  // window's actions: off while a compile runs or Setup is needed.
  bool ActionsEnabled = false;
  std::string DisabledReason;  // why they are off (their tooltip); empty when on
  std::string Status;          // the status bar's text
  std::string Step;            // while a compile runs: "hlbsp: step 2 of 4, 0:12"
  std::string Seed;            // "Seed N" once a level was made; empty before
  bool Compiling = false;      // "Stop" is enabled
};

// The kept levels' list: a row of these columns for each level.
inline constexpr std::array<const char*, 5> kKeptColumns = {"Name", "Seed", "Options", "Made", "Compiled"};
using KeptRow = std::array<std::string, kKeptColumns.size()>;

// What the Level window shows: the last level made (nothing before the
// first) and the kept levels.
struct LevelSheet {
  bool HasLevel = false;
  bool NewLevel = false;  // a level was just made: the seed and name fields take its values
  std::string Title;      // "Level N"
  std::string SeedLine;   // "Seed N"
  std::string SeedField;  // the seed field's text
  std::vector<std::pair<std::string, std::string>> Options;  // {group, item}
  std::vector<std::pair<std::string, std::string>> Counts;   // {name, value}
  LevelPicture Picture;
  std::string CommandLine;  // the quorvel-cli call that writes the same bytes
  std::string KeepName;     // the name offered for keeping it
  std::vector<KeptRow> Kept;
};

// What a window does for the session.
class MainView {
 public:
  virtual ~MainView() = default;
  virtual void ShowState(const MainState& state) = 0;
  virtual void ShowLevel(const LevelSheet& sheet) = 0;
  // Shows the Level window (beside the main window when it was closed),
  // activated when the user asked for it rather than a level being made.
  virtual void OpenLevelWindow(bool activate) = 0;
  // Shows the compile output, emptied for a new compile.
  virtual void OpenCompileOutput() = 0;
  // What changed in the compile output (shell/CompileLog.h), at a pace the
  // view can keep up with.
  virtual void ShowCompileLog(const CompileLogUpdate& update) = 0;
  virtual void ShowError(const std::string& text) = 0;
  // A yes/no question, No the default; true for yes.
  virtual bool Ask(const std::string& question) = 0;
  // Runs call later on the view's thread (from any thread).
  virtual void Post(std::function<void()> call) = 0;
};

enum class FolderKind { Tools, Game };

class Session {
 public:
  // Loads the settings (defaults: what a first start offers) and shows the
  // first state.
  Session(MainView& view, const StartFolders& folders, Settings defaults);
  // Ends a running compile.
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const MainState& State() const { return Main; }
  const LevelSheet& Level() const { return Sheet; }
  const Settings& Folders() const { return Data; }
  const std::string& LevelDir() const { return Start.AppDir; }
  // What was wrong with the settings file at the start, for a message once
  // the window shows (and stderr); empty when nothing was.
  const std::string& StartProblem() const { return Problem; }

  void ChooseOption(const OptionSpec& option, int item);
  // "Generate .map": a new seed's level.
  void GenerateMap();
  // The Level window's "Make again": the typed seed's level with the
  // current options; a text that is no seed is refused with a message.
  void MakeAgain(const std::string& seedText);
  void ShowLevelWindow();
  // The Level window copied its command line.
  void CommandCopied();
  // "Keep level": the last level made, kept under name (shell/KeptLevels.h).
  void KeepLevel(const std::string& name);
  // A kept level's Play (`+map NAME`), Compile (into its game, at the
  // chosen quality) and Delete (asked first).
  void PlayKept(const std::string& name);
  void CompileKept(const std::string& name);
  void DeleteKept(const std::string& name);
  // "Generate .bsp".
  void Compile();
  // "Generate .bsp", then "Run Half-Life" when it succeeded.
  void CompileAndPlay();
  void StopCompile();
  // "Run Half-Life": refuses without a compiled level, asks after a failed
  // compile.
  void RunGame();
  // Once a second while a compile runs: the step's time.
  void Tick();

  // Setup: a field's folder was chosen or typed. Stores it unless the name
  // cannot be kept; returns the note to show below the field.
  std::string StoreFolder(FolderKind kind, const std::string& folder);
  // The note for a field as it stands, without storing.
  std::string NoteFor(FolderKind kind) const;
  // Setup's compile quality, kept in the settings.
  CompileQuality Quality() const;
  void ChooseQuality(CompileQuality quality);
  void SetupClosed();

  // The window is being closed by the user: true when it may close (after
  // asking, and stopping the compile, when one runs).
  bool MayClose();
  // The program must end (a signal, the end of the user's session): stops
  // a compile without asking; MayClose is true from now on.
  void EndNow();
  // Stops a compile and saves the settings with the options (unless the file
  // could not be read at the start, when it stays the user's). Once: later
  // calls give the first one's result.
  Result<> Finish();
  // 1 when the program met an error it reported at start or at Finish.
  int ExitStatus() const { return Failed ? 1 : 0; }

 private:
  template <typename F>
  void Guarded(F command);
  void Show();
  void Enable();
  void ShowSetupNeeded(const Result<>& ready);
  void Generate(std::uint32_t seed, bool chosen);
  void StepStarted(std::size_t index, std::size_t count, const std::string& name);
  void CompileFinished(const CompileOutcome& outcome);
  void StartCompile(const LevelTarget& target);
  // The kept level of that name, or an error shown and nullopt.
  std::optional<KeptLevel> Kept(const std::string& name);
  void ShowKept();
  std::string KeptDir() const { return KeptLevelsDir(Start.AppDir); }
  LevelTarget Target() const;
  bool CompileRunning() const { return Compiler && Compiler->Running(); }

  MainView& View;
  StartFolders Start;
  Settings Data;
  MainState Main;
  LevelSheet Sheet;
  std::string Problem;
  std::string SetupNeeded;  // why the actions wait for Setup; empty when they need not
  bool SaveAtExit = true;
  bool Ending = false;
  bool Done = false;  // Finish ran
  Result<> Saved;
  bool Failed = false;
  bool LastCompileFailed = false;
  std::optional<std::uint32_t> LastSeed;
  std::optional<GeneratedLevel> Last;  // what "Keep level" keeps
  std::optional<KeptLevel> CompilingKept;  // marked compiled when its compile succeeds
  // The running compile's step, for the status bar's field.
  std::chrono::steady_clock::time_point CompileStart;
  std::size_t StepIndex = 0, StepCount = 0;
  std::string StepName;
  // Called last when the running compile ends, with whether it succeeded.
  std::function<void(bool succeeded)> AfterCompile;
  std::unique_ptr<CompileSession> Compiler;
};

}  // namespace shell
