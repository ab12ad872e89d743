#include "commands.h"

namespace lx::cli {

int RunRenameCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "rename"); }

int RunDeleteCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "delete"); }

}  // namespace lx::cli
