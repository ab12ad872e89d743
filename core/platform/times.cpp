#include "platform/times.h"

#include <cerrno>
#include <cstdio>

#include "platform/text.h"

namespace lx {

LocalFields FieldsOfTm(const std::tm& tm) {
  LocalFields f;
  f.year = tm.tm_year + 1900;
  f.month = tm.tm_mon + 1;
  f.day = tm.tm_mday;
  f.hour = tm.tm_hour;
  f.minute = tm.tm_min;
  f.second = tm.tm_sec;
  f.weekday = tm.tm_wday;
  return f;
}

std::tm TmOfFields(const LocalFields& fields) {
  std::tm tm{};
  tm.tm_year = fields.year - 1900;
  tm.tm_mon = fields.month - 1;
  tm.tm_mday = fields.day;
  tm.tm_hour = fields.hour;
  tm.tm_min = fields.minute;
  tm.tm_sec = fields.second;
  tm.tm_wday = fields.weekday;
  tm.tm_isdst = -1;
  return tm;
}

std::optional<LocalFields> ToLocal(TimeT t) {
  time_t value = static_cast<time_t>(t);
  std::tm tm{};
  if (!localtime_r(&value, &tm)) return std::nullopt;
  return FieldsOfTm(tm);
}

std::optional<TimeT> MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  errno = 0;
  time_t t = mktime(&tm);
  if (t == static_cast<time_t>(-1) && errno != 0) return std::nullopt;
  return static_cast<TimeT>(t);
}

std::string FormatDateText(TimeT t) {
  auto f = ToLocal(t);
  if (!f) return {};
  return StrFormat("%2.2d-%2.2d-%4.4d %2.2d-%2.2d-%2.2d", f->day, f->month, f->year, f->hour, f->minute, f->second);
}

std::optional<TimeT> ParseDateText(std::string_view text) {
  if (text.size() != 19) return std::nullopt;
  static const char layout[] = "dd-mm-yyyy hh-mm-ss";
  for (size_t i = 0; i < text.size(); ++i) {
    char expected = layout[i];
    char c = text[i];
    bool digitPlace = expected != '-' && expected != ' ';
    if (digitPlace ? (c < '0' || c > '9') : c != expected) return std::nullopt;
  }
  auto number = [&](size_t at, size_t len) {
    int v = 0;
    for (size_t i = at; i < at + len; ++i) v = v * 10 + (text[i] - '0');
    return v;
  };
  int day = number(0, 2), month = number(3, 2), year = number(6, 4);
  int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return MakeLocalTime(year, month, day, hour, minute, second);
}

const char* MonthAbbreviation(int month) {
  static const char* const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return (month >= 1 && month <= 12) ? names[month - 1] : "???";
}

TimeT NowSeconds() { return static_cast<TimeT>(std::time(nullptr)); }

}  // namespace lx
