#include "platform/system_error.h"

#include <cstring>

#include "platform/text.h"

namespace lx {

std::string SystemErrorText(int error) {
  char buffer[256];
  // GNU strerror_r returns the text, which may or may not live in the buffer.
  const char* text = strerror_r(error, buffer, sizeof buffer);
  return text ? std::string(text) : std::string();
}

std::string FormatSystemError(int error) {
  return StrFormat(" - Error: %d - Reason: %s", error, SystemErrorText(error).c_str());
}

}  // namespace lx
