// The program's names and version, taken from the build.
#pragma once

#include <string>

namespace lx {

extern const char* const kAppTitle;        // "Lorvexandrin 4.1": window titles and messages
extern const char* const kFrameworkTitle;  // "Quorin Lorvexandrin"

unsigned ProgramVersionMajor();
unsigned ProgramVersionMinor();
std::string ProgramBuildLetter();  // "" when the release has none
std::string ProgramVersionText();  // "4.1" plus the build letter

}  // namespace lx
