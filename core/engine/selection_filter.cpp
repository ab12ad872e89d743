#include "engine/selection_filter.h"

#include "photo/defaults.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lx {

std::string SelectionFilterOrDefault(const std::string& stored) {
  return stored.empty() ? kDefaultSelectionFilter : stored;
}

int SelectionFilter::SetText(const std::string& text, bool caseSensitive) {
  text_ = text;
  caseSensitive_ = caseSensitive;
  patterns_.clear();
  if (text.empty()) {
    patterns_.push_back("*.*");
    return 1;
  }
  std::string work = Trim(text);
  if (work.empty() || work.back() != ';') work += ';';
  size_t start = 0;
  for (size_t semi = work.find(';'); semi != std::string::npos; semi = work.find(';', start)) {
    std::string pattern = Trim(std::string_view(work).substr(start, semi - start));
    patterns_.push_back(caseSensitive ? pattern : ToUpperAscii(pattern));
    start = semi + 1;
  }
  return static_cast<int>(patterns_.size());
}

bool SelectionFilter::Matches(std::string_view path) const {
  std::string name = FileNameOf(path);
  if (name.size() > 260) name.resize(260);
  std::string tested = caseSensitive_ ? name : ToUpperAscii(name);
  for (const auto& pattern : patterns_)
    if (WildcardMatch(tested, pattern)) return true;
  return false;
}

bool WildcardMatch(std::string_view name, std::string_view pattern) {
  // Iterative matcher with one backtrack point: linear in practice, never recursive.
  size_t n = 0, p = 0;
  size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace lx
