#include "rename/photo_steps.h"

#include <gtest/gtest.h>

namespace lx {
namespace {

TEST(PhotoStepsTest, PreviousAndNextStayInsideTheFiles) {
  struct Case {
    int current, files, rows, previous, next;
  } cases[] = {
      {-1, 3, 3, 0, 0},   // nothing shown: both start at the top
      {0, 3, 3, 0, 1},    // first row: previous stays
      {1, 3, 3, 0, 2},    //
      {2, 3, 3, 1, 2},    // last row: next stays
      {1, 2, 3, 0, 1},    // a trailing row that is no file is never reached
      {0, 0, 3, -1, -1},  // no file listed
      {0, 3, 0, -1, -1},  // no row
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PreviousPhotoRow(c.current, c.files, c.rows), c.previous) << c.current << "/" << c.files;
    EXPECT_EQ(NextPhotoRow(c.current, c.files, c.rows), c.next) << c.current << "/" << c.files;
  }
}

}  // namespace
}  // namespace lx
