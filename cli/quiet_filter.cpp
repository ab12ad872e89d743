#include "quiet_filter.h"

namespace lx::cli {

bool IsWarningOrError(const std::string& logLine) {
  static const char* const kMarks[] = {"Error", "ERROR",  "Unable",  "Fail",    "Cannot",  "Can Not", "Not ",
                                       "!!!",   "Denied", "Damaged", "Invalid", "Refused", "Warning"};
  for (const char* mark : kMarks)
    if (logLine.find(mark) != std::string::npos) return true;
  return false;
}

}  // namespace lx::cli
