#include "commands.h"

namespace lx::cli {

int NotAvailable(CliContext& ctx, const std::string& command) {
  ctx.Err() << "lorvexandrin-cli: '" << command << "' is not available in this build yet\n";
  return kExitUsage;
}

}  // namespace lx::cli
