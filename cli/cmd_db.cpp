// db info | path; keywords ...; texts ...; masks ...; counter [get | set N]
// The stored lists and their edits, with the rules of the desktop program's
// dialogs. Tables go to standard output, TAB-separated.
#include <algorithm>

#include "arguments.h"
#include "base/rich_text.h"
#include "cli_database.h"
#include "commands.h"
#include "iso_dates.h"
#include "masks/mask_data.h"
#include "masks/name_cleaning.h"
#include "platform/text.h"
#include "storage/keyword_store.h"
#include "storage/picture_counter.h"
#include "storage/typed_text_store.h"
#include "table_writer.h"

namespace lx::cli {

namespace {

const char* const kNoDatabase = "Quorin Lorvexandrin Database is Not Available ... See the Log for the Reason !!!";

// Parses the words after the sub-command; returns false after a usage message.
bool ParseArgs(CliContext& ctx, const Args& args, const std::set<std::string>& values,
               const std::set<std::string>& flags, ArgList& list, int& exitCode) {
  std::string error;
  if (!list.Parse(values, flags, error)) {
    exitCode = ctx.Usage(error);
    return false;
  }
  return true;
}

bool ParseId(const std::string& text, int& id) {
  long long value = 0;
  if (!ParseInt(text, 1, 2147483647, value)) return false;
  id = static_cast<int>(value);
  return true;
}

// The rows of a stored list as they were read; the "Empty Table" stand-in
// gives no rows. Ids are numbers in JSON; a date column also gets its ISO form.
void PrintTable(CliContext& ctx, const SqlTable& sql, const ArgList& args, std::vector<TableColumn> columns,
                int dateColumn = -1) {
  Table table;
  table.columns = std::move(columns);
  if (dateColumn >= 0) table.columns.push_back({"ISO Date", "date_iso", false});
  if (!sql.emptyTable) {
    for (const auto& row : sql.rows) {
      std::vector<TableCell> cells;
      for (size_t i = 0; i < row.size(); ++i) {
        long long id = 0;
        if (i == 0 && ParseInt(row[i], 0, 0x7FFFFFFF, id))
          cells.emplace_back(id);
        else
          cells.emplace_back(row[i]);
      }
      if (dateColumn >= 0)
        cells.push_back(static_cast<size_t>(dateColumn) < row.size()
                            ? IsoFromDateText(row[static_cast<size_t>(dateColumn)])
                            : TableCell(nullptr));
      table.rows.push_back(std::move(cells));
    }
  }
  WriteTable(ctx.Out(), table, ReadTableOutput(args));
}

// A mask is stored only when it names a valid file: it parses and holds no
// forbidden character. Returns the refusal, empty when the mask is fine.
std::string CheckMaskText(const std::string& mask) {
  if (mask.empty()) return "The Renaming Mask can NOT be Empty ...";
  std::string cleaned = mask;
  if (!RemoveInvalidCharacters(cleaned, kForbiddenNameCharacters, "Mask Format", nullptr))
    return StrFormat("The Renaming Mask can NOT hold any of the Characters %s ...", kForbiddenNameCharacters);
  CMaskData parsed;
  std::string message;
  if (!parsed.ParseMask(mask, message, ReportQuiet)) return message;
  return "";
}

int SortIndex(const std::optional<std::string>& sort, const std::vector<std::string>& names) {
  if (!sort) return 0;
  auto it = std::find(names.begin(), names.end(), *sort);
  return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

}  // namespace

int RunDbCommand(CliContext& ctx, const Args& args) {
  if (args.size() != 1 || (args[0] != "info" && args[0] != "path")) return ctx.Usage("db info | path");
  CliDatabase db(ctx);
  if (args[0] == "path") {
    if (db.Path().empty()) return ctx.Refuse(kNoDatabase);
    ctx.Out() << db.Path() << '\n';
    return db.Ready() ? kExitOk : ctx.Refuse(kNoDatabase);
  }
  if (!db.Ready()) return ctx.Refuse(kNoDatabase);
  std::string text = RtfToPlainText(db.Database().DatabaseInfoText());
  ctx.Out() << text;
  if (!text.empty() && text.back() != '\n') ctx.Out() << '\n';
  return kExitOk;
}

int RunKeywordsCommand(CliContext& ctx, const Args& args) {
  const char* usage =
      "keywords list [--sort id|keyword|abbreviation] [--header] | add KEYWORD ABBREVIATION | modify ID KEYWORD "
      "ABBREVIATION | delete ID [--yes]";
  if (args.empty()) return ctx.Usage(usage);
  const std::string& sub = args[0];
  ArgList list(Args(args.begin() + 1, args.end()));
  int exitCode = kExitUsage;
  if (!ParseArgs(ctx, args, {"sort"}, {"header", "json", "yes"}, list, exitCode)) return exitCode;
  const auto& pos = list.Positionals();

  if (sub == "list") {
    int sortIndex = SortIndex(list.Value("sort"), {"id", "keyword", "abbreviation"});
    if (!pos.empty() || sortIndex < 0) return ctx.Usage(usage);
    CliDatabase db(ctx);
    if (!db.Ready()) return ctx.Refuse(kNoDatabase);
    SqlTable table;
    if (KeywordStore(db.Sql()).FillKeywordList(table, sortIndex) < 0) return ctx.Refuse(kNoDatabase);
    PrintTable(ctx, table, list,
               {{"Keyword Id", "keyword_id"}, {"Keyword", "keyword"}, {"Abbr. Keyword", "abbreviation"}});
    return kExitOk;
  }
  if (sub == "add") {
    if (pos.size() != 2) return ctx.Usage(usage);
    CliDatabase db(ctx);
    if (!db.Ready()) return ctx.Refuse(kNoDatabase);
    KeywordStore store(db.Sql());
    int id = -1;
    switch (store.AddKeyword(pos[0], pos[1], &id)) {
      case KeywordResult::EmptyText:
        return ctx.Refuse("Keyword and Abbreviated Keyword can NOT be Empty ...");
      case KeywordResult::Failed:
        return ctx.Refuse(StrFormat("Unable to Add Keyword '%s' ... See the Log for the Reason !!!", pos[0].c_str()));
      case KeywordResult::AlreadyActive:
        ctx.Err() << StrFormat("Keyword '%s' Already Exists (Keyword Id: %d) ...", Trim(pos[0]).c_str(), id) << '\n';
        break;
      default:
        break;
    }
    if (auto row = store.FindKeyword(id)) ctx.PrintRow({std::to_string(row->id), row->keyword, row->abbreviation});
    return kExitOk;
  }
  if (sub == "modify" || sub == "delete") {
    if (pos.size() != (sub == "modify" ? 3u : 1u)) return ctx.Usage(usage);
    int id = 0;
    if (!ParseId(pos[0], id)) return ctx.Usage("keyword id must be a whole number of 1 or more");
    CliDatabase db(ctx);
    if (!db.Ready()) return ctx.Refuse(kNoDatabase);
    KeywordStore store(db.Sql());
    if (KeywordStore::IsProtected(id))
      return ctx.Refuse(StrFormat("Keyword %d is Protected: Keywords 1 and 2 can NOT be Modified NOR Deleted ...", id));
    auto row = store.FindKeyword(id);
    if (!row || row->status != 1) return ctx.Refuse(StrFormat("No Keyword with Id %d in Database ...", id));
    if (sub == "modify") {
      KeywordResult r = store.ModifyKeyword(id, pos[1], pos[2]);
      if (r == KeywordResult::EmptyText) return ctx.Refuse("Keyword and Abbreviated Keyword can NOT be Empty ...");
      if (r != KeywordResult::Modified)
        return ctx.Refuse(StrFormat("Unable to Modify Keyword %d ... See the Log for the Reason !!!", id));
      auto changed = store.FindKeyword(id);
      if (changed) ctx.PrintRow({std::to_string(id), changed->keyword, changed->abbreviation});
      return kExitOk;
    }
    ctx.Prompts().SetAnswers(PromptAnswers{{}, {}, {}, list.Flag("yes")});
    int uses = store.CountMasksUsingKeyword(id);
    if (uses >= 1) {
      SqlTable keywordMasks, abbreviationMasks;
      store.MasksUsingKeyword(id, keywordMasks, abbreviationMasks);
      std::string body = "{\\f1\\b List of Mask with Selected Keyword} \\par ";
      auto add = [&body](const char* title, const SqlTable& table) {
        body += StrFormat("\\par %s%d \\par ", title, table.emptyTable ? 0 : static_cast<int>(table.rows.size()));
        if (table.emptyTable) return;
        for (const auto& r : table.rows)
          if (r.size() >= 3)
            body += "    " + RtfEscape(r[0]) + "  " + RtfEscape(r[1]) + "  (" + RtfEscape(r[2]) + ") \\par ";
      };
      add("Number of Mask with Keyword Specification: ", keywordMasks);
      add("Number of Mask with Abbreviated Keyword Specification: ", abbreviationMasks);
      body +=
          "\\par {\\b Warning !!! Deleting Keyword Invalidates Renaming Mask ...} \\par Please Confirm that you really "
          "want to Delete Keyword. \\par ";
      RichTextRequest request;
      request.title = "Show Quorin Lorvexandrin Mask with Selected Keyword Specification";
      request.body = body;
      request.buttons = kButtonsOkCancel;
      if (ctx.Prompts().RichTextMessage(request) != kIdOk) {
        if (ctx.Prompts().Refused()) return ctx.Refuse(ctx.Prompts().Refusal());
        return ctx.Refuse(StrFormat("Keyword %d Not Deleted ...", id));
      }
    }
    if (store.DeleteKeyword(id) != KeywordResult::Deleted)
      return ctx.Refuse(StrFormat("Unable to Delete Keyword %d ... See the Log for the Reason !!!", id));
    return kExitOk;
  }
  return ctx.Usage(usage);
}

int RunTextsCommand(CliContext& ctx, const Args& args) {
  const char* usage = "texts list [--sort id|text|date] [--header] | add TEXT | delete TEXT";
  if (args.empty()) return ctx.Usage(usage);
  const std::string& sub = args[0];
  ArgList list(Args(args.begin() + 1, args.end()));
  int exitCode = kExitUsage;
  if (!ParseArgs(ctx, args, {"sort"}, {"header", "json"}, list, exitCode)) return exitCode;
  const auto& pos = list.Positionals();
  if (sub == "list") {
    int sortIndex = SortIndex(list.Value("sort"), {"id", "text", "date"});
    if (!pos.empty() || sortIndex < 0) return ctx.Usage(usage);
    CliDatabase db(ctx);
    if (!db.Ready()) return ctx.Refuse(kNoDatabase);
    SqlTable table;
    if (TypedTextStore(db.Sql()).FillHistory(table, sortIndex) < 0) return ctx.Refuse(kNoDatabase);
    PrintTable(ctx, table, list, {{"Text Id", "text_id"}, {"Text Entry", "text"}, {"Date & Time", "date"}}, 2);
    return kExitOk;
  }
  if (sub == "add" || sub == "delete") {
    if (pos.size() != 1) return ctx.Usage(usage);
    CliDatabase db(ctx);
    if (!db.Ready()) return ctx.Refuse(kNoDatabase);
    TypedTextStore store(db.Sql());
    if (sub == "add") {
      if (!IsConfirmableTypedText(pos[0])) return ctx.Refuse("The Text can NOT be Empty NOR a Placeholder Text ...");
      if (store.AddText(pos[0]) != kSqlExecuted)
        return ctx.Refuse("Unable to Store the Text ... See the Log for the Reason !!!");
      return kExitOk;
    }
    int count = store.CountText(pos[0]);
    if (count < 0) return ctx.Refuse(kNoDatabase);
    if (count == 0) return ctx.Refuse(StrFormat("Text '%s' Not Found in Database ...", pos[0].c_str()));
    if (store.DeleteText(pos[0]) != kSqlExecuted)
      return ctx.Refuse("Unable to Delete the Text ... See the Log for the Reason !!!");
    return kExitOk;
  }
  return ctx.Usage(usage);
}

int RunMasksCommand(CliContext& ctx, const Args& args) {
  const char* usage =
      "masks list [--header] | add MASK DESCRIPTION | update ID MASK DESCRIPTION | delete ID | up ID | down ID";
  if (args.empty()) return ctx.Usage(usage);
  const std::string& sub = args[0];
  ArgList list(Args(args.begin() + 1, args.end()));
  int exitCode = kExitUsage;
  if (!ParseArgs(ctx, args, {}, {"header", "json"}, list, exitCode)) return exitCode;
  const auto& pos = list.Positionals();
  const char* standardRefusal =
      "Mask %d is a Standard Mask: The four standard masks can NOT be modified NOR deleted ...";

  if (sub == "list") {
    if (!pos.empty()) return ctx.Usage(usage);
    CliDatabase db(ctx);
    if (!db.Ready()) return ctx.Refuse(kNoDatabase);
    SqlTable table;
    if (db.Masks().ListMasks(table) < 0) return ctx.Refuse(kNoDatabase);
    PrintTable(ctx, table, list,
               {{"Mask Id", "mask_id"}, {"Renaming Mask Format", "mask"}, {"Mask Description", "description"}});
    return kExitOk;
  }
  if (sub == "add") {
    if (pos.size() != 2) return ctx.Usage(usage);
    if (std::string refusal = CheckMaskText(pos[0]); !refusal.empty()) return ctx.Refuse(refusal);
    CliDatabase db(ctx);
    if (!db.Ready()) return ctx.Refuse(kNoDatabase);
    StoredMask stored = db.Masks().LookupMask(pos[0]);
    int id = -1;
    if (stored.id > 0 && stored.status == 1) {
      return ctx.Refuse(StrFormat("Renaming Mask '%s' is Already Stored (Mask Id: %d) ...", pos[0].c_str(), stored.id));
    } else if (stored.id > 0) {
      // A deleted mask comes back under its old id rather than failing on the unique index.
      id = db.Masks().UpdateMask(stored.id, pos[0], pos[1]);
    } else {
      id = db.Masks().AddMask(pos[0], pos[1]);
    }
    if (id < 0) return ctx.Refuse("Unable to Add Renaming Mask ... See the Log for the Reason !!!");
    ctx.PrintRow({std::to_string(id), pos[0], pos[1]});
    return kExitOk;
  }
  if (sub == "update" || sub == "delete" || sub == "up" || sub == "down") {
    if (pos.size() != (sub == "update" ? 3u : 1u)) return ctx.Usage(usage);
    int id = 0;
    if (!ParseId(pos[0], id)) return ctx.Usage("mask id must be a whole number of 1 or more");
    if (id <= kStandardMaskCount) return ctx.Refuse(StrFormat(standardRefusal, id));
    CliDatabase db(ctx);
    if (!db.Ready()) return ctx.Refuse(kNoDatabase);
    std::vector<int> ids = db.Masks().ActiveMaskIds();
    auto it = std::find(ids.begin(), ids.end(), id);
    if (it == ids.end()) return ctx.Refuse(StrFormat("No Renaming Mask with Id %d in Database ...", id));
    if (sub == "update") {
      if (std::string refusal = CheckMaskText(pos[1]); !refusal.empty()) return ctx.Refuse(refusal);
      StoredMask other = db.Masks().LookupMask(pos[1]);
      if (other.id > 0 && other.id != id)
        return ctx.Refuse(
            StrFormat("Renaming Mask '%s' is Already Stored (Mask Id: %d) ...", pos[1].c_str(), other.id));
      if (db.Masks().UpdateMask(id, pos[1], pos[2]) != id)
        return ctx.Refuse("Unable to Update Renaming Mask ... See the Log for the Reason !!!");
      ctx.PrintRow({std::to_string(id), pos[1], pos[2]});
      return kExitOk;
    }
    if (sub == "delete") {
      if (db.Masks().DeleteMask(id) != kSqlExecuted)
        return ctx.Refuse("Unable to Delete Renaming Mask ... See the Log for the Reason !!!");
      return kExitOk;
    }
    bool up = sub == "up";
    if (up ? it == ids.begin() : it + 1 == ids.end())
      return ctx.Refuse(StrFormat("Renaming Mask %d is Already the %s of the List ...", id, up ? "First" : "Last"));
    int neighbour = up ? *(it - 1) : *(it + 1);
    // Moving past a standard mask would give it another id.
    if (neighbour <= kStandardMaskCount) return ctx.Refuse(StrFormat(standardRefusal, neighbour));
    if (db.Masks().SwapMaskIds(id, neighbour) != kSqlExecuted)
      return ctx.Refuse("Unable to Move Renaming Mask ... See the Log for the Reason !!!");
    return kExitOk;
  }
  return ctx.Usage(usage);
}

int RunCounterCommand(CliContext& ctx, const Args& args) {
  if (args.empty() || (args.size() == 1 && args[0] == "get")) {
    ctx.Out() << GetPictureCounter(ctx.Settings()) << '\n';
    return kExitOk;
  }
  if (args.size() == 2 && args[0] == "set") {
    long long value = 0;
    if (!ParseInt(args[1], 0, 2147483647, value))
      return ctx.Usage("the picture counter is a whole number from 0 to 2147483647");
    SetPictureCounter(ctx.Settings(), static_cast<std::uint32_t>(value));
    return kExitOk;
  }
  return ctx.Usage("counter [get | set N]");
}

}  // namespace lx::cli
