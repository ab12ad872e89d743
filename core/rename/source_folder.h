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

// A folder with its sub-folders, as the rename list reads it when
// sub-folders are included. Paths are relative to the listed folder.
struct FolderTreeListing {
  struct File {
    std::string subFolder;  // "" for the listed folder itself, else "a/b/"
    std::string name;
  };
  // Folder by folder: a folder's own files first (in ListFolderFiles order),
  // then each of its sub-folders, in the same name order, depth first.
  std::vector<File> files;
  std::vector<std::string> skipped;        // entries that are neither files nor folders
  std::vector<std::string> linkedFolders;  // symbolic links to folders: never followed
  std::vector<std::string> unreadable;     // sub-folders that cannot be read ("a/b/"), left out
};

// Reads folder and its sub-folders down to maxDepth levels below it (-1: no
// limit, 0: the folder alone). False (nothing listed) when folder itself
// cannot be read.
bool ListFolderTree(const std::string& folder, int maxDepth, FolderTreeListing& listing);

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
