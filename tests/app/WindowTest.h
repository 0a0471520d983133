#pragma once
// The main window started in a level folder with fake tools and a fake game
// chosen; its message boxes and dialogs are answered as a user would. What
// the window does is the session's (tests/shell/tst_Session.cpp); these
// tests look at what the window draws and how it takes input.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "FakeTools.h"
#include "app/MainWin.h"

class WindowTest : public ::testing::Test {
 protected:
  // An error is recorded and closed, a question recorded and answered (Enter,
  // the default, unless Yes is wanted), a dialog given to OnDialog and closed.
  WindowTest() {
    testing_support::WriteFile(Ini, Fake.ToolDir + "\r\n" + Fake.HLDir + "\r\n");
    QObject::connect(&Modals, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (box && box->icon() == QMessageBox::Question) {
        Questions.push_back(box->text());
        Yes ? box->button(QMessageBox::Yes)->click() : QTest::keyClick(box, Qt::Key_Return);
      } else if (box) {
        Errors.push_back(box->text());
        QTest::keyClick(box, Qt::Key_Return);
      } else if (dialog) {
        if (OnDialog) OnDialog(*dialog);
        dialog->accept();
      }
    });
    Modals.start(10);
  }
  void Start() {
    Form = std::make_unique<TMainForm>(shell::StartFolders{Fake.AppDir, Ini}, shell::Settings::Defaults());
    Form->show();
  }
  // The main window's controls by their object names.
  QPushButton* Button(const char* name) const { return Form->findChild<QPushButton*>(name); }
  QGroupBox* Group(const char* name) const { return Form->findChild<QGroupBox*>(name); }
  QString Status() const { return Form->findChild<QLabel*>("StatusText")->text(); }
  QRadioButton* Item(const char* group, int i) const { return Group(group)->findChildren<QRadioButton*>().at(i); }
  bool Actions() const {
    return Button("ButGenMap")->isEnabled() && Button("ButGenBsp")->isEnabled() && Button("ButRun")->isEnabled();
  }
  bool WaitForStatus(const QString& text, int ms = 20000) {
    return QTest::qWaitFor([&] { return Status() == text; }, ms);
  }
  void StartCompile() {
    Button("ButGenMap")->click();
    Button("ButGenBsp")->click();
  }
  testing_support::FakeCompile Fake;
  testing_support::ChangeDirectory InLevels{Fake.AppDir};
  std::string Ini = Fake.AppDir + "/quorvel.ini";
  std::unique_ptr<TMainForm> Form;
  QTimer Modals;
  std::vector<QString> Errors, Questions;
  bool Yes = false;
  std::function<void(QDialog&)> OnDialog;
};
