// The file operations of a rename run for one list row, by rename type:
//   0 SimpleRename        rename in the source folder
//   1 BackupRename        copy into the backup folder, then rename in the source folder
//   2 TargetRename        copy under the new name into the target folder
//   3 TargetRenameDelete  copy under the new name into the target folder, then delete the source
// Nothing here ever replaces an existing file.
#pragma once

#include <string>

#include "photo/rename_list_row.h"

namespace lx {

class CLorvexandrinEngine;
class Prompts;

// Renames without ever replacing a file; on failure logs the two error lines,
// beeps and returns false.
bool RenameFileOnDisk(const std::string& from, const std::string& to, Prompts& prompts);

// The log line of a successful rename of a row (with its counter when it has one).
void LogFileOperation(const CRenameFileData& row, const std::string& from, const std::string& to);

// The path itself when nothing has that name, else its " - Copy" variant
// ("a/b.jpg" -> "a/b - Copy.jpg"). Only one step is tried.
std::string FreeCopyName(const std::string& path);

class RenameExecutor {
 public:
  // fileTimeChange: "FileTimeChange"; filePathDisplayType: "FilePathDisplayType".
  RenameExecutor(CLorvexandrinEngine& engine, Prompts& prompts, int fileTimeChange, int filePathDisplayType);

  // Renames one row by the engine's rename type; returns the run's renamed
  // count after the row. sourcePath and renamePath end with "/".
  int RenameListedFile(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath);

  int RenamedCount() const { return renamedCount_; }
  void ResetCount() { renamedCount_ = 0; }

 private:
  void SimpleRenameRow(RenameListRow& row, const std::string& sourcePath);
  void BackupRenameRow(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath);
  void TargetRenameRow(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath,
                       bool deleteSource);
  // The row's file is now sourceFile -> newFile in the source folder.
  void TakeNewSourceName(RenameListRow& row, const std::string& newFile);
  void UpdateTimes(const std::string& path, const RenameListRow& row);
  void SaveCounterOf(const RenameListRow& row);

  CLorvexandrinEngine& engine_;
  Prompts& prompts_;
  int fileTimeChange_;
  int filePathDisplayType_;
  int renamedCount_ = 0;
};

}  // namespace lx
