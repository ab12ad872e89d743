#include "storage/keyword_store.h"

#include <gtest/gtest.h>

#include "base/log.h"
#include "scripted_prompts.h"
#include "storage/database.h"
#include "storage/database_keyword_source.h"
#include "storage/mask_store.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"
#include "storage/typed_text_store.h"
#include "store_world.h"
#include "temp_dir.h"

namespace lx {
namespace {

// A fresh database made by the start-up check.
class StoreTest : public test::StoreWorld {
 protected:
  void SetUp() override { ASSERT_TRUE(Check()); }
};

TEST(MaskUsesKeyword, FindsExactlyTheElementsNamingTheId) {
  struct Case {
    const char* mask;
    int id;
    int which;
    bool uses;
  };
  const Case cases[] = {
      {"%Y%K12", 12, 0, true},    {"%Y%K12", 1, 2, false},    {"%Y%K12", 123, 2, false},  {"%K123_%C", 12, 2, false},
      {"%KA12-%d", 12, 1, true},  {"%KA12-%d", 12, 0, false}, {"%KA12-%d", 12, 2, true},  {"%K12", 12, 1, false},
      {"%KI12", 12, 2, false},    {"x%K3_%KA4", 4, 2, true},  {"x%K3_%KA4", 3, 1, false}, {"%K012", 12, 0, true},
      {"K12 AK12", 12, 2, false}, {"%K", 0, 2, false},        {"%C4%K7%", 7, 2, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MaskUsesKeyword(c.mask, c.id, c.which), c.uses) << c.mask << " id " << c.id << " which " << c.which;
}

TEST_F(StoreTest, AddReactivateModifyAndDeleteKeywords) {
  int id = 0;
  EXPECT_EQ(keywords_.AddKeyword("  Holiday ", " Hol ", &id), KeywordResult::Added);
  EXPECT_EQ(id, 3);
  EXPECT_EQ(keywords_.AddKeyword("O'Brien", "O'B", &id), KeywordResult::Added);
  EXPECT_EQ(id, 4);
  EXPECT_EQ(keywords_.AddKeyword("Holiday", "Other", &id), KeywordResult::AlreadyActive);
  EXPECT_EQ(keywords_.AddKeyword(" ", "x"), KeywordResult::EmptyText);

  EXPECT_EQ(keywords_.DeleteKeyword(3), KeywordResult::Deleted);
  EXPECT_EQ(keywords_.DeleteKeyword(3), KeywordResult::NotFound);
  // The deleted row comes back with its old id and its old abbreviation.
  EXPECT_EQ(keywords_.AddKeyword("Holiday", "New", &id), KeywordResult::Reactivated);
  EXPECT_EQ(id, 3);
  EXPECT_EQ(keywords_.FindKeyword(3)->abbreviation, "Hol");

  EXPECT_EQ(keywords_.ModifyKeyword(4, "O'Neil", "O'N"), KeywordResult::Modified);
  EXPECT_EQ(keywords_.FindKeyword(4)->keyword, "O'Neil");
  EXPECT_EQ(keywords_.ModifyKeyword(4, "Holiday", "H"), KeywordResult::Failed);  // unique keyword text
  EXPECT_EQ(keywords_.ModifyKeyword(99, "a", "b"), KeywordResult::NotFound);

  for (int protectedId : {1, 2}) {
    EXPECT_EQ(keywords_.ModifyKeyword(protectedId, "a", "b"), KeywordResult::Protected);
    EXPECT_EQ(keywords_.DeleteKeyword(protectedId), KeywordResult::Protected);
  }

  SqlTable t;
  EXPECT_EQ(keywords_.FillKeywordList(t, 1), 4);
  EXPECT_EQ(t.headers, (std::vector<std::string>{"Keyword Id", "Keyword", "Abbr. Keyword"}));
  EXPECT_EQ(t.rows[0][1], "Empty Keyword");  // sorted by keyword text
  EXPECT_EQ(t.rows[1][1], "Holiday");
  EXPECT_EQ(keywords_.ActiveKeywords().size(), 4u);
}

TEST_F(StoreTest, MasksUsingAKeywordForTheConfirmation) {
  ASSERT_EQ(keywords_.AddKeyword("Trip", "T"), KeywordResult::Added);  // id 3
  for (int i = 4; i <= 12; ++i) keywords_.AddKeyword("k" + std::to_string(i), "a");
  EXPECT_EQ(keywords_.CountMasksUsingKeyword(12), 0);

  masks_.AddMask("%Y%K12", "uses 12");
  masks_.AddMask("%Y%KA12_%C", "abbreviation of 12");
  masks_.AddMask("%Y%K123", "uses 123");
  masks_.AddMask("%K1_%Y", "uses 1");
  EXPECT_EQ(keywords_.CountMasksUsingKeyword(12), 2);
  EXPECT_EQ(keywords_.CountMasksUsingKeyword(1), 1);
  EXPECT_EQ(keywords_.CountMasksUsingKeyword(3), 0);

  SqlTable withKeyword, withAbbreviation;
  keywords_.MasksUsingKeyword(12, withKeyword, withAbbreviation);
  ASSERT_EQ(withKeyword.rows.size(), 1u);
  EXPECT_EQ(withKeyword.rows[0][1], "%Y%K12");
  ASSERT_EQ(withAbbreviation.rows.size(), 1u);
  EXPECT_EQ(withAbbreviation.rows[0][1], "%Y%KA12_%C");
}

TEST_F(StoreTest, KeywordSourceReadsActiveKeywordsOnly) {
  keywords_.AddKeyword("Holiday", "Hol");
  DatabaseKeywordSource source(sql_);
  EXPECT_EQ(source.Keyword(3), "Holiday");
  EXPECT_EQ(source.KeywordAbbreviation(3), "Hol");
  EXPECT_EQ(source.Keyword(1), "Quorin Lorvexandrin");
  EXPECT_EQ(source.Keyword(999), "Undefined");
  keywords_.DeleteKeyword(3);
  EXPECT_EQ(source.Keyword(3), "Undefined");
  EXPECT_FALSE(sql_.IsOpen());

  CSQLite none;
  DatabaseKeywordSource without(none);
  EXPECT_EQ(without.KeywordAbbreviation(1), "Undefined");
}

TEST_F(StoreTest, TypedTextHistoryKeepsTheFirstEntry) {
  EXPECT_EQ(texts_.AddText("Trip to 'Rome'"), kSqlExecuted);
  ASSERT_EQ(sql_.ExecuteSQL("UPDATE KbdEntry SET KbdEntry_Date = '2001-01-01'", true, true), kSqlExecuted);
  EXPECT_EQ(texts_.AddText("Trip to 'Rome'"), kSqlExecuted);
  EXPECT_EQ(texts_.AddText("Another"), kSqlExecuted);

  SqlTable t;
  EXPECT_EQ(texts_.FillHistory(t, 1), 2);
  EXPECT_EQ(t.headers, (std::vector<std::string>{"Text Id", "Text Entry", "Date & Time"}));
  EXPECT_EQ(t.rows[0][1], "Another");
  EXPECT_EQ(t.rows[1][1], "Trip to 'Rome'");
  EXPECT_EQ(t.rows[1][2].substr(0, 11), "2001-01-01 ");
  EXPECT_EQ(t.rows[1][2].size(), 19u);

  EXPECT_EQ(texts_.CountText("Trip to 'Rome'"), 1);
  EXPECT_EQ(texts_.DeleteText("Trip to 'Rome'"), kSqlExecuted);
  EXPECT_EQ(texts_.CountText("Trip to 'Rome'"), 0);

  EXPECT_FALSE(IsConfirmableTypedText(""));
  EXPECT_FALSE(IsConfirmableTypedText("Type In Free Text Here"));
  EXPECT_FALSE(IsConfirmableTypedText("Type In Free Text Here or Select a Text from Data Entry List"));
  EXPECT_TRUE(IsConfirmableTypedText("Rome"));
}

TEST(PictureCounter, StoredValueAndDialogTexts) {
  test::TempDir config;
  SettingsStore settings(config.Path());
  SetPictureCounter(settings, 70000);
  EXPECT_EQ(GetPictureCounter(settings), 70000u);
  EXPECT_EQ(PictureCounterInfoText(41).substr(PictureCounterInfoText(41).size() - 13), "the number 42");
  std::string warning = PictureCounterWarningText(100);
  EXPECT_EQ(warning.substr(warning.size() - 14), "the number 101");
  EXPECT_EQ(warning.rfind("Setting Next Value for Picture Counter will break the automatic sequence of counter "
                          "incrementation.Please note",
                          0),
            0u);
}

}  // namespace
}  // namespace lx
