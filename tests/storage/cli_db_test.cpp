// The stored-list commands of lorvexandrin-cli, run as a child process on a
// private data and configuration folder.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "photo_factory.h"
#include "temp_dir.h"

namespace lx {
namespace {

class CliDbTest : public ::testing::Test {
 protected:
  test::CliResult Run(const std::vector<std::string>& args) {
    return test::RunCli(args, {{"XDG_DATA_HOME", data_.Path()}, {"XDG_CONFIG_HOME", config_.Path()}});
  }
  std::string DbPath() const { return data_.Path() + "/Quorin Lorvexandrin/Lorvexandrin.sq3"; }

  test::TempDir data_;
  test::TempDir config_;
};

TEST_F(CliDbTest, DefaultLocationIsCreatedAndStored) {
  auto r = Run({"db", "path"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, DbPath() + "\n");
  EXPECT_NE(r.err.find("Quorin Lorvexandrin Database Created Successfully"), std::string::npos);
  r = Run({"settings", "get", "LXDbPath"});
  EXPECT_NE(r.out.find(DbPath()), std::string::npos);

  r = Run({"db", "info"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Database Location: " + DbPath()), std::string::npos);
  EXPECT_NE(r.out.find("Number of Masks in Database Table: 4"), std::string::npos);
  EXPECT_EQ(r.out.find("\\par"), std::string::npos);
}

TEST_F(CliDbTest, KeywordsListAddModifyDelete) {
  auto r = Run({"keywords", "list", "--header"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(test::Lines(r.out),
            (std::vector<std::string>{"Keyword Id\tKeyword\tAbbr. Keyword", "1\tQuorin Lorvexandrin\tQuorin LX",
                                      "2\tEmpty Keyword\tEmpty"}));
  r = Run({"keywords", "add", "O'Brien", "O'B"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "3\tO'Brien\tO'B\n");
  EXPECT_EQ(Run({"keywords", "modify", "3", "Holiday", "Hol"}).out, "3\tHoliday\tHol\n");

  struct Refusal {
    std::vector<std::string> args;
    int exitCode;
    std::string message;
  };
  const Refusal refusals[] = {
      {{"keywords", "delete", "1"}, 1, "Keyword 1 is Protected"},
      {{"keywords", "modify", "2", "a", "b"}, 1, "Keyword 2 is Protected"},
      {{"keywords", "delete", "44"}, 1, "No Keyword with Id 44"},
      {{"keywords", "add", "", "x"}, 1, "can NOT be Empty"},
      {{"keywords", "delete", "abc"}, 2, "keyword id"},
      {{"keywords", "frobnicate"}, 2, "keywords list"},
  };
  for (const auto& f : refusals) {
    r = Run(f.args);
    EXPECT_EQ(r.exitCode, f.exitCode) << f.args[1];
    EXPECT_NE(r.err.find(f.message), std::string::npos) << r.err;
  }

  // A keyword used by a stored mask asks first; without --yes nothing changes.
  ASSERT_EQ(Run({"masks", "add", "%Y_%KA3", "abbreviation"}).exitCode, 0);
  r = Run({"keywords", "delete", "3"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Number of Mask with Abbreviated Keyword Specification: 1"), std::string::npos);
  EXPECT_NE(r.err.find("Give --yes to Confirm"), std::string::npos);
  EXPECT_EQ(test::Lines(Run({"keywords", "list"}).out).size(), 3u);
  EXPECT_EQ(Run({"keywords", "delete", "3", "--yes"}).exitCode, 0);
  EXPECT_EQ(test::Lines(Run({"keywords", "list"}).out).size(), 2u);
}

TEST_F(CliDbTest, MasksRefuseChangesToStandardMasks) {
  ASSERT_EQ(Run({"masks", "add", "%Y 'a'", "first"}).out, "5\t%Y 'a'\tfirst\n");
  ASSERT_EQ(Run({"masks", "add", "%Y b", "second"}).out, "6\t%Y b\tsecond\n");
  EXPECT_EQ(Run({"masks", "down", "5"}).exitCode, 0);
  EXPECT_EQ(Run({"masks", "update", "6", "%Y 'a' %C", "changed"}).out, "6\t%Y 'a' %C\tchanged\n");
  auto lines = test::Lines(Run({"masks", "list"}).out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], "5\t%Y b\tsecond");
  EXPECT_EQ(lines[5], "6\t%Y 'a' %C\tchanged");

  for (const auto& args : std::vector<std::vector<std::string>>{{"masks", "delete", "2"},
                                                                {"masks", "update", "4", "%Y", "x"},
                                                                {"masks", "up", "5"},
                                                                {"masks", "delete", "99"},
                                                                {"masks", "add", "%Y b", "duplicate"},
                                                                {"masks", "add", "%Q", "does not parse"},
                                                                {"masks", "add", "%Y/%m", "forbidden"}}) {
    auto r = Run(args);
    EXPECT_EQ(r.exitCode, 1) << args[1] << " " << args[2];
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_EQ(Run({"masks", "delete", "5"}).exitCode, 0);
  EXPECT_EQ(test::Lines(Run({"masks", "list"}).out).size(), 5u);
  // A deleted mask added again comes back under its old id.
  EXPECT_EQ(Run({"masks", "add", "%Y b", "back"}).out, "5\t%Y b\tback\n");
}

TEST_F(CliDbTest, TextsAndCounter) {
  ASSERT_EQ(Run({"texts", "add", "Rome 'trip'"}).exitCode, 0);
  ASSERT_EQ(Run({"texts", "add", "Rome 'trip'"}).exitCode, 0);
  auto lines = test::Lines(Run({"texts", "list"}).out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("1\tRome 'trip'\t", 0), 0u);
  EXPECT_EQ(Run({"texts", "add", "Type In Free Text Here"}).exitCode, 1);
  EXPECT_EQ(Run({"texts", "delete", "Paris"}).exitCode, 1);
  EXPECT_EQ(Run({"texts", "delete", "Rome 'trip'"}).exitCode, 0);
  EXPECT_TRUE(Run({"texts", "list"}).out.empty());

  EXPECT_EQ(Run({"counter"}).out, "0\n");
  EXPECT_EQ(Run({"counter", "set", "70000"}).exitCode, 0);
  EXPECT_EQ(Run({"counter", "get"}).out, "70000\n");
  EXPECT_EQ(Run({"counter", "set", "-1"}).exitCode, 2);
}

TEST_F(CliDbTest, NotADatabaseIsReportedAndListingGoesOn) {
  test::TempDir folder;
  test::WriteFile(folder.File("junk.sq3"), "not a database");
  ASSERT_EQ(Run({"settings", "set", "LXDbPath", folder.File("junk.sq3")}).exitCode, 0);
  auto r = Run({"keywords", "list"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("file is not a database"), std::string::npos);
  EXPECT_EQ(test::ReadFile(folder.File("junk.sq3")), "not a database");
}

TEST_F(CliDbTest, ListUsesStoredKeywords) {
  test::TempDir photos;
  test::PhotoSpec spec;
  spec.dateTimeOriginal = "2024:05:01 10:00:00";
  test::WritePhoto(photos.File("a.jpg"), spec);
  test::WritePhoto(photos.File("b.jpg"), spec);
  ASSERT_EQ(Run({"keywords", "add", "Holiday", "Hol"}).exitCode, 0);
  auto r = Run({"list", "--mask", "%K3_%C4", photos.Path()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto lines = test::Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  for (const auto& line : lines) EXPECT_NE(line.find("\tHoliday_"), std::string::npos) << line;

  ASSERT_EQ(Run({"keywords", "delete", "3"}).exitCode, 0);
  r = Run({"list", "--mask", "%K3_%C4", photos.Path()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const auto& line : test::Lines(r.out)) EXPECT_NE(line.find("\tUndefined_"), std::string::npos) << line;
}

}  // namespace
}  // namespace lx
