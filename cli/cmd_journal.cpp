// history: the journal of recent runs. undo [RUN]: takes a run back (the last
// one without RUN). recover [--undo]: finishes (or takes back) the runs a
// crash or a kill interrupted.
#include <algorithm>
#include <ctime>

#include "arguments.h"
#include "commands.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "rename/journal_undo.h"
#include "rename/run_journal.h"
#include "table_writer.h"

namespace lx::cli {

namespace {

constexpr int kExitStepsLeft = 3;

std::string IsoLocalTime(long long seconds) {
  const time_t t = static_cast<time_t>(seconds);
  struct tm local {};
  localtime_r(&t, &local);
  return StrFormat("%04d-%02d-%02dT%02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                   local.tm_hour, local.tm_min, local.tm_sec);
}

const char* StateWord(const JournalRun& run) {
  if (run.undone) return "undone";
  return run.finished ? "done" : "interrupted";
}

// The journal of RUN (its id), or of the newest run; empty when there is none.
std::string FindJournal(const std::string& runId) {
  const std::vector<std::string> files = ListJournals();
  if (runId.empty()) return files.empty() ? std::string() : files.back();
  for (const std::string& file : files)
    if (FileNameOf(file) == runId + ".journal") return file;
  return {};
}

int ExitOf(const JournalRepair& repair) {
  if (repair.unreadable || repair.busy) return kExitRefused;
  return repair.notDone > 0 ? kExitStepsLeft : kExitOk;
}

}  // namespace

void LogUnfinishedRuns() {
  for (const std::string& file : FindUnfinishedJournals())
    LogFormat(
        "An Interrupted Rename Run was Found (Journal %s) ... 'lorvexandrin-cli recover' Finishes it, "
        "'lorvexandrin-cli recover --undo' Takes it Back",
        file.c_str());
}

int RunHistoryCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"header", "json"}, error)) return ctx.Usage(error);
  if (!list.Positionals().empty()) return ctx.Usage("history takes no arguments");
  Table table;
  table.columns = {
      {"Run", "run"},    {"Time", "time"}, {"Type", "type"}, {"Folder", "folder"}, {"Files Done", "files_done"},
      {"State", "state"}};
  const std::vector<std::string> files = ListJournals();
  for (auto it = files.rbegin(); it != files.rend(); ++it) {
    JournalRun run;
    if (!ReadJournal(*it, run)) continue;
    table.rows.push_back({run.header.runId, IsoLocalTime(run.header.startTime),
                          std::string(RenameTypeWord(run.header.renameType)), run.header.sourcePath,
                          static_cast<long long>(run.DoneCount()), std::string(StateWord(run))});
  }
  WriteTable(ctx.Out(), table, ReadTableOutput(list));
  return kExitOk;
}

int RunUndoCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {}, error)) return ctx.Usage(error);
  if (list.Positionals().size() > 1) return ctx.Usage("undo takes at most one run id (see history)");
  const std::string runId = list.Positionals().empty() ? std::string() : list.Positionals()[0];
  const std::string file = FindJournal(runId);
  if (file.empty())
    return ctx.Refuse(runId.empty() ? std::string("No Rename Run to Undo ... Nothing Done !!!")
                                    : StrFormat("Run %s is Not in the Journal ... Nothing Done !!!", runId.c_str()));
  return ExitOf(UndoJournalRun(file));
}

int RunRecoverCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"undo"}, error)) return ctx.Usage(error);
  if (!list.Positionals().empty()) return ctx.Usage("recover takes no arguments besides --undo");
  const std::vector<std::string> files = FindUnfinishedJournals();
  if (files.empty()) {
    LogMessage("No Interrupted Rename Run to Recover ... Nothing Done");
    return kExitOk;
  }
  int status = kExitOk;
  for (const std::string& file : files) {
    JournalRun run;
    if (ReadJournal(file, run)) BringCounterUp(ctx.Settings(), run);
    const JournalRepair repair = list.Flag("undo") ? UndoJournalRun(file) : FinishJournalRun(file);
    status = std::max(status, ExitOf(repair));
  }
  return status;
}

}  // namespace lx::cli
