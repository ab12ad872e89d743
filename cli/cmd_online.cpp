#include "commands.h"

namespace lx::cli {

int RunUpdateCheckCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "update-check"); }

int RunSendFeedbackCommand(CliContext& ctx, const Args&) { return NotAvailable(ctx, "send-feedback"); }

}  // namespace lx::cli
