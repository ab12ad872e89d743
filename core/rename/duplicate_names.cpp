#include "rename/duplicate_names.h"

#include <sys/stat.h>

#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lx {

const std::vector<DuplicateSuffixEntry>& DuplicateSuffixMasks() {
  static const std::vector<DuplicateSuffixEntry> masks = {
      {"%d", "Simple Suffix Mask"},
      {"-%d", "Simple Suffix Mask (with Dash Separator)"},
      {" (%d)", "Simple Suffix Mask"},
      {"%01d", "Suffix Mask with 1 digit"},
      {"-%01d", "Suffix Mask with 1 digit (with Dash Separator)"},
      {" (%01d)", "Suffix Mask with 1 digit (into Parenthesis)"},
      {"%02d", "Suffix Mask with 2 digits (padded with 0)"},
      {"-%02d", "Suffix Mask with 2 digits (padded with 0 and with Dash Separator)"},
      {" (%02d)", "Suffix Mask with 2 digits (padded with 0 and into Parenthesis)"},
      {"%03d", "Suffix Mask with 3 digits (padded with 0)"},
      {"-%03d", "Suffix Mask with 3 digits (padded with 0 and with Dash Separator)"},
      {" (%03d)", "Suffix Mask with 3 digits (padded with 0 and into Parenthesis)"},
      {"%04d", "Suffix Mask with 4 digits (padded with 0)"},
      {"-%04d", "Suffix Mask with 4 digits (padded with 0 and with Dash Separator)"},
      {" (%04d)", "Suffix Mask with 4 digits (padded with 0 and into Parenthesis)"},
  };
  return masks;
}

int DuplicateSuffixIndex(const std::string& mask) {
  const auto& masks = DuplicateSuffixMasks();
  for (size_t i = 0; i < masks.size(); ++i)
    if (mask == masks[i].mask) return static_cast<int>(i);
  return -1;
}

std::string FormatDuplicateSuffix(const std::string& mask, int n) {
  if (DuplicateSuffixIndex(mask) < 0) return {};
  // Every known mask is "<prefix>%[0w]d<postfix>"; formatting it by hand keeps
  // a stored text from ever being used as a printf format.
  const size_t pct = mask.find('%');
  const size_t d = mask.find('d', pct);
  int width = 0;
  if (d > pct + 1) width = mask[d - 1] - '0';
  char number[32];
  std::snprintf(number, sizeof number, "%0*d", width, n);
  return mask.substr(0, pct) + number + mask.substr(d + 1);
}

bool SetDuplicateSuffix(std::string& suffixMask, const std::string& mask, Prompts* prompts) {
  if (DuplicateSuffixIndex(mask) < 0) {
    if (prompts) prompts->ShowMessage("Invalid Suffix Mask !!! Please Contact Quorin ...", kAppTitle);
    return false;
  }
  suffixMask = mask;
  return true;
}

void MarkDuplicates(std::vector<RenameListRow>& rows, const std::string& suffixMask, bool suffixIncludesRoot) {
  for (auto& row : rows) row.comments.clear();

  // Groups by the names as they were before any suffix, in list order: a
  // suffixed name is never compared again. Hashing keeps this linear on big folders.
  std::unordered_map<std::string_view, std::vector<size_t>> groups;
  groups.reserve(rows.size());
  std::vector<std::string> names;
  names.reserve(rows.size());
  for (const auto& row : rows) names.push_back(row.newNameText);
  for (size_t i = 0; i < rows.size(); ++i) groups[names[i]].push_back(i);

  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& group = groups[names[i]];
    if (group.size() < 2 || group.front() != i) continue;
    rows[i].comments = "Duplicate Root File Name";
    rows[i].data.StateFlags |= RowDuplicateRoot;
    for (size_t g = 1; g < group.size(); ++g) {
      rows[group[g]].comments = "Duplicate File Name";
      rows[group[g]].data.StateFlags |= RowDuplicate;
    }
    const size_t dupCount = group.size() - 1;
    LogFormat("%d Duplicate File Name%sfound for File %s ", static_cast<int>(dupCount), PluralS(dupCount),
              names[i].c_str());
    int n = 1;
    for (size_t g = suffixIncludesRoot ? 0 : 1; g < group.size(); ++g) {
      RenameListRow& row = rows[group[g]];
      const PathParts parts = SplitPath(row.data.NewName);
      row.data.NewName = parts.dir + parts.title + FormatDuplicateSuffix(suffixMask, n++) + parts.ext;
      row.newNameText = row.data.NewName;
    }
  }
}

void CheckTargetCollisions(std::vector<RenameListRow>& rows, int renameType, const std::string& renamePath) {
  if (renameType != TargetRename) return;
  const std::string folder = WithTrailingSlash(renamePath);
  for (auto& row : rows) {
    const std::string path = folder + row.newNameText;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) continue;
    const PathParts parts = SplitPath(path);
    row.newNameText = StrFormat("%s-Copy%s", parts.title.c_str(), parts.ext.c_str());
    row.comments += " Copy (File Already Exists)";
  }
}

}  // namespace lx
