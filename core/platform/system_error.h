// The system's text for an error number, and the program's " - Error: %d - Reason: %s" piece.
#pragma once

#include <string>

namespace lx {

std::string SystemErrorText(int error);

// " - Error: 17 - Reason: File exists"
std::string FormatSystemError(int error);

}  // namespace lx
