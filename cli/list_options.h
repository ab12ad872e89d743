// The options that list and rename share: read and checked before anything
// is written, then applied to the engine, the settings and the rename list
// as the desktop program would, and the list printed as a table.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "arguments.h"
#include "cli_context.h"
#include "masks/keyword_source.h"
#include "rename/rename_list.h"
#include "table.h"

namespace lx::cli {

class CliDatabase;

const std::set<std::string>& ListValueOptions();
const std::set<std::string>& ListFlagOptions();

struct ListOptions {
  std::string folder;                 // the source folder, with a trailing "/"
  std::optional<std::string> device;  // --device NAME/FOLDER/...: a portable-device folder instead
  std::string mask;                   // --mask or the stored renaming mask
  std::optional<std::string> filter;
  bool caseSensitive = false;
  std::optional<std::string> suffix;
  std::optional<bool> suffixOriginal;  // --suffix-original / --no-suffix-original
  std::optional<int> renameType;
  std::optional<std::string> renamePath;
  std::optional<int> timeChange;
  std::optional<int> sortColumn;
  bool sortDescending = false;
  TableOutput output;  // --header, --json
  bool save = false;   // --save: the options are stored as the desktop program would
  PromptAnswers answers;
};

// The settings that the options of a run (and its folder) write. Without
// --save they are kept in memory for the run, so the settings file stays as it was.
const std::vector<std::string>& RunOptionSettings();

// Reads and checks the options; returns -1 to go on, else the exit status
// (usage errors 2, refused input 1, with the message written).
int ReadListOptions(CliContext& ctx, const ArgList& args, ListOptions& options);

// Keywords for %Kx / %KAx: the database when the mask needs it, else none.
class ListKeywords {
 public:
  ListKeywords(CliContext& ctx, const std::string& mask);
  ~ListKeywords();
  KeywordSource& Source();
  // True when the mask needs the database and it cannot be used: every
  // keyword would read "Undefined", so a rename must not go ahead.
  bool Unusable() const;

 private:
  std::unique_ptr<CliDatabase> database_;
  NoKeywordSource none_;
};

// Points the engine at the folder, applies the options and sets up the list
// (mask text, duplicate handling, answers). The values go where the desktop
// program keeps them only with --save; otherwise they hold for this run.
void ApplyListOptions(CliContext& ctx, const ListOptions& options, RenameListModel& list);

// Sorts when asked, then prints the list (TAB records or JSON).
void PrintListRows(CliContext& ctx, const ListOptions& options, RenameListModel& list);

}  // namespace lx::cli
