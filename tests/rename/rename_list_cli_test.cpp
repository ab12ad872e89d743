// lorvexandrin-cli list: the table, the log on standard error, the options.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "photo_factory.h"
#include "platform/text.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::Lines;
using test::RunCli;

class ListCli : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WritePhotoTakenAt(photos.File("IMG_1.JPG"), "2021:06:05 14:03:09");
    test::WritePhotoTakenAt(photos.File("IMG_2.JPG"), "2021:06:05 14:03:09");
    test::WritePhoto(photos.File("scan.jpg"));
    test::WriteFile(photos.File("x.jpg"), "not a photo");
    test::WriteFile(photos.File("notes.txt"), "x");
    test::WritePhoto(photos.File("sub/inner.jpg"));
  }
  std::map<std::string, std::string> Env() const {
    return {{"XDG_CONFIG_HOME", home.File("config")}, {"XDG_DATA_HOME", home.File("data")}};
  }
  SettingsStore Store() const { return SettingsStore(home.File("config") + "/Quorin/Quorin Lorvexandrin"); }

  test::TempDir home{"lx-cli-home"};
  test::TempDir photos{"lx-cli-photos"};
};

TEST_F(ListCli, PrintsOneRowPerMatchingFileAndLogsTheRead) {
  auto r = RunCli(
      {"list", "--mask", "%Y%m%d_%H%M%S", "--suffix", "-%02d", "--no-suffix-original", "--save", photos.Path()}, Env());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto rows = Lines(r.out);
  ASSERT_EQ(rows.size(), 4u) << r.out;
  EXPECT_EQ(rows[0], "IMG_1.JPG\t20210605_140309.JPG\t" + Split(rows[0], '\t')[2] +
                         "\t05-06-2021 14-03-09\tDuplicate Root File Name");
  EXPECT_EQ(Split(rows[1], '\t')[1], "20210605_140309-01.JPG");
  EXPECT_EQ(Split(rows[1], '\t')[4], "Duplicate File Name");
  EXPECT_EQ(Split(rows[2], '\t')[0], "scan.jpg");
  EXPECT_EQ(Split(rows[2], '\t')[3], "Exif Date Not Available");
  EXPECT_EQ(Split(rows[3], '\t')[0], "x.jpg");

  auto log = Lines(r.err);
  ASSERT_GE(log.size(), 3u);
  EXPECT_NE(log.front().find(": Reading Directory '" + photos.Slash() + "' with Selection Mask '*.jpg' ..."),
            std::string::npos);
  EXPECT_NE(r.err.find(": 1 Duplicate File Name found for File 20210605_140309.JPG "), std::string::npos);
  EXPECT_NE(log.back().find(": 4 Files Found in "), std::string::npos) << log.back();

  SettingsStore store = Store();
  EXPECT_EQ(store.GetText("RenamingMask"), "%Y%m%d_%H%M%S");
  EXPECT_EQ(store.GetText("DuplicateSuffix"), "-%02d");
  EXPECT_EQ(store.GetNumber("DuplicateFiles"), 0u);
  EXPECT_EQ(store.GetText("SourcePath"), photos.Slash());
}

TEST_F(ListCli, FilterIsStoredAndSortHeaderAndAnswersApply) {
  auto r = RunCli({"list", "--filter", "*.txt;*.JPG", "--case-sensitive", "--mask", "%K_%KI", "--keyword", "Sea",
                   "--text", "Trip", "--sort", "current:desc", "--header", "--save", photos.Path()},
                  Env());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto rows = Lines(r.out);
  ASSERT_EQ(rows.size(), 4u) << r.out;
  EXPECT_EQ(rows[0], "Current File Name\tRenamed File Name\tFile Date & Time\tExif Date & Time\tComments");
  EXPECT_EQ(Split(rows[1], '\t')[0], "notes.txt");
  EXPECT_EQ(Split(rows[1], '\t')[1], "Sea_Trip.txt");
  EXPECT_EQ(Split(rows[3], '\t')[0], "IMG_1.JPG");
  EXPECT_EQ(Store().GetText("SelectionMask"), "*.txt;*.JPG");

  // The stored filter and mask apply when no option is given.
  auto again = RunCli({"list", "--text", "Trip", "--keyword", "Sea", photos.Path()}, Env());
  // Case-sensitivity is not stored: *.JPG matches every JPEG again.
  EXPECT_EQ(Lines(again.out).size(), 5u) << again.out;
}

TEST_F(ListCli, DatabaseKeywordsComeFromTheKeywordTable) {
  auto r = RunCli({"list", "--mask", "%K1_%KA1_%K999_%F", photos.Path()}, Env());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Split(Lines(r.out)[0], '\t')[1], "Quorin Lorvexandrin_Quorin LX_Undefined_IMG_1.JPG");
}

TEST_F(ListCli, RefusedInputChangesNothing) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"list", "--mask", "abc%L", photos.Path()},
       1,
       "Unfinished Left File Mask Found: %L ... Unable to Apply Renaming Mask !!!"},
      {{"list", "--suffix", "-%05d", photos.Path()}, 1, "Invalid Suffix Mask !!! Please Contact Quorin ..."},
      {{"list", home.File("missing")}, 1, "missing"},
      {{"list", "--type", "copy", photos.Path()}, 2, "--type"},
      {{"list", "--sort", "size", photos.Path()}, 2, "--sort"},
      {{"list"}, 2, "DIR"},
  };
  for (const auto& c : cases) {
    auto r = RunCli(c.args, Env());
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back() << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << c.args[1];
  }
  SettingsStore store = Store();
  EXPECT_FALSE(store.FindText("RenamingMask").has_value());
  EXPECT_FALSE(store.FindText("DuplicateSuffix").has_value());

  // A question without an answer stops the command.
  auto unanswered = RunCli({"list", "--mask", "%K", photos.Path()}, Env());
  EXPECT_EQ(unanswered.exitCode, 1);
  EXPECT_NE(unanswered.err.find("--keyword"), std::string::npos) << unanswered.err;
  EXPECT_EQ(unanswered.out, "");
}

}  // namespace
}  // namespace lx
