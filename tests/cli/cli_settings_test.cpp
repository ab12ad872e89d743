#include <gtest/gtest.h>

#include "cli_runner.h"
#include "storage/settings_catalogue.h"
#include "temp_dir.h"

namespace lx {
namespace {

class CliSettings : public ::testing::Test {
 protected:
  test::TempDir config{"lx-cli-settings"};
  std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", config.Path()}};
  std::string File() const { return config.Path() + "/Quorin/Quorin Lorvexandrin/Parameters.conf"; }
  test::CliResult Run(const std::vector<std::string>& args) { return test::RunCli(args, env); }
};

TEST_F(CliSettings, ListShowsEveryValueWithItsDefault) {
  auto r = Run({"settings", "list"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto lines = test::Lines(r.out);
  ASSERT_EQ(lines.size(), SettingsCatalogue().size());
  EXPECT_EQ(lines[0], "LXDbPath\tUndefined");
  EXPECT_EQ(lines[1], "RenameType\t0");
  EXPECT_NE(r.out.find("SelectionMask\t*.jpg\n"), std::string::npos);
  EXPECT_NE(r.out.find("RenamingMask\t%Y-%m-%d %H-%M-%S\n"), std::string::npos);
  EXPECT_NE(r.out.find("DuplicateSuffix\t-%03d\n"), std::string::npos);
  EXPECT_NE(r.out.find("ThumbNailDisplayType\t2\n"), std::string::npos);
  EXPECT_NE(r.out.find("ShowToolTips\t1\n"), std::string::npos);

  auto withHeader = Run({"settings", "list", "--header"});
  EXPECT_EQ(test::Lines(withHeader.out)[0], "Name\tValue");
}

TEST_F(CliSettings, ASetValueIsReadBackByANewProcess) {
  EXPECT_EQ(Run({"settings", "set", "RenameType", "3"}).exitCode, 0);
  auto r = Run({"settings", "get", "RenameType"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "3\n");
  EXPECT_EQ(Run({"settings", "set", "DuplicateSuffix", "-%03d"}).exitCode, 0);  // a text starting with "-"
  EXPECT_EQ(Run({"settings", "get", "DuplicateSuffix"}).out, "-%03d\n");
  EXPECT_EQ(Run({"settings", "set", "ListedFileColor", "0x0000FF"}).exitCode, 0);
  EXPECT_EQ(Run({"settings", "get", "ListedFileColor"}).out, "255\n");
}

TEST_F(CliSettings, AGarbageFileGivesDefaultsALogLineAndSuccess) {
  test::WriteFile(File(), "\x01\x02 garbage ]]]\n");
  auto r = Run({"settings", "get", "RenameType"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "0\n");
  EXPECT_NE(r.err.find("is Damaged: a Copy is Kept in"), std::string::npos) << r.err;
}

TEST_F(CliSettings, SourcePathFollowsTheFolderOnDisk) {
  test::TempDir photos;
  EXPECT_EQ(Run({"settings", "set", "SourcePath", photos.Path()}).exitCode, 0);
  EXPECT_EQ(Run({"settings", "get", "SourcePath"}).out, photos.Path() + "/\n");

  EXPECT_EQ(Run({"settings", "set", "SourcePath", config.Path() + "/gone"}).exitCode, 0);
  EXPECT_EQ(Run({"settings", "set", "RenamePath", config.Path() + "/gone/Backup"}).exitCode, 0);
  std::string home = std::string(getenv("HOME")) + "/\n";
  EXPECT_EQ(Run({"settings", "get", "SourcePath"}).out, home);
  EXPECT_EQ(Run({"settings", "get", "RenamePath"}).out, home);
}

TEST_F(CliSettings, BadInputIsRefusedAndChangesNothing) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
  } cases[] = {
      {{"settings", "get", "NoSuchValue"}, 1},
      {{"settings", "set", "RenameType", "three"}, 1},
      {{"settings", "set", "RenameType", "-1"}, 1},
      {{"settings", "set", "RenameType", "4294967296"}, 1},
      {{"settings", "set", "RenameType", "7"}, 1},
      {{"settings", "set", "FileTimeChange", "99"}, 1},
      {{"settings", "set", "PictureCounter", "3000000000"}, 1},
      {{"settings", "set", "ListedFileColor", "0x1000000"}, 1},
      {{"settings", "set", "DuplicateSuffix", "-%05d"}, 1},
      {{"settings", "set", "SuffixMask", "%s"}, 1},
      {{"settings", "set", "RenamingMask", std::string(500, 'x')}, 1},
      {{"settings"}, 2},
      {{"settings", "remove", "RenameType"}, 2},
      {{"settings", "set", "RenameType"}, 2},
      {{"settings", "list", "--bogus"}, 2},
      {{"no-such-command"}, 2},
  };
  for (const auto& c : cases) {
    auto r = Run(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back();
    EXPECT_FALSE(r.err.empty()) << c.args.back();
  }
  EXPECT_EQ(Run({"settings", "get", "RenameType"}).out, "0\n");
  EXPECT_EQ(Run({"settings", "get", "RenamingMask"}).out, "%Y-%m-%d %H-%M-%S\n");
  EXPECT_EQ(Run({"settings", "get", "PictureCounter"}).out, "0\n");
  EXPECT_EQ(Run({"settings", "get", "DuplicateSuffix"}).out, "-%03d\n");
  // The ends of each range are accepted.
  EXPECT_EQ(Run({"settings", "set", "RenameType", "3"}).exitCode, 0);
  EXPECT_EQ(Run({"settings", "set", "PictureCounter", "2147483646"}).exitCode, 0);
}

TEST_F(CliSettings, StoredMaskFixesAreApplied) {
  Run({"settings", "set", "RenamingMask", "%d-%b-%Y-%H-%H-%S"});
  EXPECT_EQ(Run({"settings", "get", "RenamingMask"}).out, "%d-%b-%Y-%H-%M-%S\n");
  Run({"settings", "set", "RenamingMask", "Undefined"});
  EXPECT_EQ(Run({"settings", "get", "RenamingMask"}).out, "%Y-%m-%d %H-%M-%S\n");
}

TEST(Cli, HelpAndVersionAnswerWithoutTouchingSettings) {
  auto help = test::RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: lorvexandrin-cli"), std::string::npos);
  auto version = test::RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("lorvexandrin-cli 4.1", 0), 0u) << version.out;
  EXPECT_EQ(test::RunCli({}).exitCode, 2);
}

}  // namespace
}  // namespace lx
