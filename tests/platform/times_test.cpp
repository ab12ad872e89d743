#include <gtest/gtest.h>

#include "platform/system_error.h"
#include "platform/times.h"
#include "temp_dir.h"

namespace lx {
namespace {

// The test main runs in Europe/Paris: summer time starts 2024-03-31 at 02:00
// (clocks jump to 03:00) and ends 2024-10-27 at 03:00 (clocks go back to 02:00).
TEST(DateText, RoundTripsOnBothSidesOfDaylightSavingChanges) {
  const char* texts[] = {
      "31-03-2024 01-59-59", "31-03-2024 03-00-00", "30-03-2024 12-00-00", "01-04-2024 12-00-00", "27-10-2024 01-30-00",
      "27-10-2024 03-30-00", "26-10-2024 12-00-00", "28-10-2024 12-00-00", "01-01-2000 00-00-00", "29-02-2024 23-59-59",
  };
  for (const char* text : texts) {
    auto t = ParseDateText(text);
    ASSERT_TRUE(t) << text;
    EXPECT_EQ(FormatDateText(*t), text);
  }
}

TEST(DateText, KnowsTheOffsetOnEachSide) {
  // 12:00 local is 11:00 UTC in winter and 10:00 UTC in summer.
  EXPECT_EQ(*ParseDateText("30-03-2024 12-00-00"), 1711796400);
  EXPECT_EQ(*ParseDateText("01-04-2024 12-00-00"), 1711965600);
  // Across the change the difference of two noons is a day minus the lost hour.
  EXPECT_EQ(*ParseDateText("01-04-2024 12-00-00") - *ParseDateText("31-03-2024 00-00-00"), 35 * 3600);
}

TEST(DateText, AMissingLocalHourIsNormalisedNotRefused) {
  // 02:30 does not exist on 31 March 2024 in Paris; the C library moves it forward.
  auto t = ParseDateText("31-03-2024 02-30-00");
  ASSERT_TRUE(t);
  EXPECT_EQ(FormatDateText(*t), "31-03-2024 03-30-00");
}

TEST(DateText, RefusesTextsNotInTheLayout) {
  const char* bad[] = {"",
                       "Exif Date Not Available",
                       "2024-03-31 12-00-00",
                       "31-13-2024 12-00-00",
                       "31-03-2024 24-00-00",
                       "31/03/2024 12:00:00",
                       "31-03-2024 12-00-0x",
                       "00-03-2024 12-00-00"};
  for (const char* text : bad) EXPECT_FALSE(ParseDateText(text)) << text;
}

TEST(LocalTime, FieldsComeBackAsGiven) {
  auto t = MakeLocalTime(2021, 6, 5, 14, 3, 9);
  ASSERT_TRUE(t);
  auto f = ToLocal(*t);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->year, 2021);
  EXPECT_EQ(f->month, 6);
  EXPECT_EQ(f->day, 5);
  EXPECT_EQ(f->hour, 14);
  EXPECT_EQ(f->minute, 3);
  EXPECT_EQ(f->second, 9);
  EXPECT_EQ(f->weekday, 6);  // a Saturday
  EXPECT_STREQ(MonthAbbreviation(3), "Mar");
  EXPECT_STREQ(MonthAbbreviation(12), "Dec");
}

TEST(LocalTime, FollowsTheTimeZoneOfTheProcess) {
  test::ScopedEnv tz("TZ", "UTC");
  EXPECT_EQ(FormatDateText(0), "01-01-1970 00-00-00");
  EXPECT_EQ(*MakeLocalTime(2000, 1, 1, 0, 0, 0), 946684800);
}

TEST(SystemError, UsesTheSystemsText) {
  EXPECT_EQ(FormatSystemError(2), " - Error: 2 - Reason: No such file or directory");
  EXPECT_FALSE(SystemErrorText(9999).empty());
}

}  // namespace
}  // namespace lx
