#pragma once
// The "Level" window: the last level "Generate .map" wrote, shown as a
// picture with its seed, options and counts, and the ways to make it again:
// the quorvel-cli command line, a seed to make with the current options, and
// "Compile and play". A view only: the main window does the making and the
// compiling when it receives MakeAgain or CompileAndPlay.

#include <QWidget>

#include <cstdint>
#include <string>

#include "labyrinth/Labyrinth.h"
#include "shell/GenerateMap.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TLevelPictureView;

class TLevelWindow : public QWidget {
  Q_OBJECT

 public:
  // A separate top-level window even with a parent (the main window), which
  // deletes it.
  explicit TLevelWindow(QWidget* parent = nullptr);

  // Shows the level made with these options and game folder.
  void ShowLevel(const shell::GeneratedMap& level, const LabyrinthOptions& options, const std::string& gameDir);
  // Shows the window beside main (right of it, or left where the screen
  // ends), raised.
  void ShowBeside(const QWidget& main);
  // Make again and Compile and play: off while a compile runs.
  void SetActionsEnabled(bool enabled);

  // The quorvel-cli call that writes this level's bytes.
  QString CommandLine() const { return Command; }

  TLevelPictureView* Picture;
  QLabel* SeedText;
  QLabel* OptionsText;
  QLabel* CountsText;
  QPushButton* ButCopyCommand;
  QLineEdit* SeedEdit;
  QPushButton* ButMakeAgain;
  QPushButton* ButCompilePlay;

 signals:
  // The level of this seed with the main window's current options.
  void MakeAgain(std::uint32_t seed);
  // "Generate .bsp", then "Run Half-Life" when the compile succeeded.
  void CompileAndPlay();

 private:
  void MakeAgainClick();

  QString Command;
};
