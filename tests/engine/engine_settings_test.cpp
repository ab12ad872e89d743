#include <gtest/gtest.h>

#include "base/log.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

class EngineSettings : public ::testing::Test {
 protected:
  test::TempDir config{"lx-engine"};
  SettingsStore store{config.Path()};
  CapturingLogSink log;
  ScopedLogSink attached{log};
};

TEST_F(EngineSettings, AFirstRunHasTheDefaults) {
  CLorvexandrinEngine engine(store);
  engine.LoadEngineSettings();
  EXPECT_EQ(engine.dbPath, "Undefined");
  EXPECT_EQ(engine.renameType, 0);
  EXPECT_EQ(engine.pictureCounter, 0);
  EXPECT_EQ(engine.sourcePath, HomeFolder());
  EXPECT_EQ(engine.renamePath, HomeFolder());
  EXPECT_EQ(engine.suffixMask, "-%03d");
  EXPECT_TRUE(engine.showRenameOutline);
  EXPECT_EQ(engine.Filter().Text(), "*.jpg");
  EXPECT_TRUE(log.Contains("Default Files Selection Filter: *.jpg"));
  // Applying the filter writes it back, as at every start.
  EXPECT_EQ(store.FindText("SelectionMask").value_or("missing"), "*.jpg");
}

TEST_F(EngineSettings, SourcePathGetsItsTrailingSlashWhenTheFolderExists) {
  test::TempDir photos;
  store.SetText("SourcePath", photos.Path());
  store.SetText("RenamePath", "/somewhere/else");
  store.SetNumber("RenameType", 3);
  store.SetNumber("PictureCounter", 70000);
  CLorvexandrinEngine engine(store);
  engine.LoadEngineSettings();
  EXPECT_EQ(engine.sourcePath, photos.Path() + "/");
  EXPECT_EQ(engine.renamePath, "/somewhere/else");  // kept as stored
  EXPECT_EQ(engine.renameType, 3);
  EXPECT_EQ(engine.pictureCounter, 70000);
}

TEST_F(EngineSettings, AVanishedSourceFolderGivesHomeForBothPaths) {
  store.SetText("SourcePath", config.Path() + "/gone");
  store.SetText("RenamePath", config.Path() + "/gone/Backup");
  CLorvexandrinEngine engine(store);
  engine.LoadEngineSettings();
  EXPECT_EQ(engine.sourcePath, HomeFolder());
  EXPECT_EQ(engine.renamePath, HomeFolder());
  // Only in memory: the stored values stay for when the folder comes back.
  EXPECT_EQ(*store.FindText("SourcePath"), config.Path() + "/gone");
}

TEST_F(EngineSettings, AnEmptyStoredFilterFallsBackAndIsWrittenBack) {
  store.SetText("SelectionMask", "");
  CLorvexandrinEngine engine(store);
  engine.LoadEngineSettings(false);
  EXPECT_EQ(engine.Filter().Text(), "*.jpg");
  EXPECT_EQ(*store.FindText("SelectionMask"), "*.jpg");
  EXPECT_FALSE(log.Contains("Default Files Selection Filter"));
}

TEST_F(EngineSettings, FilterChangesAreStoredAndCaseFlagIsNot) {
  CLorvexandrinEngine engine(store);
  engine.LoadEngineSettings(false);
  EXPECT_EQ(engine.SetSelectionFilter("*.jpg;*.png"), 2);
  engine.SetSelectionCaseSensitive(true);
  EXPECT_TRUE(engine.MatchSelectionFilter("/a/b.png"));
  EXPECT_FALSE(engine.MatchSelectionFilter("/a/b.PNG"));
  EXPECT_EQ(*store.FindText("SelectionMask"), "*.jpg;*.png");

  CLorvexandrinEngine next(store);
  next.LoadEngineSettings(false);
  EXPECT_FALSE(next.Filter().CaseSensitive());
  EXPECT_TRUE(next.MatchSelectionFilter("/a/b.PNG"));
}

}  // namespace
}  // namespace lx
