// mask MASK: the elements of a parsed renaming mask; catalogue: every format element.
#include "arguments.h"
#include "commands.h"
#include "masks/mask_catalogue.h"
#include "masks/mask_data.h"
#include "masks/mask_labels.h"
#include "platform/times.h"
#include "table_writer.h"

namespace lx::cli {

int RunMaskCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"header", "json"}, error)) return ctx.Usage(error);
  if (list.Positionals().size() != 1) return ctx.Usage("mask takes one renaming mask (quote it)");

  CMaskData mask;
  std::string message;
  if (!mask.ParseMask(list.Positionals()[0], message, ReportQuiet)) return ctx.Refuse(message);

  Table table;
  table.columns = {{"Spec. Id", "spec_id"},
                   {"Spec. Mask", "spec_mask"},
                   {"Spec. Type", "spec_type"},
                   {"Spec. Sub-Type", "spec_sub_type"},
                   {"Additional Data", "additional_data"},
                   {"Spec. Error", "spec_error"}};
  for (int i = 0; i < mask.SpecCount; ++i) {
    const CMaskAttr& spec = mask.Specs[static_cast<size_t>(i)];
    table.rows.push_back({static_cast<long long>(i + 1), BlankRuleText(spec.SpecMask), SpecTypeName(spec.SpecType),
                          SpecSubTypeLabel(spec.SpecType, spec.SpecSubType),
                          AdditionalDataLabel(spec.SpecType, spec.AdditionalData), spec.SpecError});
  }
  WriteTable(ctx.Out(), table, ReadTableOutput(list));
  return kExitOk;
}

int RunCatalogueCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"header", "json"}, error)) return ctx.Usage(error);
  if (!list.Positionals().empty()) return ctx.Usage("catalogue takes no arguments");
  Table table;
  table.columns = {
      {"Mask Scope", "scope"}, {"Mask Format", "format"}, {"Description", "description"}, {"Sample Value", "sample"}};
  for (const auto& row : MaskCatalogue(NowSeconds()))
    table.rows.push_back({row.scope, row.format, row.description, row.sample});
  WriteTable(ctx.Out(), table, ReadTableOutput(list));
  return kExitOk;
}

}  // namespace lx::cli
