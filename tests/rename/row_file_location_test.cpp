#include "rename/row_file_location.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace lx {
namespace {

using test::TempDir;

// The source copy wins; a renamed copy is found under its new name; nothing when both are gone.
TEST(RowFileLocationTest, SourceThenRenameFolder) {
  TempDir source("lx-row-src");
  TempDir renamed("lx-row-ren");
  test::WriteFile(source.File("IMG_1.jpg"), "a");
  test::WriteFile(renamed.File("2021-06-01.jpg"), "b");
  test::WriteFile(renamed.File("IMG_2.jpg"), "c");
  EXPECT_EQ(LocateRowFile(source.Slash(), "IMG_1.jpg", renamed.Slash(), "2021-06-01.jpg"), source.File("IMG_1.jpg"));
  EXPECT_EQ(LocateRowFile(source.Slash(), "IMG_2.jpg", renamed.Slash(), "2021-06-01.jpg"),
            renamed.File("2021-06-01.jpg"));
  EXPECT_EQ(LocateRowFile(source.Slash(), "IMG_3.jpg", renamed.Slash(), "missing.jpg"), "");
  // A row without a new name (or a name) is never the folder itself.
  EXPECT_EQ(LocateRowFile(source.Slash(), "IMG_3.jpg", renamed.Slash(), ""), "");
  EXPECT_EQ(LocateRowFile(source.Slash(), "", renamed.Slash(), ""), "");
}

}  // namespace
}  // namespace lx
