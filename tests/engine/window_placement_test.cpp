#include "engine/window_placement.h"

#include <gtest/gtest.h>

namespace lx {
namespace {

TEST(WindowPlacementTest, EncodesTenNumbersAndReadsThemBack) {
  WindowPlacement p;
  p.showState = 3;
  p.left = 10;
  p.top = 20;
  p.right = 1210;
  p.bottom = 920;
  const std::string text = EncodeWindowPlacement(p);
  EXPECT_EQ(text, "0 3 -1 -1 -1 -1 10 20 1210 920");
  const auto back = DecodeWindowPlacement(text);
  ASSERT_TRUE(back.has_value());
  EXPECT_TRUE(back->Maximised());
  EXPECT_EQ(back->left, 10);
  EXPECT_EQ(back->Width(), 1200);
  EXPECT_EQ(back->Height(), 900);
}

TEST(WindowPlacementTest, RefusesDamagedTexts) {
  for (const char* text :
       {"", "0 1 -1 -1 -1 -1 10 20 1210", "0 1 -1 -1 -1 -1 10 20 1210 920 7", "0 1 -1 -1 -1 -1 10 20 1210 abc",
        "0 1 -1 -1 -1 -1 100 20 50 920", "0 1 -1 -1 -1 -1 10 20 1210 20", "0 1 -1 -1 -1 -1 0 0 200000 900",
        "0 1 -1 -1 -1 -1 0 0 99999999999999999999 900"})
    EXPECT_FALSE(DecodeWindowPlacement(text).has_value()) << text;
}

}  // namespace
}  // namespace lx
