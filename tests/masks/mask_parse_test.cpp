#include <gtest/gtest.h>

#include "cli_runner.h"
#include "masks/mask_catalogue.h"
#include "masks/mask_data.h"
#include "scripted_prompts.h"

namespace lx {
namespace {

const std::string kUnable = " ... Unable to Apply Renaming Mask !!!";

struct Element {
  std::string text;
  int kind;
  int subType;
  int data;
};

struct AcceptCase {
  std::string mask;
  std::vector<Element> elements;
};

std::vector<Element> ElementsOf(const CMaskData& m) {
  std::vector<Element> out;
  for (int i = 0; i < m.SpecCount; ++i) {
    const auto& s = m.Specs[static_cast<size_t>(i)];
    out.push_back({s.SpecMask, s.SpecType, s.SpecSubType, s.AdditionalData});
  }
  return out;
}

void ExpectElements(const std::vector<Element>& got, const std::vector<Element>& want, const std::string& mask) {
  ASSERT_EQ(got.size(), want.size()) << mask;
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].text, want[i].text) << mask << " #" << i;
    EXPECT_EQ(got[i].kind, want[i].kind) << mask << " #" << i;
    EXPECT_EQ(got[i].subType, want[i].subType) << mask << " #" << i;
    EXPECT_EQ(got[i].data, want[i].data) << mask << " #" << i;
  }
}

TEST(ParseMask, AcceptedMasksGiveTheirElements) {
  const Element dash{"-", SpecStraightText, 0, 0};
  auto t = [](const char* s) { return Element{s, SpecTime, TimeExifOrFile, 0}; };
  const std::vector<AcceptCase> cases = {
      {"%Y-%m-%d %H-%M-%S",
       {t("%Y"), dash, t("%m"), dash, t("%d"), {" ", SpecStraightText, 0, 0}, t("%H"), dash, t("%M"), dash, t("%S")}},
      {"%DT1", {t("%Y"), t("%m"), t("%d"), {"T", SpecStraightText, 0, 0}, t("%H"), t("%M"), t("%S")}},
      {"x%DTEy",
       {{"x", SpecStraightText, 0, 0},
        t("%Y"),
        dash,
        t("%b"),
        dash,
        t("%d"),
        {"T", SpecStraightText, 0, 0},
        t("%H"),
        {".", SpecStraightText, 0, 0},
        t("%M"),
        {".", SpecStraightText, 0, 0},
        t("%S"),
        {"y", SpecStraightText, 0, 0}}},
      {"%EY%WI", {{"%Y", SpecTime, TimeExifOnly, 0}, {"%I", SpecTime, TimeFileOnly, 0}}},
      {"%C", {{"%C", SpecPictureCounter, 0, 8}}},
      {"%Ca", {{"%C", SpecPictureCounter, 0, 8}, {"a", SpecStraightText, 0, 0}}},
      {"%C0", {{"%C", SpecPictureCounter, 0, 8}, {"0", SpecStraightText, 0, 0}}},
      {"%CF%C4", {{"%CF", SpecPictureCounter, 0, 15}, {"%C4", SpecPictureCounter, 0, 4}}},
      {"%K12", {{"%K", SpecDbKeyword, 0, 12}}},
      {"%KA7x", {{"%KA", SpecDbKeywordAbbr, 0, 7}, {"x", SpecStraightText, 0, 0}}},
      {"%KA", {{"%KA", SpecUserKeywordAbbr, 0, 0}}},
      {"%K", {{"%K", SpecUserKeyword, 0, 0}}},
      {"%KAI", {{"%KA", SpecUserKeywordAbbr, 0, 0}, {"I", SpecStraightText, 0, 0}}},
      {"%KI5", {{"%KI", SpecKeyboardEntry, 0, 0}, {"5", SpecStraightText, 0, 0}}},
      {"%L10", {{"%L1", SpecLeftOfName, 0, 1}, {"0", SpecStraightText, 0, 0}}},
      {"%R9", {{"%R9", SpecRightOfName, 0, 9}}},
      {"%F", {{"%F", SpecCompleteName, 0, 0}}},
      {"%Fe", {{"%FE", SpecExtension, ExtUnchanged, 0}}},
      {"%Feu", {{"%FEU", SpecExtension, ExtUpper, 0}}},
      {"%FEl", {{"%FEL", SpecExtension, ExtLower, 0}}},
      {"%FEUx", {{"%FEU", SpecExtension, ExtUpper, 0}, {"x", SpecStraightText, 0, 0}}},
      {"%FEX", {{"%FE", SpecExtension, ExtUnchanged, 0}, {"X", SpecStraightText, 0, 0}}},
      {"plain", {{"plain", SpecStraightText, 0, 0}}},
  };
  for (const auto& c : cases) {
    CMaskData m;
    std::string message;
    EXPECT_TRUE(m.ParseMask(c.mask, message, ReportQuiet)) << c.mask << ": " << message;
    ExpectElements(ElementsOf(m), c.elements, c.mask);
  }
}

TEST(ParseMask, CounterResetIsARemarkNotAnError) {
  CMaskData m;
  std::string message;
  ASSERT_TRUE(m.ParseMask("%C_%C3", message, ReportQuiet));
  EXPECT_EQ(m.Specs[0].SpecError, "Invalid Length for Picture Counter !!!  Reset to Default Value (8)");
  EXPECT_EQ(m.Specs[2].SpecError, "");
}

TEST(ParseMask, RefusedMasksGiveTheirMessage) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "Unfinished Mask Found: "},
      {"abc%", "Unfinished Mask Found: abc%"},
      {"abc%L", "Unfinished Left File Mask Found: %L"},
      {"%R", "Unfinished Right File Mask Found: %R"},
      {"%L0", "Invalid Left File Mask Length Found: %L0"},
      {"%R0x", "Invalid Right File Mask Length Found: %R0"},
      {"%Lx", "Missing Left File Mask Length: %Lx"},
      {"%R-1", "Missing Right File Mask Length: %R-"},
      {"%EX", "Invalid Exif Date and Time Mask Found: %EX"},
      {"a%E", "Invalid Exif Date and Time Mask Found: %E"},
      {"%Wq", "Invalid File Date and Time mask Found: %Wq"},
      {"%DTX", "Unfinished Abbreviated Date and Time Mask Found: %DTX"},
      {"%DT1_%DT1", "Invalid Mask Letter Found: %D"},
      {"%%", "Invalid Mask Letter Found: %%"},
      {"%fe", "Invalid Mask Letter Found: %f"},
      {"%c", "Invalid Mask Letter Found: %c"},
  };
  for (const auto& [mask, expected] : cases) {
    CMaskData m;
    std::string message;
    test::ScriptedPrompts prompts;
    EXPECT_FALSE(m.ParseMask(mask, message, ReportQuiet, &prompts)) << mask;
    EXPECT_EQ(message, expected + kUnable) << mask;
    EXPECT_EQ(prompts.beeps, 1) << mask;
    EXPECT_TRUE(prompts.messages.empty()) << mask;  // quiet: the caller shows the message
  }
}

TEST(ParseMask, BoxModeShowsTheWarningAndParseForgetsUserValues) {
  CMaskData m;
  std::string message;
  ASSERT_TRUE(m.ParseMask("%K", message, ReportBox));
  m.Specs[0].UserValue = "Sea";
  m.Specs[0].KeepUserValue = true;
  test::ScriptedPrompts prompts;
  EXPECT_FALSE(m.ParseMask("%Q", message, ReportBox, &prompts));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0], message);
  ASSERT_TRUE(m.ParseMask("%K", message, ReportBox));
  EXPECT_EQ(m.Specs[0].UserValue, "");
  EXPECT_FALSE(m.Specs[0].KeepUserValue);
}

TEST(ParseMask, NeverHoldsMoreThanFiftyElements) {
  std::string fifty;
  for (int i = 0; i < 25; ++i) fifty += "%Y-";
  CMaskData m;
  std::string message;
  ASSERT_TRUE(m.ParseMask(fifty, message, ReportQuiet)) << message;
  EXPECT_EQ(m.SpecCount, 50);
  EXPECT_FALSE(m.EnsureExtensionSpec());  // no room: refused, not written past the end
  EXPECT_EQ(m.SpecCount, 50);

  EXPECT_FALSE(m.ParseMask(fifty + "%Y", message, ReportQuiet));
  EXPECT_EQ(message, "Too Many Specifications in Mask (Maximum 50): " + fifty + "%Y" + kUnable);
  EXPECT_LE(m.SpecCount, 50);
  EXPECT_FALSE(m.SetSpec(50, "x", SpecStraightText, 0, 0));
}

TEST(MaskCatalogue, FiftyThreeRowsInOrder) {
  auto rows = MaskCatalogue(*MakeLocalTime(2021, 6, 5, 14, 3, 9));
  ASSERT_EQ(rows.size(), 53u);
  EXPECT_EQ(rows[10].sample, "2021-06-05 14-03-09");
  EXPECT_EQ(rows[14].scope, "Year Mask");
  EXPECT_EQ(rows[14].format, "%y");
  EXPECT_EQ(rows[16].description, "Year without Century (as a two-digits number) using File Data (if Available)");
  EXPECT_EQ(rows[19].description, "Year with Century (as a four-digits number) using File Data");
  EXPECT_EQ(rows[20].format, "%b");
  EXPECT_EQ(rows[21].sample, "Jun");
  EXPECT_EQ(rows[49].format, "%WS");
  EXPECT_EQ(rows[51].sample, " ");
  EXPECT_EQ(rows[52].format, "%FEL");
  EXPECT_EQ(rows[1].scope, "    ''");
}

TEST(MaskCli, PrintsElementsOrRefuses) {
  auto ok = test::RunCli({"mask", "%Y-%m-%d %H-%M-%S"});
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
  auto lines = test::Lines(ok.out);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "1\t%Y\tTime Mask\tExif Time (if available) or Windows File Time\t\t");
  EXPECT_EQ(lines[5], "6\tSP\tStraight Text\tNot Appplicable\t\t");

  auto counter = test::RunCli({"mask", "%C"});
  EXPECT_EQ(test::Lines(counter.out)[0],
            "1\t%C\tPicture Counter\tNot Appplicable\tLength of Picture Counter String: 8\t"
            "Invalid Length for Picture Counter !!!  Reset to Default Value (8)");

  auto refused = test::RunCli({"mask", "abc%L"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_NE(refused.err.find("Unfinished Left File Mask Found: %L ... Unable to Apply Renaming Mask !!!"),
            std::string::npos);

  EXPECT_EQ(test::RunCli({"mask"}).exitCode, 2);
  auto catalogue = test::RunCli({"catalogue"});
  EXPECT_EQ(test::Lines(catalogue.out).size(), 53u);
}

}  // namespace
}  // namespace lx
