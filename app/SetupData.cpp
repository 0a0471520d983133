#include "app/SetupData.h"

#include <QDir>

#include <fstream>
#include <iterator>

TSetupLines::TSetupLines(QStringList defaults, QObject* parent)
    : QObject(parent), Items(std::move(defaults)) {}

QStringList TSetupLines::DefaultLines() {
#ifdef _WIN32
  return {QStringLiteral("C:\\WorldCraft"), QStringLiteral("C:\\HalfLife")};
#else
  // The usual Steam install location; the tools have no standard place, so
  // a folder in the home directory is suggested.
  const QString home = QDir::homePath();
  return {home + QStringLiteral("/hlcompilers"),
          home + QStringLiteral("/.steam/steam/steamapps/common/Half-Life")};
#endif
}

QString TSetupLines::Line(int index) const {
  return index >= 0 && index < Items.size() ? Items[index] : QString();
}

void TSetupLines::SetLine(int index, const QString& text) {
  if (index < 0) return;
  while (Items.size() <= index) Items.append(QString());
  Items[index] = text;
  emit Changed();
}

void TSetupLines::SetLines(const QStringList& lines) {
  Items = lines;
  emit Changed();
}

QStringList TSetupLines::ParseText(const std::string& bytes) {
  const std::string text = bytes.substr(0, bytes.find('\0'));
  QStringList lines;
  std::string line;
  bool open = false;  // characters since the last line end
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.append(QString::fromStdString(line));
      line.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
      open = true;
    }
  }
  if (open) lines.append(QString::fromStdString(line));
  return lines;
}

std::string TSetupLines::FormatText(const QStringList& lines) {
  std::string text;
  for (const QString& line : lines) {
    text += line.toStdString();
    text += "\r\n";
  }
  return text;
}

bool TSetupLines::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  SetLines(ParseText(bytes));
  return true;
}

WriteResult TSetupLines::SaveToFile(const std::string& path) const {
  return WriteFileAtomically(path, FormatText(Items));
}
