// Equal new names in the rename list: marking, numbered suffixes, and names
// that already exist in the target folder.
#pragma once

#include <functional>
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
// row of a group gets a suffix too. A number is skipped when its name is
// another row's new name, or when nameTaken (if given) says a file that is
// not in the list holds it.
void MarkDuplicates(std::vector<RenameListRow>& rows, const std::string& suffixMask, bool suffixIncludesRoot,
                    const std::function<bool(const std::string&)>& nameTaken = {});

// Says in the comment column what the run will do with each row, as the run
// will do it: an invalid new name (the row is not renamed); for the target
// types, the " - Copy" name the copy takes when the new name exists in the
// rename path (shown as the new name; NewName is kept), or that both are
// taken; for a backup, the backup copy's name when the backup name is taken;
// for the in-place types, a new name held by a file that no rename of the list frees.
// refusals, when given, gets one text per row: why the run will not rename
// it (the same words as its comment), empty for a row the run renames.
void CheckTargetCollisions(std::vector<RenameListRow>& rows, int renameType, const std::string& sourcePath,
                           const std::string& renamePath, std::vector<std::string>* refusals = nullptr);

}  // namespace lx
