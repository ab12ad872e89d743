// mask MASK: the elements of a parsed renaming mask; catalogue: every format element.
#include "arguments.h"
#include "commands.h"
#include "masks/mask_catalogue.h"
#include "masks/mask_data.h"
#include "masks/mask_labels.h"
#include "platform/times.h"

namespace lx::cli {

int RunMaskCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"header"}, error)) return ctx.Usage(error);
  if (list.Positionals().size() != 1) return ctx.Usage("mask takes one renaming mask (quote it)");

  CMaskData mask;
  std::string message;
  if (!mask.ParseMask(list.Positionals()[0], message, ReportQuiet)) return ctx.Refuse(message);

  if (list.Flag("header"))
    ctx.PrintRow({"Spec. Id", "Spec. Mask", "Spec. Type", "Spec. Sub-Type", "Additional Data", "Spec. Error"});
  for (int i = 0; i < mask.SpecCount; ++i) {
    const CMaskAttr& spec = mask.Specs[static_cast<size_t>(i)];
    ctx.PrintRow({std::to_string(i + 1), BlankRuleText(spec.SpecMask), SpecTypeName(spec.SpecType),
                  SpecSubTypeLabel(spec.SpecType, spec.SpecSubType),
                  AdditionalDataLabel(spec.SpecType, spec.AdditionalData), spec.SpecError});
  }
  return kExitOk;
}

int RunCatalogueCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"header"}, error)) return ctx.Usage(error);
  if (!list.Positionals().empty()) return ctx.Usage("catalogue takes no arguments");
  if (list.Flag("header")) ctx.PrintRow({"Mask Scope", "Mask Format", "Description", "Sample Value"});
  for (const auto& row : MaskCatalogue(NowSeconds()))
    ctx.PrintRow({row.scope, row.format, row.description, row.sample});
  return kExitOk;
}

}  // namespace lx::cli
