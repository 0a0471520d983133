#pragma once
// A directory field: a text field with a browse button that asks for a
// folder. A path can also be typed or pasted. A folder is signalled when it
// is complete: chosen, set, or typed and the field left (or Enter pressed),
// not at every key.

#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

class TDirectoryEdit : public QWidget {
  Q_OBJECT

 public:
  // Returns the chosen folder, or an empty text when the user cancelled.
  using FolderChooser = std::function<QString(QWidget* parent, const QString& title, const QString& current)>;

  // title: the folder chooser's caption, saying which folder it asks for.
  explicit TDirectoryEdit(const QString& title, QWidget* parent = nullptr);

  QString Text() const;
  void SetText(const QString& text);
  // Opens the chooser; a chosen folder becomes the text.
  void Browse();

  // Defaults to the system's folder dialog; tests put their own here.
  FolderChooser ChooseFolder;

  QLineEdit* Edit() const { return Field; }
  QToolButton* BrowseButton() const { return Button; }

 signals:
  void Changed(const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString Title;
  QLineEdit* Field;
  QToolButton* Button;
};
