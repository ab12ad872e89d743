#include "storage/mask_store.h"

#include <gtest/gtest.h>

#include "store_world.h"

namespace lx {
namespace {

// A fresh database with the four standard masks.
class MaskTableTest : public test::StoreWorld {
 protected:
  void SetUp() override { ASSERT_TRUE(Check()); }
};

TEST_F(MaskTableTest, AddUpdateDeleteWithQuotes) {
  int id = masks_.AddMask("%Y 'Trip'", "Bob's mask");
  EXPECT_EQ(id, 5);
  EXPECT_FALSE(sql_.IsOpen());
  EXPECT_EQ(masks_.AddMask("%Y 'Trip'", "again"), -1);  // unique mask text
  EXPECT_EQ(masks_.FindMaskId("%Y 'Trip'"), 5);
  EXPECT_EQ(masks_.FindMaskId("nothing"), -1);
  EXPECT_EQ(masks_.UpdateMask(5, "%Y 'Trip' %C3", "it's new"), 5);
  StoredMask stored = masks_.LookupMask("%Y 'Trip' %C3");
  EXPECT_EQ(stored.id, 5);
  EXPECT_EQ(stored.description, "it's new");
  EXPECT_EQ(stored.status, 1);
  EXPECT_EQ(masks_.DeleteMask(5), kSqlExecuted);
  EXPECT_EQ(masks_.LookupMask("%Y 'Trip' %C3").status, 0);
  EXPECT_EQ(masks_.LookupMask("not stored").id, -1);
  EXPECT_EQ(masks_.ActiveMaskIds(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(MaskTableTest, SwapMaskIdsExchangesRowsAndFreesTheParkingId) {
  for (int i = 5; i <= 7; ++i) ASSERT_EQ(masks_.AddMask("m" + std::to_string(i), "d"), i);
  EXPECT_EQ(masks_.SwapMaskIds(3, 7), kSqlExecuted);
  EXPECT_EQ(masks_.FindMaskId("m7"), 3);
  EXPECT_EQ(masks_.FindMaskId(kStandardMasks[2].mask), 7);
  EXPECT_TRUE(Rows("SELECT * FROM LXMask WHERE LXMask_Id = " + std::to_string(kMaskParkingId)).empty());
}

TEST_F(MaskTableTest, FillMaskComboPicksTheMaskToUse) {
  MaskComboContent c = masks_.FillMaskCombo("%Y%m%dT%H%M%S");
  ASSERT_EQ(c.items.size(), 4u);
  EXPECT_EQ(c.selectedIndex, 2);
  EXPECT_EQ(c.maskToUse, "%Y%m%dT%H%M%S");
  EXPECT_EQ(c.items[3].id, 4);
  EXPECT_EQ(c.items[3].description, kStandardMasks[3].description);

  c = masks_.FillMaskCombo("%Y not stored");
  EXPECT_EQ(c.selectedIndex, 0);
  EXPECT_EQ(c.maskToUse, "%Y-%m-%d %H-%M-%S");

  masks_.DeleteMask(3);
  c = masks_.FillMaskCombo("%Y%m%dT%H%M%S");  // deleted masks are not offered
  EXPECT_EQ(c.items.size(), 3u);
  EXPECT_EQ(c.maskToUse, "%Y-%m-%d %H-%M-%S");

  CSQLite none;
  none.SetDatabasePath(dir_.File("gone/x.sq3"));
  MaskStore other(none);
  EXPECT_EQ(other.FillMaskCombo("%Y").maskToUse, "");
}

}  // namespace
}  // namespace lx
