#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, int itemIndex,
                         QWidget* parent)
    : QGroupBox(title, parent), Buttons(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 0, 2);
  layout->setSpacing(0);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    // The narrow pixel layout leaves little room beside the indicator.
    button->setStyleSheet(QStringLiteral("QRadioButton { spacing: 3px; }"));
    Buttons->addButton(button, i);
    layout->addWidget(button);
  }
  // Tab lands on the chosen item only; the arrow keys move within the group.
  connect(Buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    Buttons->button(id)->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    if (checked) emit Chosen(id);
  });
  for (QAbstractButton* button : Buttons->buttons()) button->setFocusPolicy(Qt::ClickFocus);
  SetItemIndex(itemIndex);
}

int TRadioGroup::ItemIndex() const { return Buttons->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = Buttons->button(index)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group will not uncheck its last checked button.
  Buttons->setExclusive(false);
  for (QAbstractButton* button : Buttons->buttons()) button->setChecked(false);
  Buttons->setExclusive(true);
}

int TRadioGroup::Count() const { return static_cast<int>(Buttons->buttons().size()); }

QRadioButton* TRadioGroup::Item(int index) const {
  return qobject_cast<QRadioButton*>(Buttons->button(index));
}
