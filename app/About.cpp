#include "app/About.h"

#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/Look.h"
#include "shell/Names.h"
#include "shell/Version.h"

constexpr int kClientWidth = 284;

TAboutLicenseDlg::TAboutLicenseDlg(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(QStringLiteral("About"));
  setFont(PixelFont(11));

  QLabel* icon = PixelLabel(this, "ApplIcon", QString(), 11);
  icon->setGeometry(5, 5, 36, 36);
  icon->setPixmap(ProgramIcon().pixmap(36, 36));
  QLabel* name = PixelLabel(this, "ApplName", QString::fromUtf8(shell::kApplicationTitle), 16, true);
  name->setGeometry(70, 10, 162, 40);
  name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PixelLabel(this, "Version", QStringLiteral("Version %1").arg(QString::fromUtf8(shell::kVersion)), 13)
      ->setGeometry(70, 55, 120, 16);
  PixelLabel(this, "Author", QString::fromUtf8(shell::kAuthorLine), 13)->setGeometry(70, 80, 210, 16);

  auto* license = new QPlainTextEdit(QString::fromUtf8(shell::kLicenseText), this);
  license->setObjectName(QStringLiteral("License"));
  license->setGeometry(4, 145, 276, 116);
  license->setFont(PixelFont(12));
  license->setReadOnly(true);
  license->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Folded, the dialog ends above the licence.
  const auto fold = [this, license](bool shown) {
    setFixedSize(kClientWidth, shown ? license->geometry().bottom() + 1 : license->y() - 5);
  };

  auto* ok = new QPushButton(QStringLiteral("OK"), this);  // first, for Tab
  ok->setGeometry(128, 105, 71, 25);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* more = new QPushButton(QStringLiteral("License"), this);
  more->setObjectName(QStringLiteral("ButLicense"));
  more->setGeometry(205, 105, 71, 25);
  more->setCheckable(true);
  more->setAutoDefault(false);
  connect(more, &QPushButton::toggled, this, fold);

  fold(false);
  if (owner) move(owner->x() + 30, owner->y() + 30);
}
