// The rename and delete commands of lorvexandrin-cli on real folders.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli_runner.h"
#include "photo_factory.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/times.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::Lines;
using test::TempDir;
using test::WritePhotoTakenAt;

class CliRename : public ::testing::Test {
 protected:
  TempDir config{"lx-cli-rename"};
  TempDir data{"lx-cli-rename-data"};
  TempDir photos{"lx-cli-rename-photos"};
  std::string src = photos.Slash();
  std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", config.Path()}, {"XDG_DATA_HOME", data.Path()}};

  void SetUp() override {
    WritePhotoTakenAt(src + "a.jpg", "2021:07:04 10:00:00");
    WritePhotoTakenAt(src + "b.jpg", "2021:07:05 11:00:00");
    WritePhotoTakenAt(src + "c.jpg", "2021:07:06 12:00:00");
    Run({"settings", "set", "ShowRenameOutline", "0"});
  }
  test::CliResult Run(const std::vector<std::string>& args) { return test::RunCli(args, env); }
  SettingsStore Settings() { return SettingsStore(config.Path() + "/Quorin/Quorin Lorvexandrin"); }
};

TEST_F(CliRename, RenamesTheSelectedRowsAndPrintsTheList) {
  Settings().SetNumber("PictureCounter", 41);
  auto r = Run({"rename", "--mask", "P%C3", "--select", "2,0", src});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(PathExists(src + "P042.jpg"));
  EXPECT_TRUE(PathExists(src + "b.jpg"));
  EXPECT_TRUE(PathExists(src + "P043.jpg"));
  EXPECT_EQ(Settings().GetNumber("PictureCounter"), 43u);
  auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, lines[0].find('\t')), "P042.jpg");
  EXPECT_EQ(lines[1].substr(0, lines[1].find('\t')), "b.jpg");
  EXPECT_NE(r.err.find("2 Files Renamed (out of 3 Files ) in "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("File '" + src + "c.jpg' Renamed as '" + src + "P043.jpg' with Counter 43 "), std::string::npos);
}

TEST_F(CliRename, RenamesAllRowsAndSetsFileTimes) {
  auto r = Run({"rename", "--mask", "%Y-%m-%d", "--time-change", "modification", src});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  FileTimes times;
  ASSERT_EQ(ReadFileTimes(src + "2021-07-05.jpg", times), 0);
  EXPECT_EQ(times.modification, MakeLocalTime(2021, 7, 5, 11, 0, 0).value());
  EXPECT_NE(r.err.find("3 Files Renamed (out of 3 Files ) in "), std::string::npos);
}

TEST_F(CliRename, TargetFolderCreationNeedsAnAnswer) {
  const std::string target = photos.Slash() + "Out/Deep/";
  auto refused = Run({"rename", "--mask", "%Y", "--type", "target", "--rename-path", target, src});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("Give --yes to Confirm"), std::string::npos) << refused.err;
  EXPECT_FALSE(FolderExists(photos.Slash() + "Out"));
  EXPECT_EQ(refused.err.find("Starting File Renaming"), std::string::npos);

  auto done = Run({"rename", "--mask", "%Y-%m-%d", "--type", "target", "--rename-path", target, "--yes", src});
  ASSERT_EQ(done.exitCode, 0) << done.err;
  EXPECT_TRUE(PathExists(target + "2021-07-04.jpg"));
  EXPECT_TRUE(PathExists(src + "a.jpg"));
}

TEST_F(CliRename, TargetRenameDeleteIntoTheSourceFolderIsRefused) {
  auto r = Run({"rename", "--mask", "%Y", "--type", "target-delete", "--rename-path", src, "--yes", src});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Source Path and Target Path are the same !!! Target Renaming with Delete is NOT possible ..."),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(PathExists(src + "a.jpg"));
}

TEST_F(CliRename, DeleteAsksFirst) {
  auto usage = Run({"delete", src});
  EXPECT_EQ(usage.exitCode, 2);
  auto outOfRange = Run({"delete", "--select", "7", "--yes", src});
  EXPECT_EQ(outOfRange.exitCode, 1);

  auto refused = Run({"delete", "--select", "0,2", src});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("Request to Delete 2 Files"), std::string::npos) << refused.err;
  EXPECT_TRUE(PathExists(src + "a.jpg"));

  auto done = Run({"delete", "--select", "0,2", "--yes", src});
  ASSERT_EQ(done.exitCode, 0) << done.err;
  EXPECT_FALSE(PathExists(src + "a.jpg"));
  EXPECT_TRUE(PathExists(src + "b.jpg"));
  EXPECT_FALSE(PathExists(src + "c.jpg"));
  EXPECT_LT(done.err.find("Request to Delete File " + src + "c.jpg "),
            done.err.find("Request to Delete File " + src + "a.jpg "));
}

TEST_F(CliRename, HistoryUndoAndRecoverTakeARunBackOnce) {
  TempDir state{"lx-cli-rename-state"};
  env["XDG_STATE_HOME"] = state.Path();
  ASSERT_EQ(Run({"rename", "--mask", "P%C3", src}).exitCode, 0);
  auto history = Lines(Run({"history"}).out);
  ASSERT_EQ(history.size(), 1u);
  EXPECT_NE(history[0].find("\tsimple\t" + src + "\t3\tdone"), std::string::npos) << history[0];

  auto r = Run({"undo"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) EXPECT_TRUE(PathExists(src + name)) << name;
  EXPECT_NE(r.err.find("File '" + src + "P001.jpg' Renamed Back as '" + src + "a.jpg'"), std::string::npos) << r.err;
  r = Run({"undo"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("was Already Undone ... Nothing Done"), std::string::npos) << r.err;
  EXPECT_NE(Run({"history"}).out.find("\tundone\n"), std::string::npos);
  // The counter is not set back: the next run goes on from 4.
  EXPECT_EQ(Settings().GetNumber("PictureCounter"), 3u);

  // A file renamed since by someone else is left alone: exit 3, the others come back.
  ASSERT_EQ(Run({"rename", "--mask", "Q%C3", src}).exitCode, 0);
  ASSERT_EQ(RenameNoReplace(src + "Q005.jpg", src + "mine.jpg"), 0);
  r = Run({"undo"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_TRUE(PathExists(src + "mine.jpg"));
  EXPECT_TRUE(PathExists(src + "a.jpg"));
  EXPECT_TRUE(PathExists(src + "c.jpg"));

  EXPECT_EQ(Run({"undo", "no-such-run"}).exitCode, 1);
  r = Run({"recover"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("No Interrupted Rename Run to Recover"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace lx
