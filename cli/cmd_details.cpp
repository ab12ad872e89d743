// details FILE | attributes FILE: the photo-details grid and the preview
// pane's attribute grid, one row per line: group, property, value, description.
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "arguments.h"
#include "commands.h"
#include "imaging/exif_details.h"
#include "imaging/image_attributes.h"
#include "iso_dates.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "table_writer.h"

namespace lx::cli {

namespace {

// A value that is a date of the program's layout also gets its ISO form.
void PrintGrid(CliContext& ctx, const PropertyGrid& grid, const TableOutput& output) {
  Table table;
  table.columns = {{"Group", "group"},
                   {"Property", "property"},
                   {"Value", "value"},
                   {"Description", "description"},
                   {"Value ISO", "value_iso", false}};
  for (const auto& group : grid)
    for (const auto& row : group.rows)
      table.rows.push_back({group.title, row.name, row.value, row.description, IsoFromDateText(row.value)});
  WriteTable(ctx.Out(), table, output);
}

// One FILE, --header and --json; false after a usage message.
bool ParseFileArgument(CliContext& ctx, const Args& args, const char* command, std::string& file, TableOutput& output,
                       int& exitCode) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"header", "json"}, error)) {
    exitCode = ctx.Usage(error);
    return false;
  }
  if (list.Positionals().size() != 1) {
    exitCode = ctx.Usage(StrFormat("%s needs one FILE", command));
    return false;
  }
  file = list.Positionals()[0];
  output = ReadTableOutput(list);
  return true;
}

}  // namespace

int RunDetailsCommand(CliContext& ctx, const Args& args) {
  std::string file;
  TableOutput output;
  int exitCode = kExitOk;
  if (!ParseFileArgument(ctx, args, "details", file, output, exitCode)) return exitCode;
  FileDetails details = ShowFileDetails(file);
  if (!details.gridBuilt) return kExitRefused;  // the log line on standard error says why
  PrintGrid(ctx, details.grid, output);
  return kExitOk;
}

int RunAttributesCommand(CliContext& ctx, const Args& args) {
  std::string file;
  TableOutput output;
  int exitCode = kExitOk;
  if (!ParseFileArgument(ctx, args, "attributes", file, output, exitCode)) return exitCode;

  struct statx st {};
  if (statx(AT_FDCWD, file.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0)
    return ctx.Refuse(StrFormat("Unable to Read File %s", file.c_str()) + FormatSystemError(errno));
  // The birth time where the file system keeps one, else the modification time.
  TimeT created = (st.stx_mask & STATX_BTIME) ? st.stx_btime.tv_sec : st.stx_mtime.tv_sec;
  ImageAttributes attributes = FillImageAttributes(file, created, st.stx_mtime.tv_sec, st.stx_atime.tv_sec);
  if (!attributes.filled)
    return ctx.Refuse(StrFormat("Unable to Read File %s", file.c_str()) + FormatSystemError(attributes.error));
  PrintGrid(ctx, attributes.grid, output);
  return kExitOk;
}

}  // namespace lx::cli
