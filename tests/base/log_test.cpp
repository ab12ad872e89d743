#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "base/log.h"

namespace lx {
namespace {

// True when line is "DD/Mon/YYYY HH:MM:SS: " and then text: in the shape, '0'
// stands for a digit, 'A' for an upper-case and 'a' for a lower-case letter.
// (std::regex would do, but GCC 12 warns inside <regex> in the sanitizer build.)
bool HasLogShape(const std::string& line, const std::string& text) {
  const std::string shape = "00/Aaa/0000 00:00:00: ";
  if (line.size() != shape.size() + text.size() || line.compare(shape.size(), std::string::npos, text) != 0)
    return false;
  for (size_t i = 0; i < shape.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    const bool fits = shape[i] == '0'   ? std::isdigit(c) != 0
                      : shape[i] == 'A' ? std::isupper(c) != 0
                      : shape[i] == 'a' ? std::islower(c) != 0
                                        : line[i] == shape[i];
    if (!fits) return false;
  }
  return true;
}

TEST(LogLine, HasTheProgramsLayout) {
  LocalFields when;
  when.year = 2024;
  when.month = 3;
  when.day = 1;
  when.hour = 7;
  when.minute = 5;
  when.second = 3;
  EXPECT_EQ(FormatLogLine(when, "Reading Directory"), "01/Mar/2024 07:05:03: Reading Directory");
  when.month = 12;
  when.day = 31;
  when.hour = 23;
  EXPECT_EQ(FormatLogLine(when, ""), "31/Dec/2024 23:05:03: ");
}

TEST(LogMessage, ReachesEveryAttachedSinkInOrderAndNothingAfterDetach) {
  CapturingLogSink first, second;
  {
    ScopedLogSink a(first);
    ScopedLogSink b(second);
    LogMessage("one");
    LogFormat("%d File%sFound in %d msec. ...", 2, "s ", 35);
  }
  LogMessage("dropped: no sink attached");
  ASSERT_EQ(first.Lines().size(), 2u);
  EXPECT_EQ(second.Lines(), first.Lines());
  EXPECT_EQ(first.Texts()[0], "one");
  EXPECT_EQ(first.Texts()[1], "2 Files Found in 35 msec. ...");
  EXPECT_TRUE(HasLogShape(first.Lines()[0], "one"));
  EXPECT_FALSE(HasLogShape("1/Mar/2024 07:05:03: one", "one"));
}

}  // namespace
}  // namespace lx
