// Copies and deletions that must never lose or cut a photo: a copy killed by a
// signal in the middle, a FIFO under a photo's name, another process putting a
// different file under the name being deleted, links in the way of file times.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file_ops.h"
#include "platform/partial_files.h"
#include "platform/run_lock.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The partial files in a folder.
std::vector<std::string> Partials(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (IsPartialName(entry.path().filename().string())) out.push_back(entry.path().string());
  return out;
}

// A large photo, so that a copy takes long enough to be caught in the middle.
void WriteLargeFile(const std::string& path, size_t mebibytes) {
  std::ofstream out(path, std::ios::binary);
  std::string block(1 << 20, '\0');
  for (size_t m = 0; m < mebibytes; ++m) {
    for (size_t i = 0; i < block.size(); i += 4096) block[i] = static_cast<char>(m + i / 4096);
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
  }
}

// Copies from -> to in a child and kills it with sig once its partial file
// holds data. False when the copy finished before it could be caught.
bool KillCopyInTheMiddle(const std::string& from, const std::string& to, const std::string& folder, int sig) {
  pid_t child = ::fork();
  if (child == 0) {
    CopyFileNoReplace(from, to, true);
    ::_exit(0);
  }
  bool caught = false;
  for (;;) {
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) return false;  // done before we looked
    auto partials = Partials(folder);
    struct stat st {};
    if (!partials.empty() && ::stat(partials.front().c_str(), &st) == 0 && st.st_size > 0) {
      ::kill(child, sig);
      caught = true;
      break;
    }
  }
  ::waitpid(child, nullptr, 0);
  return caught;
}

TEST(SafeCopy, ACopyKilledInTheMiddleLeavesNothingUnderTheRealName) {
  TempDir source, target;
  const std::string photo = source.File("big.jpg");
  WriteLargeFile(photo, 384);
  const std::string copy = target.File("2024-01-02 03-04-05.jpg");
  int caughtRounds = 0;
  for (int sig : {SIGTERM, SIGINT, SIGKILL}) {
    SCOPED_TRACE("signal " + std::to_string(sig));
    if (!KillCopyInTheMiddle(photo, copy, target.Path(), sig)) {
      std::filesystem::remove(copy);
      continue;
    }
    ++caughtRounds;
    EXPECT_FALSE(PathExists(copy)) << "a cut-off copy took the photo's name";
    ASSERT_EQ(Partials(target.Path()).size(), 1u);
    // The next run finds the stale partial file and removes it.
    auto removed = RemoveStalePartials(target.Path());
    EXPECT_EQ(removed.size(), 1u);
    EXPECT_TRUE(Partials(target.Path()).empty());
  }
  EXPECT_GT(caughtRounds, 0) << "no copy could be caught in the middle";
  // Undisturbed, the copy is whole, under its name, with no partial file left.
  ASSERT_EQ(CopyFileNoReplace(photo, copy, true), 0);
  EXPECT_EQ(std::filesystem::file_size(copy), std::filesystem::file_size(photo));
  EXPECT_TRUE(Partials(target.Path()).empty());
}

TEST(SafeCopy, NeverReplacesAndLeavesNoPartialOnFailure) {
  TempDir dir;
  WriteFile(dir.File("a.jpg"), "new");
  WriteFile(dir.File("b.jpg"), "old");
  EXPECT_EQ(CopyFileNoReplace(dir.File("a.jpg"), dir.File("b.jpg")), EEXIST);
  EXPECT_EQ(ReadFile(dir.File("b.jpg")), "old");
  EXPECT_EQ(CopyFileNoReplace(dir.File("missing.jpg"), dir.File("c.jpg")), ENOENT);
  EXPECT_TRUE(Partials(dir.Path()).empty());
}

TEST(SafeCopy, OnlyRegularFilesAreCopiedAndOpensNeverBlock) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("x.jpg").c_str(), 0644), 0);
  // Without O_NONBLOCK this open would wait forever for a writer.
  EXPECT_EQ(CopyFileNoReplace(dir.File("x.jpg"), dir.File("y.jpg")), EINVAL);
  WriteFile(dir.File("real.jpg"), "photo");
  ASSERT_EQ(::symlink(dir.File("real.jpg").c_str(), dir.File("link.jpg").c_str()), 0);
  EXPECT_EQ(CopyFileNoReplace(dir.File("link.jpg"), dir.File("z.jpg")), ELOOP);
  EXPECT_FALSE(PathExists(dir.File("y.jpg")));
  EXPECT_FALSE(PathExists(dir.File("z.jpg")));
}

TEST(SafeCopy, PartialsOfARunningProcessAreKept) {
  TempDir dir;
  const std::string mine = PartialPathFor(dir.File("a.jpg"));
  WriteFile(mine, "in progress");
  WriteFile(dir.File(".lx-partial-1-0-init.jpg"), "pid 1 runs");
  WriteFile(dir.File(".lx-partial-x.jpg"), "not ours");
  EXPECT_TRUE(RemoveStalePartials(dir.Path()).empty());
  EXPECT_TRUE(PathExists(mine));
  EXPECT_LE(std::filesystem::path(PartialPathFor(dir.File(std::string(250, 'n') + ".jpg"))).filename().string().size(),
            255u);
}

TEST(SafeDelete, ASourceReplacedByAnotherProcessIsKept) {
  TempDir source, target;
  WriteFile(source.File("IMG_00009.jpg"), "the photo copied");
  WriteFile(source.File("other.jpg"), "a different photo");
  FileIdentity copied;
  ASSERT_EQ(CopyFileNoReplace(source.File("IMG_00009.jpg"), target.File("new.jpg"), true, &copied), 0);

  // Another program moves a different photo onto the name.
  pid_t child = ::fork();
  if (child == 0)
    ::_exit(::rename(source.File("other.jpg").c_str(), source.File("IMG_00009.jpg").c_str()) == 0 ? 0 : 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  EXPECT_EQ(DeleteFileIfSame(source.File("IMG_00009.jpg"), copied), kErrorFileChanged);
  EXPECT_EQ(ReadFile(source.File("IMG_00009.jpg")), "a different photo");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(source.Path()), {}), 1);

  // The file that was copied goes.
  WriteFile(source.File("c.jpg"), "copied");
  ASSERT_EQ(CopyFileNoReplace(source.File("c.jpg"), target.File("c.jpg"), true, &copied), 0);
  EXPECT_EQ(DeleteFileIfSame(source.File("c.jpg"), copied), 0);
  EXPECT_FALSE(PathExists(source.File("c.jpg")));
}

TEST(FileTimesOfLinks, TheFileALinkPointsToIsNeverTouched) {
  TempDir inside, outside;
  WriteFile(outside.File("target.jpg"), "x");
  ASSERT_EQ(::symlink(outside.File("target.jpg").c_str(), inside.File("link.jpg").c_str()), 0);
  FileTimes before;
  ASSERT_EQ(ReadFileTimes(outside.File("target.jpg"), before), 0);
  ASSERT_EQ(SetFileTimes(inside.File("link.jpg"), TimeT{1000000000}, TimeT{1000000000}), 0);
  FileTimes after;
  ASSERT_EQ(ReadFileTimes(outside.File("target.jpg"), after), 0);
  EXPECT_EQ(after.modification, before.modification);
  FileTimes link;
  ASSERT_EQ(ReadFileTimes(inside.File("link.jpg"), link), 0);
  EXPECT_EQ(link.modification, 1000000000);
}

TEST(RunLockTest, ASecondHolderIsRefusedWhileTheFirstHoldsTheFolder) {
  TempDir dir;
  int toParent[2], toChild[2];
  ASSERT_EQ(::pipe(toParent), 0);
  ASSERT_EQ(::pipe(toChild), 0);
  pid_t child = ::fork();
  if (child == 0) {
    RunLock lock;
    std::string busy;
    char byte = lock.Acquire({dir.Path()}, 0, busy) == 0 ? 1 : 0;
    (void)!::write(toParent[1], &byte, 1);
    (void)!::read(toChild[0], &byte, 1);  // hold until told
    ::_exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(toParent[0], &held, 1), 1);
  ASSERT_EQ(held, 1);
  RunLock lock;
  std::string busy;
  EXPECT_EQ(lock.Acquire({dir.Slash(), dir.Path()}, 100, busy), EWOULDBLOCK);
  EXPECT_EQ(busy, dir.Slash());
  char go = 1;
  (void)!::write(toChild[1], &go, 1);
  ::waitpid(child, nullptr, 0);
  // The same folder named twice is one lock, not two that block each other.
  EXPECT_EQ(lock.Acquire({dir.Slash(), dir.Path()}, 0, busy), 0);
}

}  // namespace
}  // namespace lx
