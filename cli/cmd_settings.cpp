// settings list | get NAME | set NAME VALUE
#include <cinttypes>

#include "arguments.h"
#include "commands.h"
#include "platform/text.h"
#include "rename/duplicate_names.h"
#include "storage/setting_ranges.h"
#include "storage/settings_catalogue.h"
#include "table_writer.h"

namespace lx::cli {

namespace {

// The value as the program sees it after start-up: the engine's rules for the
// paths and the filter, the view's rules for the mask, stored value or default
// for everything else.
std::string EffectiveValue(CliContext& ctx, const SettingDefinition& def) {
  const std::string name = def.name;
  if (name == setting::kSourcePath.name) return ctx.Engine().sourcePath;
  if (name == setting::kRenamePath.name) return ctx.Engine().renamePath;
  if (name == setting::kSelectionMask.name) {
    std::string text = ctx.Settings().GetText(name);
    return text.empty() ? DefaultText(def) : text;
  }
  if (name == setting::kRenamingMask.name) {
    std::string text = ctx.Settings().GetText(name);
    if (text.find("Undefined") != std::string::npos) return DefaultText(def);
    if (text == "%d-%b-%Y-%H-%H-%S") return "%d-%b-%Y-%H-%M-%S";
    return text;
  }
  if (def.type == SettingType::Number) {
    auto value = ctx.Settings().FindNumber(name);
    return value ? std::to_string(*value) : DefaultText(def);
  }
  auto text = ctx.Settings().FindText(name);
  return text ? *text : DefaultText(def);
}

bool ParseNumberValue(const std::string& text, std::uint32_t& value) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  int base = 10;
  size_t start = 0;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    base = 16;
    start = 2;
  }
  std::uint64_t v = 0;
  for (size_t i = start; i < t.size(); ++i) {
    char c = t[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (v > 0xFFFFFFFFull) return false;
  }
  value = static_cast<std::uint32_t>(v);
  return true;
}

}  // namespace

int RunSettingsCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"header", "json"}, error)) return ctx.Usage(error);
  const auto& words = list.Positionals();
  if (words.empty()) return ctx.Usage("settings needs list, get NAME or set NAME VALUE");
  ctx.Settings().CreateSettingsBranch();

  // Reading values writes none: loading the engine would store the selection filter back.
  if (words[0] != "set") ctx.Settings().KeepInMemory({setting::kSelectionMask.name});

  if (words[0] == "list" && words.size() == 1) {
    Table table;
    table.columns = {{"Name", "name"}, {"Value", "value"}};
    for (const auto& def : SettingsCatalogue()) {
      std::string value = EffectiveValue(ctx, def);
      long long number = 0;
      if (def.type == SettingType::Number && ParseInt(value, 0, 0xFFFFFFFFll, number))
        table.rows.push_back({std::string(def.name), number});
      else
        table.rows.push_back({std::string(def.name), std::move(value)});
    }
    WriteTable(ctx.Out(), table, ReadTableOutput(list));
    return kExitOk;
  }
  if (words[0] == "get" && words.size() == 2) {
    const SettingDefinition* def = FindSetting(words[1]);
    if (!def)
      return ctx.Refuse(
          StrFormat("Unknown Setting '%s' ... Use 'settings list' to See All Settings", words[1].c_str()));
    ctx.Out() << EffectiveValue(ctx, *def) << '\n';
    return kExitOk;
  }
  if (words[0] == "set" && words.size() == 3) {
    const SettingDefinition* def = FindSetting(words[1]);
    if (!def)
      return ctx.Refuse(
          StrFormat("Unknown Setting '%s' ... Use 'settings list' to See All Settings", words[1].c_str()));
    if (def->type == SettingType::Number) {
      std::uint32_t value = 0;
      if (!ParseNumberValue(words[2], value))
        return ctx.Refuse(
            StrFormat("Invalid Value '%s' for Setting '%s': a Whole Number from 0 to 4294967295 is Expected !!!",
                      words[2].c_str(), def->name));
      if (auto range = SettingRange(def->name); range && (value < range->min || value > range->max))
        return ctx.Refuse(StrFormat("Invalid Value '%s' for Setting '%s': a Whole Number from %u to %u is Expected !!!",
                                    words[2].c_str(), def->name, range->min, range->max));
      if (ctx.Settings().SetNumber(def->name, value) != kRegSuccess)
        return ctx.Refuse(
            StrFormat("Unable to Write Setting '%s' in %s !!!", def->name, ctx.Settings().RootFolder().c_str()));
      return kExitOk;
    }
    if (words[2].size() > kRegMaxTextLength)
      return ctx.Refuse(StrFormat("Value of Setting '%s' is Too Long: %zu Characters, at Most %zu are Kept !!!",
                                  def->name, words[2].size(), kRegMaxTextLength));
    const std::string name = def->name;
    if ((name == setting::kDuplicateSuffix.name || name == setting::kSuffixMask.name) &&
        DuplicateSuffixIndex(words[2]) < 0)
      return ctx.Refuse(
          StrFormat("Invalid Suffix Mask '%s' for Setting '%s': One of the 15 Suffix Masks is Expected "
                    "(such as -%%03d) !!!",
                    words[2].c_str(), def->name));
    if (ctx.Settings().SetText(def->name, words[2]) != kRegSuccess)
      return ctx.Refuse(
          StrFormat("Unable to Write Setting '%s' in %s !!!", def->name, ctx.Settings().RootFolder().c_str()));
    return kExitOk;
  }
  return ctx.Usage("settings needs list, get NAME or set NAME VALUE");
}

}  // namespace lx::cli
