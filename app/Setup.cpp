#include "app/Setup.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "app/DirectoryEdit.h"
#include "app/Fonts.h"

TSetupForm::TSetupForm(shell::Settings& data, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      Data(data) {
  setObjectName(QStringLiteral("SetupForm"));
  setWindowTitle(QStringLiteral("Setup"));
  setFont(PixelFont(11));
  setFixedSize(297, 150);
  move(236, 193);

  Label1 = new QLabel(QStringLiteral("Compilation Tools Directory"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(PixelFont(11, true));
  Label1->setGeometry(20, 13, 200, 13);
  Label2 = new QLabel(QStringLiteral("Half-Life Main Directory"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setFont(PixelFont(11, true));
  Label2->setGeometry(20, 68, 200, 13);

  DirTool = new TDirectoryEdit(this);
  DirTool->setObjectName(QStringLiteral("DirTool"));
  DirTool->setGeometry(16, 29, 266, 21);
  DirHL = new TDirectoryEdit(this);
  DirHL->setObjectName(QStringLiteral("DirHL"));
  DirHL->setGeometry(16, 84, 266, 21);

  ButClose = new QPushButton(QStringLiteral("Close"), this);
  ButClose->setObjectName(QStringLiteral("ButClose"));
  ButClose->setGeometry(111, 120, 75, 25);
  ButClose->setDefault(true);
  connect(ButClose, &QPushButton::clicked, this, &QDialog::accept);

  connect(DirTool, &TDirectoryEdit::Changed, this, &TSetupForm::DirToolChange);
  connect(DirHL, &TDirectoryEdit::Changed, this, &TSetupForm::DirHLChange);
  FormCreate();
}

// Filling the fields raises their change events, which store the lines back.
void TSetupForm::FormCreate() {
  DirTool->SetText(QFile::decodeName(QByteArray::fromStdString(Data.ToolDir())));
  DirHL->SetText(QFile::decodeName(QByteArray::fromStdString(Data.GameDir())));
}

void TSetupForm::DirToolChange() { Store(shell::Settings::kToolLine, DirTool->Text()); }

void TSetupForm::DirHLChange() { Store(shell::Settings::kGameLine, DirHL->Text()); }

void TSetupForm::Store(std::size_t line, const QString& text) {
  if (QFile::decodeName(QByteArray::fromStdString(Data.Line(line))) == text) return;
  Data.SetLine(line, QFile::encodeName(text).toStdString());
}
