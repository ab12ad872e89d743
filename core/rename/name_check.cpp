#include "rename/name_check.h"

#include "platform/text.h"

namespace lx {

namespace {
constexpr size_t kMaxFileNameBytes = 255;  // NAME_MAX of Linux file systems
}

std::string NewNameProblem(const std::string& name, const std::string& currentName) {
  if (!name.empty() && name == currentName) return {};
  if (name.empty()) return "Empty Name";
  if (name.find('/') != std::string::npos) return "Name Holds a '/'";
  if (name.find('\0') != std::string::npos) return "Name Holds a NUL Character";
  if (name == "." || name == "..") return "Name is '.' or '..'";
  // A mask that gives no title makes ".jpg": a hidden file the user would lose sight of.
  if (name.front() == '.') return "Empty File Title";
  if (name.size() > kMaxFileNameBytes) return StrFormat("Name Longer than %zu Bytes", kMaxFileNameBytes);
  return {};
}

std::string InvalidNewNameText(const std::string& name, const std::string& problem) {
  std::string shown = name;
  for (char& c : shown)
    if (c == '\0') c = '?';
  return StrFormat("Invalid New File Name '%s' (%s) ... File Not Renamed", shown.c_str(), problem.c_str());
}

}  // namespace lx
