#include "rename/file_times.h"

#include <gtest/gtest.h>

#include "base/log.h"
#include "platform/file_ops.h"
#include "scripted_prompts.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::ScriptedPrompts;
using test::TempDir;
using test::WriteFile;

constexpr TimeT kOld = 1000000000;  // 2001, far from any Exif date below

CRenameFileData RowTakenAt(int y, int mo, int d, int h, int mi, int s) {
  CRenameFileData row;
  row.ExifDate = MakeLocalTime(y, mo, d, h, mi, s).value();
  row.ExifDateValid = true;
  return row;
}

struct Fixture {
  TempDir dir;
  std::string path;
  ScriptedPrompts prompts;
  CapturingLogSink log;
  ScopedLogSink attach{log};
  Fixture() : path(dir.File("a.jpg")) {
    WriteFile(path, "A");
    SetFileTimes(path, kOld, kOld);
  }
  FileTimes Times() {
    FileTimes t;
    ReadFileTimes(path, t);
    return t;
  }
};

TEST(FileTimesTest, EachModeSetsWhatLinuxCanAndSaysWhatItCannot) {
  const TimeT taken = MakeLocalTime(2021, 3, 7, 14, 5, 9).value();
  struct Case {
    int mode;
    TimeT modification;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {FileTimeCreation,
       kOld,
       {"Update Last Access Time of File '%s' as 07-03-2021 14-05-09",
        "Creation Time of File '%s' Not Updated: Linux Cannot Set a File Creation Time ..."}},
      {FileTimeModification, taken, {"Update Modification Time of File '%s' as 07-03-2021 14-05-09"}},
      {FileTimeAll,
       taken,
       {"Update Modification Time of File '%s' as 07-03-2021 14-05-09",
        "Creation Time of File '%s' Not Updated: Linux Cannot Set a File Creation Time ..."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    Fixture f;
    EXPECT_TRUE(UpdateFileTimeStatus(f.path, RowTakenAt(2021, 3, 7, 14, 5, 9), c.mode, f.prompts));
    EXPECT_EQ(f.Times().modification, c.modification);
    EXPECT_EQ(f.Times().access, taken);
    std::vector<std::string> expected;
    for (const auto& line : c.lines) {
      std::string text = line;
      text.replace(text.find("%s"), 2, f.path);
      expected.push_back(text);
    }
    EXPECT_EQ(f.log.Texts(), expected);
    EXPECT_EQ(f.prompts.beeps, 0);
  }
}

TEST(FileTimesTest, NoExifDateLeavesTheTimesAlone) {
  Fixture f;
  CRenameFileData row;  // ExifDateValid false
  EXPECT_EQ(ExifDateColumnText(row), "Exif Date Not Available");
  EXPECT_FALSE(UpdateFileTimeStatus(f.path, row, FileTimeAll, f.prompts));
  EXPECT_EQ(f.Times().modification, kOld);
  EXPECT_EQ(f.Times().access, kOld);
  EXPECT_EQ(f.log.Texts(), std::vector<std::string>{"Exif Date and Time Not Available for File '" + f.path +
                                                    "' ... Unable to Update File Date and Time."});
}

TEST(FileTimesTest, AFileThatIsGoneIsReportedWithABeep) {
  Fixture f;
  EXPECT_TRUE(
      UpdateFileTimeStatus(f.dir.File("gone.jpg"), RowTakenAt(2021, 3, 7, 14, 5, 9), FileTimeModification, f.prompts));
  EXPECT_EQ(f.log.Texts(), std::vector<std::string>{"Error Updating File Time Status: No such file or directory"});
  EXPECT_EQ(f.prompts.beeps, 1);
}

}  // namespace
}  // namespace lx
