#pragma once
// The main window started in a level folder beside fake tools and a fake
// game, with messages recorded instead of shown. What the window does is the
// session's (tests/shell/tst_Session.cpp); these tests look at what the
// window draws and how it takes input.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <vector>

#include "FakeTools.h"
#include "app/MainWin.h"

class WindowTest : public ::testing::Test {
 protected:
  void Start() {
    Form = std::make_unique<TMainForm>(shell::StartFolders{Fake.AppDir, Ini}, shell::Settings::Defaults());
    Form->ErrorDisplay = [this](const QString& text) { Errors.push_back(text); };
    Form->show();
  }
  void WriteSettings(const std::string& game) { testing_support::WriteFile(Ini, Fake.ToolDir + "\r\n" + game + "\r\n"); }
  // The main window's controls by their object names.
  QPushButton* Button(const char* name) const { return Form->findChild<QPushButton*>(name); }
  QGroupBox* Group(const char* name) const { return Form->findChild<QGroupBox*>(name); }
  QString Status() const { return Form->findChild<QLabel*>("StatusText")->text(); }
  QRadioButton* Item(const char* group, int i) const { return Group(group)->findChildren<QRadioButton*>().at(i); }
  bool Actions() const {
    return Button("ButGenMap")->isEnabled() && Button("ButGenBsp")->isEnabled() && Button("ButRun")->isEnabled();
  }
  bool WaitForStatus(const QString& text) {
    return QTest::qWaitFor([&] { return Status() == text; }, 20000);
  }
  void StartCompile() {
    Button("ButGenMap")->click();
    Button("ButGenBsp")->click();
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
