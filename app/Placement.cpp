#include "app/Placement.h"

#include <QPushButton>
#include <QScreen>
#include <QKeyEvent>
#include <QWidget>

#include "shell/WindowPlacement.h"

namespace {

shell::ScreenRect ToScreenRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

// Closes the window it watches on an Escape that no control took.
class EscapeCloses : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
    static_cast<QWidget*>(watched)->close();
    return true;
  }
};

}  // namespace

void ShowBeside(QWidget& window, const QWidget& owner, QSize wanted, QSize least, bool activate) {
  if (const QScreen* screen = owner.screen(); screen && !window.isVisible()) {
    // A window's frame is not known before it is shown; the owner's is the
    // same window manager's.
    const QRect ownerFrame = owner.frameGeometry();
    const QSize frame = ownerFrame.size() - owner.size();
    QRect buttons;
    for (const QPushButton* button : owner.findChildren<QPushButton*>())
      if (button->window() == &owner) buttons |= QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    const shell::ScreenRect placed = shell::PlaceBeside(
        ToScreenRect(ownerFrame), ToScreenRect(buttons), wanted.width() + frame.width(),
        wanted.height() + frame.height(), ToScreenRect(screen->availableGeometry()), least.width() + frame.width(),
        least.height() + frame.height());
    window.resize(placed.Width - frame.width(), placed.Height - frame.height());
    window.move(placed.X, placed.Y);
  }
  window.setAttribute(Qt::WA_ShowWithoutActivating, !activate);
  window.show();
  window.raise();
  if (activate) window.activateWindow();
}

void CloseOnEscape(QWidget& window) { window.installEventFilter(new EscapeCloses(&window)); }

// Qt's own placement guesses the frame of a window without a window manager,
// and is off by that much; a frame like the owner's is the better guess.
void CentreOn(QWidget& window, const QWidget& owner) {
  const QRect ownerFrame = owner.frameGeometry();
  const QSize frame = ownerFrame.size() - owner.size();
  const QRect room = owner.screen() ? owner.screen()->availableGeometry() : ownerFrame;
  const shell::ScreenRect placed = shell::PlaceCentred(ToScreenRect(ownerFrame), window.width() + frame.width(),
                                                       window.height() + frame.height(), ToScreenRect(room));
  window.move(placed.X, placed.Y);
}
