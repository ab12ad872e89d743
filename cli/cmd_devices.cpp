#include "commands.h"

namespace lx::cli {

int RunDevicesCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "devices"); }

}  // namespace lx::cli
