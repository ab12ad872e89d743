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
      // A suffixed name is not compared again, even when another row has that name.
      {{"a.jpg", "a.jpg", "a-001.jpg"}, "-%03d", false, {"a.jpg", "a-001.jpg", "a-001.jpg"}},
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

TEST(CheckTargetCollisions, FlagsExistingTargetsOnlyForTargetRename) {
  test::TempDir target;
  test::WriteFile(target.File("IMG.jpg"), "x");
  auto rows = RowsNamed({"IMG.jpg", "new.jpg"});
  rows[0].comments = "Duplicate Root File Name";
  CheckTargetCollisions(rows, SimpleRename, target.Path());
  EXPECT_EQ(rows[0].newNameText, "IMG.jpg");
  CheckTargetCollisions(rows, TargetRename, target.Path());
  EXPECT_EQ(rows[0].newNameText, "IMG-Copy.jpg");
  EXPECT_EQ(rows[0].data.NewName, "IMG.jpg");
  EXPECT_EQ(rows[0].comments, "Duplicate Root File Name Copy (File Already Exists)");
  EXPECT_EQ(rows[1].newNameText, "new.jpg");
  EXPECT_EQ(rows[1].comments, "");
}

}  // namespace
}  // namespace lx
