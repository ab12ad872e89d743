#include "commands.h"

namespace lx::cli {

int RunListCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "list"); }

}  // namespace lx::cli
