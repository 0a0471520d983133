// The Win32 window driven in-process: clicks sent as messages, dialogs
// answered from DialogShown, message boxes from a hook, the compile run with
// fake tools through the real command interpreter.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>

#include "RealTools.h"
#include "TestFiles.h"
#include "WindowDriver.h"
#include "cli/Cli.h"
#include "platform/Process.h"
#include "shell/CommandLine.h"
#include "win/AboutDialog.h"
#include "win/CompileOutputWindow.h"
#include "win/LevelWindow.h"
#include "win/MainWindow.h"
#include "win/SetupDialog.h"
#include "win/resource.h"

namespace fs = std::filesystem;
using namespace testing_support;
using namespace win_test;
using namespace std::chrono_literals;

namespace {

// True while a process of that file name runs anywhere on the system.
bool ProgramRuns(const wchar_t* name) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  bool found = false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
    found = lstrcmpiW(entry.szExeFile, name) == 0;
  CloseHandle(snapshot);
  return found;
}

bool Enabled(win::MainWindow& window, int id) { return IsWindowEnabled(window.Item(id)) != FALSE; }

void ExpectActionsEnabled(win::MainWindow& window, bool enabled) {
  for (int id : {win::kButGenMap, win::kButGenBsp, win::kButRun}) EXPECT_EQ(Enabled(window, id), enabled) << id;
}

// A part of the main window's status bar: 0 the status, then the step while
// a compile runs, then the seed; "" past the last.
std::string Status(win::MainWindow& window, std::size_t part = 0) {
  const std::vector<std::string> parts = StatusParts(window.Item(win::kStatusBar));
  return part < parts.size() ? parts[part] : "";
}

std::string OutputText(win::MainWindow& window) {
  return win::WindowText(GetDlgItem(window.CompileOutput().Handle(), win::CompileOutputWindow::kText));
}

// True when b lies within the work area and covers at most half of a's width.
bool Beside(HWND a, HWND b) {
  RECT ra{}, rb{}, both{}, screen{}, shown{};
  GetWindowRect(a, &ra);
  GetWindowRect(b, &rb);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  const bool covers = IntersectRect(&both, &ra, &rb) && both.right - both.left > (ra.right - ra.left) / 2;
  return !covers && IntersectRect(&shown, &rb, &screen) && EqualRect(&shown, &rb);
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = win::Narrow(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// A level folder, compile tools and a game, in folders whose names the
// command interpreter would take apart if they were not quoted and escaped,
// with letters outside ASCII too.
struct Installation {
  Installation()
      : App(Root.Path / fs::u8path(u8"levels \u00e9 & 100% ^(x)")),
        Tools(Root.Path / fs::u8path(u8"tools \u00fc (1) & %PATH% ^")),
        Game(Root.Path / fs::u8path(u8"Half-Life \u00e9 & Co")) {
    fs::create_directories(App);
    fs::create_directories(Maps);
    fs::create_directories(Tools);
    for (const char* name : {"qcsg.exe", "qbsp2.exe", "vis.exe", "qrad.exe"}) AddProgram(Tools / name);
    WriteFile(App / "quorvel.ini", Tools.u8string() + "\r\n" + Game.u8string() + "\r\n");
  }

  TempDir Root;
  fs::path App, Tools, Game;
  fs::path Maps = Game / "valve" / "maps";

  static void AddProgram(const fs::path& to) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    fs::copy_file(fs::path(self).parent_path() / "fake_tool.exe", to);
  }
  void AddGame() const { AddProgram(Game / "hl.exe"); }

  static std::vector<std::string> Calls(const fs::path& dir) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(dir / "calls.log"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

// The main window started in an installation's level folder, its message
// boxes caught.
struct Session {
  Installation hl;
  ChangeDirectory here{hl.App};
  MessageBoxCatcher boxes;
  win::MainWindow window;

  // Generates the map, then compiles it and waits for the outcome.
  void GenerateAndCompile() {
    Click(window.Item(win::kButGenMap));
    ASSERT_EQ(Status(window), ".map generated");
    Click(window.Item(win::kButGenBsp));
    EXPECT_FALSE(Enabled(window, win::kButGenMap) || Enabled(window, win::kButRun));
    EXPECT_TRUE(Enabled(window, win::kButSetup));
    ASSERT_TRUE(PumpUntil([&] { return Enabled(window, win::kButGenBsp); }, 60s));
  }
};

}  // namespace

// A first start waits for Setup, which says below each field what is wrong
// with the folder; the options chosen come back at the next start. (The
// session's own rules: tests/shell tst_Session.cpp.)
TEST(MainWindow, FirstStartNeedsSetupThenWritesMapAndSettings) {
  TempDir app, tools;
  ChangeDirectory here(app.Path);
  // The folders found on the computer are offered (shell::FoundDefaults).
  auto window = std::make_unique<win::MainWindow>(shell::StartFolders{app.Str(), app.File("quorvel.ini")},
                                                  shell::Settings{{"C:\\Compilers", "C:\\Games\\Half-Life"}});
  ExpectActionsEnabled(*window, false);
  EXPECT_EQ(Status(*window), "Open Setup to choose the compile tools and game folders.");
  const int defaults[] = {1, 0, 1, 1, 1, 0};  // in the table's order
  for (int g = 0; g < win::kGroupCount; ++g)
    EXPECT_EQ(CheckedRadio(window->Handle(), win::kFirstRadio + 10 * g), defaults[g]) << "group " << g;

  // Setup says beside each field what is wrong with the folder; a name a
  // level cannot carry is not kept.
  std::string offered, title;
  window->ChooseFolder = [&](HWND, const std::string& chooserTitle, const std::string& current) {
    offered = current;
    title = chooserTitle;
    return std::optional<std::string>(tools.Str());
  };
  window->DialogShown = [&](HWND dialog) {
    const auto note = [dialog](int id) { return win::WindowText(GetDlgItem(dialog, id)); };
    EXPECT_EQ(note(win::SetupDialog::kNoteTool), "This folder does not exist.");
    Click(GetDlgItem(dialog, win::SetupDialog::kBrowseTool));
    EXPECT_TRUE(Contains(note(win::SetupDialog::kNoteTool), "No compile tools here: "));
    // A typed folder counts once the field is left.
    SetFocus(GetDlgItem(dialog, win::SetupDialog::kDirHL));
    SetDlgItemTextW(dialog, win::SetupDialog::kDirHL, L"C:\\Half;Life");
    EXPECT_EQ(note(win::SetupDialog::kNoteHL), "This folder does not exist.");  // the note from before
    SetFocus(GetDlgItem(dialog, win::SetupDialog::kDirTool));
    EXPECT_TRUE(Contains(note(win::SetupDialog::kNoteHL), "Not saved.")) << note(win::SetupDialog::kNoteHL);
    PostMessageW(GetDlgItem(dialog, win::SetupDialog::kButClose), BM_CLICK, 0, 0);
  };
  Click(window->Item(win::kButSetup));
  EXPECT_EQ(offered, "C:\\Compilers");  // the dialog was there
  EXPECT_EQ(title, "Compile tools folder");
  ExpectActionsEnabled(*window, true);

  // Enter presses the focused button.
  SetFocus(window->Item(win::kButGenMap));
  PostMessageW(window->Item(win::kButGenMap), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(PumpUntil([&] { return Status(*window) == ".map generated"; }, 5s, window->Handle()));

  Click(window->Item(win::kFirstRadio + 10 * win::kMapDim + 2));
  window.reset();
  window = std::make_unique<win::MainWindow>();
  EXPECT_EQ(CheckedRadio(window->Handle(), win::kFirstRadio + 10 * win::kMapDim), 2);
}

// The tools run through the batch file, each on the map's whole path in the
// tools folder, and the level reaches the game. A crashed tool is named with
// its exception, which the batch passes on; SDHLT's progress counter shows
// as one line. Errors show the error icon, questions (Run Half-Life after a
// failed compile: tst_Session.cpp's AFailedCompileIsTold...) the question icon.
TEST(MainWindow, CompilesThroughTheBatchFileAndMovesTheLevelIntoTheGame) {
  Session s;
  const Installation& hl = s.hl;
  const auto& boxes = s.boxes.Boxes;
  WriteFile(hl.Tools / "count-vis.exe", "");
  WriteFile(hl.Tools / "crash-qrad.exe", "");
  s.GenerateAndCompile();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, "Quorvel");
  EXPECT_TRUE(Contains(boxes[0].Text, "qrad.exe crashed (exception 0xC0000005).")) << boxes[0].Text;
  EXPECT_EQ(boxes[0].Icon, "error");
  std::string text = OutputText(s.window);
  EXPECT_TRUE(Contains(text, "\r\nBasePortalVis:\r\n (0.01 seconds)\r\n")) << text;
  EXPECT_FALSE(Contains(text, "/   328"));
  WriteFile(hl.Maps / "quorvel.bsp", "older level");
  s.boxes.Answer = IDNO;
  Click(s.window.Item(win::kButRun));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].Icon, "question");

  fs::remove(hl.Tools / "crash-qrad.exe");
  fs::remove(hl.Tools / "calls.log");
  s.GenerateAndCompile();
  EXPECT_EQ(boxes.size(), 2u) << boxes.back().Text;
  EXPECT_EQ(Status(s.window), ".bsp generated");
  EXPECT_EQ(ReadFile(hl.Maps / "quorvel.bsp"), "BSP");
  EXPECT_FALSE(fs::exists(hl.Tools / "quorvel.bat"));  // deleted after the run
  const std::string tail = "|" + (hl.App / "quorvel").u8string() + "|" + hl.Tools.u8string();
  EXPECT_EQ(hl.Calls(hl.Tools), (std::vector<std::string>{"qcsg.exe" + tail, "qbsp2.exe" + tail,
                                                          "vis.exe" + tail, "qrad.exe" + tail}));
  hl.AddGame();
  Click(s.window.Item(win::kButRun));
  ASSERT_TRUE(PumpUntil([&] { return !hl.Calls(hl.Game).empty(); }, 20s));
  EXPECT_EQ(hl.Calls(hl.Game), std::vector<std::string>{"hl.exe|-console +map quorvel|" + hl.Game.u8string()});
  EXPECT_EQ(Status(s.window), "Half-Life started");
}

// A tool that prints without end: the window keeps answering and shows the
// running step, the output opens beside it, and Stop ends the compile. The
// end of the user's session ends the tool (and the interpreter it runs
// under) at once and saves the settings, without a question.
TEST(MainWindow, StopAndTheEndOfTheSessionEndTheCompileThatTheStatusBarFollows) {
  Session s;
  WriteFile(s.hl.Tools / "flood-qcsg.exe", "");
  Click(s.window.Item(win::kButGenMap));
  Click(s.window.Item(win::kButGenBsp));
  const auto start = std::chrono::steady_clock::now();
  auto last = start;
  std::chrono::steady_clock::duration longest{};
  // Between two looks the thread's messages were being handled.
  PumpUntil(
      [&] {
        const auto now = std::chrono::steady_clock::now();
        longest = std::max(longest, now - last);
        last = now;
        return now - start > 3s;
      },
      10s, s.window.Handle());
  EXPECT_LT(longest, 1s);
  EXPECT_TRUE(Contains(OutputText(s.window), "a line of output\r\na line of output\r\n"));
  EXPECT_TRUE(Contains(Status(s.window, 1), "qcsg.exe: step 1 of 4, 0:0")) << Status(s.window, 1);
  EXPECT_TRUE(Contains(Status(s.window, 2), "Seed ")) << Status(s.window, 2);

  const HWND output = s.window.CompileOutput().Handle();
  EXPECT_TRUE(Beside(s.window.Handle(), output));
  // A terminal's 80 columns fit.
  const HWND text = GetDlgItem(output, win::CompileOutputWindow::kText);
  RECT client{};
  GetClientRect(text, &client);
  EXPECT_GE(client.right, win::TextSize(win::FontOf(text), std::wstring(80, L'0')).cx);

  Click(GetDlgItem(output, win::CompileOutputWindow::kButStop));
  ASSERT_TRUE(PumpUntil([&] { return Enabled(s.window, win::kButGenBsp); }, 2s));
  EXPECT_EQ(Status(s.window), "Compile stopped");
  EXPECT_TRUE(Contains(Status(s.window, 1), "Seed ")) << Status(s.window, 1);  // the step's field gone
  EXPECT_TRUE(s.boxes.Boxes.empty());

  // Escape closes the output, wherever the focus is in it.
  PostMessageW(GetDlgItem(output, win::CompileOutputWindow::kText), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(output); }, 5s, s.window.Handle()));

  Click(s.window.Item(win::kFirstRadio + 10 * win::kMapDim + 3));
  Click(s.window.Item(win::kButGenBsp));
  ASSERT_TRUE(PumpUntil([] { return ProgramRuns(L"qcsg.exe"); }, 20s));
  EXPECT_TRUE(SendMessageW(s.window.Handle(), WM_QUERYENDSESSION, 0, 0));
  SendMessageW(s.window.Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(PumpUntil([] { return !ProgramRuns(L"qcsg.exe"); }, 5s));
  EXPECT_TRUE(Contains(ReadFile(s.hl.App / "quorvel.ini"), "\r\ndimension=big\r\n")) << ReadFile(s.hl.App / "quorvel.ini");
  EXPECT_TRUE(s.boxes.Boxes.empty());
}

// Before any level Ctrl+E opens the Level window beside the main window
// with an empty seed field; a typed seed makes its level, whose command line
// is copied; its buttons wait while a compile runs. Keep level lists the
// level (a name in another case is the same name on Windows), Setup's
// quality reaches its Compile, and Play and Delete (asked) take the chosen
// level. What the session does with them: tst_Session.cpp's
// MakeAgainTakesOnlyASeed and KeptLevelsAreCompiledPlayedAndDeletedByTheirNames.
TEST(LevelWindow, MakesASeedsLevelAndKeepsLevelsByName) {
  Session s;
  const Installation& hl = s.hl;
  const HWND level = s.window.Level().Handle(), list = GetDlgItem(level, win::LevelWindow::kKeptList);
  const auto item = [level](int id) { return GetDlgItem(level, id); };
  const auto text = [&](int id) { return win::WindowText(item(id)); };
  EXPECT_FALSE(IsWindowVisible(level));
  EXPECT_EQ(StatusParts(s.window.Item(win::kStatusBar)).size(), 1u);  // no seed yet
  SendMessageW(s.window.Handle(), WM_COMMAND, IDM_SHOW_LEVEL, 0);
  ASSERT_TRUE(IsWindowVisible(level));
  EXPECT_TRUE(Beside(s.window.Handle(), level));
  EXPECT_EQ(text(win::LevelWindow::kSeedEdit), "");
  EXPECT_FALSE(IsWindowEnabled(item(win::LevelWindow::kButKeep)));
  Click(s.window.Item(win::kFirstRadio + 10 * win::kMapDim + 0));
  SetDlgItemTextW(level, win::LevelWindow::kSeedEdit, L"7");
  Click(item(win::LevelWindow::kButMakeAgain));
  EXPECT_EQ(Status(s.window, 1), "Seed 7");
  EXPECT_EQ(text(win::LevelWindow::kSeed), "Seed 7");
  EXPECT_TRUE(Contains(text(win::LevelWindow::kOptionValues), "Very Small")) << text(win::LevelWindow::kOptionValues);
  Click(item(win::LevelWindow::kButCopy));
  EXPECT_EQ(ClipboardText(), s.window.Session().Level().CommandLine);
  EXPECT_EQ(Status(s.window), "Copied");

  EXPECT_EQ(text(win::LevelWindow::kNameEdit), "quorvel_7");
  Click(item(win::LevelWindow::kButKeep));
  SetDlgItemTextW(level, win::LevelWindow::kNameEdit, L"QUORVEL_7");
  Click(item(win::LevelWindow::kButKeep));
  ASSERT_EQ(s.boxes.Boxes.size(), 1u);
  EXPECT_TRUE(Contains(s.boxes.Boxes[0].Text, "already a kept level quorvel_7")) << s.boxes.Boxes[0].Text;
  ASSERT_EQ(ListView_GetItemCount(list), 1);
  EXPECT_FALSE(IsWindowEnabled(item(win::LevelWindow::kButPlayKept)));  // nothing chosen yet
  ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);

  s.window.DialogShown = [](HWND setup) {
    SendDlgItemMessageW(setup, win::SetupDialog::kQuality, CB_SETCURSEL, 0, 0);
    SendMessageW(setup, WM_COMMAND, MAKEWPARAM(win::SetupDialog::kQuality, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(setup, win::SetupDialog::kQuality)));
    PostMessageW(setup, WM_CLOSE, 0, 0);
  };
  Click(s.window.Item(win::kButSetup));
  hl.AddGame();
  Click(item(win::LevelWindow::kButCompilePlay));
  EXPECT_FALSE(IsWindowEnabled(item(win::LevelWindow::kButMakeAgain)));
  ASSERT_TRUE(PumpUntil([&] { return !hl.Calls(hl.Game).empty(); }, 60s));
  EXPECT_TRUE(IsWindowEnabled(item(win::LevelWindow::kButMakeAgain)));
  EXPECT_TRUE(Contains(OutputText(s.window), "Compile quality: Fast (")) << OutputText(s.window);
  Click(item(win::LevelWindow::kButCompileKept));
  ASSERT_TRUE(PumpUntil([&] { return Enabled(s.window, win::kButGenBsp); }, 60s));
  Click(item(win::LevelWindow::kButPlayKept));
  ASSERT_TRUE(PumpUntil([&] { return hl.Calls(hl.Game).size() == 2; }, 20s));
  EXPECT_EQ(hl.Calls(hl.Game)[1], "hl.exe|-console +map quorvel_7|" + hl.Game.u8string());
  s.boxes.Answer = IDYES;
  Click(item(win::LevelWindow::kButDeleteKept));
  ASSERT_EQ(s.boxes.Boxes.size(), 2u);
  EXPECT_EQ(s.boxes.Boxes[1].Icon, "question");
  EXPECT_EQ(ListView_GetItemCount(list), 0);
}

// Every caption shows whole, in the message font, and every control within
// its window, at the usual DPIs: the layout leaves room for the caption
// rather than shrinking its font, and the main
// window lays itself out again at each (at 144 DPI everything is half as
// large again as at 96). The About dialog's licence unfolds and folds back.
TEST(MainWindow, CaptionsShowWholeInOneFontAtEveryDpiAndAboutUnfolds) {
  TempDir app;
  ChangeDirectory here(app.Path);
  win::MainWindow window;
  std::vector<std::string> problems;
  // (About's folded licence lies below its client area.)
  const auto check = [&problems](HWND shown, UINT dpi, bool folded = false) {
    RECT suggested{0, 0, 900, 700};
    SendMessageW(shown, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    for (std::string& problem : CaptionProblems(shown, dpi)) problems.push_back(std::move(problem));
    RECT client{}, control{};
    GetClientRect(shown, &client);
    for (HWND child = GetWindow(shown, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      GetWindowRect(child, &control);
      MapWindowPoints(nullptr, shown, reinterpret_cast<POINT*>(&control), 2);
      const bool inside = control.left >= 0 && control.top >= 0 && control.right <= client.right &&
                          control.bottom <= client.bottom;
      if (!inside && !folded)
        problems.push_back("control " + std::to_string(GetDlgCtrlID(child)) + " outside at " + std::to_string(dpi));
    }
  };
  // The client area, the "Generate .map" button in it, and the font's height.
  const auto sizes = [&] {
    RECT client{}, button{};
    GetClientRect(window.Handle(), &client);
    GetWindowRect(window.Item(win::kButGenMap), &button);
    MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&button), 2);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window.Item(win::kButSetup), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    return std::vector<LONG>{client.right, client.bottom, button.left, button.top, button.right - button.left,
                             std::abs(font.lfHeight)};
  };
  std::vector<std::vector<LONG>> atDpi;
  std::vector<LONG> heights;  // About's: folded, unfolded, folded again
  std::string version;
  for (const UINT dpi : {96u, 120u, 144u}) {
    for (const HWND shown : {window.Handle(), window.Level().Handle(), window.CompileOutput().Handle()})
      check(shown, dpi);
    atDpi.push_back(sizes());
    bool about = false;
    window.DialogShown = [&](HWND dialog) {
      check(dialog, dpi, about);
      for (int i = 0; about && dpi == 96 && i < 3; ++i) {
        version = win::WindowText(GetDlgItem(dialog, win::AboutDialog::kVersion));
        RECT client{};
        GetClientRect(dialog, &client);
        heights.push_back(client.bottom);
        if (i < 2) Click(GetDlgItem(dialog, win::AboutDialog::kButLicense));
      }
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    };
    Click(window.Item(win::kButSetup));
    about = true;
    Click(window.Item(win::kButAbout));
  }
  for (const std::string& problem : problems) ADD_FAILURE() << problem;
  for (size_t i = 0; i < atDpi[0].size(); ++i) EXPECT_NEAR(atDpi[2][i], 1.5 * atDpi[0][i], 1) << "size " << i;
  EXPECT_EQ(version, "Version 1.01");
  ASSERT_EQ(heights.size(), 3u);
  EXPECT_GT(heights[1], heights[0] + 100);
  EXPECT_EQ(heights[2], heights[0]);
}

// The runner under the compile reports a start failure with its reason.
// (Stop ending the whole tree, the interpreter with the tool: the end of the
// user's session in StopAndTheEndOfTheSession... above.)
TEST(Process, ReportsAStartFailure) {
  TempDir dir;
  platform::ProcessExit exit =
      platform::Process::Start({(dir.Path / "missing.exe").u8string(), {}, dir.Str()}, {})->Wait();
  EXPECT_EQ(exit.How, platform::ProcessExit::Kind::FailedToStart);
  EXPECT_FALSE(exit.Error.empty());
}

// The quoting of the copied command line and the compile output, through
// the interpreter: cmd /c with the line as typed, then the program's own
// CommandLineToArgvW. Wine's cmd keeps a caret outside quotes, which
// Windows' removes, so '%' and '"' (written ^% and \^" there) are only
// checked as text.
TEST(CommandLine, EachArgumentReachesTheProgramThroughCmdAsItWas) {
  EXPECT_EQ(shell::QuotedArgument("C:\\100% \\", shell::ShellRules::Windows), "\"C:\\100\"^%\" \\\\\"");
  EXPECT_EQ(shell::QuotedArgument("a\\\"b", shell::ShellRules::Windows), "\"a\\\\\"\\^\"\"b\"");
  TempDir dir;
  const fs::path tool = dir.Path / "hl tool.exe";
  Installation::AddProgram(tool);
  wchar_t interpreter[MAX_PATH];
  GetEnvironmentVariableW(L"COMSPEC", interpreter, MAX_PATH);
  const std::string words[] = {u8"Half-Life \u00e9 & (1) ^ < > | !PATH!", "ends in \\", "a\\\\b\\ & c\\\\", "",
                               "C:\\plain\\word"};
  for (const std::string& word : words) {
    SCOPED_TRACE(word);
    std::wstring line = std::wstring(L"\"") + interpreter + L"\" /d /s /c \"" +
                        win::Widen(shell::CommandLineText(tool.u8string(), {word})) + L"\"";
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               dir.Path.c_str(), &start, &process));
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::vector<std::string> calls = Installation::Calls(dir.Path);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "hl tool.exe|" + word + "|" + dir.Str());
  }
}

// With real tools (QUORVEL_REAL_TOOLS: SDHLT's Windows build, under the
// names the program looks for) quorvel-cli and the window compile a real
// level, in a folder that also holds the program and files of the user's.
TEST(RealCompile, TheCommandLineAndTheWindowCompileAndKeepTheUsersFiles) {
  QUORVEL_NEEDS_REAL_TOOLS();
  TempDir root;
  const fs::path app = root.Path / "levels", tools = root.Path / "tools", game = root.Path / "Half-Life";
  const fs::path maps = game / "valve" / "maps";
  CopyRealTools("windows/sdhlt", tools, [](const std::string& file) {
    const fs::path path(file);
    return path.extension() == ".exe" ? path.stem().string() + "_x64.exe" : std::string();
  });
  WriteTestWad(game / "valve" / "halflife.wad");
  fs::create_directories(maps);
  fs::create_directories(app);
  Installation::AddProgram(app / "quorvel.exe");
  WriteFile(app / "quorvel.svg", "<svg/>");
  WriteFile(app / "quorvel.txt", "notes");
  ChangeDirectory here(app);
  std::set<std::string> kept = {"quorvel.exe", "quorvel.log", "quorvel.map", "quorvel.svg", "quorvel.txt"};

  std::ostringstream out, err;
  ASSERT_EQ(cli::RunCli({"--seed", "7", "--dimension", "very-small", "--game-dir", game.u8string(), "--tools",
                         tools.u8string(), "--compile", "--quiet"},
                        out, err),
            0)
      << err.str().substr(err.str().size() > 3000 ? err.str().size() - 3000 : 0);
  EXPECT_GT(fs::file_size(maps / "quorvel.bsp"), 1000u);
  EXPECT_EQ(Entries(app), kept);

  fs::remove(maps / "quorvel.bsp");
  WriteFile(app / "quorvel.ini", tools.u8string() + "\r\n" + game.u8string() + "\r\n");
  MessageBoxCatcher boxes;
  win::MainWindow window;
  Click(window.Item(win::kFirstRadio + 10 * win::kMapDim + 0));  // Very Small
  Click(window.Item(win::kButGenMap));
  Click(window.Item(win::kButGenBsp));
  ASSERT_TRUE(PumpUntil([&] { return Enabled(window, win::kButGenBsp); }, 180s));
  EXPECT_EQ(Status(window), ".bsp generated");
  EXPECT_TRUE(boxes.Boxes.empty()) << boxes.Boxes.front().Text;
  EXPECT_GT(fs::file_size(maps / "quorvel.bsp"), 1000u);
  kept.insert("quorvel.ini");
  EXPECT_EQ(Entries(app), kept);
}
