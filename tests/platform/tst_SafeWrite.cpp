#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include "TestFiles.h"
#include "platform/Platform.h"
#include "platform/SafeRead.h"
#include "platform/SafeWrite.h"

namespace fs = std::filesystem;
using platform::WriteFileSafely;
using namespace testing_support;

namespace {

mode_t KindOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// What call() returned, run in a child that an alarm ends after 8 seconds:
// "(hung)" then.
std::string InAChild(const std::string& file, const std::function<std::string()>& call) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(8);
    WriteFile(file, call());
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? ReadFile(file) : "(hung)";
}
}  // namespace

TEST(SafeWrite, DevicesAndPipesAreWrittenThroughAndNoOtherKindIsReplaced) {
  TempDir dir;
  // Devices made here (1,3 is null, 1,7 is full), never the machine's own /dev.
  const bool devices = mknod(dir.File("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
                       mknod(dir.File("full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
  if (!devices) std::printf("[  SKIPPED ] the device cases: mknod needs root\n");
  fs::create_symlink("null", dir.Path / "link-to-null");
  fs::create_symlink("nowhere", dir.Path / "dangling-link");
  fs::create_directory(dir.Path / "folder");
  const struct {
    const char* Name;
    bool Device;
    const char* Failure;  // null: written
    mode_t KindAfter;
  } cases[] = {
      {"null", true, nullptr, S_IFCHR},
      {"full", true, std::strerror(ENOSPC), S_IFCHR},
      {"link-to-null", true, nullptr, S_IFLNK},
      {"folder", false, "it is a directory", S_IFDIR},
      {"dangling-link", false, "it is a symbolic link that leads nowhere", S_IFLNK},
  };
  for (const auto& c : cases) {
    if (c.Device && !devices) continue;
    SCOPED_TRACE(c.Name);
    const Result<> result = WriteFileSafely(dir.File(c.Name), "level");
    EXPECT_EQ(result.Error().rfind(c.Failure ? c.Failure : "", 0), 0u) << result.Error();
    EXPECT_EQ(result.Ok(), c.Failure == nullptr);
    EXPECT_EQ(KindOf(dir.File(c.Name)), c.KindAfter);
  }

  // A FIFO: the reader gets the bytes and the FIFO stays. Its second name
  // lets the reader finish even when the FIFO was replaced.
  const std::string fifo = dir.File("fifo"), keep = dir.File("fifo-keep");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  ASSERT_EQ(link(fifo.c_str(), keep.c_str()), 0);
  std::string received;
  std::atomic<bool> done{false};
  std::thread reader([&] {
    received = ReadFile(keep);
    done = true;
  });
  EXPECT_TRUE(WriteFileSafely(fifo, "through a pipe"));
  while (!done) {
    close(open(keep.c_str(), O_WRONLY | O_NONBLOCK));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  reader.join();
  EXPECT_EQ(received, "through a pipe");
  EXPECT_EQ(KindOf(fifo), S_IFIFO);
}

TEST(SafeWrite, AFifoNobodyReadsIsGivenUpAndTheProgramsOwnDescriptorsAreWrittenThrough) {
  TempDir dir;
  // Nothing reads this FIFO: a write or a move onto it gives up soon.
  const std::string fifo = dir.File("quorvel.bsp"), compiled = dir.File("compiled.bsp");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  WriteFile(compiled, "BSP");
  for (const bool move : {false, true}) {
    const std::string error = InAChild(dir.File("error"), [&] {
      return (move ? platform::MoveFileTo(compiled, fifo) : WriteFileSafely(fifo, "level")).Error();
    });
    EXPECT_EQ(error, "it is a FIFO (named pipe) that nothing reads: no reader came within 2 seconds");
  }
  EXPECT_EQ(ReadFile(compiled), "BSP");
  EXPECT_EQ(KindOf(fifo), S_IFIFO);

  // A name of an open descriptor, as /dev/stdout names descriptor 1: the
  // bytes go through it, so that output opened for appending (">>") is
  // appended to rather than replaced.
  const std::string log = dir.File("log.txt"), named = dir.File("stdout");
  WriteFile(log, "kept\n");
  const int fd = open(log.c_str(), O_WRONLY | O_APPEND);
  const std::string own = "/proc/self/fd/" + std::to_string(fd);
  fs::create_symlink(own, named);
  EXPECT_TRUE(WriteFileSafely(named, "level\n"));
  EXPECT_TRUE(WriteFileSafely(own, "grid\n"));
  EXPECT_EQ(ReadFile(log), "kept\nlevel\ngrid\n");
  close(fd);
  EXPECT_EQ(WriteFileSafely(named, "lost").Error(), "it names descriptor " + std::to_string(fd) + ", which is not open");
  EXPECT_EQ(ReadFile(log), "kept\nlevel\ngrid\n");
}

TEST(SafeFiles, WhatAnotherUserPutInASharedFolderIsNeitherFollowedNorReadNorReplaced) {
  if (geteuid() != 0) GTEST_SKIP() << "a link owned by another user can only be made by root";
  TempDir dir;
  const uid_t other = 65534;  // owns the planted names; need not exist as a user
  const std::string victim = dir.File("passwd"), original = "root:x:0:0::/root:/bin/bash\n";
  WriteFile(victim, original);
  const fs::path shared = dir.Path / "tmp";
  fs::create_directory(shared);
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);  // as /tmp
  const std::string link = (shared / "quorvel.ini").string(), file = (shared / "quorvel.map").string(),
                    mine = (shared / "mine.ini").string();
  fs::create_symlink(victim, link);
  fs::create_symlink(victim, mine);
  WriteFile(file, "/tools\n");
  ASSERT_EQ(lchown(link.c_str(), other, other), 0);
  ASSERT_EQ(chown(file.c_str(), other, other), 0);

  for (const std::string& planted : {link, file}) {
    SCOPED_TRACE(planted);
    const std::string reason = "owned by another user (user ID 65534) in a folder anyone can write to";
    EXPECT_TRUE(Contains(WriteFileSafely(planted, "level").Error(), reason));
    EXPECT_TRUE(Contains(platform::ReadFileSafely(planted, 1000).Error(), reason));
  }
  EXPECT_EQ(ReadFile(victim), original);
  EXPECT_EQ(ReadFile(file), "/tools\n");
  EXPECT_EQ(KindOf(link), S_IFLNK);

  // One's own link is followed, and so is the folder owner's.
  EXPECT_EQ(platform::ReadFileSafely(mine, 1000)->value_or(""), original);
  ASSERT_EQ(chown(shared.c_str(), other, other), 0);
  EXPECT_EQ(platform::ReadFileSafely(link, 1000)->value_or(""), original);
}

TEST(SafeWrite, LinksPlantedAtTemporaryNamesAreNeverFollowed) {
  TempDir dir;
  const std::string victim = dir.File("victim");
  WriteFile(victim, "victim");
  for (const char* planted : {"level.map.tmp", ".level.map.tmp", "level.map.part"})
    fs::create_symlink(victim, dir.Path / planted);
  ASSERT_TRUE(WriteFileSafely(dir.File("level.map"), "level"));
  EXPECT_EQ(ReadFile(dir.File("level.map")), "level");
  EXPECT_EQ(ReadFile(victim), "victim");
  EXPECT_EQ(Entries(dir.Path).size(), 5u);
}

TEST(SafeWrite, AReplacedFileKeepsModeOwnerAndLinks) {
  TempDir dir;
  const std::string file = dir.File("level.map"), link = dir.File("link.map"),
                    other = dir.File("other.map");
  WriteFile(file, "old");
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  const bool root = geteuid() == 0;
  const uid_t owner = root ? 65534 : geteuid();
  const gid_t group = root ? 65534 : getegid();
  ASSERT_EQ(chown(file.c_str(), owner, group), 0);
  fs::create_symlink("level.map", link);
  fs::create_hard_link(file, other);
  ASSERT_TRUE(WriteFileSafely(link, "new"));
  EXPECT_EQ(KindOf(link), S_IFLNK);
  EXPECT_EQ(ReadFile(file), "new");
  struct stat st;
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(st.st_uid, owner);
  EXPECT_EQ(st.st_gid, group);
  // The name given gets a whole new file; another name of it keeps the old.
  EXPECT_EQ(ReadFile(other), "old");
  const mode_t mask = umask(022);
  umask(mask);
  ASSERT_TRUE(WriteFileSafely(dir.File("new.map"), "new"));
  ASSERT_EQ(stat(dir.File("new.map").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);
}

TEST(SafeWrite, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  const std::string target = dir.File("level.map");
  WriteFile(target, "old");
  // A file size limit stops the write half-way, as a full disk would.
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit limit{1000, saved.rlim_max};
  const auto signal = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limit);
  const Result<> result = WriteFileSafely(target, std::string(5000, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, signal);
  EXPECT_EQ(result.Error(), std::strerror(EFBIG));
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_EQ(Entries(dir.Path).size(), 1u);
}
