#include "app/CompileOutputForm.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

TCompileOutputForm::TCompileOutputForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Compile output"));
  Text = new QPlainTextEdit(this);
  Text->setReadOnly(true);
  Text->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Text->setMaximumBlockCount(kMaxLines);
  Text->setUndoRedoEnabled(false);

  ButClear = new QPushButton(QStringLiteral("Clear"), this);
  ButClose = new QPushButton(QStringLiteral("Close"), this);
  connect(ButClear, &QPushButton::clicked, this, &TCompileOutputForm::Clear);
  connect(ButClose, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButClear);
  buttons->addWidget(ButClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Text);
  layout->addLayout(buttons);
  resize(720, 420);
}

QString TCompileOutputForm::PlainText() const { return Text->toPlainText(); }

void TCompileOutputForm::AppendText(const QString& text) {
  QString clean = text;
  // Windows line ends and the tools' carriage returns would show as boxes.
  clean.remove(QLatin1Char('\r'));
  if (clean.isEmpty()) return;
  QScrollBar* bar = Text->verticalScrollBar();
  const bool follow = bar->value() == bar->maximum();
  QTextCursor end(Text->document());
  end.movePosition(QTextCursor::End);
  end.insertText(clean);
  if (follow) bar->setValue(bar->maximum());
}

void TCompileOutputForm::AppendBytes(const std::string& bytes) {
  AppendText(Decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
}

void TCompileOutputForm::Clear() { Text->clear(); }

void TCompileOutputForm::ShowAndRaise() {
  show();
  raise();
  activateWindow();
}
