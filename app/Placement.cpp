#include "app/Placement.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include "shell/WindowPlacement.h"

namespace {
shell::ScreenRect ToScreenRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }
}  // namespace

void PlaceBeside(QWidget& window, const QWidget& owner, QSize wanted, QSize least) {
  const QScreen* screen = owner.screen() ? owner.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // A window's frame is not known before it is shown; the owner's is the
  // same window manager's.
  const QRect ownerFrame = owner.frameGeometry();
  const QSize frame = ownerFrame.size() - owner.geometry().size();
  QRect buttons;
  for (const QPushButton* button : owner.findChildren<QPushButton*>())
    if (button->window() == &owner) buttons |= QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
  const shell::ScreenRect placed = shell::PlaceBeside(
      ToScreenRect(ownerFrame), ToScreenRect(buttons), wanted.width() + frame.width(), wanted.height() + frame.height(),
      ToScreenRect(screen->availableGeometry()), least.width() + frame.width(), least.height() + frame.height());
  window.resize(placed.Width - frame.width(), placed.Height - frame.height());
  window.move(placed.X, placed.Y);
}
