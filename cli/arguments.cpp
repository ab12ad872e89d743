#include "arguments.h"

#include <cerrno>
#include <cstdlib>

#include "platform/text.h"

namespace lx::cli {

bool ArgList::Parse(const std::set<std::string>& valueOptions, const std::set<std::string>& flagOptions,
                    std::string& error) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args_.size(); ++i) {
    const std::string& arg = args_[i];
    if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      if (!optionsEnded && arg == "--") {
        optionsEnded = true;
        continue;
      }
      positionals_.push_back(arg);
      continue;
    }
    std::string name = arg.substr(2);
    std::optional<std::string> inlineValue;
    if (size_t eq = name.find('='); eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    if (valueOptions.count(name)) {
      if (inlineValue) {
        values_[name] = *inlineValue;
      } else if (i + 1 < args_.size()) {
        values_[name] = args_[++i];
      } else {
        error = "option --" + name + " needs a value";
        return false;
      }
    } else if (flagOptions.count(name) && !inlineValue) {
      flags_.insert(name);
    } else {
      error = "unknown option --" + name;
      return false;
    }
  }
  return true;
}

std::optional<std::string> ArgList::Value(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool ParseInt(const std::string& text, long long minimum, long long maximum, long long& value) {
  if (text.empty()) return false;
  size_t start = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (start == text.size()) return false;
  for (size_t i = start; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  errno = 0;
  long long v = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || v < minimum || v > maximum) return false;
  value = v;
  return true;
}

bool ParseIndexList(const std::string& text, std::vector<int>& indices) {
  indices.clear();
  for (const auto& part : Split(text, ',')) {
    long long v = 0;
    if (!ParseInt(Trim(part), 0, 0x7FFFFFFF, v)) return false;
    indices.push_back(static_cast<int>(v));
  }
  return !indices.empty();
}

}  // namespace lx::cli
