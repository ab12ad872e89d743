#include "commands.h"

namespace lx::cli {

int RunMaskCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "mask"); }

int RunCatalogueCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "catalogue"); }

}  // namespace lx::cli
