#include "commands.h"

namespace lx::cli {

int RunDetailsCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "details"); }

int RunAttributesCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "attributes"); }

}  // namespace lx::cli
