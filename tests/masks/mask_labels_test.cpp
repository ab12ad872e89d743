#include <gtest/gtest.h>

#include "masks/mask_data.h"
#include "masks/mask_labels.h"

namespace lx {
namespace {

TEST(MaskTexts, LabelsAndBlankRule) {
  EXPECT_EQ(SpecTypeName(SpecExtension), "File Extention processing");
  EXPECT_EQ(SpecTypeName(99), "Unknown Type !!! ");
  EXPECT_EQ(SpecSubTypeLabel(SpecTime, TimeExifOnly), "Exif Time (if available)");
  EXPECT_EQ(SpecSubTypeLabel(SpecExtension, ExtLower), "Turn Extention Lower case");
  EXPECT_EQ(SpecSubTypeLabel(SpecStraightText, 0), "Not Appplicable");
  EXPECT_EQ(AdditionalDataLabel(SpecRightOfName, 3), "Number of Character from End: 3");
  EXPECT_EQ(AdditionalDataLabel(SpecStraightText, 0), "");
  EXPECT_EQ(BlankRuleText("   "), "SPSPSP");
  EXPECT_EQ(BlankRuleText("      "), "      ");
  EXPECT_EQ(BlankRuleText(" a "), " a ");
  EXPECT_EQ(BlankRuleText(""), "");
}

}  // namespace
}  // namespace lx
