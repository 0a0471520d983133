#pragma once
// The "Level" window: the last level made, as a picture with its seed,
// options and counts, and the ways to make it again: the quorvel-cli command
// line, a seed to make with the current options, and "Compile and play";
// below, "Keep level" under a name and the kept levels with Play, Compile
// and Delete. A view only: it shows a shell::LevelSheet and signals the
// user's commands (the main window connects the kept levels' buttons).
// Closing it (Escape too) only hides it.

#include <QWidget>

#include "shell/Session.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class TLevelPictureView;

class TLevelWindow : public QWidget {
  Q_OBJECT

 public:
  // A separate top-level window even with a parent (the main window), which
  // deletes it.
  explicit TLevelWindow(QWidget* parent = nullptr);

  void ShowSheet(const shell::LevelSheet& sheet);
  // Shows the window raised, beside main when it was hidden; activated when
  // the user asked for it.
  void ShowBeside(const QWidget& main, bool activate);
  // Make again and Compile and play: off while a compile runs.
  void SetActionsEnabled(bool enabled);

  // The quorvel-cli call that writes this level's bytes.
  QString CommandLine() const { return Command; }
  // The kept level chosen in the list; empty when none is.
  std::string ChosenKept() const;

  TLevelPictureView* Picture;
  QLabel* SeedText;
  QLabel* OptionsText;
  QLabel* CountsText;
  QPushButton* ButCopyCommand;
  QLineEdit* SeedEdit;
  QPushButton* ButMakeAgain;
  QPushButton* ButCompilePlay;
  QLineEdit* NameEdit;
  QPushButton* ButKeep;
  QTreeWidget* KeptList;
  QPushButton* ButPlayKept;
  QPushButton* ButCompileKept;
  QPushButton* ButDeleteKept;

 signals:
  // The level of the typed seed with the main window's current options.
  void MakeAgain(const QString& seed);
  // "Generate .bsp", then "Run Half-Life" when the compile succeeded.
  void CompileAndPlay();
  // The command line is on the clipboard.
  void CommandCopied();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void EnableButtons();

  QString Command;
  bool ActionsEnabled = true;
  bool HasLevel = false;
};
