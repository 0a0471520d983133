#include "app/LevelPictureView.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kSwatch = 12;

int LineHeight(const QWidget& widget) { return widget.fontMetrics().height() + 4; }

// As wide as the longest label needs.
int LegendColumn(const QWidget& widget) {
  int widest = 0;
  for (const shell::LegendEntry& entry : shell::Legend())
    widest = std::max(widest, widget.fontMetrics().horizontalAdvance(QString::fromLatin1(entry.Label)));
  return widest + kSwatch + 16;
}

int LegendColumns(const QWidget& widget, int width) { return std::max(1, width / LegendColumn(widget)); }

void DrawFeature(QPainter& painter, const shell::LegendEntry& entry, const QRectF& cell) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(QString::fromLatin1(entry.Colour)));
  if (entry.Dot) {
    const qreal r = cell.width() * 0.4;
    painter.drawEllipse(cell.center(), r, r);
  } else {
    painter.drawRect(cell);
  }
}

}  // namespace

TLevelPictureView::TLevelPictureView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMinimumSize(200, 200);
}

void TLevelPictureView::SetPicture(shell::LevelPicture picture) {
  Shown = std::move(picture);
  updateGeometry();
  update();
}

int TLevelPictureView::LegendHeight(int width) const {
  const int columns = LegendColumns(*this, width);
  const int rows = (static_cast<int>(shell::Legend().size()) + columns - 1) / columns;
  return LineHeight(*this) * (rows + 1);  // and the scale bar's line
}

int TLevelPictureView::CellPixels() const {
  if (Shown.Width == 0 || Shown.Height == 0) return 0;
  return std::max(2, std::min(width() / Shown.Width, (height() - LegendHeight(width())) / Shown.Height));
}

QSize TLevelPictureView::sizeHint() const {
  // Eight pixels a cell: a Very Big level still fits a small screen.
  const int width = std::max(Shown.Width * 8, 3 * LegendColumn(*this));
  return {width, Shown.Height * 8 + LegendHeight(width)};
}

void TLevelPictureView::paintEvent(QPaintEvent*) {
  const int cell = CellPixels();
  if (cell == 0) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const int gridWidth = Shown.Width * cell, gridHeight = Shown.Height * cell;
  const int left = (width() - gridWidth) / 2;

  painter.fillRect(left, 0, gridWidth, gridHeight, QColor(QString::fromLatin1(shell::kFloorColour)));
  if (cell >= 4) {
    painter.setPen(QPen(QColor(QString::fromLatin1(shell::kGridLineColour)), 0));
    for (int x = 0; x <= Shown.Width; ++x) painter.drawLine(left + x * cell, 0, left + x * cell, gridHeight);
    for (int y = 0; y <= Shown.Height; ++y) painter.drawLine(left, y * cell, left + gridWidth, y * cell);
  }
  for (const shell::Placed& placed : Shown.Cells)
    DrawFeature(painter, shell::LegendOf(placed.What), QRectF(left + placed.X * cell, placed.Y * cell, cell, cell));

  // The scale bar, then the legend, in the palette's colours.
  const QColor text = palette().color(QPalette::WindowText);
  const int line = LineHeight(*this);
  const shell::ScaleBar scale = shell::ScaleBarOf(Shown);
  const int cells = scale.Cells;
  int y = gridHeight + line / 2;
  painter.setPen(QPen(text, 1));
  painter.drawPolyline(QPolygon({QPoint(left, y - 3), QPoint(left, y + 3), QPoint(left + cells * cell, y + 3),
                                 QPoint(left + cells * cell, y - 3)}));
  painter.drawText(left + cells * cell + 6, y - line / 2, width(), line, Qt::AlignVCenter,
                   QString::fromStdString(scale.Text));

  const int columns = LegendColumns(*this, width());
  const int column = LegendColumn(*this);
  int index = 0;
  for (const shell::LegendEntry& entry : shell::Legend()) {
    const int x = (index % columns) * column + 4;
    const int top = gridHeight + line * (1 + index / columns);
    DrawFeature(painter, entry, QRectF(x, top + (line - kSwatch) / 2, kSwatch, kSwatch));
    painter.setPen(text);
    painter.drawText(x + kSwatch + 4, top, column - kSwatch - 8, line, Qt::AlignVCenter,
                     QString::fromLatin1(entry.Label));
    ++index;
  }
}
