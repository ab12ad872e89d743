#include <gtest/gtest.h>

#include <regex>

#include "base/log.h"

namespace lx {
namespace {

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
  EXPECT_TRUE(std::regex_match(first.Lines()[0], std::regex(R"(\d\d/[A-Z][a-z]{2}/\d{4} \d\d:\d\d:\d\d: one)")));
}

}  // namespace
}  // namespace lx
