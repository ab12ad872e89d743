// The rename run of the rename list: modes 1 (selected rows) and 2 (all rows).
#pragma once

namespace lx {

class RenameListModel;

// Runs the rename of the selected (mode 1) or all (mode 2) rows of a folder
// list; false when the run stopped before renaming anything.
bool RenameRun(RenameListModel& list, int mode);

}  // namespace lx
