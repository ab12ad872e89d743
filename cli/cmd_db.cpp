#include "commands.h"

namespace lx::cli {

int RunDbCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "db"); }

int RunKeywordsCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "keywords"); }

int RunTextsCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "texts"); }

int RunMasksCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "masks"); }

int RunCounterCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "counter"); }

}  // namespace lx::cli
