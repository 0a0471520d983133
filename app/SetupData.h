#pragma once
// The two directories the commands need (compile tools, game), kept as plain
// text lines in quorvel.ini beside the map. Any further lines a loaded file
// holds are kept and written back unchanged.

#include <QObject>
#include <QStringList>

#include <string>

#include "map/HLMap.h"

class TSetupLines : public QObject {
  Q_OBJECT

 public:
  static constexpr int kToolLine = 0;
  static constexpr int kGameLine = 1;

  // The defaults are set without a change notification.
  explicit TSetupLines(QStringList defaults = DefaultLines(), QObject* parent = nullptr);

  // Compile tools and game directory for this platform, home-relative on Linux/macOS.
  static QStringList DefaultLines();

  const QStringList& Lines() const { return Items; }
  // A line the list does not have reads as empty.
  QString Line(int index) const;
  // Stores one line, adding empty lines up to it when the list is shorter.
  // Always notifies, even when the text is unchanged.
  void SetLine(int index, const QString& text);
  // Replaces every line in one change.
  void SetLines(const QStringList& lines);

  // A line ends at CR, LF or CR LF; a last line without an end counts; a NUL
  // byte ends the text.
  static QStringList ParseText(const std::string& bytes);
  // Every line followed by CR LF.
  static std::string FormatText(const QStringList& lines);

  // False, with the lines untouched, when the file cannot be opened.
  bool LoadFromFile(const std::string& path);
  // Writes through a temporary file so a failed save keeps the old file.
  WriteResult SaveToFile(const std::string& path) const;

 signals:
  void Changed();

 private:
  QStringList Items;
};
