#include <gtest/gtest.h>

#include "base/rich_text.h"

namespace lx {
namespace {

const char* kDeleteRequest =
    "{\\f1\\cb5\\cf5\\b Request to Delete File } \\par\\par File Path: {\\b /photos/a\\\\b\\{1\\}.jpg} "
    "\\par \\par {\\f1 \\b Please Confirm that you want to Delete this File} \\par\\par\\par}";

TEST(RichText, PlainTextKeepsTheWordsAndTheParagraphs) {
  std::string text = RtfToPlainText(BuildRtfDocument(kDeleteRequest));
  EXPECT_EQ(text,
            "Request to Delete File\n\nFile Path: /photos/a\\b{1}.jpg\n\nPlease Confirm that you want to Delete this "
            "File\n");
}

TEST(RichText, HtmlShowsBoldColoursAndEscapes) {
  std::string html = RtfToHtml(BuildRtfDocument("{\\cf5\\b Error <1>} \\par plain & {\\cf2 blue}"));
  EXPECT_NE(html.find("font-weight:bold;color:#ff0000;\">Error &lt;1&gt;"), std::string::npos) << html;
  EXPECT_NE(html.find("<br>"), std::string::npos);
  EXPECT_NE(html.find("plain &amp; "), std::string::npos);
  EXPECT_NE(html.find("color:#0000ff;\">blue"), std::string::npos);
  EXPECT_EQ(html.find("colortbl"), std::string::npos);
  EXPECT_EQ(html.find("red255"), std::string::npos);
}

TEST(RichText, TabsFontSizesAndBrokenInputAreHandled) {
  EXPECT_EQ(RtfToPlainText("{\\f1 \\b \t \t OR }"), "\t \t OR\n");
  EXPECT_NE(RtfToHtml("{\\fs18 small}").find("font-size:9pt"), std::string::npos);
  // Not RTF at all, or cut in the middle: shown as text, never a crash.
  EXPECT_EQ(RtfToPlainText("just text"), "just text\n");
  EXPECT_EQ(RtfToPlainText("{\\b unclosed \\"), "unclosed\n");
  EXPECT_EQ(RtfToPlainText("}}} {{{"), "\n");
  EXPECT_EQ(RtfEscape("C:\\a{b}"), "C:\\\\a\\{b\\}");
}

}  // namespace
}  // namespace lx
