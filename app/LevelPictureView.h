#pragma once
// Draws a level picture (shell/LevelPicture.h) with QPainter: the grid at
// the largest whole number of pixels per cell that fits, a scale bar and
// the legend, in the palette's text colour.

#include <QWidget>

#include "shell/LevelPicture.h"

class TLevelPictureView : public QWidget {
  Q_OBJECT

 public:
  explicit TLevelPictureView(QWidget* parent = nullptr);

  void SetPicture(shell::LevelPicture picture);
  // Pixels per cell at the current size.
  int CellPixels() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The scale bar and the legend, laid out across width.
  int LegendHeight(int width) const;

  shell::LevelPicture Shown;
};
