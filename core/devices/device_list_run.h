// The list run for a folder of a portable device.
#pragma once

namespace lx {

class RenameListModel;

// Lists (mode 0) or renames (modes 1 and 2) the pictures of the current device folder.
bool DeviceListRun(RenameListModel& list, int mode);

}  // namespace lx
