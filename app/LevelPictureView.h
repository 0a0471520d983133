#pragma once
// Draws a level picture as the shell lays it out (shell::LayOutPicture), in
// the palette's text colour.

#include <QWidget>

#include "shell/LevelPicture.h"

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
