#include <QImage>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QElapsedTimer>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "RealTools.h"
#include "RunCommand.h"
#include "WindowTest.h"
#include "app/About.h"
#include "app/CompileOutputForm.h"
#include "app/LevelWindow.h"

using namespace testing_support;

namespace {

// What a flood of output may cost the process: the log and the view hold a
// few megabytes. ASan's quarantine keeps freed memory for a while.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kMemoryBoundMegabytes = 600;
#else
constexpr long kMemoryBoundMegabytes = 200;
#endif

using Window = WindowTest;

// The compile output opens beside the window, on the screen, wide enough for
// a terminal's line; SDHLT's progress counter, redrawn after '\r', is one
// line there as in a terminal. Escape closes it.
TEST_F(Window, GenerateCompileBesideTheWindowAndReachTheGame) {
  Fake.Tool("hlvis",
            "printf 'BasePortalVis:\\n'; i=0; while [ $i -lt 328 ]; do printf '\\r%6d / %5d' $i 328; "
            "[ $i = 99 ] && sleep 2; i=$((i+1)); done; printf '\\r%60s\\r (0.01 seconds)\\nLeafThread:\\n' ''");
  Fake.Game();
  Start();
  Form->move(0, 0);
  Button("ButGenMap")->click();
  EXPECT_EQ(Status(), ".map generated");
  Button("ButGenBsp")->click();
  const QRect output = Form->CompileOutput->frameGeometry();
  EXPECT_FALSE(output.intersects(Form->frameGeometry()));
  EXPECT_TRUE(Form->screen()->availableGeometry().contains(output));
  QPlainTextEdit* text = Form->CompileOutput->Text;
  EXPECT_GE(text->viewport()->width(), QFontMetrics(text->font()).horizontalAdvance(QString(80, QLatin1Char('0'))));
  ASSERT_TRUE(QTest::qWaitFor([&] { return text->toPlainText().endsWith("BasePortalVis:\n    99 /   328"); }, 10000))
      << text->toPlainText().right(200).toStdString();
  ASSERT_TRUE(WaitForStatus(".bsp generated")) << Status().toStdString();
  EXPECT_TRUE(Errors.empty());
  const QString shown = Form->CompileOutput->Text->toPlainText();
  EXPECT_TRUE(shown.contains("\nBasePortalVis:\n (0.01 seconds)\nLeafThread:\n")) << shown.toStdString();
  EXPECT_FALSE(shown.contains("/   328"));
  QTest::keyClick(text, Qt::Key_Escape);
  EXPECT_FALSE(Form->CompileOutput->isVisible());
  Button("ButRun")->click();
  EXPECT_EQ(Status(), "Half-Life started");
}

// While a compile runs the status bar shows its step, and Stop ends it. The
// end of the user's session (SIGTERM, SIGHUP, Ctrl+C) during a compile: no
// question, the tool ends, the window closes, the settings are saved.
TEST_F(Window, StopAndSignalsEndTheCompileTheStatusBarShows) {
  Fake.Tool("hlbsp", fake::kHang);
  Start();
  StartCompile();
  WaitForLine(Fake.ToolDir + "/child.pid");
  const QRegularExpression step("^hlbsp: step 2 of 4, 0:0\\d$");
  EXPECT_TRUE(QTest::qWaitFor([&] { return step.match(Form->findChild<QLabel*>("StepField")->text()).hasMatch(); }))
      << Form->findChild<QLabel*>("StepField")->text().toStdString();
  EXPECT_TRUE(Form->findChild<QLabel*>("StepField")->isVisible());
  Form->CompileOutput->ButStop->click();
  ASSERT_TRUE(WaitForStatus("Compile stopped"));
  EXPECT_FALSE(Form->findChild<QLabel*>("StepField")->isVisible());

  std::filesystem::remove(Fake.ToolDir + "/child.pid");
  TMainForm::EndOnStopSignals();
  Item("dimension", 2)->click();
  Button("ButGenBsp")->click();
  WaitForLine(Fake.ToolDir + "/child.pid");
  ASSERT_EQ(kill(getpid(), SIGTERM), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->isVisible(); }, 5000));
  Form.reset();
  EXPECT_TRUE(Contains(ReadFile(Ini), "\r\ndimension=medium\r\n")) << ReadFile(Ini);
  EXPECT_TRUE(Errors.empty() && Questions.empty());
}

TEST_F(Window, KeyboardFollowsTheEyeAndFocusStaysPut) {
  Fake.Tool("hlvis", fake::kFail);
  Fake.Tool("hlcsg", "sleep 0.5");  // still running when the key's events have been handled, on a busy machine too
  Start();
  EXPECT_EQ(Form->windowTitle(), "Quorvel");
  EXPECT_EQ(Form->focusWidget(), Button("ButGenMap"));  // the keyboard starts on the first command
  // Each button has its own access key. Reading order: the option groups row
  // by row, then the panel's buttons.
  std::vector<QWidget*> controls;
  for (const char* name : {"dimension", "complexity", "skill", "monsters", "friends", "game-type"})
    controls.push_back(Group(name));
  QSet<QKeySequence> keys;
  for (const char* name : {"ButGenMap", "ButGenBsp", "ButRun", "ButSetup", "ButAbout", "ButExit"}) {
    keys.insert(QKeySequence::mnemonic(Button(name)->text()));
    controls.push_back(Button(name));
  }
  EXPECT_EQ(keys.size(), 6);
  EXPECT_FALSE(keys.contains(QKeySequence()));
  const auto place = [this](QWidget* w) {
    const QPoint at = w->mapTo(Form.get(), QPoint(0, 0));
    return std::make_tuple(w->parentWidget() != Form.get(), at.y(), at.x());
  };
  std::sort(controls.begin(), controls.end(), [&](QWidget* a, QWidget* b) { return place(a) < place(b); });
  // Each Tab reaches the next control, from the last back to the first; in a
  // group, its chosen item.
  Item("monsters", 2)->click();
  Button("ButExit")->setFocus();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    QTest::keyClick(Form->focusWidget(), Qt::Key_Tab);
    auto* item = qobject_cast<QRadioButton*>(Form->focusWidget());
    EXPECT_TRUE(Form->focusWidget() == controls[i] || (item && item->isChecked() && controls[i]->isAncestorOf(item)))
        << i;
  }

  // A level leaves the keyboard with this window; the action keys work from
  // the Level window too.
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Button("ButGenMap")->click();
  EXPECT_EQ(QApplication::activeWindow(), Form.get());
  Form->LevelWindow->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form->LevelWindow));
  QTest::keyClick(Form->LevelWindow->windowHandle(), Qt::Key_B, Qt::AltModifier);
  EXPECT_FALSE(Actions());  // the compile runs
  ASSERT_TRUE(QTest::qWaitFor([&] { return Errors.size() == 1; }, 20000));
  // Enter presses the focused button; after the compile and its message the
  // focus is where it was.
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Button("ButGenBsp")->setFocus();
  QTest::keyClick(Button("ButGenBsp"), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Errors.size() == 2; }, 20000));
  EXPECT_EQ(Form->focusWidget(), Button("ButGenBsp"));
  bool about = false;
  OnDialog = [&](QDialog& dialog) { about = dynamic_cast<TAboutLicenseDlg*>(&dialog); };
  Button("ButAbout")->setFocus();
  QTest::keyClick(Button("ButAbout"), Qt::Key_Enter);
  EXPECT_TRUE(about);
}

// The name shows light on a dark window too; the licence folds out and back;
// Enter presses OK.
TEST(AboutDialog, ShowsNameAndVersionUnderAnyPaletteFoldsTheLicenceAndEnterPressesOK) {
  const QPalette before = QApplication::palette();
  QPalette dark = before;
  dark.setColor(QPalette::Window, QColor(30, 30, 30));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  QApplication::setPalette(dark);
  TAboutLicenseDlg dialog(nullptr);
  auto* appName = dialog.findChild<QLabel*>("ApplName");
  const QImage name = appName->grab().toImage();
  QApplication::setPalette(before);
  int brightest = 0;
  for (int y = 0; y < name.height(); ++y)
    for (int x = 0; x < name.width(); ++x) brightest = std::max(brightest, qGray(name.pixel(x, y)));
  EXPECT_GT(brightest, 160);

  EXPECT_EQ(appName->text(), "Quorvel");
  EXPECT_EQ(dialog.findChild<QLabel*>("Version")->text(), "Version 1.01");
  const int folded = dialog.height();
  auto* license = dialog.findChild<QPushButton*>("ButLicense");
  license->click();
  EXPECT_GE(dialog.height(), folded + 100);
  EXPECT_TRUE(dialog.findChild<QPlainTextEdit*>("License")->toPlainText().contains("warranty"));
  license->click();
  EXPECT_EQ(dialog.height(), folded);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(CompileOutput, FollowsTheEndUnlessScrolledUp) {
  TCompileOutputForm output;
  output.show();
  QScrollBar* bar = output.Text->verticalScrollBar();
  shell::CompileLog log;
  const auto show = [&](const std::string& text) {
    log.Feed(text);
    output.ShowLog(log.TakeUpdate());
    QTest::qWait(50);  // the layout catches up
  };
  const auto lines = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\n";
    show(text);
  };
  lines(50);
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  // A line wider than the view brings the horizontal bar, which shortens the
  // page under the text; the view still follows.
  show(std::string(1000, 'x') + "\n");
  lines(50);
  EXPECT_EQ(bar->value(), bar->maximum());
  bar->setValue(10);  // the user scrolls up to read
  lines(100);
  EXPECT_EQ(bar->value(), 10);
  bar->setValue(bar->maximum());
  lines(100);
  EXPECT_EQ(bar->value(), bar->maximum());
}

// The process's resident memory.
long ResidentMegabytes() {
  const std::string status = ReadFile("/proc/self/status");
  const std::size_t at = status.find("VmRSS:");
  return at == std::string::npos ? -1 : std::stol(status.substr(at + 6)) / 1024;
}

// The longest time the event loop left a timer waiting while it lived.
class EventLoopWatch {
 public:
  EventLoopWatch() {
    Clock.start();
    QObject::connect(&Tick, &QTimer::timeout, [this] {
      Longest = std::max(Longest, Clock.elapsed() - Last);
      Last = Clock.elapsed();
    });
    Tick.start(20);
  }
  qint64 LongestGap() const { return std::max(Longest, Clock.elapsed() - Last); }

 private:
  QElapsedTimer Clock;
  QTimer Tick;
  qint64 Last = 0, Longest = 0;
};

// A tool that prints without end: the window keeps answering with bounded
// memory; the quit question (No the default), Escape and Stop answer at once.
TEST_F(Window, AnswersWhateverTheToolsPrint) {
  Fake.Tool("hlcsg", "yes 'a line of output'");
  Start();
  StartCompile();
  QElapsedTimer clock;
  clock.start();
  const EventLoopWatch watch;
  long memory = 0;
  while (clock.elapsed() < 3000) {
    QTest::qWait(100);
    memory = std::max(memory, ResidentMegabytes());
  }
  const qint64 longestGap = watch.LongestGap();
  EXPECT_LT(longestGap, 1000);
  EXPECT_LT(memory, kMemoryBoundMegabytes);
  EXPECT_TRUE(Form->CompileOutput->Text->toPlainText().contains("a line of output\na line of output\n"));
  EXPECT_LE(Form->CompileOutput->Text->document()->blockCount(), 10001);
  std::printf("longest gap %lld ms, memory %ld MB\n", static_cast<long long>(longestGap), memory);
  QElapsedTimer answer;
  answer.start();
  EXPECT_FALSE(Form->close());  // Enter answers No
  EXPECT_LT(answer.elapsed(), 1000);
  EXPECT_EQ(Questions.size(), 1u);
  EXPECT_TRUE(Form->isVisible());
  answer.restart();
  QTest::keyClick(Form->CompileOutput->Text, Qt::Key_Escape);
  EXPECT_FALSE(Form->CompileOutput->isVisible());
  Form->CompileOutput->ButStop->click();
  EXPECT_TRUE(WaitForStatus("Compile stopped"));
  EXPECT_LT(answer.elapsed(), 2000);
}

// With real tools (QUORVEL_REAL_TOOLS) the window's compile takes about as
// long as quorvel-cli's of the same level, and the window answers
// throughout: following the output costs little.
TEST_F(Window, ARealCompileTakesAboutAsLongAsTheCommandLines) {
  QUORVEL_NEEDS_REAL_TOOLS();
  std::filesystem::remove_all(Fake.ToolDir);
  CopyRealTools("linux/sdhlt", Fake.ToolDir, [](const std::string&) { return std::string(); });
  WriteTestWad(Fake.HLDir + "/valve/halflife.wad");
  Start();
  Item("dimension", 2)->click();  // Medium
  Button("ButGenMap")->click();
  QElapsedTimer clock;
  clock.start();
  const EventLoopWatch watch;
  Button("ButGenBsp")->click();
  ASSERT_TRUE(WaitForStatus(".bsp generated", 120000)) << Status().toStdString();
  const qint64 window = clock.elapsed(), gap = watch.LongestGap();
  EXPECT_LT(gap, 1000);
  std::vector<std::string> args = shell::ArgumentsFor(Form->Session().State().Options,
                                                     std::stoul(Form->Session().Level().SeedField), Fake.HLDir);
  args.insert(args.end(), {"--tools", Fake.ToolDir, "--compile", "--quiet", "--output", Fake.Root.File("quorvel.map")});
  clock.restart();
  const Outcome cli = RunCommand(args);
  const qint64 line = clock.elapsed();
  ASSERT_EQ(cli.Status, 0);
  EXPECT_EQ(ReadFile(Fake.Root.File("quorvel.map")), ReadFile(Fake.AppDir + "/quorvel.map"));
  std::printf("window %lld ms, quorvel-cli %lld ms, longest gap %lld ms\n", static_cast<long long>(window),
              static_cast<long long>(line), static_cast<long long>(gap));
  EXPECT_LT(window, line * 3 / 2 + 2000);
}

}  // namespace
