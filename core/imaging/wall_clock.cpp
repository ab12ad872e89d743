#include "imaging/wall_clock.h"

#include <ctime>

#include "platform/text.h"

namespace lx {

namespace {

// The decimal number at the start of text[at, at+len); 0 when it does not start with a digit.
int LeadingNumber(std::string_view text, size_t at, size_t len) {
  int value = 0;
  for (size_t i = at; i < at + len && i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool AllDigits(std::string_view text, size_t at, size_t len) {
  if (at + len > text.size()) return false;
  for (size_t i = at; i < at + len; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
  return kDays[month - 1];
}

bool InRange(const LocalFields& f) {
  return f.year >= 1 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
         f.day <= DaysInMonth(f.year, f.month) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 && f.minute <= 59 &&
         f.second >= 0 && f.second <= 60;
}

}  // namespace

LocalFields WithWeekday(LocalFields f) {
  // Days from 1970-01-01 of a civil date (H. Hinnant's algorithm); that day was a Thursday.
  int y = f.year - (f.month <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153L * (f.month + (f.month > 2 ? -3 : 9)) + 2) / 5 + f.day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days = era * 146097 + doe - 719468;
  f.weekday = static_cast<int>(((days % 7) + 11) % 7);
  return f;
}

std::optional<LocalFields> ParseExifDateFields(std::string_view text) {
  LocalFields f;
  f.year = LeadingNumber(text, 0, 4);
  f.month = LeadingNumber(text, 5, 2);
  f.day = LeadingNumber(text, 8, 2);
  f.hour = LeadingNumber(text, 11, 2);
  f.minute = LeadingNumber(text, 14, 2);
  f.second = LeadingNumber(text, 17, 2);
  if (f.year == 0 || f.month == 0 || f.day == 0 || !InRange(f)) return std::nullopt;
  return WithWeekday(f);
}

std::optional<LocalFields> ParseXmpDateFields(std::string_view text) {
  LocalFields f;
  f.month = f.day = 1;
  f.hour = f.minute = f.second = 0;
  if (!AllDigits(text, 0, 4)) return std::nullopt;
  f.year = LeadingNumber(text, 0, 4);
  if (text.size() > 4) {
    if (text[4] != '-' || !AllDigits(text, 5, 2)) return std::nullopt;
    f.month = LeadingNumber(text, 5, 2);
  }
  if (text.size() > 7) {
    if (text[7] != '-' || !AllDigits(text, 8, 2)) return std::nullopt;
    f.day = LeadingNumber(text, 8, 2);
  }
  if (text.size() > 10) {
    if (text[10] != 'T' || !AllDigits(text, 11, 2) || text.size() < 16 || text[13] != ':' || !AllDigits(text, 14, 2))
      return std::nullopt;
    f.hour = LeadingNumber(text, 11, 2);
    f.minute = LeadingNumber(text, 14, 2);
    if (text.size() > 16 && text[16] == ':') {
      if (!AllDigits(text, 17, 2)) return std::nullopt;
      f.second = LeadingNumber(text, 17, 2);
    }
  }
  if (f.year == 0 || !InRange(f)) return std::nullopt;
  return WithWeekday(f);
}

std::optional<LocalFields> UtcToLocalFields(TimeT utc) {
  const time_t value = static_cast<time_t>(utc);
  std::tm tm{};
  if (static_cast<TimeT>(value) != utc || !localtime_r(&value, &tm)) return std::nullopt;
  return FieldsOfTm(tm);
}

std::optional<LocalFields> UtcFields(TimeT utc) {
  const time_t value = static_cast<time_t>(utc);
  std::tm tm{};
  if (static_cast<TimeT>(value) != utc || !gmtime_r(&value, &tm)) return std::nullopt;
  return FieldsOfTm(tm);
}

std::string FormatFieldsText(const LocalFields& f) {
  return StrFormat("%2.2d-%2.2d-%4.4d %2.2d-%2.2d-%2.2d", f.day, f.month, f.year, f.hour, f.minute, f.second);
}

}  // namespace lx
