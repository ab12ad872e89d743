// devices: one line per connected camera or phone, its friendly name and its
// identifier. With LX_FAKE_DEVICES set, the fake devices of that folder.
#include "arguments.h"
#include "commands.h"
#include "devices/wpd.h"

namespace lx::cli {

int RunDevicesCommand(CliContext& ctx, const Args& args) {
  ArgList parsed(args);
  std::string error;
  if (!parsed.Parse({}, {"header"}, error)) return ctx.Usage(error);
  if (!parsed.Positionals().empty()) return ctx.Usage("devices takes no arguments");
  CWPD wpd;
  std::vector<std::string> names, ids;
  const int count = wpd.GetPortableDevices(names, ids);
  if (parsed.Flag("header")) ctx.PrintRow({"Friendly Name", "Device Id"});
  for (int i = 0; i < count; ++i) ctx.PrintRow({names[static_cast<size_t>(i)], ids[static_cast<size_t>(i)]});
  return kExitOk;
}

}  // namespace lx::cli
