#pragma once
// The "Compile output" window: what the compile tools print, live. A desktop
// program has no console, and the tools' output is the only report of what
// they did. Closing the window only hides it; the text stays for the next
// ShowAndRaise.

#include <QString>
#include <QStringDecoder>
#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;

class TCompileOutputForm : public QWidget {
  Q_OBJECT

 public:
  // The most lines kept; older ones are dropped.
  static constexpr int kMaxLines = 20000;

  // A separate top-level window even with a parent (the main window), which
  // deletes it.
  explicit TCompileOutputForm(QWidget* parent = nullptr);

  QPlainTextEdit* Text;
  QPushButton* ButClear;
  QPushButton* ButClose;

  QString PlainText() const;

 public slots:
  // Appends text as it comes, in pieces that need not be whole lines. The
  // view follows the end unless the user has scrolled up to read.
  void AppendText(const QString& text);
  // The same with the tools' own bytes, in the system's encoding; a character
  // split between two pieces is kept whole.
  void AppendBytes(const std::string& bytes);
  void Clear();
  void ShowAndRaise();

 private:
  QStringDecoder Decoder{QStringDecoder::System};
};
