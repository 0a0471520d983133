#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <filesystem>
#include <tuple>

#include "WindowTest.h"
#include "app/About.h"
#include "app/CompileOutputForm.h"
#include "app/LevelWindow.h"
#include "app/QuitOnSignal.h"
#include "app/RadioGroup.h"

using namespace testing_support;

namespace {

// Every window here starts with the fake tools and game chosen.
struct Window : WindowTest {
  Window() { WriteSettings(); }
};

TEST_F(Window, GenerateCompileBesideTheWindowAndReachTheGame) {
  // What the tools leave beside the map goes; the log and the settings stay.
  Fake.Tool("hlbsp", fake::kWriteBsp + "; for e in p0 p3 prt wic pts wa_ ext hsz log; do echo x > \"$3.$e\"; done");
  const std::string started = FakeGame();
  Start();
  Form->move(0, 0);
  Form->ButGenMap->click();
  EXPECT_EQ(Form->StatusText(), ".map generated");
  Form->ButGenBsp->click();
  EXPECT_FALSE(Actions());  // until the compile ends
  const QRect output = Form->CompileOutput->frameGeometry();  // beside the window, on the screen
  EXPECT_FALSE(output.intersects(Form->frameGeometry()));
  EXPECT_TRUE(Form->screen()->availableGeometry().contains(output));
  ASSERT_TRUE(WaitForStatus(".bsp generated")) << Form->StatusText().toStdString();
  EXPECT_TRUE(Actions());
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(ReadFile(Fake.MapsDir + "/quorvel.bsp"), "level\n");
  EXPECT_TRUE(Form->CompileOutput->PlainText().contains(".bsp generated"));
  EXPECT_EQ(Entries(Fake.AppDir), (std::set<std::string>{"quorvel.ini", "quorvel.log", "quorvel.map"}));
  QTest::keyClick(Form->CompileOutput->Text, Qt::Key_Escape);
  EXPECT_FALSE(Form->CompileOutput->isVisible());
  Form->ButRun->click();
  EXPECT_EQ(WaitForLine(started), "-console +map quorvel");
  EXPECT_EQ(Form->StatusText(), "Half-Life started");
}

TEST_F(Window, StopEndsTheStepTheStatusBarShows) {
  Fake.Tool("hlbsp", fake::kHang);
  Start();
  StartCompile();
  const std::string child = WaitForLine(Fake.ToolDir + "/child.pid");
  const QRegularExpression step("^hlbsp: step 2 of 4, 0:0\\d$");
  EXPECT_TRUE(QTest::qWaitFor([&] { return step.match(Form->StepField->text()).hasMatch(); }))
      << Form->StepField->text().toStdString();
  EXPECT_TRUE(Form->StepField->isVisible());
  Form->CompileOutput->ButStop->click();
  ASSERT_TRUE(WaitForStatus("Compile stopped"));
  EXPECT_TRUE(ProcessEnds(child));
  EXPECT_FALSE(Form->StepField->isVisible());
  EXPECT_TRUE(Errors.empty());
}

TEST_F(Window, ClosingDuringACompileAsksWithNoTheDefault) {
  Fake.Tool("hlcsg", fake::kHang);
  Start();
  StartCompile();
  const std::string child = WaitForLine(Fake.ToolDir + "/child.pid");
  QString question;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_TRUE(box);
    question = box->text();
    QTest::keyClick(box, Qt::Key_Return);  // the default
  });
  EXPECT_FALSE(Form->close());
  EXPECT_EQ(question, "A compile is running. Stop it and quit?");
  EXPECT_TRUE(Form->isVisible());
  Form->AskUser = [](const QString&) { return true; };
  EXPECT_TRUE(Form->close());
  EXPECT_TRUE(ProcessEnds(child));
}

// The end of the user's session (SIGTERM, SIGHUP, Ctrl+C) during a compile:
// no question, the tool ends, the window closes, the settings are saved.
TEST_F(Window, ASignalStopsTheCompileAndSavesWithoutAQuestion) {
  Fake.Tool("hlcsg", fake::kHang);
  Start();
  OnTerminationSignals([this] { Form->EndNow(); });
  Form->Session().ChooseOption(shell::LevelOptionTable()[0], 2);
  StartCompile();
  const std::string child = WaitForLine(Fake.ToolDir + "/child.pid");
  Form->AskUser = [](const QString&) -> bool { throw std::logic_error("asked"); };
  ASSERT_EQ(kill(getpid(), SIGTERM), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Form->isVisible(); }, 5000));
  EXPECT_TRUE(ProcessEnds(child));
  Form.reset();
  EXPECT_TRUE(Contains(ReadFile(Ini), "\r\ndimension=medium\r\n")) << ReadFile(Ini);
  EXPECT_TRUE(Errors.empty());
}

// What was chosen comes back at the next start, from the settings file.
TEST_F(Window, TheOptionsChosenComeBackAtTheNextStart) {
  Start();
  Form->RGMapDim->Item(2)->click();
  Form->RGBarney->Item(1)->click();
  Form->close();
  Form.reset();
  Start();
  EXPECT_EQ(Form->RGMapDim->ItemIndex(), 2);
  EXPECT_EQ(Form->RGBarney->ItemIndex(), 1);
  EXPECT_EQ(Form->RGSkill->ItemIndex(), 1);
  EXPECT_TRUE(Actions());
}

TEST_F(Window, KeyboardFollowsTheEyeAndFocusStaysPut) {
  Fake.Tool("hlvis", fake::kFail);
  Start();
  EXPECT_EQ(Form->windowTitle(), "Quorvel");
  QSet<QChar> keys;  // each button's access key
  for (QPushButton* button : {Form->ButGenMap, Form->ButGenBsp, Form->ButRun, Form->ButSetup, Form->ButAbout,
                              Form->ButExit}) {
    const QString caption = button->text();
    const qsizetype amp = caption.indexOf('&');
    ASSERT_TRUE(amp >= 0 && amp + 1 < caption.size()) << caption.toStdString();
    keys.insert(caption[amp + 1].toLower());
  }
  EXPECT_EQ(keys.size(), 6);
  // Reading order: the option groups row by row, then the panel's buttons.
  std::vector<QWidget*> controls = {Form->RGMapDim, Form->RGMapCompl, Form->RGSkill,  Form->RGMonsters,
                                    Form->RGBarney, Form->RGGameType, Form->ButGenMap, Form->ButGenBsp,
                                    Form->ButRun,   Form->ButSetup,   Form->ButAbout, Form->ButExit};
  const auto place = [this](QWidget* w) {
    const QPoint at = w->mapTo(Form.get(), QPoint(0, 0));
    return std::make_tuple(w->parentWidget() == Form->ButPanel, at.y(), at.x());
  };
  std::sort(controls.begin(), controls.end(), [&](QWidget* a, QWidget* b) { return place(a) < place(b); });
  const auto control = [&](QWidget* focused) -> QWidget* {
    for (QWidget* c : controls)
      if (c == focused || c->isAncestorOf(focused)) return c;
    return nullptr;
  };
  // Tab lands on each group's chosen item.
  Form->RGMonsters->Item(2)->click();
  Form->RGMapDim->Item(0)->setFocus();
  std::vector<QWidget*> visited = {Form->RGMapDim};
  for (int i = 0; i < 40 && visited.size() < controls.size(); ++i) {
    QTest::keyClick(Form->focusWidget(), Qt::Key_Tab);
    if (control(Form->focusWidget()) != visited.back()) visited.push_back(control(Form->focusWidget()));
    if (control(Form->focusWidget()) == Form->RGMonsters) {
      EXPECT_EQ(Form->focusWidget(), Form->RGMonsters->Item(2));
    }
  }
  EXPECT_EQ(visited, controls);

  // A level leaves the keyboard with this window; the action keys work from
  // the Level window too.
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Form->ButGenMap->click();
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
  Form->ButGenBsp->setFocus();
  QTest::keyClick(Form->ButGenBsp, Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Errors.size() == 2; }, 20000));
  EXPECT_EQ(Form->focusWidget(), Form->ButGenBsp);
  bool about = false;
  Form->RunModal = [&](QDialog& dialog) { return about = dynamic_cast<TAboutLicenseDlg*>(&dialog), 1; };
  Form->ButAbout->setFocus();
  QTest::keyClick(Form->ButAbout, Qt::Key_Enter);
  EXPECT_TRUE(about);
}

TEST(CompileOutput, FollowsTheEndUnlessScrolledUp) {
  TCompileOutputForm output;
  output.show();
  QScrollBar* bar = output.Text->verticalScrollBar();
  const auto lines = [&](int count) {
    for (int i = 0; i < count; ++i) output.AppendText(QStringLiteral("line %1\n").arg(i));
    QTest::qWait(50);  // the layout catches up
  };
  lines(50);
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  // A line wider than the view brings the horizontal bar, which shortens the
  // page under the text; the view still follows.
  output.AppendText(QString(1000, QLatin1Char('x')) + "\n");
  lines(50);
  EXPECT_EQ(bar->value(), bar->maximum());
  bar->setValue(10);  // the user scrolls up to read
  lines(100);
  EXPECT_EQ(bar->value(), 10);
  bar->setValue(bar->maximum());
  lines(100);
  EXPECT_EQ(bar->value(), bar->maximum());
}

}  // namespace
