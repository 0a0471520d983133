#pragma once
// The "Compile output" window: what the compile tools print, live. A desktop
// program has no console, and the tools' output is the only report of what
// they did. Closing the window (or Escape) only hides it; the text stays for
// the next ShowAndRaise.

#include <QString>
#include <QStringDecoder>
#include <QWidget>

#include <string>

class QKeyEvent;
class QPlainTextEdit;
class QPushButton;

class TCompileOutputForm : public QWidget {
  Q_OBJECT

 public:
  // The most lines kept; older ones are dropped.
  static constexpr int kMaxLines = 20000;

  // A separate top-level window even with a parent (the main window), which
  // deletes it and beside which it opens.
  explicit TCompileOutputForm(QWidget* parent = nullptr);

  QPlainTextEdit* Text;
  QPushButton* ButStop;  // enabled while a compile runs; the owner connects it
  QPushButton* ButClear;
  QPushButton* ButClose;

  QString PlainText() const;

 public slots:
  // Appends text as it comes, in pieces that need not be whole lines. The
  // view follows the end, as a terminal does, unless the user has scrolled
  // up to read; scrolling back to the end follows again.
  void AppendText(const QString& text);
  // The same with the tools' own bytes, in the system's encoding; a character
  // split between two pieces is kept whole.
  void AppendBytes(const std::string& bytes);
  void Clear();
  // Shows the window raised, beside its parent when it was hidden;
  // activated when the user asked for it (not when a compile opened it).
  void ShowAndRaise(bool activate = true);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PlaceBesideOwner();

  QStringDecoder Decoder{QStringDecoder::System};
  bool Follow = true;  // the view keeps the newest line in sight
};
