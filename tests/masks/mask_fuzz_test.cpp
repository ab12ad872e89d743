// Random masks through the parser and the evaluation: no crash, no element
// beyond the fixed maximum, under the sanitizers.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "scripted_prompts.h"

namespace lx {
namespace {

TEST(MaskFuzz, RandomMasksParseAndEvaluateSafely) {
  std::mt19937 random(20240611u);
  static const std::string pieces[] = {"%",   "%Y",  "%E",  "%W",   "%L",   "%R", "%F", "%FE", "%C", "%K",
                                       "%KA", "%KI", "%DT", "%DT1", "%DT3", "A",  "0",  "9",   "F",  "e",
                                       "u",   "l",   " ",   "-",    "é",    "x",  "%%", "1",   "I",  "\xff"};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  int iterations = 0, accepted = 0;
  while (std::chrono::steady_clock::now() < deadline && iterations < 200000) {
    ++iterations;
    std::string mask;
    const int length = static_cast<int>(random() % 90);
    for (int i = 0; i < length; ++i) mask += pieces[random() % std::size(pieces)];
    CMaskData m;
    std::string message;
    if (!m.ParseMask(mask, message, ReportBox, &prompts)) {
      ASSERT_FALSE(message.empty()) << mask;
      ASSERT_LE(m.SpecCount, kMaxMaskElements);
      continue;
    }
    ++accepted;
    ASSERT_LE(m.SpecCount, kMaxMaskElements) << mask;
    prompts.keywordAnswers.push_back({1, "K", "k", random() % 2 == 0});
    prompts.textAnswers.push_back({"T", false});
    CRenameFileData row;
    row.FileTitle = "IMG_0001";
    row.FileExt = ".jpg";
    row.FilePath = "/p/IMG_0001.jpg";
    int counter = static_cast<int>(random() % 3 == 0 ? 2147483647u : random() % 1000);
    m.EvaluateRow(row, counter, true, 1, prompts, keywords);
    m.EvaluateRow(row, counter, false, 1, prompts, keywords);
    ASSERT_LE(m.SpecCount, kMaxMaskElements) << mask;
    std::string current, newName;
    m.EvaluatePath("/p/x.JPG", random() % 2 == 0, current, newName, counter, random() % 2 == 0, 0, -86400, prompts,
                   keywords);
    prompts.messages.clear();
    prompts.keywordQuestions.clear();
    prompts.textQuestions.clear();
  }
  EXPECT_GT(iterations, 100);
  EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace lx
