// Quorvel's desktop program: one main window, no command-line arguments.

#include <QApplication>
#include <QIcon>

#include <exception>
#include <iostream>

#include "app/MainWin.h"
#include "app/Resources.h"

int main(int argc, char* argv[]) {
  try {
    QApplication app(argc, argv);
    QApplication::setApplicationName(TMainForm::ApplicationTitle());
    QApplication::setWindowIcon(ProgramIcon());
    TMainForm form;
    form.show();
    app.exec();
  } catch (const std::exception& e) {
    std::cerr << "quorvel: " << e.what() << '\n';
  }
  return 0;
}
