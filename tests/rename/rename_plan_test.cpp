// The order of a run's renames (chains, cycles) and a run that cannot store
// its picture counter, in process on real folders.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "base/log.h"
#include "engine/engine.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "platform/file_ops.h"
#include "rename/rename_list.h"
#include "rename/rename_plan.h"
#include "rename/rename_run.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The plan as text: "b" renames row b, "^a" parks row a.
std::string PlanText(const std::vector<PlannedRename>& renames) {
  std::string out;
  for (const PlanStep& step : OrderRenames(renames)) {
    if (!out.empty()) out += ' ';
    if (step.park) out += '^';
    out += renames[static_cast<size_t>(step.index)].from;
  }
  return out;
}

TEST(OrderRenames, FreesEachNameBeforeItIsTaken) {
  struct Case {
    std::vector<PlannedRename> renames;
    std::string plan;
  } cases[] = {
      {{{"a", "x"}, {"b", "y"}}, "a b"},                   // independent: list order
      {{{"1", "2"}, {"2", "3"}, {"3", "4"}}, "3 2 1"},     // a chain goes from its end
      {{{"a", "b"}, {"b", "a"}}, "^a b a"},                // a cycle goes through a parking name
      {{{"a", "b"}, {"b", "c"}, {"c", "a"}}, "^a c b a"},  // a longer cycle
      {{{"a", "a"}, {"b", "a"}}, "a b"},                   // a name kept is not freed
  };
  for (const auto& c : cases) EXPECT_EQ(PlanText(c.renames), c.plan);
}

class InProcessRun : public ::testing::Test {
 protected:
  TempDir config{"lx-plan"};
  TempDir photos{"lx-plan-photos"};
  SettingsStore settings{config.Path()};
  std::unique_ptr<CLorvexandrinEngine> engine;
  NoKeywordSource keywords;
  test::ScriptedPrompts prompts;
  CMaskData mask;
  std::unique_ptr<RenameListModel> list;

  void Start(const std::string& maskText) {
    settings.SetNumber("ShowRenameOutline", 0);
    engine = std::make_unique<CLorvexandrinEngine>(settings);
    engine->LoadEngineSettings(false);
    engine->sourceKind = SourceKind::Folder;
    engine->sourcePath = photos.Slash();
    engine->renamePath = photos.Slash();
    engine->renameType = SimpleRename;
    list = std::make_unique<RenameListModel>(*engine, prompts, keywords, mask);
    list->SetMaskText(maskText);
    ASSERT_TRUE(list->RefreshList(RunList));
  }
};

TEST_F(InProcessRun, ACycleOfRenamesGoesThroughAParkingName) {
  WriteFile(photos.File("1.jpg"), "one");
  WriteFile(photos.File("2.jpg"), "two");
  settings.SetNumber("PictureCounter", 0);
  Start("%C1");
  // Sorted the other way, 2.jpg takes counter 1 and 1.jpg counter 2: 2 -> 1, 1 -> 2.
  list->SortRows(ColumnCurrentName, false);
  ASSERT_TRUE(list->RefreshList(RunRenameAll));
  EXPECT_EQ(LastRenameRun().renamedCount, 2);
  EXPECT_EQ(LastRenameRun().failedCount, 0);
  EXPECT_EQ(ReadFile(photos.File("1.jpg")), "two");
  EXPECT_EQ(ReadFile(photos.File("2.jpg")), "one");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(photos.Path()), {}), 2);
}

TEST_F(InProcessRun, ACounterThatCannotBeStoredStopsTheRunBeforeTheNextFile) {
  WriteFile(photos.File("a.jpg"), "a");
  WriteFile(photos.File("b.jpg"), "b");
  settings.SetNumber("PictureCounter", 10);
  Start("P%C3");
  // The settings file can no longer be replaced (as on a full file system):
  // the temporary file this process writes is taken by a folder.
  const std::string blocker = settings.KeyFilePath(kSettingsKey) + ".tmp-" + std::to_string(::getpid());
  std::filesystem::create_directory(blocker);
  CapturingLogSink log;
  ScopedLogSink attached(log);
  list->RefreshList(RunRenameAll);
  std::filesystem::remove(blocker);
  EXPECT_TRUE(LastRenameRun().stopped);
  EXPECT_EQ(LastRenameRun().renamedCount, 0);
  EXPECT_EQ(LastRenameRun().failedCount, 1);
  EXPECT_TRUE(PathExists(photos.File("a.jpg")));
  EXPECT_TRUE(PathExists(photos.File("b.jpg")));
  EXPECT_TRUE(log.Contains("Unable to Store the Picture Counter 11 in"));
  ASSERT_FALSE(prompts.messages.empty());
  EXPECT_NE(prompts.messages.back().find("Renaming Stopped"), std::string::npos);
  EXPECT_EQ(settings.GetNumber("PictureCounter"), 10u);
}

}  // namespace
}  // namespace lx
