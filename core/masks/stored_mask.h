// The renaming mask as the settings hand it to the rename view: an empty or
// "Undefined" mask becomes the standard mask, and the mask an old release
// stored with the hour in place of the minutes is mended.
#pragma once

#include <string>

namespace lx {

std::string RepairStoredMask(const std::string& stored);

}  // namespace lx
