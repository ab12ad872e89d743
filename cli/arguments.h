// A small parser for a command's arguments: "--name value", "--name=value",
// flags, and positionals (anything else, including texts that start with a
// single "-" such as the suffix mask "-%03d"). "--" ends the options.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lx::cli {

class ArgList {
 public:
  explicit ArgList(std::vector<std::string> args) : args_(std::move(args)) {}

  // Returns false and sets error for an unknown option or a missing value.
  bool Parse(const std::set<std::string>& valueOptions, const std::set<std::string>& flagOptions, std::string& error);

  std::optional<std::string> Value(const std::string& name) const;
  bool Flag(const std::string& name) const { return flags_.count(name) != 0; }
  const std::vector<std::string>& Positionals() const { return positionals_; }

 private:
  std::vector<std::string> args_;
  std::map<std::string, std::string> values_;
  std::set<std::string> flags_;
  std::vector<std::string> positionals_;
};

// "1,3,7" -> {1, 3, 7}; false for anything that is not a list of whole numbers >= 0.
bool ParseIndexList(const std::string& text, std::vector<int>& indices);

// A whole decimal number that fits an int; false otherwise.
bool ParseInt(const std::string& text, long long minimum, long long maximum, long long& value);

}  // namespace lx::cli
