// Equal new names in the rename list: marking, numbered suffixes, and names
// that already exist in the target folder.
#pragma once

#include <string>
#include <vector>

#include "photo/rename_list_row.h"

namespace lx {

class Prompts;

struct DuplicateSuffixEntry {
  const char* mask;
  const char* description;
};

// The 15 suffix masks in display order.
const std::vector<DuplicateSuffixEntry>& DuplicateSuffixMasks();

// The index of mask in the list, or -1 when it is not one of them (exact comparison).
int DuplicateSuffixIndex(const std::string& mask);

// The suffix for number n with one of the 15 masks ("-%03d", 7 -> "-007");
// empty for any other mask.
std::string FormatDuplicateSuffix(const std::string& mask, int n);

// Makes mask the duplicate suffix when it is one of the 15; otherwise shows
// "Invalid Suffix Mask !!! Please Contact Quorin ..." and keeps the current one.
bool SetDuplicateSuffix(std::string& suffixMask, const std::string& mask, Prompts* prompts);

// Marks rows whose new names are equal (byte for byte), logs one line per
// group and numbers the group in list order. suffixIncludesRoot: the first
// row of a group gets a suffix too.
void MarkDuplicates(std::vector<RenameListRow>& rows, const std::string& suffixMask, bool suffixIncludesRoot);

// For a target rename only: flags rows whose new name already exists in the
// rename path, showing title + "-Copy" + extension (NewName is kept).
void CheckTargetCollisions(std::vector<RenameListRow>& rows, int renameType, const std::string& renamePath);

}  // namespace lx
