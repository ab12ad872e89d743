// rename [OPTIONS] [--select I,J,...] DIR: renames all rows or the selected
// ones, then prints the list as `list` does. With --dry-run it prints what
// the run would do instead, and changes nothing.
// delete --select I,J,... [--yes] [--permanent] DIR: moves the selected files to
// the Trash (or deletes them for good) after the confirmation.
#include <algorithm>
#include <map>
#include <set>

#include "base/version.h"
#include "commands.h"
#include "list_options.h"
#include "list_table.h"
#include "platform/text.h"
#include "rename/delete_files.h"
#include "rename/device_list_run.h"
#include "rename/dry_run.h"
#include "rename/rename_path.h"
#include "rename/rename_run.h"
#include "table_writer.h"

namespace lx::cli {

namespace {

// The run went ahead but one or more rows did not do what the list showed.
constexpr int kExitRowsFailed = 3;

// Reads --select; -1 to go on, else the exit status.
int ReadSelection(CliContext& ctx, const ArgList& args, std::vector<int>& indices) {
  indices.clear();
  auto select = args.Value("select");
  if (!select) return -1;
  if (!ParseIndexList(*select, indices))
    return ctx.Usage("--select needs row indices (0-based) separated by commas, such as 0,2,5");
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return -1;
}

// Lists the folder as `list` does; -1 to go on, else the exit status.
int ListFolder(CliContext& ctx, const ListOptions& options, RenameListModel& model) {
  ApplyListOptions(ctx, options, model);
  ctx.Progress().Start("Reading");
  const bool listed = model.RefreshList(RunList);
  ctx.Progress().Finish();
  if (ctx.Prompts().Refused()) return ctx.Refuse(ctx.Prompts().Refusal());
  if (!listed) return kExitRefused;  // the reason is on standard error already
  return -1;
}

// Makes exactly the given rows selected, the first of them focused as a
// click would, so that no unselected row keeps a name from an older count.
int SelectRows(CliContext& ctx, RenameListModel& model, const std::vector<int>& indices) {
  for (int index : indices)
    if (index >= model.RowCount())
      return ctx.Refuse(StrFormat("Row %d is Not in the List (%d File%sListed) ... Nothing Done !!!", index,
                                  model.RowCount(), PluralS(model.RowCount())));
  model.SelectRow(indices.front());
  for (int i = 0; i < model.RowCount(); ++i) model.SetRowSelected(i, false);
  for (int index : indices) model.SetRowSelected(index, true);
  return -1;
}

// The plan of the run, printed as `list` prints rows plus what would happen to each.
int DryRun(CliContext& ctx, const ListOptions& options, RenameListModel& model, int mode) {
  std::vector<DryRunRow> plan;
  const bool planned = DryRenameRun(model, mode, plan);
  if (ctx.Prompts().Refused()) return ctx.Refuse(ctx.Prompts().Refusal());
  if (!planned) return kExitRefused;  // the reason is on standard error already
  // The rows may be sorted for printing: each keeps its plan by its file's path.
  std::map<std::string, DryRunRow> byPath;
  for (size_t i = 0; i < plan.size(); ++i) byPath[model.Rows()[i].data.FilePath] = plan[i];
  if (options.sortColumn) {
    model.sortColumn = *options.sortColumn;
    model.sortAscending = !options.sortDescending;
    model.SortRows(*options.sortColumn, model.sortAscending);
  }
  Table table = ListTable(model);
  table.columns.push_back({"Action", "action"});
  table.columns.push_back({"Refused", "refused", false});
  int refused = 0;
  for (size_t i = 0; i < table.rows.size(); ++i) {
    const DryRunRow& row = byPath[model.Rows()[i].data.FilePath];
    if (row.refused) ++refused;
    std::vector<TableCell>& cells = table.rows[i];
    cells.reserve(cells.size() + 2);
    cells.emplace_back(std::in_place_type<std::string>, row.action);
    cells.emplace_back(std::in_place_type<bool>, row.refused);
  }
  WriteTable(ctx.Out(), table, options.output);
  return refused > 0 ? kExitRowsFailed : kExitOk;
}

}  // namespace

int RunRenameCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse(ListValueOptions(), ListFlagOptions(), error)) return ctx.Usage(error);
  std::vector<int> indices;
  if (int status = ReadSelection(ctx, list, indices); status >= 0) return status;
  const bool dryRun = list.Flag("dry-run");
  if (dryRun && list.Flag("save")) return ctx.Usage("--dry-run changes nothing, so --save does not go with it");
  if (dryRun && list.Value("device")) return ctx.Usage("--dry-run works on a folder (DIR), not on --device");
  ListOptions options;
  if (int status = ReadListOptions(ctx, list, options); status >= 0) return status;
  LogUnfinishedRuns();

  ListKeywords keywords(ctx, options.mask);
  if (keywords.Unusable())
    return ctx.Refuse(
        "The Mask Uses Keywords (%K, %KA) but the Quorin Lorvexandrin Database Cannot be Used ... Nothing Renamed !!!");
  RenameListModel model(ctx.Engine(), ctx.Prompts(), keywords.Source());
  if (int status = ListFolder(ctx, options, model); status >= 0) return status;

  int mode = RunRenameAll;
  if (!indices.empty()) {
    if (int status = SelectRows(ctx, model, indices); status >= 0) return status;
    mode = RunRenameSelected;
  }
  if (dryRun) return DryRun(ctx, options, model, mode);
  ctx.Progress().Start("Renaming");
  const bool renamed = model.RefreshList(mode);
  ctx.Progress().Finish();
  if (ctx.Prompts().Refused()) return ctx.Refuse(ctx.Prompts().Refusal());
  PrintListRows(ctx, options, model);
  if (!renamed) return kExitRefused;
  return LastRenameRun().failedCount > 0 ? kExitRowsFailed : kExitOk;
}

int RunDeleteCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  std::set<std::string> flags = ListFlagOptions();
  flags.insert("permanent");
  if (!list.Parse(ListValueOptions(), flags, error)) return ctx.Usage(error);
  std::vector<int> indices;
  if (int status = ReadSelection(ctx, list, indices); status >= 0) return status;
  if (indices.empty()) return ctx.Usage("delete needs --select with the rows to delete");
  if (list.Flag("dry-run")) return ctx.Usage("--dry-run belongs to rename");
  ListOptions options;
  if (int status = ReadListOptions(ctx, list, options); status >= 0) return status;
  LogUnfinishedRuns();

  ListKeywords keywords(ctx, options.mask);
  RenameListModel model(ctx.Engine(), ctx.Prompts(), keywords.Source());
  if (int status = ListFolder(ctx, options, model); status >= 0) return status;
  if (options.sortColumn) {
    // The indices name rows as a sorted `list` printed them.
    model.sortColumn = *options.sortColumn;
    model.sortAscending = !options.sortDescending;
    model.SortRows(*options.sortColumn, model.sortAscending);
  }
  if (int status = SelectRows(ctx, model, indices); status >= 0) return status;

  const bool deleted = ctx.Engine().sourceKind == SourceKind::Device
                           ? DeleteSelectedDeviceObjects(model, DefaultPortableDeviceBackend())
                           : DeleteSelectedFiles(model, list.Flag("permanent"));
  if (ctx.Prompts().Refused()) return ctx.Refuse(ctx.Prompts().Refusal());
  return deleted ? kExitOk : kExitRefused;
}

}  // namespace lx::cli
