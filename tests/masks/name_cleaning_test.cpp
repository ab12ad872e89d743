#include <gtest/gtest.h>

#include "masks/name_cleaning.h"
#include "scripted_prompts.h"

namespace lx {
namespace {

TEST(RemoveInvalidCharacters, RemovesAllAtOnceAndReportsTheFirstPosition) {
  test::ScriptedPrompts prompts;
  std::string text = "ab*c/d?é|";
  size_t first = 99;
  EXPECT_FALSE(RemoveInvalidCharacters(text, kForbiddenNameCharacters, "Mask Format", &prompts, &first));
  EXPECT_EQ(text, "abcdé");
  EXPECT_EQ(first, 2u);
  EXPECT_EQ(prompts.beeps, 1);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0],
            "The following characters are not allowed in Mask Format: \\/:*?\"<>| \n\nInvalid character(s) will be "
            "removed now ....");
  std::string clean = "%Y-%m";
  EXPECT_TRUE(RemoveInvalidCharacters(clean, kForbiddenNameCharacters, "File Name", &prompts));
  EXPECT_EQ(prompts.beeps, 1);
}

}  // namespace
}  // namespace lx
