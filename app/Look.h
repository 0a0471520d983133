#pragma once
// How the forms look: the program's icon and the fonts.
//
// The forms are laid out in pixels for a narrow dialog face, so their fonts
// are sized in pixels and prefer faces of that width; the application's own
// font is the last resort.

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QStringList>

inline QFont PixelFont(int pixels, bool bold = false) {
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                    QStringLiteral("Helvetica"), QApplication::font().family()});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A label of that font, named as the form's controls are.
inline QLabel* PixelLabel(QWidget* parent, const char* name, const QString& text, int pixels, bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(PixelFont(pixels, bold));
  return label;
}

// The program's icon, compiled into the program. The resources live in a
// static library, whose registration nothing would pull in otherwise (a
// second registration is a no-op).
inline QIcon ProgramIcon() {
  Q_INIT_RESOURCE(quorvel);
  return QIcon(QStringLiteral(":/quorvel.png"));
}
