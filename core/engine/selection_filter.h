// The files selection filter: ";"-separated wildcard patterns such as
// "*.jpg; *.CR2". Matching is on the file name with its extension, upper-cased
// on both sides unless the filter is case-sensitive. A plain value: the folder
// watch works on its own copy, so changing the filter never races with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lx {

class SelectionFilter {
 public:
  // Parses the text into patterns; returns the number of patterns.
  int SetText(const std::string& text, bool caseSensitive);

  const std::string& Text() const { return text_; }
  bool CaseSensitive() const { return caseSensitive_; }
  const std::vector<std::string>& Patterns() const { return patterns_; }

  // True when the path's file name (no folder) matches one of the patterns.
  bool Matches(std::string_view path) const;

 private:
  std::string text_;
  bool caseSensitive_ = false;
  std::vector<std::string> patterns_;  // every pattern is kept, however many there are
};

// The filter a start uses: the stored text, or "*.jpg" when none was stored.
std::string SelectionFilterOrDefault(const std::string& stored);

// '*' any run (also empty), '?' one character, anything else itself, byte for byte.
bool WildcardMatch(std::string_view name, std::string_view pattern);

}  // namespace lx
