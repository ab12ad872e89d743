// Reading a source folder for the rename list: its file names in the order
// users expect, and the times of one file.
#pragma once

#include <string>
#include <vector>

#include "platform/times.h"

namespace lx {

// The names of the folder's regular files (a link counts as what it points
// to), sorted case-insensitively (ASCII) and then byte for byte, so the list
// and the picture counter follow the names, never the file system's own
// order. skipped, when given, receives the entries that are neither files
// nor folders (FIFOs, devices, sockets, dangling links). Our own partial
// copies are never listed. False when the folder cannot be read.
bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names,
                     std::vector<std::string>* skipped = nullptr);

// The name order used by ListFolderFiles.
bool FolderNameLess(const std::string& a, const std::string& b);

struct FileStatusTimes {
  TimeT creation = 0;  // birth time where the file system keeps one, else the modification time
  TimeT modification = 0;
  TimeT access = 0;
};

// False (all times 0) when the file's status cannot be read.
bool ReadFileStatusTimes(const std::string& path, FileStatusTimes& times);

// The list's file date as the user chose it ("FileDateSource"): the creation
// time by default, the modification time (1) for copies that lost their birth time.
TimeT FileDateOf(const FileStatusTimes& times, int fileDateSource);

}  // namespace lx
