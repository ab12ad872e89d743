#include "devices/device_list_run.h"

namespace lx {

bool DeviceListRun(RenameListModel&, int) { return false; }

}  // namespace lx
