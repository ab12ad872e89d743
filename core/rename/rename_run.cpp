#include "rename/rename_run.h"

namespace lx {

bool RenameRun(RenameListModel&, int) { return false; }

}  // namespace lx
