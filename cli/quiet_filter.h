// What --quiet keeps of the log: the lines that report a warning or an
// error. The program's texts say so in their words ("Error", "Unable",
// "Failed", "Not Updated", "!!!" ...), so the line's text decides.
#pragma once

#include <string>

namespace lx::cli {

bool IsWarningOrError(const std::string& logLine);

}  // namespace lx::cli
