#include "rename/rename_executor.h"

#include <algorithm>

#include "base/log.h"
#include "base/prompts.h"
#include "engine/engine.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "rename/file_times.h"
#include "rename/name_check.h"
#include "rename/run_journal.h"
#include "storage/settings_store.h"

namespace lx {

bool RenameFileOnDisk(const std::string& from, const std::string& to, Prompts& prompts) {
  // A name the mask leaves as it is needs no rename.
  int error = from == to ? (PathExists(from) ? 0 : ENOENT) : RenameNoReplace(from, to);
  if (error == 0) return true;
  LogFormat("Error Renaming File %s to %s", from.c_str(), to.c_str());
  std::string text = SystemErrorText(error);
  if (text.size() > 512) text.resize(512);
  LogMessage("Error Renaming File: " + text);
  prompts.Beep();
  return false;
}

void LogFileOperation(const CRenameFileData& row, const std::string& from, const std::string& to) {
  if (row.CounterValue != -1)
    LogFormat("File '%s' Renamed as '%s' with Counter %ld ", from.c_str(), to.c_str(),
              static_cast<long>(row.CounterValue));
  else
    LogFormat("File '%s' Renamed as '%s'", from.c_str(), to.c_str());
}

std::string FreeCopyName(const std::string& path) {
  if (!PathExists(path)) return path;
  PathParts parts = SplitPath(path);
  parts.title += " - Copy";
  return JoinPath(parts);
}

RenameExecutor::RenameExecutor(CLorvexandrinEngine& engine, Prompts& prompts, int fileTimeChange,
                               int filePathDisplayType)
    : engine_(engine), prompts_(prompts), fileTimeChange_(fileTimeChange), filePathDisplayType_(filePathDisplayType) {}

int RenameExecutor::RenameListedFile(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath,
                                     const std::string& currentName) {
  const std::string& current = currentName.empty() ? row.data.FileName : currentName;
  switch (engine_.renameType) {
    case SimpleRename:
      SimpleRenameRow(row, sourcePath, current);
      break;
    case BackupRename:
      BackupRenameRow(row, sourcePath, renamePath, current);
      break;
    case TargetRename:
      TargetRenameRow(row, sourcePath, renamePath, false);
      break;
    case TargetRenameDelete:
      TargetRenameRow(row, sourcePath, renamePath, true);
      break;
    default:
      break;
  }
  return renamedCount_;
}

void RenameExecutor::TakeNewSourceName(RenameListRow& row, const std::string& newFile) {
  CRenameFileData& data = row.data;
  data.FileName = data.NewName;
  // The file lives under its new name now: the path, title and extension
  // follow, so that a later run or a deletion works on the file as it is.
  PathParts parts = SplitPath(newFile);
  data.FilePath = newFile;
  data.FileTitle = parts.title;
  data.FileExt = parts.ext;
}

void RenameExecutor::UpdateTimes(const std::string& path, const RenameListRow& row) {
  if (fileTimeChange_ > 0) UpdateFileTimeStatus(path, row.data, fileTimeChange_, prompts_);
}

void RenameExecutor::FailRow(RenameListRow& row, const std::string& comment) {
  if (!comment.empty()) row.comments = comment;
  ++failedCount_;
}

bool RenameExecutor::CheckNewName(RenameListRow& row) {
  const std::string problem = NewNameProblem(row.data.NewName, row.data.FileName);
  if (problem.empty()) return true;
  const std::string text = InvalidNewNameText(row.data.NewName, problem);
  LogFormat("File '%s': %s", row.data.FileName.c_str(), text.c_str());
  FailRow(row, text);
  return false;
}

void RenameExecutor::FailCopy(RenameListRow& row, const std::string& from, const std::string& to, int error) {
  LogFormat("Error Copying File %s to %s%s", from.c_str(), to.c_str(), FormatSystemError(error).c_str());
  prompts_.Beep();
  FailRow(row, "Not Copied: " + SystemErrorText(error));
}

bool RenameExecutor::SaveCounterOf(RenameListRow& row) {
  const int value = row.data.CounterValue;
  if (value == -1 || value <= engine_.pictureCounter) return true;
  const int status = engine_.Settings().SetNumber(setting::kPictureCounter, static_cast<std::uint32_t>(value));
  if (status == kRegSuccess) {
    engine_.pictureCounter = value;
    return true;
  }
  LogFormat("Unable to Store the Picture Counter %d in %s ... Renaming Stopped Before File '%s' !!!", value,
            engine_.Settings().RootFolder().c_str(), row.data.FileName.c_str());
  prompts_.Beep();
  stopped_ = true;
  FailRow(row, "Not Renamed: the Picture Counter Cannot be Stored");
  return false;
}

int RenameExecutor::BeginStep(RenameListRow* row, const char* op, const std::string& from, const std::string& to,
                              int counter, bool sync, const std::string& final) {
  if (!journal_ || from == to) return 0;
  const int seq = journal_->Intent(op, from, to, counter, final, sync);
  if (seq >= 0) return seq;
  LogFormat("Unable to Write the Rename Journal %s%s ... Renaming Stopped Before File '%s' !!!",
            journal_->File().c_str(), FormatSystemError(errno).c_str(), from.c_str());
  prompts_.Beep();
  stopped_ = true;
  if (row) FailRow(*row, "Not Renamed: the Rename Journal Cannot be Written");
  return -1;
}

void RenameExecutor::EndStep(int seq, const std::string& pathNow, bool unchanged) {
  if (journal_ && seq > 0) journal_->Done(seq, pathNow, unchanged);
}

void RenameExecutor::StepFailed(int seq) {
  if (journal_ && seq > 0) journal_->Failed(seq);
}

int RenameExecutor::MoveAside(const std::string& from, const std::string& to, const std::string& finalPath) {
  const int seq = BeginStep(nullptr, finalPath.empty() ? kStepRename : kStepPark, from, to, -1, false, finalPath);
  if (seq < 0) return ECANCELED;
  if (int error = RenameNoReplace(from, to); error != 0) {
    StepFailed(seq);
    return error;
  }
  EndStep(seq, to);
  return 0;
}

void RenameExecutor::SimpleRenameRow(RenameListRow& row, const std::string& sourcePath,
                                     const std::string& currentName) {
  if (!CheckNewName(row)) return;
  const std::string sourceFile = sourcePath + currentName;
  const std::string newSourceFile = sourcePath + row.data.NewName;
  if (!SaveCounterOf(row)) return;
  const int seq = BeginStep(&row, kStepRename, sourceFile, newSourceFile, row.data.CounterValue);
  if (seq < 0) return;
  if (!RenameFileOnDisk(sourceFile, newSourceFile, prompts_)) {
    StepFailed(seq);
    FailRow(row, "Not Renamed");
    return;
  }
  TakeNewSourceName(row, newSourceFile);
  LogFileOperation(row.data, sourceFile, newSourceFile);
  UpdateTimes(newSourceFile, row);
  EndStep(seq, newSourceFile, fileTimeChange_ <= 0);
  row.data.StateFlags |= RowRenamed;
  ++renamedCount_;
}

void RenameExecutor::BackupRenameRow(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath,
                                     const std::string& currentName) {
  if (!CheckNewName(row)) return;
  const std::string sourceFile = sourcePath + currentName;
  const std::string newSourceFile = sourcePath + row.data.NewName;
  const std::string backupFile = FreeCopyName(renamePath + row.data.FileName);
  const int copySeq = BeginStep(&row, kStepCopy, sourceFile, backupFile, -1);
  if (copySeq < 0) return;
  if (int error = CopyFileNoReplace(sourceFile, backupFile); error != 0) {
    StepFailed(copySeq);
    FailCopy(row, sourceFile, backupFile, error);
    return;
  }
  EndStep(copySeq, backupFile);
  LogFormat("File '%s' Copied as '%s'", sourceFile.c_str(), backupFile.c_str());
  if (!SaveCounterOf(row)) return;
  const int seq = BeginStep(&row, kStepRename, sourceFile, newSourceFile, row.data.CounterValue);
  if (seq < 0) return;
  if (!RenameFileOnDisk(sourceFile, newSourceFile, prompts_)) {  // the backup copy stays
    StepFailed(seq);
    FailRow(row, "Not Renamed");
    return;
  }
  TakeNewSourceName(row, newSourceFile);
  LogFileOperation(row.data, sourceFile, newSourceFile);
  UpdateTimes(newSourceFile, row);
  EndStep(seq, newSourceFile, fileTimeChange_ <= 0);
  ++renamedCount_;
}

void RenameExecutor::TargetRenameRow(RenameListRow& row, const std::string& sourcePath, const std::string& renamePath,
                                     bool deleteSource) {
  if (!CheckNewName(row)) return;
  const std::string formerName = row.data.FileName;
  const std::string sourceFile = sourcePath + formerName;
  const std::string targetFile = FreeCopyName(renamePath + row.data.NewName);
  if (deleteSource && !PathExists(sourceFile)) {
    std::string text = StrFormat("File %s is Missing in Source Directory - Already Processed ? ", sourceFile.c_str());
    LogMessage(text);
    FailRow(row, text);
    return;
  }
  if (!SaveCounterOf(row)) return;
  // Before a source is deleted its copy must be complete and on disk, and
  // the source must still be the file that was copied.
  FileIdentity copied;
  const int copySeq = BeginStep(&row, kStepCopy, sourceFile, targetFile, row.data.CounterValue);
  if (copySeq < 0) return;
  if (int error = CopyFileNoReplace(sourceFile, targetFile, deleteSource, &copied); error != 0) {
    StepFailed(copySeq);
    FailCopy(row, sourceFile, targetFile, error);
    return;
  }

  row.data.FileName = row.data.NewName;  // the source keeps its name on disk
  // The name actually written, which is the " - Copy" one when the new name was taken.
  row.newNameText = filePathDisplayType_ != 0 ? targetFile : FileNameOf(targetFile);
  if (row.data.CounterValue != -1)
    LogFormat("File '%s' Renamed as '%s' with Counter %ld ", sourceFile.c_str(), targetFile.c_str(),
              static_cast<long>(row.data.CounterValue));
  else
    LogFormat("File '%s' Copied and Renamed as '%s'", sourceFile.c_str(), targetFile.c_str());
  UpdateTimes(targetFile, row);
  EndStep(copySeq, targetFile);
  ++renamedCount_;

  if (deleteSource) {
    // On disk before the source goes: the copy is then the only place of the photo.
    const int seq = BeginStep(&row, kStepDelete, sourceFile, targetFile, -1, true);
    if (seq < 0) return;
    int error = DeleteFileIfSame(sourceFile, copied);
    if (error == 0)
      EndStep(seq, sourceFile);
    else
      StepFailed(seq);
    if (error == 0) {
      LogFormat("File '%s' Deleted", sourceFile.c_str());
      row.comments = StrFormat("File %s is Deleted in Source Directory !!!", formerName.c_str());
    } else if (error == kErrorFileChanged) {
      LogFormat("File '%s' Not Deleted: Another File Took its Name Since it was Copied ... Both are Kept",
                sourceFile.c_str());
      FailRow(row, "Source Not Deleted: Another File Took its Name");
    } else {
      LogFormat("Error Deleting File %s%s", sourceFile.c_str(), FormatSystemError(error).c_str());
      FailRow(row, "Source Not Deleted: " + SystemErrorText(error));
    }
  }
}

}  // namespace lx
