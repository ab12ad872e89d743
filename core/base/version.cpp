#include "base/version.h"

#include "platform/text.h"

namespace lx {

#define LX_STR2(x) #x
#define LX_STR(x) LX_STR2(x)

const char* const kAppTitle = "Lorvexandrin " LX_STR(LX_VERSION_MAJOR) "." LX_STR(LX_VERSION_MINOR);
const char* const kFrameworkTitle = "Quorin Lorvexandrin";

unsigned ProgramVersionMajor() { return LX_VERSION_MAJOR; }
unsigned ProgramVersionMinor() { return LX_VERSION_MINOR; }
std::string ProgramBuildLetter() { return LX_BUILD_LETTER; }

std::string ProgramVersionText() {
  return StrFormat("%u.%u", ProgramVersionMajor(), ProgramVersionMinor()) + ProgramBuildLetter();
}

}  // namespace lx
