#include "app/CompileOutputForm.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include "app/Placement.h"

constexpr int kColumns = 80;  // the width of a terminal, which the tools write for
constexpr int kHeight = 420;
constexpr QSize kLeast(320, 120);  // shows a few lines and the buttons

TCompileOutputForm::TCompileOutputForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Compile output"));
  Text = new QPlainTextEdit(this);
  Text->setReadOnly(true);
  Text->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Text->setUndoRedoEnabled(false);
  // The range grows after the text is laid out, which may be later than the
  // append: following is decided here, from where the user left the view.
  QScrollBar* bar = Text->verticalScrollBar();
  connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) { Follow = value == bar->maximum(); });
  connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
    if (Follow) bar->setValue(maximum);
  });

  ButStop = new QPushButton(QStringLiteral("&Stop"), this);
  auto* clear = new QPushButton(QStringLiteral("C&lear"), this);
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  for (QPushButton* button : {ButStop, clear, close}) button->setAutoDefault(true);  // Enter presses it
  connect(clear, &QPushButton::clicked, this, &TCompileOutputForm::Clear);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  CloseOnEscape(*this);

  auto* buttons = new QHBoxLayout;  // Stop at the left, the others at the right
  for (QPushButton* button : std::initializer_list<QPushButton*>{ButStop, nullptr, clear, close})
    button ? buttons->addWidget(button) : buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Text);
  layout->addLayout(buttons);
}

void TCompileOutputForm::ShowAndRaise(bool activate) {
  // Room for a terminal's line of the fixed font beside the scroll bar.
  const int line = QFontMetrics(Text->font()).horizontalAdvance(QString(kColumns, QLatin1Char('0')));
  const QMargins margins = layout()->contentsMargins();
  const int width = line + Text->verticalScrollBar()->sizeHint().width() + 2 * Text->frameWidth() +
                    2 * static_cast<int>(Text->document()->documentMargin()) + margins.left() + margins.right();
  ::ShowBeside(*this, *parentWidget(), {width, kHeight}, kLeast, activate);
}

void TCompileOutputForm::ShowLog(const shell::CompileLogUpdate& update) {
  QString text;
  for (const std::string& line : update.Lines) text += QString::fromLocal8Bit(line) + QLatin1Char('\n');
  text += QString::fromLocal8Bit(update.Current);
  // The document's last block is always the unfinished line.
  QTextCursor cursor(Text->document());
  cursor.beginEditBlock();
  cursor.movePosition(QTextCursor::End);
  cursor.movePosition(update.Reset ? QTextCursor::Start : QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
  cursor.insertText(text);
  const int excess = Text->document()->blockCount() - static_cast<int>(update.Held) - 1;
  if (excess > 0) {
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, excess);
    cursor.removeSelectedText();
  }
  cursor.endEditBlock();
}

void TCompileOutputForm::Clear() {
  Text->clear();
  Follow = true;
}
