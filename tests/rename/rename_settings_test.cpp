// The rules of the rename view's option dialogs: the filter field's refused
// characters, what OK of each dialog stores (and what it must not), the
// file-time mode held for the running program, and the duplicate sample.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "rename/rename_list.h"
#include "rename/rename_settings.h"
#include "scripted_prompts.h"
#include "storage/settings_store.h"
#include "temp_dir.h"

namespace lx {
namespace {

class RenameSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.LoadEngineSettings(false);
    list.LoadViewSettings();
  }

  test::TempDir config{"lx-options-config"};
  SettingsStore store{config.Path()};
  CLorvexandrinEngine engine{store};
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  CMaskData mask;
  RenameListModel list{engine, prompts, keywords, mask};
};

TEST_F(RenameSettings, FilterFieldKeepsWildcardsAndSeparatorsAndRemovesTheRest) {
  struct Case {
    std::string typed, kept;
    bool clean;
  };
  const Case cases[] = {
      {"*.jpg; *.CR2", "*.jpg; *.CR2", true},
      {"*.j/pg", "*.jpg", false},
      {"a\\b:c?d\"e<f>g|h*;", "abcdefgh*;", false},
  };
  for (const Case& c : cases) {
    std::string text = c.typed;
    const size_t messagesBefore = prompts.messages.size();
    EXPECT_EQ(CleanSelectionFilter(text, &prompts), c.clean) << c.typed;
    EXPECT_EQ(text, c.kept);
    EXPECT_EQ(prompts.messages.size(), messagesBefore + (c.clean ? 0 : 1));
  }
  EXPECT_EQ(prompts.messages.back(),
            "The following characters are not allowed in Selection Filter: \\/:?\"<>| \n\nInvalid character(s) will be "
            "removed now ....");
}

TEST_F(RenameSettings, ReadyFiltersMatchTheirFilesAndNoOthers) {
  const auto& filters = ReadySelectionFilters();
  ASSERT_EQ(filters.size(), 4u);
  EXPECT_EQ(filters[0].filter, "*.jpg");
  auto matches = [](const std::string& filter, const std::string& name) {
    SelectionFilter f;
    f.SetText(filter, false);
    return f.Matches(name);
  };
  EXPECT_TRUE(matches(filters[1].filter, "IMG_1.HEIC"));
  EXPECT_TRUE(matches(filters[1].filter, "IMG_1.cr3"));
  EXPECT_FALSE(matches(filters[1].filter, "clip.MOV"));
  EXPECT_TRUE(matches(filters[2].filter, "clip.MOV"));
  EXPECT_TRUE(matches(filters[2].filter, "a.jpeg"));
  EXPECT_TRUE(matches(filters[3].filter, "DSC_1.NEF"));
  EXPECT_FALSE(matches(filters[3].filter, "DSC_1.JPG"));
}

TEST_F(RenameSettings, OkStoresTheListedValuesButNotTheThumbnailModeNorTheRotation) {
  RenameSettingsChoice choice = CurrentRenameSettings(engine, list, 2, true);
  EXPECT_EQ(choice.filterText, "*.jpg");
  EXPECT_EQ(choice.suffixMask, "-%03d");
  choice.filterText = "*.jpg; *.png";
  choice.caseSensitive = true;
  choice.renameType = BackupRename;
  choice.suffixMask = " (%d)";
  choice.suffixIncludesRoot = false;
  choice.showRenameOutline = false;
  choice.thumbnailMode = 0;
  choice.filePathDisplayType = 1;
  choice.autoRotate = false;
  list.ReReadFolder = false;
  ApplyRenameSettings(engine, list, choice, &prompts);

  EXPECT_EQ(store.FindText(setting::kSelectionMask), "*.jpg; *.png");
  EXPECT_EQ(store.FindNumber(setting::kRenameType), 1u);
  EXPECT_EQ(store.FindText(setting::kDuplicateSuffix), " (%d)");
  EXPECT_EQ(store.FindNumber(setting::kDuplicateFiles), 0u);
  EXPECT_EQ(store.FindNumber(setting::kShowRenameOutline), 0u);
  EXPECT_EQ(store.FindNumber(setting::kFilePathDisplayType), 1u);
  EXPECT_FALSE(store.FindNumber(setting::kThumbNailDisplayType).has_value());
  EXPECT_TRUE(engine.Filter().CaseSensitive());
  EXPECT_FALSE(engine.MatchSelectionFilter("A.JPG"));
  EXPECT_EQ(engine.renameType, BackupRename);
  EXPECT_EQ(engine.suffixMask, " (%d)");
  EXPECT_FALSE(list.suffixIncludesRoot);
  EXPECT_FALSE(engine.showRenameOutline);
  EXPECT_EQ(list.filePathDisplayType, 1);
  EXPECT_TRUE(list.ReReadFolder);
}

TEST_F(RenameSettings, AnUnknownSuffixMaskIsRefusedAndNothingOfItStored) {
  EXPECT_FALSE(ApplyDuplicateHandling(engine, list, "-%05d", false, &prompts));
  EXPECT_EQ(prompts.messages.back(), "Invalid Suffix Mask !!! Please Contact Quorin ...");
  EXPECT_EQ(engine.suffixMask, "-%03d");
  EXPECT_FALSE(store.FindText(setting::kDuplicateSuffix).has_value());
  EXPECT_FALSE(store.FindNumber(setting::kDuplicateFiles).has_value());

  EXPECT_TRUE(ApplyDuplicateHandling(engine, list, "%02d", false, &prompts));
  EXPECT_EQ(store.FindText(setting::kDuplicateSuffix), "%02d");
  EXPECT_EQ(store.FindNumber(setting::kDuplicateFiles), 0u);
  ToggleSuffixIncludesRoot(engine, list);
  EXPECT_TRUE(list.suffixIncludesRoot);
  EXPECT_EQ(store.FindNumber(setting::kDuplicateFiles), 1u);
}

TEST_F(RenameSettings, FileTimeModeFromTheDialogLastsOnlyWhileTheCommandsAreStored) {
  store.SetNumber(setting::kFileTimeChange, 2);
  EXPECT_EQ(CurrentFileTimeChange(engine, list), 2);
  ChooseFileTimeChange(engine, list, 3, false);
  EXPECT_EQ(CurrentFileTimeChange(engine, list), 3);
  EXPECT_EQ(store.FindNumber(setting::kFileTimeChange), 2u);
  ChooseFileTimeChange(engine, list, 1, true);
  EXPECT_EQ(CurrentFileTimeChange(engine, list), 1);
  EXPECT_EQ(store.FindNumber(setting::kFileTimeChange), 1u);
  ChooseFileTimeChange(engine, list, 7, true);
  EXPECT_EQ(CurrentFileTimeChange(engine, list), 1);
}

TEST_F(RenameSettings, DuplicateSampleNumbersEachGroupFromOne) {
  const auto& names = DuplicateSampleNames();
  ASSERT_EQ(names.size(), 23u);
  auto kept = DuplicateSampleResult("-%03d", false);
  EXPECT_EQ(kept[0], "25-Apr-2016-15-04-52.JPG");
  EXPECT_EQ(kept[1], "25-Apr-2016-15-04-52-001.JPG");
  EXPECT_EQ(kept[6], "25-Apr-2016-15-04-52-006.JPG");
  EXPECT_EQ(kept[7], "25-Apr-2016-15-08-17.JPG");
  EXPECT_EQ(kept[8], "25-Apr-2016-15-08-17-001.JPG");
  auto all = DuplicateSampleResult(" (%d)", true);
  EXPECT_EQ(all[0], "25-Apr-2016-15-04-52 (1).JPG");
  EXPECT_EQ(all[22], "Garden Party 12-Jun-2016-18-30-00 (11).JPG");
}

}  // namespace
}  // namespace lx
