#include "rename/rename_run.h"

#include <cerrno>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "engine/engine.h"
#include "platform/file_ops.h"
#include "platform/partial_files.h"
#include "platform/paths.h"
#include "platform/run_lock.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "platform/times.h"
#include "rename/rename_executor.h"
#include "rename/rename_list.h"
#include "rename/rename_outline.h"
#include "rename/rename_path.h"
#include "rename/rename_plan.h"
#include "rename/rename_settings.h"
#include "rename/run_journal.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"

namespace lx {

namespace {

RenameRunResult lastRun;

// How long a run waits for another run on the same folders before refusing.
constexpr int kRunLockWaitMs = 2000;

// Renames the rows in a safe order. In-place renames (simple and backup) are
// ordered so that a name is freed before it is taken, cycles going through a
// parking name; copies into the target folder go in list order.
void RunRows(RenameListModel& list, RenameExecutor& executor, const std::vector<int>& indices,
             const std::string& sourcePath, const std::string& renamePath) {
  const int renameType = list.Engine().renameType;
  std::vector<RenameListRow*> rows;
  for (int index : indices)
    if (RenameListRow* row = list.Row(index)) rows.push_back(row);
  std::vector<PlanStep> steps;
  if (renameType == SimpleRename || renameType == BackupRename) {
    std::vector<PlannedRename> renames;
    for (const RenameListRow* row : rows) renames.push_back({row->data.FileName, row->data.NewName});
    steps = OrderRenames(renames);
  } else {
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) steps.push_back({i, false});
  }

  std::vector<std::string> parked(rows.size());
  int done = 0;
  for (const PlanStep& step : steps) {
    if (executor.Stopped()) break;
    RenameListRow& row = *rows[static_cast<size_t>(step.index)];
    std::string& parking = parked[static_cast<size_t>(step.index)];
    const std::string original = sourcePath + row.data.FileName;
    if (step.park) {
      const std::string name = ParkingName(row.data.FileName);
      if (int error = executor.MoveAside(original, sourcePath + name, sourcePath + row.data.NewName); error == 0) {
        parking = name;
        LogFormat("File '%s' Moved to '%s' to Free its Name for Another File", original.c_str(),
                  (sourcePath + name).c_str());
      } else {
        // The renames of its cycle now fail on a taken name: say what really went wrong.
        LogFormat("Error Moving File %s to %s%s", original.c_str(), (sourcePath + name).c_str(),
                  FormatSystemError(error).c_str());
      }
      continue;
    }
    const int before = executor.RenamedCount();
    executor.RenameListedFile(row, sourcePath, renamePath, parking);
    if (!parking.empty() && executor.RenamedCount() == before) {
      // Its rename failed: give the file its own name back where it is still free.
      const std::string parkedFile = sourcePath + parking;
      if (int error = executor.MoveAside(parkedFile, original, {}); error == 0)
        LogFormat("File '%s' Moved Back to '%s'", parkedFile.c_str(), original.c_str());
      else
        LogFormat("File '%s' Kept under this Name: it Cannot Move Back to '%s'%s", parkedFile.c_str(), original.c_str(),
                  FormatSystemError(error).c_str());
    }
    if (list.onProgress) list.onProgress(++done, static_cast<int>(rows.size()), sourcePath);
  }
}

}  // namespace

const RenameRunResult& LastRenameRun() { return lastRun; }

bool RenameRun(RenameListModel& list, int mode) {
  CLorvexandrinEngine& engine = list.Engine();
  Prompts& prompts = list.GetPrompts();
  const std::string sourcePath = engine.sourcePath;
  // Every path below is the folder plus a name: make sure the folder ends with "/".
  const std::string renamePath = engine.renamePath.empty() ? std::string() : WithTrailingSlash(engine.renamePath);
  lastRun = {};
  if (sourcePath.empty() || renamePath.empty()) return false;
  if (list.ZipSourceCheck(sourcePath)) return false;

  const int renameType = engine.renameType;
  if (renameType != SimpleRename) {
    // Copying into the source folder and deleting the source there could
    // remove the very file just written.
    if (renameType == TargetRenameDelete && SameFolder(sourcePath, renamePath)) {
      prompts.ShowWarning(kTargetDeleteIntoSourceText, kAppTitle);
      return false;
    }
    if (!EnsureRenameDirectory(renamePath, prompts)) return false;
  }

  // Another run of this program on these folders would interleave with ours.
  RunLock lock;
  std::vector<std::string> lockedFolders{sourcePath};
  if (renameType != SimpleRename) lockedFolders.push_back(renamePath);
  std::string busyFolder;
  if (int error = lock.Acquire(lockedFolders, kRunLockWaitMs, busyFolder); error != 0) {
    prompts.ShowWarning(
        error == EWOULDBLOCK
            ? StrFormat("Folder %s is Being Renamed by Another Run of %s ... Please Try Again Later !!!",
                        busyFolder.c_str(), kAppTitle)
            : StrFormat("Unable to Lock Folder %s%s", busyFolder.c_str(), FormatSystemError(error).c_str()),
        kAppTitle);
    return false;
  }
  for (const std::string& folder : lockedFolders)
    for (const std::string& stale : RemoveStalePartials(folder))
      LogFormat("Partial Copy '%s' Left by an Interrupted Run Removed", stale.c_str());

  // No journal, no run: a run that could not be taken back or repaired is not started.
  const std::string mask = list.MaskText();
  RunJournal journal;
  if (int error = journal.Open(
          {{}, static_cast<long long>(NowSeconds()), renameType, sourcePath, renamePath, mask, ProgramVersionText()});
      error != 0) {
    prompts.ShowWarning(StrFormat("Unable to Write the Rename Journal in %s%s ... Nothing Renamed !!!",
                                  JournalFolder().c_str(), FormatSystemError(error).c_str()),
                        kAppTitle);
    return false;
  }

  if (list.stopWatch) list.stopWatch();
  const auto t0 = TickCountMs();
  // The stored counter is the truth: it may have been set by hand since the engine read it.
  SettingsStore& settings = engine.Settings();
  engine.pictureCounter = static_cast<int>(GetPictureCounter(settings));
  list.RunCounter = engine.pictureCounter;
  list.runMode = mode;
  LogFormat("Starting File Renaming with Mask '%s'", mask.c_str());

  RenameExecutor executor(engine, prompts, CurrentFileTimeChange(engine, list), list.filePathDisplayType);
  executor.SetJournal(&journal);
  list.FileCount = list.ApplyRenamingMask(sourcePath, renamePath);
  std::vector<int> indices;
  if (mode == 1) {
    indices = list.SelectedRows();
  } else {
    for (int index = 0; index < list.FileCount; ++index) indices.push_back(index);
  }
  RunRows(list, executor, indices, sourcePath, renamePath);
  journal.Finish();
  if (executor.Stopped())
    prompts.ShowWarning(
        "The Picture Counter Cannot be Stored in the Settings File ... Renaming Stopped so that No Counter is Used "
        "Twice !!!",
        kAppTitle);
  const int renamedCount = executor.RenamedCount();
  const int failedCount = executor.FailedCount();

  const long long elapsed = static_cast<long long>(TickCountMs() - t0);
  LogFormat("%d File%sRenamed (out of %d File%s) in %lld msec. using Mask %s ...", renamedCount, PluralS(renamedCount),
            list.FileCount, PluralS(list.FileCount), elapsed, mask.c_str());
  if (failedCount > 0)
    LogFormat("%d File%sNot Renamed as Listed: See the Error Lines Above ...", failedCount, PluralS(failedCount));
  lastRun = {list.FileCount, renamedCount, failedCount, executor.Stopped(), elapsed};

  if (settings.GetNumber(setting::kShowRenameOutline) != 0) {
    RenameOutline outline{list.FileCount, renamedCount, mask, renameType, sourcePath, renamePath, elapsed};
    prompts.ShowRenameOutline(BuildRenameOutlineBody(outline));
  }
  if (list.startWatch) list.startWatch();
  return true;
}

}  // namespace lx
