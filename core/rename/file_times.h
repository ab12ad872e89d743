// Setting a renamed file's times from the time its photo was taken.
#pragma once

#include <string>

#include "photo/rename_file_data.h"

namespace lx {

class Prompts;

// Which times a rename run writes ("FileTimeChange").
enum FileTimeMode : int {
  FileTimeUnchanged = 0,
  FileTimeCreation = 1,
  FileTimeModification = 2,
  FileTimeAll = 3,
};

// The row's Exif date as the list shows it: "dd-mm-yyyy hh-mm-ss" or "Exif Date Not Available".
std::string ExifDateColumnText(const CRenameFileData& row);

// Sets the times of the file at path (its present name) from the row's Exif
// date, as mode says, and logs what was done. The last access time is always
// set with the chosen time. Linux cannot set a creation time: that part is
// logged as not done. False only when the row has no Exif date.
bool UpdateFileTimeStatus(const std::string& path, const CRenameFileData& row, int mode, Prompts& prompts);

}  // namespace lx
