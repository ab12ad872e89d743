// Which file on disk a row of the rename list stands for: the photo under its
// listed name in the source folder, or else its new name in the rename
// folder (where a backup or target rename put it).
#pragma once

#include <string>

namespace lx {

// Folders end with "/". Empty when neither is a regular file.
std::string LocateRowFile(const std::string& sourceFolder, const std::string& fileName, const std::string& renameFolder,
                          const std::string& newName);

}  // namespace lx
