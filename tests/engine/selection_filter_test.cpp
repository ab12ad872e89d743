#include <gtest/gtest.h>

#include "engine/selection_filter.h"

namespace lx {
namespace {

TEST(WildcardMatch, FollowsStarAndQuestionMarkOnly) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  } cases[] = {
      {"IMG.JPG", "*.JPG", true},
      {"IMG.JPEG", "*.JPG", false},
      {".JPG", "*.JPG", true},
      {"README", "*.*", false},
      {"A.B", "*.*", true},
      {"X1.PNG", "X?.PNG", true},
      {"X.PNG", "X?.PNG", false},
      {"", "", true},
      {"A", "", false},
      {"ABC", "A**C", true},
      {"ABC", "*", true},
      {"*AX", "*X", true},
      {"A[1].JPG", "A[1].*", true},
      {"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAB", "*A*A*A*A*A*A*C", false},
  };
  for (const auto& c : cases) EXPECT_EQ(WildcardMatch(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
}

TEST(SelectionFilter, SplitsTrimsAndUpperCases) {
  SelectionFilter filter;
  EXPECT_EQ(filter.SetText("  *.jpg; *.CR2 ;x?.png", false), 3);
  EXPECT_EQ(filter.Patterns(), (std::vector<std::string>{"*.JPG", "*.CR2", "X?.PNG"}));
  EXPECT_TRUE(filter.Matches("/photos/img_1.Jpg"));
  EXPECT_TRUE(filter.Matches("/photos/xa.png"));
  EXPECT_FALSE(filter.Matches("/photos.jpg/readme.txt"));  // the folder is not tested
}

TEST(SelectionFilter, EmptyTextListsNamesWithADotAndEmptyPatternsMatchNothing) {
  SelectionFilter filter;
  EXPECT_EQ(filter.SetText("", false), 1);
  EXPECT_TRUE(filter.Matches("a.b"));
  EXPECT_FALSE(filter.Matches("README"));
  EXPECT_EQ(filter.SetText("*.jpg;;", false), 2);
  EXPECT_FALSE(filter.Matches("/x/a.png"));
}

TEST(SelectionFilter, CaseSensitiveKeepsTheCase) {
  SelectionFilter filter;
  filter.SetText("*.jpg", true);
  EXPECT_TRUE(filter.Matches("a.jpg"));
  EXPECT_FALSE(filter.Matches("a.JPG"));
}

TEST(SelectionFilter, KeepsEveryPatternOfALongFilter) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "*.e" + std::to_string(i) + ";";
  SelectionFilter filter;
  EXPECT_EQ(filter.SetText(text, false), 30);
  EXPECT_TRUE(filter.Matches("photo.e29"));
}

}  // namespace
}  // namespace lx

namespace lx {
namespace {

TEST(SelectionFilterDefaultTest, StoredTextOrJpg) {
  EXPECT_EQ(SelectionFilterOrDefault(""), "*.jpg");
  EXPECT_EQ(SelectionFilterOrDefault("*.CR2; *.jpg"), "*.CR2; *.jpg");
}

}  // namespace
}  // namespace lx
