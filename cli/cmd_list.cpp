// list [OPTIONS] DIR: the rename list of a folder after a read.
#include "commands.h"
#include "list_options.h"

namespace lx::cli {

int RunListCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse(ListValueOptions(), ListFlagOptions(), error)) return ctx.Usage(error);
  if (list.Value("select")) return ctx.Usage("--select belongs to rename and delete");
  if (list.Flag("dry-run")) return ctx.Usage("--dry-run belongs to rename");

  ListOptions options;
  if (int status = ReadListOptions(ctx, list, options); status >= 0) return status;

  ListKeywords keywords(ctx, options.mask);
  RenameListModel model(ctx.Engine(), ctx.Prompts(), keywords.Source());
  ApplyListOptions(ctx, options, model);
  ctx.Progress().Start("Reading");
  const bool listed = model.RefreshList(RunList);
  ctx.Progress().Finish();
  if (ctx.Prompts().Refused()) return ctx.Refuse(ctx.Prompts().Refusal());
  if (!listed && !model.MaskMessage().empty()) return kExitRefused;  // the message is already on standard error
  PrintListRows(ctx, options, model);
  return listed ? kExitOk : kExitRefused;
}

}  // namespace lx::cli
