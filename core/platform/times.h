// Local time handling. Times are 64-bit seconds since 1970 UTC broken down in
// the process's local time zone (tests set TZ). Construction from fields asks
// the C library to decide daylight saving itself (tm_isdst = -1).
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace lx {

using TimeT = std::int64_t;

struct LocalFields {
  int year = 1970, month = 1, day = 1;  // month 1-12, day 1-31
  int hour = 0, minute = 0, second = 0;
  int weekday = 4;  // 0 = Sunday
};

// The fields of a broken-down C time and back (daylight saving left to the C library).
LocalFields FieldsOfTm(const std::tm& tm);
std::tm TmOfFields(const LocalFields& fields);

// Broken-down local time; nullopt when the C library cannot convert the value.
std::optional<LocalFields> ToLocal(TimeT t);

// Local time from fields with daylight saving left to the C library;
// nullopt when the fields do not name a representable time.
std::optional<TimeT> MakeLocalTime(int year, int month, int day, int hour, int minute, int second);

// "dd-mm-yyyy hh-mm-ss" of local time: the layout of dates in lists and grids.
std::string FormatDateText(TimeT t);

// Reads "dd-mm-yyyy hh-mm-ss" back into a time; nullopt when the text is not in that layout.
std::optional<TimeT> ParseDateText(std::string_view text);

// The month's three-letter English name, 1-12.
const char* MonthAbbreviation(int month);

TimeT NowSeconds();

}  // namespace lx
