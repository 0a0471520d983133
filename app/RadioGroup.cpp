#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), Buttons(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 0, 2);
  layout->setSpacing(0);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    // The narrow pixel layout leaves little room beside the indicator.
    button->setStyleSheet(QStringLiteral("QRadioButton { spacing: 3px; }"));
    // Tab lands on the chosen item only; the arrow keys move within the group.
    button->setFocusPolicy(Qt::ClickFocus);
    Buttons->addButton(button, i);
    layout->addWidget(button);
  }
  connect(Buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    Buttons->button(id)->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    if (checked) emit Chosen(id);
  });
}

void TRadioGroup::SetItemIndex(int index) { Buttons->button(index)->setChecked(true); }

QRadioButton* TRadioGroup::Item(int index) const { return qobject_cast<QRadioButton*>(Buttons->button(index)); }
