#include "FakeTools.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace fake {
const char* const kSucceed = "echo \"${0##*/}: done\"\n";
const char* const kWriteBsp = "echo new > \"$map.bsp\"\necho \"${0##*/}: wrote $map.bsp\"\n";
const char* const kFail = "echo \"Error: brush 3 is not convex\" | tee -a \"$map.err\"\nexit 3\n";
const char* const kFailQuietly = "exit 2\n";
const char* const kErrFileOnly = "echo \"Error: bad texture\" >> \"$map.err\"\n";
const char* const kLeak =
    "echo new > \"$map.bsp\"\necho LEAK >> \"$map.err\"\n: > \"$map.lin\"\n: > \"$map.pts\"\n"
    "echo \"Warning: leak\"\n";
const char* const kSleep =
    "echo sleeping\nsleep 30 &\necho $! > \"$QUORVEL_FAKE_LOG.sleep\"\nwait\n";
const char* const kCrash = "kill -SEGV $$\n";
}  // namespace fake

namespace {
// The record is written with one write, so that two games started at once
// do not interleave their lines.
const char* const kRecord =
    "#!/bin/sh\n"
    "record=\"tool=${0##*/}\ncwd=$(pwd -P)\"\n"
    "for a in \"$@\"; do record=\"$record\narg=$a\"; done\n"
    "printf '%s\\n' \"$record\" >> \"$QUORVEL_FAKE_LOG\"\n"
    "eval \"map=\\${$#}\"\n";
}  // namespace

QString ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

bool FileThere(const QString& path) { return QFileInfo::exists(path); }

FakeSetup::FakeSetup(const QString& decoration) {
  EXPECT_TRUE(Root.isValid());
  // Canonical, as the tools' pwd -P reports it.
  const QString root = QDir(Root.path()).canonicalPath();
  AppDir = root + "/levels" + decoration;
  ToolDir = root + "/tools" + decoration;
  HLDir = root + "/game" + decoration;
  MapsDir = HLDir + "/valve/maps";
  LogPath = root + "/log.txt";
  EXPECT_TRUE(QDir().mkpath(AppDir));
  EXPECT_TRUE(QDir().mkpath(ToolDir));
  EXPECT_TRUE(QDir().mkpath(MapsDir));
  WriteFile(AppDir + "/quorvel.map", "{\n\"classname\" \"worldspawn\"\n}\n");
  OldLog = qgetenv("QUORVEL_FAKE_LOG");
  qputenv("QUORVEL_FAKE_LOG", QFile::encodeName(LogPath));
}

FakeSetup::~FakeSetup() {
  if (OldLog.isEmpty())
    qunsetenv("QUORVEL_FAKE_LOG");
  else
    qputenv("QUORVEL_FAKE_LOG", OldLog);
}

void FakeSetup::WriteTool(const QString& name, const char* body, const QString& dir) {
  const QString path = (dir.isEmpty() ? ToolDir : dir) + "/" + name;
  WriteFile(path, QByteArray(kRecord) + body);
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void FakeSetup::WriteTools(const QStringList& names, const QList<const char*>& bodies) {
  const QStringList tools = names.isEmpty() ? LinuxNames() : names;
  for (int i = 0; i < tools.size(); ++i) {
    const char* body = i < bodies.size() && bodies[i] ? bodies[i] : (i == 1 ? fake::kWriteBsp : fake::kSucceed);
    WriteTool(tools[i], body);
  }
}

QList<QStringList> FakeSetup::Records() const {
  QList<QStringList> records;
  for (const QString& line : ReadFile(LogPath).split('\n', Qt::SkipEmptyParts)) {
    const int eq = line.indexOf('=');
    const QString key = line.left(eq);
    const QString value = line.mid(eq + 1);
    if (key == "tool" || records.isEmpty()) records.append(QStringList());
    records.last().append(value);
  }
  return records;
}

QStringList FakeSetup::ToolsRun() const {
  QStringList tools;
  for (const QStringList& record : Records()) tools.append(record.value(0));
  return tools;
}

long FakeSetup::SleepPid() const { return ReadFile(LogPath + ".sleep").trimmed().toLong(); }

QStringList FakeSetup::LinuxNames() { return {"hlcsg", "hlbsp", "hlvis", "hlrad"}; }
QStringList FakeSetup::SdNames() { return {"sdHLCSG", "sdHLBSP", "sdHLVIS", "sdHLRAD"}; }

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return done();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  return true;
}

bool ProcessEnded(long pid) {
  if (pid <= 0) return false;
  if (::kill(static_cast<pid_t>(pid), 0) != 0) return true;
  // A zombie waits for a parent that may never reap it; it runs no more.
  const QString stat = ReadFile(QStringLiteral("/proc/%1/stat").arg(pid));
  const int paren = stat.lastIndexOf(')');
  return paren >= 0 && stat.mid(paren + 2, 1) == "Z";
}
