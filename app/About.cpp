#include "app/About.h"

#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/Fonts.h"
#include "app/Resources.h"
#include "shell/Names.h"
#include "shell/Version.h"

TAboutLicenseDlg::TAboutLicenseDlg(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("AboutLicenseDlg"));
  setWindowTitle(QStringLiteral("About"));
  setFont(PixelFont(11));

  ApplIcon = new QLabel(this);
  ApplIcon->setObjectName(QStringLiteral("ApplIcon"));
  ApplIcon->setGeometry(5, 5, 36, 36);
  ApplIcon->setPixmap(ProgramIcon().pixmap(36, 36));

  ApplName = new QLabel(QString::fromUtf8(shell::kApplicationTitle), this);
  ApplName->setObjectName(QStringLiteral("ApplName"));
  ApplName->setGeometry(70, 10, 162, 40);
  ApplName->setFont(PixelFont(16, true));
  ApplName->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Version = new QLabel(QStringLiteral("Version %1").arg(QString::fromUtf8(shell::kVersion)), this);
  Version->setObjectName(QStringLiteral("Version"));
  Version->setGeometry(70, 55, 120, 16);
  Version->setFont(PixelFont(13));

  Author = new QLabel(QString::fromUtf8(shell::kAuthorLine), this);
  Author->setObjectName(QStringLiteral("Author"));
  Author->setGeometry(70, 80, 210, 16);
  Author->setFont(PixelFont(13));

  License = new QPlainTextEdit(LicenseText(), this);
  License->setObjectName(QStringLiteral("License"));
  License->setGeometry(4, 145, 276, 116);
  License->setFont(PixelFont(12));
  License->setReadOnly(true);
  License->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  ButLicense = new QPushButton(QStringLiteral("License"), this);
  ButLicense->setObjectName(QStringLiteral("ButLicense"));
  ButLicense->setGeometry(205, 105, 71, 25);
  ButLicense->setCheckable(true);
  ButLicense->setAutoDefault(false);
  connect(ButLicense, &QPushButton::clicked, this, &TAboutLicenseDlg::ButLicenseClick);

  ButOK = new QPushButton(QStringLiteral("OK"), this);
  ButOK->setObjectName(QStringLiteral("ButOK"));
  ButOK->setGeometry(128, 105, 71, 25);
  ButOK->setDefault(true);
  connect(ButOK, &QPushButton::clicked, this, &QDialog::accept);
  setTabOrder(ButOK, ButLicense);

  LicenseShown = false;
  SetClientHeight(FoldedHeight());
  if (owner) move(owner->x() + 30, owner->y() + 30);
}

QString TAboutLicenseDlg::LicenseText() {
  return QString::fromUtf8(shell::kLicenseText);
}

int TAboutLicenseDlg::FoldedHeight() const { return License->y() - 5; }

void TAboutLicenseDlg::SetClientHeight(int height) { setFixedSize(kClientWidth, height); }

void TAboutLicenseDlg::ButLicenseClick() {
  LicenseShown = !LicenseShown;
  if (LicenseShown)
    SetClientHeight(height() + License->height() + 5);
  else
    SetClientHeight(FoldedHeight());
  ButLicense->setChecked(LicenseShown);
}
