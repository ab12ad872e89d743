#include "platform/file_ops.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "temp_dir.h"

namespace lx {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(FileOpsTest, RenameNeverReplacesATakenName) {
  TempDir dir;
  WriteFile(dir.File("a.jpg"), "A");
  WriteFile(dir.File("b.jpg"), "B");
  EXPECT_EQ(RenameNoReplace(dir.File("a.jpg"), dir.File("b.jpg")), EEXIST);
  EXPECT_EQ(ReadFile(dir.File("a.jpg")), "A");
  EXPECT_EQ(ReadFile(dir.File("b.jpg")), "B");

  EXPECT_EQ(RenameNoReplace(dir.File("a.jpg"), dir.File("c.jpg")), 0);
  EXPECT_FALSE(PathExists(dir.File("a.jpg")));
  EXPECT_EQ(ReadFile(dir.File("c.jpg")), "A");
  EXPECT_EQ(RenameNoReplace(dir.File("missing.jpg"), dir.File("d.jpg")), ENOENT);
}

TEST(FileOpsTest, CopyKeepsContentModeAndModificationTime) {
  TempDir dir;
  std::string big(3 * 65536 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  WriteFile(dir.File("src.jpg"), big);
  ASSERT_EQ(::chmod(dir.File("src.jpg").c_str(), 0640), 0);
  ASSERT_EQ(SetFileTimes(dir.File("src.jpg"), TimeT{1600000000}, TimeT{1600000100}), 0);

  for (bool flush : {false, true}) {
    std::string target = dir.File(flush ? "flushed.jpg" : "copy.jpg");
    ASSERT_EQ(CopyFileNoReplace(dir.File("src.jpg"), target, flush), 0);
    EXPECT_EQ(ReadFile(target), big);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    FileTimes times;
    ASSERT_EQ(ReadFileTimes(target, times), 0);
    EXPECT_EQ(times.modification, 1600000000);
  }
}

TEST(FileOpsTest, CopyRefusesAnExistingTargetAndLeavesNoPartialCopy) {
  TempDir dir;
  WriteFile(dir.File("src.jpg"), "new");
  WriteFile(dir.File("dst.jpg"), "old");
  EXPECT_EQ(CopyFileNoReplace(dir.File("src.jpg"), dir.File("dst.jpg")), EEXIST);
  EXPECT_EQ(ReadFile(dir.File("dst.jpg")), "old");

  // A source that cannot be read as a file: nothing is left at the target.
  ::mkdir(dir.File("folder").c_str(), 0755);
  EXPECT_EQ(CopyFileNoReplace(dir.File("folder"), dir.File("x.jpg")), EISDIR);
  EXPECT_EQ(CopyFileNoReplace(dir.File("missing.jpg"), dir.File("y.jpg")), ENOENT);
  EXPECT_FALSE(PathExists(dir.File("x.jpg")));
  EXPECT_FALSE(PathExists(dir.File("y.jpg")));
  // Into a folder that does not exist.
  EXPECT_EQ(CopyFileNoReplace(dir.File("src.jpg"), dir.File("no/such/z.jpg")), ENOENT);
}

TEST(FileOpsTest, DeleteRemovesFilesOnly) {
  TempDir dir;
  WriteFile(dir.File("a.jpg"), "A");
  ::mkdir(dir.File("sub").c_str(), 0755);
  EXPECT_EQ(DeleteFile(dir.File("a.jpg")), 0);
  EXPECT_FALSE(PathExists(dir.File("a.jpg")));
  EXPECT_EQ(DeleteFile(dir.File("a.jpg")), ENOENT);
  EXPECT_EQ(DeleteFile(dir.File("sub")), EISDIR);
  EXPECT_TRUE(PathExists(dir.File("sub")));
}

TEST(FileOpsTest, TimesAreReadAndSetSeparately) {
  TempDir dir;
  WriteFile(dir.File("a.jpg"), "A");
  ASSERT_EQ(SetFileTimes(dir.File("a.jpg"), TimeT{1500000000}, TimeT{1500000000}), 0);
  ASSERT_EQ(SetFileTimes(dir.File("a.jpg"), std::nullopt, TimeT{1400000000}), 0);
  FileTimes times;
  ASSERT_EQ(ReadFileTimes(dir.File("a.jpg"), times), 0);
  EXPECT_EQ(times.modification, 1500000000);
  EXPECT_EQ(times.access, 1400000000);
  if (!times.hasBirthTime) {
    EXPECT_EQ(times.creation, times.modification);
  }
  EXPECT_EQ(ReadFileTimes(dir.File("gone.jpg"), times), ENOENT);
  EXPECT_EQ(SetFileTimes(dir.File("gone.jpg"), TimeT{1}, TimeT{1}), ENOENT);
}

}  // namespace
}  // namespace lx
