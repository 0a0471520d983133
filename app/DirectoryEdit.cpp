#include "app/DirectoryEdit.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QToolButton>

namespace {
constexpr int kButtonWidth = 20;
}

TDirectoryEdit::TDirectoryEdit(const QString& title, QWidget* parent)
    : QWidget(parent), Title(title), Field(new QLineEdit(this)), Button(new QToolButton(this)) {
  Button->setText(QStringLiteral("..."));
  Button->setToolTip(tr("Choose a folder"));
  ChooseFolder = [](QWidget* owner, const QString& caption, const QString& current) {
    return QFileDialog::getExistingDirectory(owner, caption, current);
  };
  connect(Button, &QToolButton::clicked, this, &TDirectoryEdit::Browse);
  connect(Field, &QLineEdit::editingFinished, this, [this] { emit Changed(Field->text()); });
}

QString TDirectoryEdit::Text() const { return Field->text(); }

void TDirectoryEdit::SetText(const QString& text) {
  Field->setText(text);
  emit Changed(text);
}

void TDirectoryEdit::Browse() {
  if (!ChooseFolder) return;
  const QString folder = ChooseFolder(window(), Title, Field->text());
  if (!folder.isEmpty()) SetText(QDir::toNativeSeparators(folder));
}

void TDirectoryEdit::resizeEvent(QResizeEvent*) {
  Field->setGeometry(0, 0, width() - kButtonWidth, height());
  Button->setGeometry(width() - kButtonWidth, 0, kButtonWidth, height());
}
