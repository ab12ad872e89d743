// The rename list as a Table: the five columns the list shows, and for JSON
// the row's index, full path, ISO dates, counter, renamed flag and last error.
#pragma once

#include "rename/rename_list.h"
#include "table.h"

namespace lx::cli {

Table ListTable(const RenameListModel& list);

}  // namespace lx::cli
