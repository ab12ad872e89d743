// Options of list and rename hold for their run only: the settings file the
// desktop program shares stays byte for byte as it was, unless --save stores
// them as the desktop program would.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "photo_factory.h"
#include "platform/file_ops.h"
#include "platform/text.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

class CliRunOptions : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WritePhotoTakenAt(photos.File("a.jpg"), "2021:06:05 14:03:09");
    test::WritePhotoTakenAt(photos.File("b.jpg"), "2021:06:06 10:00:00");
    test::WriteFile(photos.File("notes.txt"), "x");
  }
  test::CliResult Run(const std::vector<std::string>& args) { return test::RunCli(args, env); }
  std::string File() const { return home.File("config/Quorin/Quorin Lorvexandrin/Parameters.conf"); }
  SettingsStore Store() const { return SettingsStore(home.File("config/Quorin/Quorin Lorvexandrin")); }

  test::TempDir home{"lx-cli-run-options"};
  test::TempDir photos{"lx-cli-run-options-photos"};
  std::map<std::string, std::string> env{{"XDG_CONFIG_HOME", home.File("config")},
                                         {"XDG_DATA_HOME", home.File("data")}};
};

TEST_F(CliRunOptions, WithoutSaveTheSettingsFileIsUnchanged) {
  // No settings file yet: a list does not make one.
  ASSERT_EQ(Run({"list", "--filter", "*.*", photos.Path()}).exitCode, 0);
  EXPECT_FALSE(PathExists(File()));

  ASSERT_EQ(Run({"settings", "set", "ShowRenameOutline", "0"}).exitCode, 0);
  // A rename stores the picture counter, which is the run's state, not an option.
  ASSERT_EQ(Run({"counter", "set", "5"}).exitCode, 0);
  const std::string before = test::ReadFile(File());
  const std::vector<std::vector<std::string>> runs = {
      {"list", "--filter", "*.*", "--mask", "%Y", "--suffix", "-%02d", "--no-suffix-original", "--type", "backup",
       "--time-change", "all", photos.Path()},
      {"rename", "--filter", "*.txt", "--mask", "n%F", "--yes", "--rename-path", photos.File("Backup"), "--type",
       "backup", photos.Path()},
  };
  for (const auto& args : runs) {
    auto r = Run(args);
    ASSERT_EQ(r.exitCode, 0) << args[0] << r.err;
    EXPECT_EQ(test::ReadFile(File()), before) << args[0];
  }
  // The options did apply to the runs.
  EXPECT_TRUE(PathExists(photos.File("nnotes.txt")));
  EXPECT_TRUE(PathExists(photos.File("Backup/notes.txt")));

  // The next run without options sees the stored values, not the last run's.
  auto plain = Run({"list", photos.Path()});
  EXPECT_EQ(test::Lines(plain.out).size(), 2u) << plain.out;  // *.jpg again
}

TEST_F(CliRunOptions, SaveStoresTheOptionsAsTheDesktopProgramDoes) {
  auto r = Run({"list", "--save", "--filter", "*.*", "--mask", "%Y", "--suffix", "-%02d", "--no-suffix-original",
                "--type", "backup", "--time-change", "all", photos.Path()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  SettingsStore store = Store();
  EXPECT_EQ(store.GetText(setting::kSelectionMask), "*.*");
  EXPECT_EQ(store.GetText(setting::kRenamingMask), "%Y");
  EXPECT_EQ(store.GetText(setting::kDuplicateSuffix), "-%02d");
  EXPECT_EQ(store.GetNumber(setting::kDuplicateFiles), 0u);
  EXPECT_EQ(store.GetNumber(setting::kRenameType), 1u);
  EXPECT_EQ(store.GetNumber(setting::kFileTimeChange), 3u);
  EXPECT_EQ(store.GetText(setting::kSourcePath), photos.Slash());
  EXPECT_EQ(test::Lines(Run({"list", photos.Path()}).out).size(), 3u);  // the stored filter applies
}

TEST_F(CliRunOptions, TheCounterOfARenameIsStoredWithoutSave) {
  Store().SetNumber(setting::kPictureCounter, 7);
  auto r = Run({"rename", "--mask", "P%C3", photos.Path()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(PathExists(photos.File("P008.jpg")));
  EXPECT_EQ(Store().GetNumber(setting::kPictureCounter), 9u);  // no number is given twice
  EXPECT_FALSE(Store().FindText(setting::kRenamingMask).has_value());
}

}  // namespace
}  // namespace lx
