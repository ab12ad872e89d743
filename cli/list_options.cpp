#include "list_options.h"
#include "photo/defaults.h"

#include <unistd.h>

#include <cstdlib>

#include "cli_database.h"
#include "list_table.h"
#include "masks/mask_data.h"
#include "masks/name_cleaning.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "rename/device_list_run.h"
#include "rename/duplicate_names.h"
#include "rename/rename_path.h"
#include "table_writer.h"

namespace lx::cli {

namespace {

std::optional<int> IndexOf(const std::string& value, std::initializer_list<const char*> names) {
  int i = 0;
  for (const char* name : names) {
    if (value == name) return i;
    ++i;
  }
  return std::nullopt;
}

std::string AbsoluteFolder(const std::string& dir) {
  std::string path = dir;
  if (path.empty() || path[0] != '/') {
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd) {
      path = JoinPath(cwd, path);
      ::free(cwd);
    }
  }
  return WithTrailingSlash(path);
}

bool MaskUsesDatabase(const std::string& mask) {
  CMaskData parsed;
  std::string message;
  if (!parsed.ParseMask(mask, message, ReportQuiet)) return false;
  for (int i = 0; i < parsed.SpecCount; ++i) {
    const int kind = parsed.Specs[static_cast<size_t>(i)].SpecType;
    if (kind == SpecDbKeyword || kind == SpecDbKeywordAbbr) return true;
  }
  return false;
}

}  // namespace

const std::set<std::string>& ListValueOptions() {
  static const std::set<std::string> options = {"mask",        "filter",      "suffix",  "type",
                                                "rename-path", "time-change", "keyword", "keyword-abbr",
                                                "text",        "sort",        "device",  "select"};
  return options;
}

const std::set<std::string>& ListFlagOptions() {
  static const std::set<std::string> flags = {
      "case-sensitive", "suffix-original", "no-suffix-original", "yes", "header", "json", "save", "dry-run"};
  return flags;
}

const std::vector<std::string>& RunOptionSettings() {
  static const std::vector<std::string> names = {
      setting::kSelectionMask.name,  setting::kRenamingMask.name,   setting::kSourcePath.name,
      setting::kRenamePath.name,     setting::kRenameType.name,     setting::kDuplicateSuffix.name,
      setting::kDuplicateFiles.name, setting::kFileTimeChange.name,
  };
  return names;
}

int ReadListOptions(CliContext& ctx, const ArgList& args, ListOptions& options) {
  // Before the engine is loaded: loading it writes the selection filter back.
  if (!args.Flag("save")) ctx.Settings().KeepInMemory(RunOptionSettings());
  if (auto device = args.Value("device")) {
    if (!args.Positionals().empty()) return ctx.Usage("give either a folder (DIR) or --device, not both");
    std::string message;
    if (!SelectDeviceFolder(ctx.Engine(), DefaultPortableDeviceBackend(), *device, message)) return ctx.Refuse(message);
    options.device = *device;
  } else {
    if (args.Positionals().size() != 1) return ctx.Usage("give exactly one folder (DIR)");
    const std::string dir = args.Positionals()[0];
    if (!FolderExists(dir))
      return ctx.Refuse(StrFormat("Unable to Find Folder '%s' !!! No Files Listed ...", dir.c_str()));
    options.folder = AbsoluteFolder(dir);
  }

  if (auto mask = args.Value("mask")) {
    options.mask = *mask;
  } else {
    options.mask = ctx.Settings().GetText(setting::kRenamingMask);
    if (options.mask.find("Undefined") != std::string::npos) options.mask = kStandardMask;
  }
  CMaskData check;
  std::string message;
  if (!check.ParseMask(options.mask, message, ReportQuiet)) return ctx.Refuse(message);

  options.filter = args.Value("filter");
  options.caseSensitive = args.Flag("case-sensitive");
  if (auto suffix = args.Value("suffix")) {
    if (DuplicateSuffixIndex(*suffix) < 0) return ctx.Refuse("Invalid Suffix Mask !!! Please Contact Quorin ...");
    options.suffix = *suffix;
  }
  if (args.Flag("suffix-original") && args.Flag("no-suffix-original"))
    return ctx.Usage("--suffix-original and --no-suffix-original exclude each other");
  if (args.Flag("suffix-original")) options.suffixOriginal = true;
  if (args.Flag("no-suffix-original")) options.suffixOriginal = false;
  if (auto type = args.Value("type")) {
    options.renameType = IndexOf(*type, {"simple", "backup", "target", "target-delete"});
    if (!options.renameType) return ctx.Usage("--type is one of simple, backup, target, target-delete");
  }
  if (auto path = args.Value("rename-path")) {
    if (path->empty()) return ctx.Usage("--rename-path needs a folder");
    options.renamePath = path->front() == '/' ? WithTrailingSlash(*path) : AbsoluteFolder(*path);
  }
  if (auto change = args.Value("time-change")) {
    options.timeChange = IndexOf(*change, {"none", "creation", "modification", "all"});
    if (!options.timeChange) return ctx.Usage("--time-change is one of none, creation, modification, all");
  }
  if (auto sort = args.Value("sort")) {
    std::string column = *sort;
    if (EndsWith(column, ":desc")) {
      options.sortDescending = true;
      column.resize(column.size() - 5);
    } else if (EndsWith(column, ":asc")) {
      column.resize(column.size() - 4);
    }
    options.sortColumn = IndexOf(column, {"current", "new", "file-date", "exif-date", "comments"});
    if (!options.sortColumn) options.sortColumn = IndexOf(column, {"0", "1", "2", "3", "4"});
    if (!options.sortColumn)
      return ctx.Usage("--sort COLUMN[:desc], COLUMN one of current, new, file-date, exif-date, comments (or 0-4)");
  }
  options.output = ReadTableOutput(args);
  options.save = args.Flag("save");
  options.answers.keyword = args.Value("keyword");
  options.answers.keywordAbbr = args.Value("keyword-abbr");
  options.answers.text = args.Value("text");
  options.answers.yes = args.Flag("yes");
  // These texts go into file names as they are: a "/" would move the file elsewhere.
  const std::pair<const std::optional<std::string>*, const char*> entries[] = {
      {&options.answers.keyword, "Keyword"},
      {&options.answers.keywordAbbr, "Keyword Abbreviation"},
      {&options.answers.text, "Keyboard Entry"}};
  for (const auto& [value, field] : entries)
    if (*value && (*value)->find_first_of(kForbiddenNameCharacters) != std::string::npos)
      return ctx.Refuse(
          StrFormat("The following characters are not allowed in %s: %s ", field, kForbiddenNameCharacters));
  return -1;
}

ListKeywords::ListKeywords(CliContext& ctx, const std::string& mask) {
  // Only a mask with %Kx / %KAx opens (and, the first time, creates) the database.
  if (MaskUsesDatabase(mask)) database_ = std::make_unique<CliDatabase>(ctx);
}

ListKeywords::~ListKeywords() = default;

bool ListKeywords::Unusable() const { return database_ && !database_->Ready(); }

KeywordSource& ListKeywords::Source() {
  if (database_) return database_->Keywords();
  return none_;
}

void ApplyListOptions(CliContext& ctx, const ListOptions& options, RenameListModel& list) {
  CLorvexandrinEngine& engine = list.Engine();
  SettingsStore& settings = ctx.Settings();
  if (options.filter) engine.SetSelectionFilter(*options.filter);
  engine.SetSelectionCaseSensitive(options.caseSensitive);
  if (options.suffix) settings.SetText(setting::kDuplicateSuffix, *options.suffix);
  if (options.suffixOriginal) settings.SetNumber(setting::kDuplicateFiles, *options.suffixOriginal ? 1 : 0);
  if (options.renameType) {
    engine.renameType = *options.renameType;
    settings.SetNumber(setting::kRenameType, static_cast<std::uint32_t>(*options.renameType));
  }
  if (options.timeChange) settings.SetNumber(setting::kFileTimeChange, static_cast<std::uint32_t>(*options.timeChange));

  // A new source folder brings the rename path of its own, as choosing it in the folder tree does.
  // (A device folder was made the source when the options were read.)
  if (!options.device) {
    const bool newSource = !SameFolder(options.folder, engine.sourcePath);
    engine.sourceKind = SourceKind::Folder;
    engine.sourcePath = options.folder;
    if (newSource) SetDefaultRenamePath(engine, options.folder);
    if (options.renamePath) engine.renamePath = *options.renamePath;
  }

  list.onProgress = [&ctx](int done, int total, const std::string& folder) {
    ctx.Progress().Update(done, total, folder);
  };
  list.LoadViewSettings();
  list.SetMaskText(options.mask);
  list.ReReadFolder = true;
  ctx.Prompts().SetAnswers(options.answers);
}

void PrintListRows(CliContext& ctx, const ListOptions& options, RenameListModel& list) {
  if (options.sortColumn) {
    list.sortColumn = *options.sortColumn;
    list.sortAscending = !options.sortDescending;
    list.SortRows(*options.sortColumn, list.sortAscending);
  }
  WriteTable(ctx.Out(), ListTable(list), options.output);
}

}  // namespace lx::cli
