#pragma once
// The main window started in a level folder beside fake tools and a fake
// game, with messages recorded instead of shown and its dialogs run by the
// test. What the window does is the session's (tests/shell/tst_Session.cpp);
// these tests look at what the window draws and how it takes input.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

#include "FakeTools.h"
#include "app/DirectoryEdit.h"
#include "app/MainWin.h"
#include "app/Setup.h"

class WindowTest : public ::testing::Test {
 protected:
  void Start() {
    Form = std::make_unique<TMainForm>();
    Form->ErrorDisplay = [this](const QString& text) { Errors.push_back(text); };
    Form->show();
  }
  void WriteSettings() { testing_support::WriteFile(Ini, Fake.ToolDir + "\r\n" + Fake.HLDir + "\r\n"); }
  void RunSetup(const std::function<void(TSetupForm&)>& use) {
    Form->RunModal = [use](QDialog& dialog) {
      use(static_cast<TSetupForm&>(dialog));
      return 1;
    };
    Form->ButSetup->click();
  }
  void ChooseFakeFolders() {
    RunSetup([this](TSetupForm& setup) {
      setup.DirTool->SetText(QString::fromStdString(Fake.ToolDir));
      setup.DirHL->SetText(QString::fromStdString(Fake.HLDir));
    });
  }
  bool Actions() const {
    return Form->ButGenMap->isEnabled() && Form->ButGenBsp->isEnabled() && Form->ButRun->isEnabled();
  }
  // The three actions' tooltips when every one is disabled; empty otherwise.
  QStringList DisabledTips() const {
    QStringList tips;
    for (QPushButton* button : {Form->ButGenMap, Form->ButGenBsp, Form->ButRun})
      if (!button->isEnabled()) tips << button->toolTip();
    return tips.size() == 3 ? tips : QStringList();
  }
  bool WaitForStatus(const QString& text) {
    return QTest::qWaitFor([&] { return Form->StatusText() == text; }, 20000);
  }
  void StartCompile() {
    Form->ButGenMap->click();
    Form->ButGenBsp->click();
  }
  void Compile(const QString& status) {
    StartCompile();
    ASSERT_TRUE(WaitForStatus(status)) << Form->StatusText().toStdString();
  }
  // A stand-in game that records its arguments in "started".
  std::string FakeGame() {
    testing_support::WriteScript(Fake.HLDir + "/hl_linux", "echo \"$*\" > started");
    return Fake.HLDir + "/started";
  }
  testing_support::FakeCompile Fake;
  testing_support::ChangeDirectory InLevels{Fake.AppDir};
  std::string Ini = Fake.AppDir + "/quorvel.ini";
  std::unique_ptr<TMainForm> Form;
  std::vector<QString> Errors;
};
