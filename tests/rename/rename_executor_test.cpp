#include "rename/rename_executor.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/log.h"
#include "engine/engine.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::ReadFile;
using test::ScriptedPrompts;
using test::TempDir;
using test::WriteFile;

RenameListRow Row(const std::string& folder, const std::string& name, const std::string& newName, int counter = -1) {
  RenameListRow row;
  row.data.FilePath = folder + name;
  row.data.FileName = name;
  PathParts parts = SplitPath(name);
  row.data.FileTitle = parts.title;
  row.data.FileExt = parts.ext;
  row.data.NewName = newName;
  row.data.CounterValue = counter;
  row.newNameText = newName;
  return row;
}

class RenameExecutorTest : public ::testing::Test {
 protected:
  TempDir config;
  SettingsStore settings{config.Path()};
  CLorvexandrinEngine engine{settings};
  TempDir dir;
  std::string src = dir.Slash() + "src/";
  std::string out = dir.Slash() + "out/";
  ScriptedPrompts prompts;
  CapturingLogSink log;
  ScopedLogSink attach{log};

  void SetUp() override {
    ::mkdir(src.c_str(), 0755);
    ::mkdir(out.c_str(), 0755);
  }
};

TEST_F(RenameExecutorTest, SimpleRenameRenamesAndSkipsATakenName) {
  engine.renameType = SimpleRename;
  WriteFile(src + "a.jpg", "A");
  WriteFile(src + "b.jpg", "B");
  WriteFile(src + "taken.jpg", "T");
  std::vector<RenameListRow> rows = {Row(src, "a.jpg", "taken.jpg", 5), Row(src, "b.jpg", "new b.jpg")};
  RenameExecutor executor(engine, prompts, 0, 0);
  for (auto& row : rows) executor.RenameListedFile(row, src, src);

  EXPECT_EQ(executor.RenamedCount(), 1);
  EXPECT_EQ(ReadFile(src + "a.jpg"), "A");
  EXPECT_EQ(ReadFile(src + "taken.jpg"), "T");
  EXPECT_EQ(ReadFile(src + "new b.jpg"), "B");
  EXPECT_EQ(rows[0].data.FileName, "a.jpg");
  EXPECT_EQ(rows[0].data.StateFlags & RowRenamed, 0u);
  EXPECT_EQ(rows[1].data.FileName, "new b.jpg");
  EXPECT_EQ(rows[1].data.FilePath, src + "new b.jpg");
  EXPECT_EQ(rows[1].data.FileTitle, "new b");
  EXPECT_NE(rows[1].data.StateFlags & RowRenamed, 0u);
  EXPECT_EQ(prompts.beeps, 1);
  EXPECT_EQ(log.Texts(), (std::vector<std::string>{
                             "Error Renaming File " + src + "a.jpg to " + src + "taken.jpg",
                             "Error Renaming File: File exists",
                             "File '" + src + "b.jpg' Renamed as '" + src + "new b.jpg'",
                         }));
  // The counter is stored before the rename that uses it: a failed row leaves a gap, never a repeat.
  EXPECT_EQ(settings.GetNumber("PictureCounter"), 5u);
  EXPECT_EQ(executor.FailedCount(), 1);
  EXPECT_EQ(rows[0].comments, "Not Renamed");
}

TEST_F(RenameExecutorTest, BackupRenameUsesOneCopyNameThenSkips) {
  engine.renameType = BackupRename;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) WriteFile(src + name, name);
  WriteFile(out + "b.jpg", "old backup");
  WriteFile(out + "c.jpg", "old backup");
  WriteFile(out + "c - Copy.jpg", "older backup");
  std::vector<RenameListRow> rows = {Row(src, "a.jpg", "A1.jpg", 1), Row(src, "b.jpg", "B1.jpg", 2),
                                     Row(src, "c.jpg", "C1.jpg", 3)};
  RenameExecutor executor(engine, prompts, 0, 0);
  for (auto& row : rows) executor.RenameListedFile(row, src, out);

  EXPECT_EQ(executor.RenamedCount(), 2);
  EXPECT_EQ(ReadFile(out + "a.jpg"), "a.jpg");
  EXPECT_EQ(ReadFile(out + "b - Copy.jpg"), "b.jpg");
  EXPECT_EQ(ReadFile(out + "b.jpg"), "old backup");
  EXPECT_EQ(ReadFile(out + "c.jpg"), "old backup");
  EXPECT_EQ(ReadFile(out + "c - Copy.jpg"), "older backup");
  EXPECT_EQ(ReadFile(src + "A1.jpg"), "a.jpg");
  EXPECT_EQ(ReadFile(src + "B1.jpg"), "b.jpg");
  EXPECT_EQ(ReadFile(src + "c.jpg"), "c.jpg");  // row skipped, file untouched
  EXPECT_EQ(rows[0].data.StateFlags & RowRenamed, 0u);
  EXPECT_EQ(log.Texts(),
            (std::vector<std::string>{
                "File '" + src + "a.jpg' Copied as '" + out + "a.jpg'",
                "File '" + src + "a.jpg' Renamed as '" + src + "A1.jpg' with Counter 1 ",
                "File '" + src + "b.jpg' Copied as '" + out + "b - Copy.jpg'",
                "File '" + src + "b.jpg' Renamed as '" + src + "B1.jpg' with Counter 2 ",
                "Error Copying File " + src + "c.jpg to " + out + "c - Copy.jpg - Error: 17 - Reason: File exists",
            }));
  EXPECT_EQ(settings.GetNumber("PictureCounter"), 2u);
  EXPECT_EQ(executor.FailedCount(), 1);
}

TEST_F(RenameExecutorTest, TargetRenameLeavesTheSourceAndCopiesNothingTheSecondTime) {
  engine.renameType = TargetRename;
  WriteFile(src + "a.jpg", "A");
  WriteFile(src + "b.jpg", "B");
  std::vector<RenameListRow> rows = {Row(src, "a.jpg", "x.jpg", 7), Row(src, "b.jpg", "y.jpg")};
  RenameExecutor executor(engine, prompts, 0, 1);
  for (auto& row : rows) executor.RenameListedFile(row, src, out);

  EXPECT_EQ(executor.RenamedCount(), 2);
  EXPECT_EQ(ReadFile(src + "a.jpg"), "A");
  EXPECT_EQ(ReadFile(src + "b.jpg"), "B");
  EXPECT_EQ(ReadFile(out + "x.jpg"), "A");
  EXPECT_EQ(ReadFile(out + "y.jpg"), "B");
  EXPECT_EQ(rows[0].newNameText, out + "x.jpg");  // full paths shown
  EXPECT_EQ(rows[0].data.FileName, "x.jpg");
  EXPECT_EQ(rows[0].data.FilePath, src + "a.jpg");
  EXPECT_EQ(log.Texts(), (std::vector<std::string>{
                             "File '" + src + "a.jpg' Renamed as '" + out + "x.jpg' with Counter 7 ",
                             "File '" + src + "b.jpg' Copied and Renamed as '" + out + "y.jpg'",
                         }));
  EXPECT_EQ(settings.GetNumber("PictureCounter"), 7u);

  log.Clear();
  executor.ResetCount();
  for (auto& row : rows) executor.RenameListedFile(row, src, out);
  // The sources are no longer under the listed names: each row fails with its reason.
  EXPECT_EQ(executor.RenamedCount(), 0);
  EXPECT_EQ(executor.FailedCount(), 2);
  EXPECT_EQ(log.Texts().front(), "Error Copying File " + src + "x.jpg to " + out +
                                     "x - Copy.jpg - Error: 2 - Reason: No such file or directory");
  EXPECT_FALSE(PathExists(out + "x - Copy.jpg"));
}

TEST_F(RenameExecutorTest, TargetRenameDeleteMovesAndReportsMissingSourcesTheSecondTime) {
  engine.renameType = TargetRenameDelete;
  WriteFile(src + "a.jpg", "A");
  std::vector<RenameListRow> rows = {Row(src, "a.jpg", "x.jpg")};
  RenameExecutor executor(engine, prompts, 0, 0);
  executor.RenameListedFile(rows[0], src, out);

  EXPECT_EQ(executor.RenamedCount(), 1);
  EXPECT_FALSE(PathExists(src + "a.jpg"));
  EXPECT_EQ(ReadFile(out + "x.jpg"), "A");
  EXPECT_EQ(rows[0].comments, "File a.jpg is Deleted in Source Directory !!!");
  EXPECT_EQ(log.Texts(), (std::vector<std::string>{
                             "File '" + src + "a.jpg' Copied and Renamed as '" + out + "x.jpg'",
                             "File '" + src + "a.jpg' Deleted",
                         }));

  log.Clear();
  executor.RenameListedFile(rows[0], src, out);
  const std::string missing = "File " + src + "x.jpg is Missing in Source Directory - Already Processed ? ";
  EXPECT_EQ(log.Texts(), std::vector<std::string>{missing});
  EXPECT_EQ(rows[0].comments, missing);
  EXPECT_EQ(executor.RenamedCount(), 1);
  EXPECT_EQ(ReadFile(out + "x.jpg"), "A");
}

// Marks a file immutable (or not): then not even root may delete it.
bool SetImmutable(const std::string& path, bool on) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
  ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  ::close(fd);
  return ok;
}

TEST_F(RenameExecutorTest, TargetRenameDeleteKeepsASourceThatCannotBeDeleted) {
  engine.renameType = TargetRenameDelete;
  WriteFile(src + "a.jpg", "A");
  if (!SetImmutable(src + "a.jpg", true)) GTEST_SKIP() << "no immutable flag here";
  RenameListRow row = Row(src, "a.jpg", "x.jpg");
  RenameExecutor executor(engine, prompts, 0, 0);
  executor.RenameListedFile(row, src, out);
  SetImmutable(src + "a.jpg", false);

  EXPECT_EQ(executor.RenamedCount(), 1);
  EXPECT_EQ(ReadFile(src + "a.jpg"), "A");
  EXPECT_EQ(ReadFile(out + "x.jpg"), "A");
  EXPECT_EQ(log.Texts().back(), "Error Deleting File " + src + "a.jpg - Error: 1 - Reason: Operation not permitted");
  EXPECT_EQ(row.comments, "Source Not Deleted: Operation not permitted");
  EXPECT_EQ(executor.FailedCount(), 1);
}

TEST_F(RenameExecutorTest, CounterIsTheLargestUsedAndStoredAfterEveryFile) {
  engine.renameType = SimpleRename;
  engine.pictureCounter = 41;
  RenameExecutor executor(engine, prompts, 0, 0);
  for (int counter : {42, 43, 44}) {
    std::string name = std::to_string(counter) + ".src";
    WriteFile(src + name, "x");
    RenameListRow row = Row(src, name, std::to_string(counter) + ".jpg", counter);
    executor.RenameListedFile(row, src, src);
    EXPECT_EQ(settings.GetNumber("PictureCounter"), static_cast<std::uint32_t>(counter));
  }
  // A row without a counter keeps the value.
  WriteFile(src + "plain.src", "x");
  RenameListRow row = Row(src, "plain.src", "plain.jpg");
  executor.RenameListedFile(row, src, src);
  EXPECT_EQ(engine.pictureCounter, 44);
  EXPECT_EQ(settings.GetNumber("PictureCounter"), 44u);
}

TEST_F(RenameExecutorTest, FileTimesFollowTheRenamedFile) {
  WriteFile(src + "a.jpg", "A");
  SetFileTimes(src + "a.jpg", TimeT{1000000000}, TimeT{1000000000});
  RenameListRow row = Row(src, "a.jpg", "x.jpg");
  row.data.ExifDate = MakeLocalTime(2021, 3, 7, 14, 5, 9).value();
  row.data.ExifDateValid = true;
  engine.renameType = TargetRename;
  RenameExecutor executor(engine, prompts, 2, 0);
  executor.RenameListedFile(row, src, out);
  FileTimes source, target;
  ReadFileTimes(src + "a.jpg", source);
  ReadFileTimes(out + "x.jpg", target);
  EXPECT_EQ(source.modification, 1000000000);
  EXPECT_EQ(target.modification, row.data.ExifDate);
  EXPECT_TRUE(log.Contains("Update Modification Time of File '" + out + "x.jpg' as 07-03-2021 14-05-09"));
}

}  // namespace
}  // namespace lx
