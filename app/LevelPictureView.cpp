#include "app/LevelPictureView.h"

#include <QPainter>

namespace {
// Eight pixels a cell: a Very Big level still fits a small screen.
constexpr int kWantedCell = 8;
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

shell::TextMeasure TLevelPictureView::Measure() const {
  const QFontMetrics metrics = fontMetrics();
  return {metrics.height(), [metrics](const std::string& text) {
            return metrics.horizontalAdvance(QString::fromStdString(text));
          }};
}

std::vector<shell::PictureMark> TLevelPictureView::Marks() const {
  return shell::LayOutPicture(Shown, width(), height(), Measure());
}

QSize TLevelPictureView::sizeHint() const {
  const auto [width, height] = shell::PictureSize(Shown, kWantedCell, Measure());
  return {width, height};
}

void TLevelPictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor text = palette().color(QPalette::WindowText);
  for (const shell::PictureMark& mark : Marks()) {
    const QColor colour = mark.Colour ? QColor(QString::fromLatin1(mark.Colour)) : text;
    const QRect box(mark.X, mark.Y, mark.Width, mark.Height);
    switch (mark.What) {
      case shell::PictureMark::Kind::Fill:
        painter.fillRect(box, colour);
        break;
      case shell::PictureMark::Kind::Dot:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(box).center(), box.width() * 0.4, box.height() * 0.4);
        break;
      case shell::PictureMark::Kind::Text:
        painter.setPen(colour);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(mark.Text));
        break;
      case shell::PictureMark::Kind::ScaleBar:
        painter.setPen(QPen(colour, 1));
        painter.drawPolyline(QPolygon({box.topLeft(), box.bottomLeft(), box.bottomRight(), box.topRight()}));
        break;
    }
  }
}
