// Quorvel's desktop program: one main window. Its one option, --xdg, is the
// menu entry's: keep the level and the settings in the user's XDG folders
// unless the current folder holds a quorvel.ini.
//
// Exit status: 0, or 1 when the program ended on an error it reported (no
// display, a start folder it cannot write in, a settings file it could not
// read or use, a failed save of the settings at exit).

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdlib>
#include <exception>
#include <iostream>

#include "app/Look.h"
#include "app/MainWin.h"
#include "platform/Platform.h"
#include "platform/StopSignals.h"
#include "shell/GameFolders.h"
#include "shell/Names.h"
#include "shell/StartFolder.h"

namespace {

// Errors go to stderr as well, for a start from a terminal or a script;
// shown too unless the program is ending on a signal.
void ReportError(const std::string& text, bool show = true) {
  std::cerr << "quorvel: " << text << '\n';
  if (show) QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromLocal8Bit(text));
}

QtMessageHandler QtHandler = nullptr;

// Qt aborts (status 134, perhaps a core file) when it can open no window,
// as without a display; that is said plainly, with exit status 1.
void OnStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) return QtHandler(type, context, text);
  const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  std::cerr << "quorvel: cannot open the window"
            << (noDisplay ? ": there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set); quorvel-cli "
                            "makes levels without one"
                          : "")
            << ".\n"
            << text.toLocal8Bit().constData() << '\n';
  std::_Exit(1);
}

int Run(QApplication& app) {
  const shell::UserEnvironment env = shell::UserEnvironment::FromProcess();
  const bool fromMenu = QApplication::arguments().contains(QStringLiteral("--xdg"));
  const shell::StartFolders folders = shell::ChooseStartFolders(platform::CurrentDirectory(), env, fromMenu);
  if (const Result<> ready = shell::PrepareStartFolders(folders); !ready) {
    ReportError(ready.Error());
    return 1;
  }
  TMainForm form(folders, shell::StartDefaults(folders.SettingsPath, env));
  form.show();
  if (const std::string& problem = form.Session().StartProblem(); !problem.empty()) {
    ReportError(problem, false);
    // Shown from the event loop, so that a signal that closes the windows
    // ends the message and the program alike.
    QTimer::singleShot(0, &form, [&form, problem] { form.ShowError(problem); });
  }
  app.exec();
  if (const Result<> saved = form.Session().Finish(); !saved) ReportError(saved.Error(), !platform::StopSignal());
  return form.Session().ExitStatus();
}

}  // namespace

int main(int argc, char* argv[]) {
  try {
    QtHandler = qInstallMessageHandler(OnStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(QtHandler);
    QApplication::setApplicationName(QString::fromUtf8(shell::kApplicationTitle));
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    TMainForm::EndOnStopSignals();
    return Run(app);
  } catch (const std::exception& e) {
    std::cerr << "quorvel: " << e.what() << '\n';
    return 1;
  }
}
