#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FakeTools.h"

namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

TEST(PlatformFiles, ExistsAndExecutableTellFilesFoldersAndModesApart) {
  QTemporaryDir dir;
  const QString file = dir.path() + "/plain";
  const QString tool = dir.path() + "/tool";
  WriteFile(file, "x");
  WriteFile(tool, "#!/bin/sh\n");
  QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner);
  EXPECT_TRUE(platform::FileExists(Native(file)));
  EXPECT_FALSE(platform::FileExists(Native(dir.path())));
  EXPECT_FALSE(platform::FileExists(Native(dir.path() + "/none")));
  EXPECT_TRUE(platform::DirectoryExists(Native(dir.path())));
  EXPECT_FALSE(platform::DirectoryExists(Native(file)));
  EXPECT_TRUE(platform::IsExecutable(Native(tool)));
  EXPECT_FALSE(platform::IsExecutable(Native(file)));
  EXPECT_FALSE(platform::IsExecutable(Native(dir.path())));  // searchable, but not a program
}

TEST(PlatformFiles, MoveReplacesAnOlderFile) {
  QTemporaryDir dir;
  const QString from = dir.path() + "/a b;$x.bsp";
  const QString to = dir.path() + "/maps/quorvel.bsp";
  ASSERT_TRUE(QDir().mkpath(dir.path() + "/maps"));
  WriteFile(from, "new");
  WriteFile(to, "old");
  std::string error;
  ASSERT_TRUE(platform::MoveFileTo(Native(from), Native(to), &error)) << error;
  EXPECT_FALSE(FileThere(from));
  EXPECT_EQ(ReadFile(to), "new");
}

TEST(PlatformFiles, MoveAcrossFileSystemsCopiesThenRemoves) {
  if (!QDir("/dev/shm").exists()) GTEST_SKIP() << "no second file system at /dev/shm";
  QTemporaryDir source;                          // below /tmp
  QTemporaryDir target("/dev/shm/quorvel-XXXXXX");  // tmpfs
  ASSERT_TRUE(target.isValid());
  const QString from = source.path() + "/quorvel.bsp";
  const QString to = target.path() + "/quorvel.bsp";
  const QByteArray bytes(300000, 'b');  // more than one copy buffer
  WriteFile(from, bytes);
  WriteFile(to, "old");
  std::string error;
  ASSERT_TRUE(platform::MoveFileTo(Native(from), Native(to), &error)) << error;
  EXPECT_FALSE(FileThere(from));
  EXPECT_EQ(ReadFile(to).toUtf8(), bytes);
  EXPECT_FALSE(FileThere(to + ".part"));
}

TEST(PlatformFiles, FailedMoveGivesTheReasonAndLeavesTheOriginal) {
  QTemporaryDir dir;
  const QString from = dir.path() + "/quorvel.bsp";
  WriteFile(from, "new");
  std::string error;
  EXPECT_FALSE(platform::MoveFileTo(Native(from), Native(dir.path() + "/no such folder/quorvel.bsp"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(FileThere(from));
}

}  // namespace
