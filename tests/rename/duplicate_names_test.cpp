#include <gtest/gtest.h>

#include "base/log.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "rename/duplicate_names.h"
#include "scripted_prompts.h"
#include "temp_dir.h"

namespace lx {
namespace {

std::vector<RenameListRow> RowsNamed(const std::vector<std::string>& names) {
  std::vector<RenameListRow> rows(names.size());
  for (size_t i = 0; i < names.size(); ++i) rows[i].data.NewName = rows[i].newNameText = names[i];
  return rows;
}

std::vector<std::string> Names(const std::vector<RenameListRow>& rows) {
  std::vector<std::string> out;
  for (const auto& r : rows) out.push_back(r.newNameText);
  return out;
}

struct DupCase {
  std::vector<std::string> in;
  std::string mask;
  bool includeRoot;
  std::vector<std::string> out;
};

TEST(MarkDuplicates, NumbersEachGroupInListOrder) {
  const std::vector<DupCase> cases = {
      {{"a.jpg", "a.jpg", "a.jpg"}, "-%03d", false, {"a.jpg", "a-001.jpg", "a-002.jpg"}},
      {{"a.jpg", "a.jpg", "a.jpg"}, "-%03d", true, {"a-001.jpg", "a-002.jpg", "a-003.jpg"}},
      {{"x.JPG", "x.JPG"}, " (%d)", false, {"x.JPG", "x (1).JPG"}},
      {{"A.jpg", "a.jpg"}, "-%03d", true, {"A.jpg", "a.jpg"}},
      {{"a", "b", "a", "b"}, "-%03d", false, {"a", "b", "a-001", "b-001"}},
      {{"n", "n"}, "%04d", true, {"n0001", "n0002"}},
      // A suffixed name that another row gives is skipped for the next number.
      {{"a.jpg", "a.jpg", "a-001.jpg"}, "-%03d", false, {"a.jpg", "a-002.jpg", "a-001.jpg"}},
  };
  for (const auto& c : cases) {
    auto rows = RowsNamed(c.in);
    MarkDuplicates(rows, c.mask, c.includeRoot);
    EXPECT_EQ(Names(rows), c.out) << c.mask;
    for (const auto& r : rows) EXPECT_EQ(r.data.NewName, r.newNameText);
  }
}

TEST(MarkDuplicates, CommentsFlagsAndLogLines) {
  CapturingLogSink log;
  ScopedLogSink attach(log);
  auto rows = RowsNamed({"a.jpg", "b.jpg", "a.jpg", "a.jpg", "b.jpg", "c.jpg"});
  rows[5].comments = "stale";
  MarkDuplicates(rows, "-%03d", false);
  EXPECT_EQ(rows[0].comments, "Duplicate Root File Name");
  EXPECT_EQ(rows[0].data.StateFlags, RowDuplicateRoot);
  EXPECT_EQ(rows[2].comments, "Duplicate File Name");
  EXPECT_EQ(rows[3].data.StateFlags, RowDuplicate);
  EXPECT_EQ(rows[5].comments, "");
  EXPECT_EQ(rows[5].data.StateFlags, 0u);
  EXPECT_EQ(log.Texts(), (std::vector<std::string>{"2 Duplicate File Names found for File a.jpg ",
                                                   "1 Duplicate File Name found for File b.jpg "}));
}

TEST(DuplicateSuffix, OnlyTheFifteenMasksAreAccepted) {
  ASSERT_EQ(DuplicateSuffixMasks().size(), 15u);
  EXPECT_EQ(FormatDuplicateSuffix(" (%02d)", 3), " (03)");
  EXPECT_EQ(FormatDuplicateSuffix("%d", 12), "12");
  EXPECT_EQ(FormatDuplicateSuffix("%s%n", 1), "");
  test::ScriptedPrompts prompts;
  std::string mask = "-%03d";
  EXPECT_TRUE(SetDuplicateSuffix(mask, " (%04d)", &prompts));
  EXPECT_EQ(mask, " (%04d)");
  EXPECT_FALSE(SetDuplicateSuffix(mask, "-%05d", &prompts));
  EXPECT_FALSE(SetDuplicateSuffix(mask, "-%03D", &prompts));
  EXPECT_EQ(mask, " (%04d)");
  EXPECT_EQ(prompts.messages, (std::vector<std::string>{"Invalid Suffix Mask !!! Please Contact Quorin ...",
                                                        "Invalid Suffix Mask !!! Please Contact Quorin ..."}));
}

TEST(MarkDuplicates, SuffixedNamesSkipNamesAlreadyGivenOrTaken) {
  // ab.JPG and ab.jpg both become ab.jpg; "-002" is another row's name and
  // "-003" a file outside the list: both are skipped.
  auto rows = RowsNamed({"ab.jpg", "ab.jpg", "ab-002.jpg"});
  MarkDuplicates(rows, "-%03d", true, [](const std::string& name) { return name == "ab-003.jpg"; });
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"ab-001.jpg", "ab-004.jpg", "ab-002.jpg"}));
  EXPECT_EQ(rows[1].data.NewName, "ab-004.jpg");
}

// The list shows, for each rename type, the name the run will write and why a row will not be done.
TEST(CheckTargetCollisions, TheListShowsWhatTheRunWillDo) {
  test::TempDir source, target;
  test::WriteFile(target.File("IMG.jpg"), "x");
  test::WriteFile(target.File("both.jpg"), "x");
  test::WriteFile(target.File("both - Copy.jpg"), "x");
  test::WriteFile(source.File("old.jpg"), "x");
  test::WriteFile(source.File("taken.jpg"), "x");
  test::WriteFile(source.File("moves.jpg"), "x");
  auto rowsFor = [](int type, const std::string& src, const std::string& dst) {
    auto rows = RowsNamed({"IMG.jpg", "both.jpg", "taken.jpg", "moves.jpg", "../x.jpg", ".jpg"});
    const char* current[] = {"a.jpg", "b.jpg", "old.jpg", "c.jpg", "d.jpg", "e.jpg"};
    for (size_t i = 0; i < rows.size(); ++i) rows[i].data.FileName = current[i];
    rows[3].data.FileName = "moves.jpg";
    rows[3].data.NewName = rows[3].newNameText = "elsewhere.jpg";
    CheckTargetCollisions(rows, type, src, dst);
    return rows;
  };

  auto target2 = rowsFor(TargetRename, source.Path(), target.Path());
  EXPECT_EQ(target2[0].newNameText, "IMG - Copy.jpg");
  EXPECT_EQ(target2[0].data.NewName, "IMG.jpg");
  EXPECT_EQ(target2[0].comments, "Copy (File Already Exists)");
  EXPECT_EQ(target2[1].comments, "'both.jpg' and 'both - Copy.jpg' Already Exist ... File Will Not be Copied");
  EXPECT_EQ(target2[2].comments, "");
  EXPECT_EQ(target2[4].comments, "Invalid New File Name '../x.jpg' (Name Holds a '/') ... File Not Renamed");
  EXPECT_EQ(target2[5].comments, "Invalid New File Name '.jpg' (Empty File Title) ... File Not Renamed");
  EXPECT_EQ(rowsFor(TargetRenameDelete, source.Path(), target.Path())[0].newNameText, "IMG - Copy.jpg");

  auto simple = rowsFor(SimpleRename, source.Path(), target.Path());
  EXPECT_EQ(simple[0].newNameText, "IMG.jpg");
  EXPECT_EQ(simple[0].comments, "");
  EXPECT_EQ(simple[2].comments, "File Already Exists ... File Will Not be Renamed");
  EXPECT_EQ(simple[4].comments, "Invalid New File Name '../x.jpg' (Name Holds a '/') ... File Not Renamed");

  // A backup copy takes the " - Copy" name when the backup name is taken.
  test::WriteFile(target.File("a.jpg"), "x");
  auto backup = rowsFor(BackupRename, source.Path(), target.Path());
  EXPECT_EQ(backup[0].comments, "Backup as 'a - Copy.jpg' (File Already Exists)");
  EXPECT_EQ(backup[2].comments, "File Already Exists ... File Will Not be Renamed");
}

}  // namespace
}  // namespace lx
