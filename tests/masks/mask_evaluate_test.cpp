#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <map>

#include "masks/keyword_source.h"
#include "masks/mask_data.h"
#include "scripted_prompts.h"

namespace lx {
namespace {

class MapKeywords : public KeywordSource {
 public:
  std::map<int, std::pair<std::string, std::string>> rows;
  int queries = 0;
  std::string Keyword(int id) override {
    ++queries;
    auto it = rows.find(id);
    return it == rows.end() ? "Undefined" : it->second.first;
  }
  std::string KeywordAbbreviation(int id) override {
    ++queries;
    auto it = rows.find(id);
    return it == rows.end() ? "Undefined" : it->second.second;
  }
};

TimeT At(int y, int mo, int d, int h, int mi, int s) { return *MakeLocalTime(y, mo, d, h, mi, s); }

CRenameFileData Row(const std::string& title, const std::string& ext, bool exifValid = true) {
  CRenameFileData row;
  row.FileTitle = title;
  row.FileExt = ext;
  row.FileName = title + ext;
  row.FilePath = "/photos/" + row.FileName;
  row.ExifDate = exifValid ? At(2021, 6, 5, 14, 3, 9) : MaskDefaultExifDate();
  row.ExifDateValid = exifValid;
  row.FileDate = At(2019, 12, 30, 8, 1, 2);  // a Monday
  return row;
}

CMaskData Parsed(const std::string& mask) {
  CMaskData m;
  std::string message;
  EXPECT_TRUE(m.ParseMask(mask, message, ReportQuiet)) << message;
  return m;
}

struct EvalCase {
  std::string mask;
  std::string title, ext;
  bool exifValid;
  int counterIn;
  std::string newName;
  std::uint32_t timeFlags;
  int counterValue;
};

TEST(EvaluateRow, NamesFromTable) {
  const std::vector<EvalCase> cases = {
      {"%Y-%m-%d %H-%M-%S", "IMG_0001", ".JPG", true, 0, "2021-06-05 14-03-09.JPG", RowExifTimeUsed, -1},
      {"%Y-%m-%d %H-%M-%S", "IMG_0001", ".JPG", false, 0, "2019-12-30 08-01-02.JPG", RowFileTimeUsed, -1},
      {"%EY_%WY", "a", ".jpg", false, 0, "2000_2019.jpg", RowExifTimeUsed | RowFileTimeUsed, -1},
      {"%EH%EM", "a", ".jpg", false, 0, "0000.jpg", RowExifTimeUsed, -1},
      {"%C4_%F", "IMG", ".jpg", true, 41, "0042_IMG.jpg", 0, 42},
      {"%C2", "IMG", ".jpg", true, 123, "124.jpg", 0, 124},
      {"%CF", "x", "", true, 6, "000000000000007", 0, 7},
      {"%C1-%C3", "x", ".a", true, 9, "10-010.a", 0, 10},
      {"%L3", "IMG_01234", ".jpg", true, 0, "IMG.jpg", 0, -1},
      {"%R9", "AB", ".jpg", true, 0, "AB.jpg", 0, -1},
      {"%L3%R2", "", ".jpg", true, 0, ".jpg", 0, -1},
      {"%R2", "été", ".jpg", true, 0, "té.jpg", 0, -1},
      {"%L1", "éa", "", true, 0, "é", 0, -1},
      {"%F%FEU", "IMG", ".jpg", true, 0, "IMG.JPG", 0, -1},
      {"%FEL_%F", "IMG", ".JpG", true, 0, ".jpg_IMG", 0, -1},
      {"%F", "README", "", true, 0, "README", 0, -1},
      {"%b %B %a %A %y %I", "x", ".j", true, 0, "Jun June Sat Saturday 21 02.j", RowExifTimeUsed, -1},
      {"%Wa %WB", "x", ".j", true, 0, "Mon December.j", RowFileTimeUsed, -1},
  };
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  for (const auto& c : cases) {
    CMaskData m = Parsed(c.mask);
    CRenameFileData row = Row(c.title, c.ext, c.exifValid);
    row.StateFlags = RowRenamed;  // cleared by a changed mask
    int counter = c.counterIn;
    std::uint32_t flags = m.EvaluateRow(row, counter, true, 1, prompts, keywords);
    EXPECT_EQ(row.NewName, c.newName) << c.mask;
    EXPECT_EQ(flags, RowListed | c.timeFlags) << c.mask;
    EXPECT_EQ(row.StateFlags, flags) << c.mask;
    EXPECT_EQ(row.CounterValue, c.counterValue) << c.mask;
  }
}

TEST(EvaluateRow, CounterRunsOverFilesAndAppendsExtensionElement) {
  CMaskData m = Parsed("%C4_%F");
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  int counter = 41;
  CRenameFileData a = Row("A", ".jpg"), b = Row("B", ".jpg");
  m.EvaluateRow(a, counter, true, 1, prompts, keywords);
  m.EvaluateRow(b, counter, true, 1, prompts, keywords);
  EXPECT_EQ(a.NewName, "0042_A.jpg");
  EXPECT_EQ(b.NewName, "0043_B.jpg");
  EXPECT_EQ(b.CounterValue, 43);
  EXPECT_EQ(counter, 43);
  ASSERT_EQ(m.SpecCount, 4);
  EXPECT_EQ(m.Specs[3].SpecMask, "%FE");
  EXPECT_EQ(a.ElementTexts[0], "0042");
  EXPECT_EQ(a.ElementTexts[3], ".jpg");
}

TEST(EvaluateRow, FullMaskWithoutExtensionStillEndsWithIt) {
  std::string mask;
  for (int i = 0; i < 25; ++i) mask += "%Y-";
  CMaskData m = Parsed(mask);
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  CRenameFileData row = Row("x", ".jpg");
  int counter = 0;
  m.EvaluateRow(row, counter, true, 1, prompts, keywords);
  EXPECT_EQ(m.SpecCount, 50);
  EXPECT_EQ(row.NewName.size(), 25u * 5u + 4u);
  EXPECT_EQ(row.NewName.substr(row.NewName.size() - 9), "2021-.jpg");
}

TEST(EvaluateRow, KeywordsAskOnceWhenReusedAndHonourCancelAndEmptyEntry) {
  CMaskData m = Parsed("%K_%KA_%KI");
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  prompts.keywordAnswers.push_back({3, "Sea", "SE", true});
  prompts.keywordAnswers.push_back({0, "Empty Keyword", "Empty", false});
  prompts.textAnswers.push_back({"Trip", true});
  int counter = 0;
  CRenameFileData a = Row("a", ".jpg"), b = Row("b", ".jpg");
  m.EvaluateRow(a, counter, true, 1, prompts, keywords);
  EXPECT_EQ(a.NewName, "Sea__Trip.jpg");  // %KA got the empty entry: nothing added
  EXPECT_EQ(a.ElementTexts[2], "Empty");
  m.EvaluateRow(b, counter, true, 1, prompts, keywords);
  // %K and %KI reuse the answers; %KA asks again and is cancelled (no answer left).
  EXPECT_EQ(b.NewName, "Sea__Trip.jpg");
  EXPECT_EQ(prompts.keywordQuestions, (std::vector<std::string>{"/photos/a.jpg", "/photos/a.jpg", "/photos/b.jpg"}));
  EXPECT_EQ(prompts.textQuestions.size(), 1u);

  // Cancel keeps the element's previous text in the row.
  CMaskData k = Parsed("%K");
  test::ScriptedPrompts cancel;
  CRenameFileData c = Row("c", ".jpg");
  c.ElementTexts[0] = "Earlier";
  k.EvaluateRow(c, counter, true, 1, cancel, keywords);
  EXPECT_EQ(c.NewName, ".jpg");
  EXPECT_EQ(c.ElementTexts[0], "Earlier");
}

TEST(EvaluateRow, UnchangedMaskReusesTextsButRenumbersCounter) {
  CMaskData m = Parsed("%KI_%C3");
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  prompts.textAnswers.push_back({"Trip", false});
  prompts.textAnswers.push_back({"Trip", false});
  CRenameFileData a = Row("a", ".jpg"), b = Row("b", ".jpg");
  int counter = 0;
  m.EvaluateRow(a, counter, true, 1, prompts, keywords);
  m.EvaluateRow(b, counter, true, 1, prompts, keywords);
  EXPECT_EQ(b.NewName, "Trip_002.jpg");
  a.StateFlags |= RowRenamed;
  counter = 10;
  m.EvaluateRow(a, counter, false, 1, prompts, keywords);
  m.EvaluateRow(b, counter, false, 1, prompts, keywords);
  EXPECT_EQ(a.NewName, "Trip_011.jpg");
  EXPECT_EQ(b.NewName, "Trip_012.jpg");
  EXPECT_TRUE(a.StateFlags & RowRenamed);  // bits stay when the mask did not change
  EXPECT_EQ(prompts.textQuestions.size(), 2u);
}

TEST(EvaluateRow, DatabaseKeywords) {
  CMaskData m = Parsed("%K999_%K1_%KA1_%K2_%KA2");
  test::ScriptedPrompts prompts;
  MapKeywords keywords;
  keywords.rows[1] = {"Holidays", "HOL"};
  keywords.rows[2] = {"Empty Keyword", "Empty"};
  CRenameFileData row = Row("x", ".jpg");
  int counter = 0;
  m.EvaluateRow(row, counter, true, 1, prompts, keywords);
  EXPECT_EQ(row.NewName, "Undefined_Holidays_HOL__.jpg");
  EXPECT_EQ(row.ElementTexts[6], "Empty Keyword");
  EXPECT_EQ(keywords.queries, 5);
  m.EvaluateRow(row, counter, false, 1, prompts, keywords);
  EXPECT_EQ(keywords.queries, 5);  // an unchanged mask queries nothing
}

TEST(EvaluateRow, MonthAndDayNamesAreEnglishWhateverTheLocale) {
  const char* candidates[] = {"fr_FR.UTF-8", "de_DE.UTF-8", "es_ES.UTF-8", "fr_FR", "de_DE"};
  const char* set = nullptr;
  for (const char* name : candidates)
    if ((set = std::setlocale(LC_ALL, name))) break;
  CMaskData m = Parsed("%a %A %b %B");
  test::ScriptedPrompts prompts;
  NoKeywordSource keywords;
  CRenameFileData row = Row("x", ".jpg");
  int counter = 0;
  m.EvaluateRow(row, counter, true, 1, prompts, keywords);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(row.NewName, "Sat Saturday Jun June.jpg");
  if (!set) GTEST_SKIP() << "no non-English locale installed; checked under C only";
}

TEST(EvaluatePath, PlaceholdersCounterAndExtension) {
  CMaskData m = Parsed("%K-%KA-%KI-%C3-%C2-%EY");
  test::ScriptedPrompts prompts;
  MapKeywords keywords;
  std::string current, newName = "stale";
  int counter = 41;
  int flags = m.EvaluatePath("/dcim/IMG_7.JPG", true, current, newName, counter, false, At(2022, 1, 2, 3, 4, 5),
                             At(2020, 1, 1, 0, 0, 0), prompts, keywords);
  EXPECT_EQ(current, "IMG_7.JPG");
  EXPECT_EQ(newName,
            "Keyword Selected by User-Keyword Abbr. Selected by User-Keyboard Data Typed In by User-041-41-2022.JPG");
  EXPECT_EQ(counter, 42);
  EXPECT_EQ(flags, RowExifTimeUsed);
  EXPECT_TRUE(prompts.keywordQuestions.empty());

  CMaskData k = Parsed("%K_%Y");
  prompts.keywordAnswers.push_back({1, "Sea", "SE", false});
  flags = k.EvaluatePath("/dcim/b", false, current, newName, counter, true, At(2022, 1, 2, 3, 4, 5),
                         At(2020, 1, 1, 0, 0, 0), prompts, keywords);
  EXPECT_EQ(newName, "Sea_2020");
  EXPECT_EQ(flags, RowFileTimeUsed);
  EXPECT_EQ(prompts.keywordQuestions, std::vector<std::string>{"/dcim/b"});
}

TEST(FormatMaskTime, UnconvertibleTimeGivesEmptyText) {
  EXPECT_EQ(FormatMaskTime("%Y", std::numeric_limits<TimeT>::max()), "");
  EXPECT_EQ(FormatMaskTime("%Y", At(2000, 1, 1, 0, 0, 0)), "2000");
}

}  // namespace
}  // namespace lx
