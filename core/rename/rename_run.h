// The rename run of the rename list: modes 1 (selected rows) and 2 (all rows).
#pragma once

namespace lx {

class RenameListModel;

// What the last rename run did, for the outline and the callers.
struct RenameRunResult {
  int fileCount = 0;
  int renamedCount = 0;
  int failedCount = 0;   // rows that did not do what the list showed
  bool stopped = false;  // the run stopped before its last row (the counter could not be stored)
  long long elapsedMs = 0;
};

// Runs the rename of the selected (mode 1) or all (mode 2) rows of a folder
// list; false when the run stopped before renaming anything.
bool RenameRun(RenameListModel& list, int mode);

// The figures of the last run in this process.
const RenameRunResult& LastRenameRun();

}  // namespace lx
