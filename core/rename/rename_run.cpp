#include "rename/rename_run.h"

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "engine/engine.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "rename/rename_executor.h"
#include "rename/rename_list.h"
#include "rename/rename_outline.h"
#include "rename/rename_path.h"
#include "storage/picture_counter.h"
#include "storage/settings_store.h"

namespace lx {

namespace {
RenameRunResult lastRun;
}

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
      prompts.ShowWarning(
          "Source Path and Target Path are the same !!! Target Renaming with Delete is NOT possible ...", kAppTitle);
      return false;
    }
    if (!EnsureRenameDirectory(renamePath, prompts)) return false;
  }

  if (list.stopWatch) list.stopWatch();
  const auto t0 = TickCountMs();
  // The stored counter is the truth: it may have been set by hand since the engine read it.
  SettingsStore& settings = engine.Settings();
  engine.pictureCounter = static_cast<int>(GetPictureCounter(settings));
  list.RunCounter = engine.pictureCounter;
  list.runMode = mode;
  const std::string mask = list.MaskText();
  LogFormat("Starting File Renaming with Mask '%s'", mask.c_str());

  RenameExecutor executor(engine, prompts, static_cast<int>(settings.GetNumber(setting::kFileTimeChange)),
                          list.filePathDisplayType);
  list.FileCount = list.ApplyRenamingMask(sourcePath, renamePath);
  int renamedCount = 0;
  if (mode == 1) {
    const std::vector<int> selected = list.SelectedRows();
    int done = 0;
    for (int index : selected) {
      if (RenameListRow* row = list.Row(index)) renamedCount = executor.RenameListedFile(*row, sourcePath, renamePath);
      if (list.onProgress) list.onProgress(++done, static_cast<int>(selected.size()), sourcePath);
    }
  } else {
    for (int index = 0; index < list.FileCount; ++index) {
      if (RenameListRow* row = list.Row(index)) renamedCount = executor.RenameListedFile(*row, sourcePath, renamePath);
      if (list.onProgress) list.onProgress(index + 1, list.FileCount, sourcePath);
    }
  }

  const long long elapsed = static_cast<long long>(TickCountMs() - t0);
  LogFormat("%d File%sRenamed (out of %d File%s) in %lld msec. using Mask %s ...", renamedCount, PluralS(renamedCount),
            list.FileCount, PluralS(list.FileCount), elapsed, mask.c_str());
  lastRun = {list.FileCount, renamedCount, elapsed};

  if (settings.GetNumber(setting::kShowRenameOutline) != 0) {
    RenameOutline outline{list.FileCount, renamedCount, mask, renameType, sourcePath, renamePath, elapsed};
    prompts.ShowRenameOutline(BuildRenameOutlineBody(outline));
  }
  if (list.startWatch) list.startWatch();
  return true;
}

}  // namespace lx
