#include "rename/journal_undo.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/log.h"
#include "engine/engine.h"
#include "platform/file_ops.h"
#include "platform/partial_files.h"
#include "platform/paths.h"
#include "platform/run_lock.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "rename/run_journal.h"
#include "storage/picture_counter.h"

namespace lx {

namespace {

constexpr int kLockWaitMs = 2000;

bool SameInode(const FileIdentity& a, const FileIdentity& b) { return a.device == b.device && a.inode == b.inode; }

// A source whose deletion was cut short sits under ".lx-deleting-<pid>-<n>-<name>"
// beside its own name; found by its inode, it goes back under its name.
void PutBackHalfDeleted(const JournalStep& step) {
  const PathParts parts = SplitPath(step.from);
  const std::string name = FileNameOf(step.from);
  DIR* dir = ::opendir(parts.dir.empty() ? "." : parts.dir.c_str());
  if (!dir) return;
  while (dirent* entry = ::readdir(dir)) {
    const std::string other = entry->d_name;
    if (!StartsWith(other, ".lx-deleting-") || !EndsWith(other, "-" + name)) continue;
    FileIdentity id;
    const std::string path = parts.dir + other;
    if (IdentityOfPath(path, id) && SameInode(id, step.before) && RenameNoReplace(path, step.from) == 0)
      LogFormat("File '%s' Half Deleted by an Interrupted Run Put Back as '%s'", path.c_str(), step.from.c_str());
  }
  ::closedir(dir);
}

// Decides, from the files, whether each step that has an intent but no end happened.
void SettleOpenSteps(JournalRun& run) {
  if (run.finished) return;
  for (JournalStep& step : run.steps) {
    if (step.done || step.failed) continue;
    FileIdentity now;
    if (step.op == kStepRename || step.op == kStepPark) {
      step.done = IdentityOfPath(step.to, now) && SameInode(now, step.before);
    } else if (step.op == kStepCopy) {
      // The copy takes its name only once complete, and the name was free at the intent.
      step.done = IdentityOfPath(step.to, now) && now.size == step.before.size && !SameInode(now, step.before);
    } else if (step.op == kStepDelete) {
      PutBackHalfDeleted(step);
      step.done = !IdentityOfPath(step.from, now);
    }
    if (step.done) step.after = now;
  }
}

// The lock of the run's folders, as a run takes it.
int LockFolders(const JournalRun& run, RunLock& lock) {
  std::vector<std::string> folders{run.header.sourcePath};
  if (run.header.renameType != SimpleRename && !run.header.renamePath.empty()) folders.push_back(run.header.renamePath);
  std::string busy;
  const int error = lock.Acquire(folders, kLockWaitMs, busy);
  if (error != 0)
    LogFormat("Folder %s is Being Renamed by Another Run ... Please Try Again Later !!!",
              busy.empty() ? run.header.sourcePath.c_str() : busy.c_str());
  return error;
}

const JournalStep* CopyOf(const JournalRun& run, const JournalStep& deletion) {
  for (const JournalStep& step : run.steps)
    if (step.op == kStepCopy && step.from == deletion.from && step.to == deletion.to && step.done) return &step;
  return nullptr;
}

void RemovePartials(const JournalRun& run) {
  std::vector<std::string> folders{run.header.sourcePath};
  if (!run.header.renamePath.empty()) folders.push_back(run.header.renamePath);
  for (const std::string& folder : folders)
    for (const std::string& stale : RemoveStalePartials(folder))
      LogFormat("Partial Copy '%s' Left by an Interrupted Run Removed", stale.c_str());
}

// Takes one done step back; true when it is.
bool UndoStep(const JournalRun& run, const JournalStep& step) {
  FileIdentity now;
  const bool there = IdentityOfPath(step.to, now);
  if (step.op == kStepRename || step.op == kStepPark) {
    if (!there || !SameFile(now, step.after)) {
      LogFormat("File '%s' Not Renamed Back as '%s': it %s Since the Run ... Left as it is", step.to.c_str(),
                step.from.c_str(), there ? "Changed" : "Moved");
      return false;
    }
    if (int error = RenameNoReplace(step.to, step.from); error != 0) {
      LogFormat("Error Renaming File %s Back to %s%s", step.to.c_str(), step.from.c_str(),
                FormatSystemError(error).c_str());
      return false;
    }
    if (step.before.mtimeSec != step.after.mtimeSec || step.before.mtimeNsec != step.after.mtimeNsec)
      SetModificationTime(step.from, step.before.mtimeSec, step.before.mtimeNsec);
    LogFormat("File '%s' Renamed Back as '%s'", step.to.c_str(), step.from.c_str());
    return true;
  }
  if (step.op == kStepCopy) {
    if (!there) return true;  // nothing of the run is left to remove
    if (!SameFile(now, step.after)) {
      LogFormat("File '%s' Made by the Run Kept: it Changed Since ... Left as it is", step.to.c_str());
      return false;
    }
    if (int error = DeleteFileIfSame(step.to, step.after); error != 0) {
      LogFormat("Error Removing File %s Made by the Run%s", step.to.c_str(), FormatSystemError(error).c_str());
      return false;
    }
    LogFormat("File '%s' Made by the Run Removed", step.to.c_str());
    return true;
  }
  if (step.op == kStepDelete) {
    // The deleted source comes back from its copy, byte for byte, with its own time.
    const JournalStep* copy = CopyOf(run, step);
    if (!copy || !there || !SameFile(now, copy->after)) {
      LogFormat("File '%s' Not Restored: its Copy '%s' Changed Since the Run ... Left as it is", step.from.c_str(),
                step.to.c_str());
      return false;
    }
    if (int error = CopyFileNoReplace(step.to, step.from, true); error != 0) {
      LogFormat("Error Copying File %s to %s%s", step.to.c_str(), step.from.c_str(), FormatSystemError(error).c_str());
      return false;
    }
    SetModificationTime(step.from, step.before.mtimeSec, step.before.mtimeNsec);
    LogFormat("File '%s' Restored from '%s'", step.from.c_str(), step.to.c_str());
    return true;
  }
  return true;
}

// Completes one started step; true when it is done now.
bool FinishStep(const JournalRun& run, const JournalStep& step) {
  FileIdentity now;
  if (step.op == kStepRename) {
    if (!IdentityOfPath(step.from, now) || !SameInode(now, step.before)) return false;
    if (int error = RenameNoReplace(step.from, step.to); error != 0) {
      LogFormat("Error Renaming File %s to %s%s", step.from.c_str(), step.to.c_str(), FormatSystemError(error).c_str());
      return false;
    }
    LogFormat("File '%s' Renamed as '%s'", step.from.c_str(), step.to.c_str());
    return true;
  }
  if (step.op == kStepCopy) {
    if (int error = CopyFileNoReplace(step.from, step.to, true); error != 0) {
      LogFormat("Error Copying File %s to %s%s", step.from.c_str(), step.to.c_str(), FormatSystemError(error).c_str());
      return false;
    }
    LogFormat("File '%s' Copied and Renamed as '%s'", step.from.c_str(), step.to.c_str());
    return true;
  }
  if (step.op == kStepDelete) {
    const JournalStep* copy = CopyOf(run, step);
    FileIdentity copied;
    if (!copy || !IdentityOfPath(step.to, copied) || copied.size != step.before.size) {
      LogFormat("File '%s' Not Deleted: its Copy '%s' is Missing ... Both are Kept", step.from.c_str(),
                step.to.c_str());
      return false;
    }
    if (int error = DeleteFileIfSame(step.from, step.before); error != 0) {
      LogFormat("File '%s' Not Deleted%s", step.from.c_str(), FormatSystemError(error).c_str());
      return false;
    }
    LogFormat("File '%s' Deleted", step.from.c_str());
    return true;
  }
  return false;
}

bool ReadForRepair(const std::string& file, JournalRun& run, JournalRepair& repair) {
  if (!ReadJournal(file, run)) {
    LogFormat("Unable to Read the Rename Journal %s ... Nothing Done !!!", file.c_str());
    repair.unreadable = true;
    return false;
  }
  return true;
}

}  // namespace

const char* RenameTypeWord(int renameType) {
  switch (renameType) {
    case BackupRename:
      return "backup";
    case TargetRename:
      return "target";
    case TargetRenameDelete:
      return "target-delete";
    default:
      return "simple";
  }
}

void BringCounterUp(SettingsStore& settings, const JournalRun& run) {
  const int highest = run.HighestCounter();
  if (highest < 0 || static_cast<std::uint32_t>(highest) <= GetPictureCounter(settings)) return;
  SetPictureCounter(settings, static_cast<std::uint32_t>(highest));
  LogFormat("Picture Counter Brought Up to %d, the Highest Value the Interrupted Run Used", highest);
}

JournalRepair UndoJournalRun(const std::string& journalFile) {
  JournalRepair repair;
  JournalRun run;
  if (!ReadForRepair(journalFile, run, repair)) return repair;
  if (run.undone) {
    LogFormat("Run %s was Already Undone ... Nothing Done", run.header.runId.c_str());
    repair.alreadyUndone = true;
    return repair;
  }
  RunLock lock;
  if (LockFolders(run, lock) != 0) {
    repair.busy = true;
    return repair;
  }
  LogFormat("Undoing Run %s (%s Rename in %s)", run.header.runId.c_str(), RenameTypeWord(run.header.renameType),
            run.header.sourcePath.c_str());
  SettleOpenSteps(run);
  RemovePartials(run);
  for (auto it = run.steps.rbegin(); it != run.steps.rend(); ++it) {
    if (!it->done || it->undone) continue;
    if (UndoStep(run, *it)) {
      AppendJournalRecord(journalFile, StrFormat("U\t%d", it->seq));
      ++repair.done;
    } else {
      ++repair.notDone;
    }
  }
  if (repair.notDone == 0) {
    if (!run.finished) AppendJournalRecord(journalFile, "E");
    AppendJournalRecord(journalFile, "X");
  }
  LogFormat("%d Step%sTaken Back, %d Step%sLeft as they are", repair.done, PluralS(repair.done), repair.notDone,
            PluralS(repair.notDone));
  return repair;
}

JournalRepair FinishJournalRun(const std::string& journalFile) {
  JournalRepair repair;
  JournalRun run;
  if (!ReadForRepair(journalFile, run, repair)) return repair;
  if (run.finished || run.undone) return repair;
  RunLock lock;
  if (LockFolders(run, lock) != 0) {
    repair.busy = true;
    return repair;
  }
  LogFormat("Finishing Interrupted Run %s (%s Rename in %s)", run.header.runId.c_str(),
            RenameTypeWord(run.header.renameType), run.header.sourcePath.c_str());
  const JournalRun asWritten = run;
  SettleOpenSteps(run);
  RemovePartials(run);
  // What is done here is journaled too, so that the run can still be undone.
  auto record = [&](JournalStep step, const std::string& pathNow) {
    AppendDoneStep(journalFile, run, step, pathNow);
    step.done = true;
    for (JournalStep& known : run.steps)
      if (step.seq != 0 && known.seq == step.seq) {
        known.done = true;
        IdentityOfPath(pathNow, known.after);
      }
    if (step.seq == 0) {
      for (const JournalStep& other : run.steps) step.seq = std::max(step.seq, other.seq);
      ++step.seq;
      IdentityOfPath(pathNow, step.after);
      run.steps.push_back(step);
    }
  };
  for (size_t i = 0; i < run.steps.size(); ++i)
    if (run.steps[i].done && !asWritten.steps[i].done)
      record(run.steps[i], run.steps[i].op == kStepDelete ? run.steps[i].from : run.steps[i].to);
  auto finish = [&](const JournalStep& step) {
    if (FinishStep(run, step)) {
      record(step, step.op == kStepDelete ? step.from : step.to);
      ++repair.done;
    } else {
      ++repair.notDone;
    }
  };
  const size_t written = run.steps.size();
  for (size_t i = 0; i < written; ++i) {
    const JournalStep step = run.steps[i];
    if (!step.done && !step.failed && step.op != kStepPark) finish(step);
  }
  // A copy-and-delete run cut between a copy and its deletion: the source goes too.
  if (run.header.renameType == TargetRenameDelete) {
    const std::vector<JournalStep> steps = run.steps;
    for (const JournalStep& step : steps) {
      if (step.op != kStepCopy || !step.done) continue;
      bool hasDelete = false;
      for (const JournalStep& other : steps)
        hasDelete = hasDelete || (other.op == kStepDelete && other.from == step.from && other.to == step.to);
      FileIdentity now;
      if (!hasDelete && IdentityOfPath(step.from, now) && SameInode(now, step.before)) {
        JournalStep deletion = step;
        deletion.op = kStepDelete;
        deletion.seq = 0;
        deletion.counter = -1;
        deletion.done = false;
        if (FinishStep(run, deletion)) {
          record(deletion, deletion.from);
          ++repair.done;
        } else {
          ++repair.notDone;
        }
      }
    }
  }
  // Parked files take the name they were parked for, or their old one.
  const std::vector<JournalStep> steps = run.steps;
  for (const JournalStep& park : steps) {
    if (park.op != kStepPark || !park.done) continue;
    FileIdentity now;
    if (!IdentityOfPath(park.to, now) || !SameInode(now, park.before)) continue;
    JournalStep move;
    move.op = kStepRename;
    move.from = park.to;
    move.before = now;
    if (RenameNoReplace(park.to, park.final) == 0) {
      move.to = park.final;
      record(move, move.to);
      LogFormat("File '%s' Renamed as '%s'", park.to.c_str(), park.final.c_str());
    } else if (RenameNoReplace(park.to, park.from) == 0) {
      move.to = park.from;
      record(move, move.to);
      LogFormat("File '%s' Moved Back to '%s'", park.to.c_str(), park.from.c_str());
    } else {
      LogFormat("File '%s' Left Under its Temporary Name: its Old and New Names are Taken", park.to.c_str());
      ++repair.notDone;
    }
  }
  AppendJournalRecord(journalFile, "E");
  LogFormat("%d Step%sof the Interrupted Run Finished, %d Step%sNot Done", repair.done, PluralS(repair.done),
            repair.notDone, PluralS(repair.notDone));
  return repair;
}

}  // namespace lx
