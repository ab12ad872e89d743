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
class RunJournal;

// Renames without ever replacing a file; on failure logs the two error lines,
// beeps and returns false.
bool RenameFileOnDisk(const std::string& from, const std::string& to, Prompts& prompts);

// The log line of a successful rename of a row (with its counter when it has one).
void LogFileOperation(const CRenameFileData& row, const std::string& from, const std::string& to);

// The path itself when nothing has that name, else its " - Copy" variant
// ("a/b.jpg" -> "a/b - Copy.jpg"). Only one step is tried: when both are
// taken the copy is refused (EEXIST), never written over either.
std::string FreeCopyName(const std::string& path);

class RenameExecutor {
 public:
  // fileTimeChange: "FileTimeChange"; filePathDisplayType: "FilePathDisplayType".
  RenameExecutor(CLorvexandrinEngine& engine, Prompts& prompts, int fileTimeChange, int filePathDisplayType);

  // Renames one row by the engine's rename type; returns the run's renamed
  // count after the row. sourcePath and renamePath end with "/". currentName,
  // when given, is where the file sits now in the source folder (a file moved
  // aside to break a cycle of renames); else the row's own name.
  int RenameListedFile(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath,
                       const std::string& currentName = {});

  // Every step is written to this journal before it is done, and marked done
  // after. Without one (tests of single steps) nothing is journaled.
  void SetJournal(RunJournal* journal) { journal_ = journal; }

  // Moves a file of a cycle to its parking name (finalPath: the name it is
  // to take later) or back; journaled. 0 when the file moved, else the system
  // error (ECANCELED when the journal could not record the step).
  int MoveAside(const std::string& from, const std::string& to, const std::string& finalPath);

  int RenamedCount() const { return renamedCount_; }
  // Rows that did not do what the list showed; each has its log line.
  int FailedCount() const { return failedCount_; }
  // True once the picture counter could not be stored: the run must stop
  // before the next file, or a later run would reuse the numbers.
  bool Stopped() const { return stopped_; }
  void ResetCount() {
    renamedCount_ = 0;
    failedCount_ = 0;
    stopped_ = false;
  }

 private:
  // Counts the row as failed; comment (when not empty) goes to its comment column.
  void FailRow(RenameListRow& row, const std::string& comment);
  // Refuses (logs, comments, counts) a row whose new name is not one plain file name.
  bool CheckNewName(RenameListRow& row);
  // Logs a failed copy with the system's reason and counts the row.
  void FailCopy(RenameListRow& row, const std::string& from, const std::string& to, int error);
  void SimpleRenameRow(RenameListRow& row, const std::string& sourcePath, const std::string& currentName);
  void BackupRenameRow(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath,
                       const std::string& currentName);
  void TargetRenameRow(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath,
                       bool deleteSource);
  // The row's file is now sourceFile -> newFile in the source folder.
  void TakeNewSourceName(RenameListRow& row, const std::string& newFile);
  void UpdateTimes(const std::string& path, const RenameListRow& row);
  // Stores the row's counter before the file that uses it changes, so a
  // crash leaves a gap, never a repeat. False (and the run stopped) when it
  // cannot be stored.
  bool SaveCounterOf(RenameListRow& row);
  // The one place a step is announced: its intent reaches the journal before
  // the step. Its number (0 without a journal), or -1 when the journal cannot
  // be written: then the row fails and the run stops, as a step done without
  // its record could never be taken back.
  int BeginStep(RenameListRow* row, const char* op, const std::string& from, const std::string& to, int counter,
                bool sync = false, const std::string& final = {});
  // Marks the step done (pathNow: where its file is now) or failed.
  // unchanged: a rename that left the file's times alone.
  void EndStep(int seq, const std::string& pathNow, bool unchanged = false);
  void StepFailed(int seq);

  CLorvexandrinEngine& engine_;
  Prompts& prompts_;
  int fileTimeChange_;
  int filePathDisplayType_;
  int renamedCount_ = 0;
  int failedCount_ = 0;
  bool stopped_ = false;
  RunJournal* journal_ = nullptr;
};

}  // namespace lx
