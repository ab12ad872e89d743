// A rename run worked out without being done: the same new names, counter
// values, suffixes and checks as the run, and for each row what the run
// would do with it or why it would refuse it. Nothing on disk, no setting
// and no counter changes.
#pragma once

#include <string>
#include <vector>

namespace lx {

class RenameListModel;

struct DryRunRow {
  // "rename", "copy", "backup and rename", "copy and delete", "not selected",
  // or the reason the run would refuse the row.
  std::string action;
  bool refused = false;
};

// Gives the listed rows of a folder source the names a RenameRun(list, mode)
// started now would give them, and fills rows (one per list row). False when
// the run itself would be refused (its warning goes through the list's
// prompts, as the run's would); rows is then empty.
bool DryRenameRun(RenameListModel& list, int mode, std::vector<DryRunRow>& rows);

// The action text of a row the run renames, by rename type.
const char* DryRunActionText(int renameType);

}  // namespace lx
