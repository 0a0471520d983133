#pragma once
// A fresh directory made current for one test; the previous current directory
// comes back at the end.

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <string>

class TestDir {
 public:
  TestDir() : Previous(QDir::currentPath()) { QDir::setCurrent(Dir.path()); }
  ~TestDir() { QDir::setCurrent(Previous); }
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;

  std::string Path() const { return QDir(Dir.path()).canonicalPath().toStdString(); }
  std::string File(const std::string& name) const { return Path() + "/" + name; }

 private:
  QTemporaryDir Dir;
  QString Previous;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Empty when the file does not exist.
inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool FileExists(const std::string& path) { return std::ifstream(path).good(); }
