// Quorvel's desktop program: one main window. Its one option, --xdg, is the
// menu entry's: keep the level and the settings in the user's XDG folders
// unless the current folder holds a quorvel.ini.

#include <QApplication>
#include <QIcon>

#include <exception>
#include <iostream>

#include "app/MainWin.h"
#include "app/QuitOnSignal.h"
#include "app/Resources.h"
#include "platform/Platform.h"
#include "shell/GameFolders.h"
#include "shell/StartFolder.h"

int main(int argc, char* argv[]) {
  try {
    QApplication app(argc, argv);
    QApplication::setApplicationName(TMainForm::ApplicationTitle());
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    CloseWindowsOnTerminationSignals();

    const shell::UserEnvironment env = shell::UserEnvironment::FromProcess();
    const bool fromMenu = QApplication::arguments().contains(QStringLiteral("--xdg"));
    const shell::StartFolders folders = shell::ChooseStartFolders(platform::CurrentDirectory(), env, fromMenu);
    const Result<> made = shell::CreateStartFolders(folders);
    TMainForm form(folders, shell::FoundDefaults(env));
    form.show();
    if (!made) form.ShowError(QString::fromLocal8Bit(made.Error()));
    app.exec();
  } catch (const std::exception& e) {
    std::cerr << "quorvel: " << e.what() << '\n';
  }
  return 0;
}
