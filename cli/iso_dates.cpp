#include "iso_dates.h"

#include <cstdio>
#include <ctime>

namespace lx::cli {

TableCell IsoLocalTime(TimeT t) {
  const std::time_t value = static_cast<std::time_t>(t);
  std::tm tm{};
  if (!localtime_r(&value, &tm)) return nullptr;
  char text[40];
  if (std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &tm) == 0) return nullptr;
  // strftime's "+0200" becomes ISO 8601's extended "+02:00".
  const std::string stamp = text;
  if (stamp.size() < 5) return nullptr;
  const size_t minutes = stamp.size() - 2;
  return stamp.substr(0, minutes) + ":" + stamp.substr(minutes);
}

TableCell IsoFromDateText(const std::string& text) {
  if (auto t = ParseDateText(text)) return IsoLocalTime(*t);
  int year, month, day, hour, minute, second;
  char tail;
  if (text.size() == 19 && std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &year, &month, &day, &hour, &minute,
                                       &second, &tail) == 6) {
    if (auto t = MakeLocalTime(year, month, day, hour, minute, second)) return IsoLocalTime(*t);
  }
  return nullptr;
}

}  // namespace lx::cli
