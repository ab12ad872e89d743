// devices: one line per connected camera or phone, its friendly name and its
// identifier. With LX_FAKE_DEVICES set, the fake devices of that folder.
#include "arguments.h"
#include "commands.h"
#include "devices/wpd.h"
#include "table_writer.h"

namespace lx::cli {

int RunDevicesCommand(CliContext& ctx, const Args& args) {
  ArgList parsed(args);
  std::string error;
  if (!parsed.Parse({}, {"header", "json"}, error)) return ctx.Usage(error);
  if (!parsed.Positionals().empty()) return ctx.Usage("devices takes no arguments");
  CWPD wpd;
  std::vector<std::string> names, ids;
  const int count = wpd.GetPortableDevices(names, ids);
  Table table;
  table.columns = {{"Friendly Name", "friendly_name"}, {"Device Id", "device_id"}};
  for (int i = 0; i < count; ++i) table.rows.push_back({names[static_cast<size_t>(i)], ids[static_cast<size_t>(i)]});
  WriteTable(ctx.Out(), table, ReadTableOutput(parsed));
  return kExitOk;
}

}  // namespace lx::cli
