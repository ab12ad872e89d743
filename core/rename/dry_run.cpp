#include "rename/dry_run.h"

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "engine/engine.h"
#include "platform/file_ops.h"
#include "platform/paths.h"
#include "rename/duplicate_names.h"
#include "rename/rename_list.h"
#include "rename/rename_path.h"
#include "storage/picture_counter.h"

namespace lx {

const char* DryRunActionText(int renameType) {
  switch (renameType) {
    case SimpleRename:
      return "rename";
    case BackupRename:
      return "backup and rename";
    case TargetRename:
      return "copy";
    case TargetRenameDelete:
      return "copy and delete";
    default:
      return "";
  }
}

bool DryRenameRun(RenameListModel& list, int mode, std::vector<DryRunRow>& rows) {
  rows.clear();
  CLorvexandrinEngine& engine = list.Engine();
  if (engine.sourceKind != SourceKind::Folder) return false;
  const std::string sourcePath = engine.sourcePath;
  const std::string renamePath = engine.renamePath.empty() ? std::string() : WithTrailingSlash(engine.renamePath);
  if (sourcePath.empty() || renamePath.empty()) return false;
  if (list.ZipSourceCheck(sourcePath)) return false;

  // The checks the run makes before its first file, without their effects.
  const int renameType = engine.renameType;
  if (renameType != SimpleRename) {
    if (renameType == TargetRenameDelete && SameFolder(sourcePath, renamePath)) {
      list.GetPrompts().ShowWarning(kTargetDeleteIntoSourceText, kAppTitle);
      return false;
    }
    if (!FolderExists(renamePath))
      LogFormat("Folder '%s' Does Not Exist: the Run Would Ask to Create it", renamePath.c_str());
  }

  // The names as the run gives them: the stored counter, the run's mode, the same mask pass.
  list.RunCounter = static_cast<int>(GetPictureCounter(engine.Settings()));
  list.runMode = mode;
  list.MaskChanged = false;
  LogFormat("Dry Run with Mask '%s': Nothing Renamed", list.MaskText().c_str());
  list.FileCount = list.ApplyRenamingMask(sourcePath, renamePath);
  list.runMode = RunList;

  // The refusals, checked on a copy so that the rows keep the comments they show.
  std::vector<RenameListRow> copy = list.Rows();
  std::vector<std::string> refusals;
  CheckTargetCollisions(copy, renameType, sourcePath, renamePath, &refusals);

  rows.resize(static_cast<size_t>(list.RowCount()));
  for (int i = 0; i < list.RowCount(); ++i) {
    DryRunRow& row = rows[static_cast<size_t>(i)];
    if (mode == RunRenameSelected && !list.Rows()[static_cast<size_t>(i)].selected) {
      row.action = "not selected";
    } else if (!refusals[static_cast<size_t>(i)].empty()) {
      row.action = refusals[static_cast<size_t>(i)];
      row.refused = true;
    } else {
      row.action = DryRunActionText(renameType);
    }
  }
  return true;
}

}  // namespace lx
