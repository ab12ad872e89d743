// Values kept in memory by a settings store: read back by the process that
// wrote them (and its copies of the store), never written to the file.
#include <gtest/gtest.h>

#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

TEST(SettingsMemory, KeptNamesStayInTheProcessOthersReachTheFile) {
  test::TempDir root{"lx-settings-memory"};
  SettingsStore store{root.Path()};
  store.SetText(setting::kSelectionMask, "*.png");
  const std::string before = test::ReadFile(store.KeyFilePath(kSettingsKey));

  store.KeepInMemory({setting::kSelectionMask.name, setting::kRenameType.name});
  EXPECT_EQ(store.GetText(setting::kSelectionMask), "*.png");  // the file's value until written
  EXPECT_EQ(store.SetText(setting::kSelectionMask, "*.*"), kRegSuccess);
  EXPECT_EQ(store.SetNumber(setting::kRenameType, 2), kRegSuccess);
  EXPECT_EQ(store.GetText(setting::kSelectionMask), "*.*");
  EXPECT_EQ(store.GetNumber(setting::kRenameType), 2u);
  SettingsStore copy = store;
  EXPECT_EQ(copy.GetNumber(setting::kRenameType), 2u);
  EXPECT_EQ(test::ReadFile(store.KeyFilePath(kSettingsKey)), before);

  // A name not kept is written as always, and a fresh store sees the file alone.
  store.SetNumber(setting::kPictureCounter, 9);
  SettingsStore other{root.Path()};
  EXPECT_EQ(other.GetNumber(setting::kPictureCounter), 9u);
  EXPECT_EQ(other.GetText(setting::kSelectionMask), "*.png");
  EXPECT_EQ(other.GetNumber(setting::kRenameType), 0u);
}

}  // namespace
}  // namespace lx
