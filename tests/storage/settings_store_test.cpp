#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "base/log.h"
#include "storage/settings_catalogue.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  test::TempDir root{"lx-settings"};
  SettingsStore store{root.Path()};
  std::string File() const { return store.KeyFilePath(kSettingsKey); }
};

TEST_F(SettingsStoreTest, LivesUnderTheUsersConfigFolder) {
  test::ScopedEnv env("XDG_CONFIG_HOME", "/tmp/xdg-test");
  EXPECT_EQ(SettingsStore::ForCurrentUser().KeyFilePath(kSettingsKey),
            "/tmp/xdg-test/Quorin/Quorin Lorvexandrin/Parameters.conf");
}

TEST_F(SettingsStoreTest, MissingValuesTakeTheirDefaultsWithoutWritingThem) {
  EXPECT_EQ(store.GetText("LXDbPath"), "Undefined");
  EXPECT_EQ(store.GetText("RenamingMask"), "%Y-%m-%d %H-%M-%S");
  EXPECT_EQ(store.GetNumber("ThumbNailDisplayType"), 2u);
  EXPECT_EQ(store.GetNumber("SelectedTimeColor"), 0x228B22u);
  EXPECT_EQ(store.GetNumber("LXMsgBkgColour"), 0xE9DAD4u);
  std::string text;
  EXPECT_EQ(store.ReadRegString(kSettingsKey, "LXDbPath", text), kRegFileNotFound);
  EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(SettingsStoreTest, KeepsBothTypesAndAnyTextExactly) {
  const std::string odd = "line one\nline two \\ back\\slash = colon: %d\r";
  EXPECT_EQ(store.WriteRegString(kRegTypeExpandSz, kSettingsKey, "SourcePath", odd), kRegSuccess);
  store.WriteRegDword(kSettingsKey, "PictureCounter", 4294967295u);
  std::string text;
  std::uint32_t number = 0;
  EXPECT_EQ(store.ReadRegString(kSettingsKey, "SourcePath", text), kRegSuccess);
  EXPECT_EQ(text, odd);
  EXPECT_EQ(store.ReadRegDword(number, kSettingsKey, "PictureCounter"), kRegSuccess);
  EXPECT_EQ(number, 4294967295u);
  // A value of the other type counts as missing.
  EXPECT_EQ(store.ReadRegDword(number, kSettingsKey, "SourcePath"), kRegInvalidData);
  EXPECT_EQ(store.ReadRegString(kSettingsKey, "PictureCounter", text), kRegInvalidData);
  EXPECT_EQ(store.GetNumber("SourcePath"), 0u);
}

TEST_F(SettingsStoreTest, RefusesTextsLongerThan499CharactersAndKeepsTheOldValue) {
  CapturingLogSink log;
  ScopedLogSink attached(log);
  ASSERT_EQ(store.SetText("RenamingMask", "%Y"), kRegSuccess);
  EXPECT_EQ(store.SetText("RenamingMask", std::string(499, 'a')), kRegSuccess);
  EXPECT_EQ(store.SetText("RenamingMask", std::string(500, 'b')), kRegInvalidParameter);
  EXPECT_EQ(store.GetText("RenamingMask"), std::string(499, 'a'));
  EXPECT_TRUE(log.Contains("Setting 'RenamingMask' Not Written"));
}

TEST_F(SettingsStoreTest, ADamagedLineIsDroppedTheGoodOnesKeptAndACopyKeptAside) {
  const std::string content = std::string("RenameType=number:3\nthis is not a setting\nRenamingMask=text:a\\q\n") +
                              std::string("SourcePath=text:x\0y\n", 20) + "PictureCounter=number:41\n";
  test::WriteFile(File(), content);
  CapturingLogSink log;
  ScopedLogSink attached(log);
  EXPECT_EQ(store.GetNumber("RenameType"), 3u);
  EXPECT_EQ(store.GetNumber("PictureCounter"), 41u);
  EXPECT_EQ(store.GetText("RenamingMask"), "%Y-%m-%d %H-%M-%S");
  // Three bad lines, one line on the copy: the next reads find a sound file.
  ASSERT_EQ(log.Lines().size(), 4u);
  EXPECT_TRUE(log.Contains("Damaged Line 'this is not a setting' Dropped"));
  EXPECT_TRUE(log.Contains("Damaged Line 'SourcePath=text:x?y' Dropped"));
  EXPECT_TRUE(log.Contains("is Damaged: a Copy is Kept in"));
  int kept = 0;
  for (const auto& entry : std::filesystem::directory_iterator(root.Path()))
    if (entry.path().filename().string().find("Parameters.conf.damaged-") == 0) {
      ++kept;
      EXPECT_EQ(test::ReadFile(entry.path()), content);
    }
  EXPECT_EQ(kept, 1);
  EXPECT_EQ(store.SetNumber("RenameType", 2), kRegSuccess);
  EXPECT_EQ(store.GetNumber("RenameType"), 2u);
  EXPECT_EQ(store.GetNumber("PictureCounter"), 41u);
}

TEST_F(SettingsStoreTest, DamageOfManyKinds) {
  const std::string damaged[] = {"Name=number:12x\n", "Name=number:99999999999\n", "Name=float:1\n",
                                 "=text:a\n",         "Name=text:bad\\escape\n",   std::string("Name=text:a\0b\n", 14)};
  for (const std::string& content : damaged) {
    test::WriteFile(File(), content + "LXDbPath=text:/db\n");
    EXPECT_EQ(store.GetText("LXDbPath"), "/db") << content;
    EXPECT_EQ(test::ReadFile(File()).find("\nName="), std::string::npos) << content;
  }
}

TEST_F(SettingsStoreTest, TemporaryFilesOfKilledWritersAreRemovedAtTheNextWrite) {
  pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);  // a pid that no longer runs
  ASSERT_EQ(store.SetNumber("RenameType", 1), kRegSuccess);
  const std::string stale = File() + ".tmp-" + std::to_string(gone);
  const std::string running = File() + ".tmp-1";
  test::WriteFile(stale, "half");
  test::WriteFile(running, "another writer");
  EXPECT_EQ(store.SetNumber("RenameType", 2), kRegSuccess);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(running));
}

TEST_F(SettingsStoreTest, TwoProcessesWritingDifferentValuesKeepBoth) {
  constexpr int kWrites = 60;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SettingsStore own(root.Path());
    for (int i = 1; i <= kWrites; ++i) own.SetNumber("PictureCounter", static_cast<std::uint32_t>(i));
    _exit(0);
  }
  for (int i = 1; i <= kWrites; ++i) store.SetNumber("RenameType", static_cast<std::uint32_t>(i));
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(store.GetNumber("PictureCounter"), static_cast<std::uint32_t>(kWrites));
  EXPECT_EQ(store.GetNumber("RenameType"), static_cast<std::uint32_t>(kWrites));
  // No temporary file is left behind.
  for (const auto& entry : std::filesystem::directory_iterator(root.Path()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

TEST_F(SettingsStoreTest, BranchCreationAndTreeDeletion) {
  EXPECT_FALSE(store.KeyExists(kSettingsKey));
  EXPECT_EQ(store.CreateSettingsBranch(), 0);
  EXPECT_TRUE(store.KeyExists(kSettingsKey));
  EXPECT_EQ(store.CreateSettingsBranch(), 0);  // already there

  std::string sub = std::string(kWorkspaceKey) + "\\Panes\\Output";
  store.WriteRegDword(sub, "Visible", 1);
  store.WriteRegDword(kWorkspaceKey, "Flags", 7);
  EXPECT_TRUE(store.DeleteRegTree(kWorkspaceKey));
  std::uint32_t v = 0;
  EXPECT_EQ(store.ReadRegDword(v, sub, "Visible"), kRegFileNotFound);
  EXPECT_FALSE(store.DeleteRegTree(kWorkspaceKey));
  EXPECT_TRUE(store.KeyExists(kSettingsKey));  // a sibling key is untouched
}

TEST_F(SettingsStoreTest, KeyPathsCannotLeaveTheRoot) {
  EXPECT_EQ(store.KeyFilePath("..\\..\\etc\\passwd"), root.Path() + "/etc/passwd.conf");
}

TEST(SettingsCatalogue, NamesAreUniqueAndTypedDefaultsAreSound) {
  std::set<std::string> names;
  for (const auto& def : SettingsCatalogue()) {
    EXPECT_TRUE(names.insert(def.name).second) << def.name;
    if (def.type == SettingType::Text && def.hasDefault) {
      EXPECT_NE(def.textDefault, nullptr) << def.name;
    }
  }
  EXPECT_EQ(DefaultText(*FindSetting("RenamedFileColor")), "16711680");
  EXPECT_EQ(FindSetting("NoSuchValue"), nullptr);
}

}  // namespace
}  // namespace lx
