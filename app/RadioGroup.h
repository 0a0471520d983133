#pragma once
// A titled group of exclusive choices addressed by item index, counted from 0.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& title, const QStringList& items, int itemIndex,
              QWidget* parent = nullptr);

  // -1 when nothing is selected.
  int ItemIndex() const;
  // An index outside the items clears the selection.
  void SetItemIndex(int index);
  int Count() const;
  QRadioButton* Item(int index) const;

 signals:
  // The user (or SetItemIndex) chose another item.
  void Chosen(int index);

 private:
  QButtonGroup* Buttons;
};
