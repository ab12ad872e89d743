#include "rename/duplicate_names.h"

#include <sys/stat.h>

#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "engine/engine.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "rename/name_check.h"
#include "rename/rename_executor.h"

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

void MarkDuplicates(std::vector<RenameListRow>& rows, const std::string& suffixMask, bool suffixIncludesRoot,
                    const std::function<bool(const std::string&)>& nameTaken) {
  for (auto& row : rows) row.comments.clear();

  // Groups by the names as they were before any suffix, in list order.
  // Hashing keeps this linear on big folders.
  std::unordered_map<std::string_view, std::vector<size_t>> groups;
  groups.reserve(rows.size());
  std::vector<std::string> names;
  names.reserve(rows.size());
  for (const auto& row : rows) names.push_back(row.newNameText);
  for (size_t i = 0; i < rows.size(); ++i) groups[names[i]].push_back(i);
  // Every name the list will give: a suffixed name must not land on one of them.
  std::unordered_set<std::string> given(names.begin(), names.end());

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
      std::string candidate;
      // The next number whose name no other row gives and no other file holds.
      for (;; ++n) {
        candidate = parts.dir + parts.title + FormatDuplicateSuffix(suffixMask, n) + parts.ext;
        if (!given.count(candidate) && !(nameTaken && nameTaken(candidate))) break;
      }
      ++n;
      given.insert(candidate);
      row.data.NewName = candidate;
      row.newNameText = candidate;
    }
  }
}

void CheckTargetCollisions(std::vector<RenameListRow>& rows, int renameType, const std::string& sourcePath,
                           const std::string& renamePath, std::vector<std::string>* refusals) {
  if (refusals) refusals->assign(rows.size(), std::string());
  const std::string source = WithTrailingSlash(sourcePath);
  const std::string target = WithTrailingSlash(renamePath);
  // Names that a rename of the list frees: taken now, free once their file moved on.
  std::unordered_set<std::string> freed;
  if (renameType == SimpleRename || renameType == BackupRename)
    for (const auto& row : rows)
      if (row.data.NewName != row.data.FileName) freed.insert(row.data.FileName);

  for (size_t i = 0; i < rows.size(); ++i) {
    RenameListRow& row = rows[i];
    auto note = [&row](const std::string& text) {
      if (!row.comments.empty()) row.comments += ' ';
      row.comments += text;
    };
    auto refuse = [&](const std::string& text) {
      note(text);
      if (refusals && (*refusals)[i].empty()) (*refusals)[i] = text;
    };
    if (const std::string problem = NewNameProblem(row.data.NewName, row.data.FileName); !problem.empty()) {
      refuse(InvalidNewNameText(row.data.NewName, problem));
      continue;
    }
    if (renameType == TargetRename || renameType == TargetRenameDelete) {
      // The same choice the copy makes: the name, else its " - Copy" form, else nothing.
      const std::string path = target + row.data.NewName;
      if (!PathExists(path)) continue;
      const std::string copy = FreeCopyName(path);
      if (PathExists(copy)) {
        refuse(StrFormat("'%s' and '%s' Already Exist ... File Will Not be Copied", row.data.NewName.c_str(),
                         FileNameOf(copy).c_str()));
      } else {
        row.newNameText = FileNameOf(copy);
        note("Copy (File Already Exists)");
      }
      continue;
    }
    if (renameType == BackupRename) {
      const std::string backup = target + row.data.FileName;
      if (PathExists(backup)) {
        const std::string copy = FreeCopyName(backup);
        if (PathExists(copy))
          refuse(StrFormat("Backup '%s' and '%s' Already Exist ... File Will Not be Renamed", row.data.FileName.c_str(),
                           FileNameOf(copy).c_str()));
        else
          note(StrFormat("Backup as '%s' (File Already Exists)", FileNameOf(copy).c_str()));
      }
    }
    if (row.data.NewName != row.data.FileName && !freed.count(row.data.NewName) &&
        PathExists(source + row.data.NewName))
      refuse("File Already Exists ... File Will Not be Renamed");
  }
}

}  // namespace lx
