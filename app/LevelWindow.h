#pragma once

#include <QWidget>

#include "shell/Session.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// Draws a level picture as the shell lays it out (shell::LayOutPicture), in
// the palette's text colour.
class TLevelPictureView : public QWidget {
  Q_OBJECT

 public:
  explicit TLevelPictureView(QWidget* parent = nullptr);

  void SetPicture(shell::LevelPicture picture);
  QSize sizeHint() const override;
  // The marks drawn at the current size (tests look at them).
  std::vector<shell::PictureMark> Marks() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  shell::TextMeasure Measure() const;

  shell::LevelPicture Shown;
};

// The "Level" window: the last level made, as a picture with its seed,
// options and counts, and the ways to make it again: the quorvel-cli command
// line, a seed to make with the current options, and "Compile and play";
// below, "Keep level" under a name and the kept levels with Play, Compile
// and Delete. A view only: it shows a shell::LevelSheet and forwards the
// user's commands to the session. Closing it (Escape too) only hides it.
class TLevelWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, even with a parent (the main window), which deletes it.
  explicit TLevelWindow(QWidget* parent = nullptr);
  // From now on the buttons' commands go to session, and their state comes from it.
  void Connect(shell::Session& session);

  void ShowSheet(const shell::LevelSheet& sheet);
  // Make again, Compile and play and the kept levels' commands: off while a
  // compile runs; Keep without a level, the kept levels' without one chosen.
  void EnableButtons();

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

 private:
  // The kept level chosen in the list; empty when none is.
  std::string ChosenKept() const;

  QString Command;  // the quorvel-cli call that writes this level's bytes
  shell::Session* Session = nullptr;
};
