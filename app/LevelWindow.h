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
  using QWidget::QWidget;

  void SetPicture(shell::LevelPicture picture);
  QSize sizeHint() const override;
  // The marks drawn at the current size (tests look at them).
  std::vector<shell::PictureMark> Marks() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  shell::LevelPicture Shown;
};

// "Level": a view of a shell::LevelSheet (the last level's picture, facts
// and the ways to make it again; the kept levels below) whose buttons call
// the session. Closing it (Escape too) only hides it.
class TLevelWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, even with a parent (the main window), which deletes it.
  explicit TLevelWindow(QWidget* parent = nullptr);
  // From now on the buttons' commands go to session, and their state comes from it.
  void Connect(shell::Session& session);

  void ShowSheet(const shell::LevelSheet& sheet);
  // The buttons on or off by the session's state (shell::LevelButtonsFor).
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

  shell::Session* Session = nullptr;
};
