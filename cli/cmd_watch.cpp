#include "commands.h"

namespace lx::cli {

int RunWatchCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "watch"); }

}  // namespace lx::cli
