#pragma once
// A titled group of exclusive choices addressed by item index, counted from 0.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

  void SetItemIndex(int index);
  QRadioButton* Item(int index) const;

 signals:
  // The user (or SetItemIndex) chose another item.
  void Chosen(int index);

 private:
  QButtonGroup* Buttons;
};
