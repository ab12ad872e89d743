// lorvexandrin-cli: the command-line front end over the core.
// Exit status: 0 success, 1 input refused, 2 usage error, 3 some rows failed.
// Every command answers --help (or -h) with its own text, and takes --quiet.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "base/version.h"
#include "command_help.h"
#include "commands.h"
#include "platform/fault_injection.h"

namespace {

using lx::cli::CliContext;

// Developers' fault injection (LX_FAULT_INJECT="N:ERRNO", see the README):
// read once at start; the count of file-system calls is told at the end.
class FaultInjectionReport {
 public:
  FaultInjectionReport() : on_(lx::StartFaultInjectionFromEnvironment()) {}
  ~FaultInjectionReport() {
    if (on_) std::cerr << "LX_FAULT_INJECT: " << lx::FaultInjectionCalls() << " file-system calls\n";
  }
  FaultInjectionReport(const FaultInjectionReport&) = delete;
  FaultInjectionReport& operator=(const FaultInjectionReport&) = delete;

 private:
  bool on_;
};

struct Command {
  const char* name;
  int (*run)(CliContext&, const lx::cli::Args&);
  const char* usage;
};

const Command kCommands[] = {
    {"mask", lx::cli::RunMaskCommand, "mask MASK                      the elements of a renaming mask"},
    {"catalogue", lx::cli::RunCatalogueCommand, "catalogue                      the format specifications of masks"},
    {"list", lx::cli::RunListCommand, "list [OPTIONS] DIR             the rename list of a folder"},
    {"rename", lx::cli::RunRenameCommand, "rename [OPTIONS] [--select I,J,...] DIR   rename all or the selected rows"},
    {"delete", lx::cli::RunDeleteCommand,
     "delete --select I,J,... [--yes] [--permanent] DIR   move the selected files to the Trash"},
    {"history", lx::cli::RunHistoryCommand, "history                        the journal of recent rename runs"},
    {"undo", lx::cli::RunUndoCommand, "undo [RUN]                     take back the last run, or the one named"},
    {"recover", lx::cli::RunRecoverCommand, "recover [--undo]               finish (or take back) an interrupted run"},
    {"details", lx::cli::RunDetailsCommand, "details FILE                   the photo's Exif, GPS and IPTC details"},
    {"attributes", lx::cli::RunAttributesCommand, "attributes FILE                the photo's attribute grid"},
    {"settings", lx::cli::RunSettingsCommand, "settings list | get NAME | set NAME VALUE"},
    {"db", lx::cli::RunDbCommand, "db info | path"},
    {"keywords", lx::cli::RunKeywordsCommand, "keywords list | add | modify | delete ..."},
    {"texts", lx::cli::RunTextsCommand, "texts list | add | delete ..."},
    {"masks", lx::cli::RunMasksCommand, "masks list | add | update | delete | up | down ..."},
    {"counter", lx::cli::RunCounterCommand, "counter [get | set N]"},
    {"watch", lx::cli::RunWatchCommand, "watch DIR                      follow the changes of a folder"},
    {"devices", lx::cli::RunDevicesCommand, "devices                        the connected cameras and phones"},
    {"update-check", lx::cli::RunUpdateCheckCommand, "update-check [--force]"},
    {"send-feedback", lx::cli::RunSendFeedbackCommand,
     "send-feedback --mode 1|2|3 --name NAME --email ADDRESS --message TEXT"},
};

void PrintHelp(std::ostream& out) {
  out << "Usage: lorvexandrin-cli COMMAND [ARGUMENTS]\n"
         "Renames photographs in bulk from the command line; shares settings and database\n"
         "with the desktop program ($XDG_CONFIG_HOME, $XDG_DATA_HOME).\n\nCommands:\n";
  for (const auto& c : kCommands) out << "  " << c.usage << '\n';
  out << "\nOptions of list and rename: --mask M --filter F --case-sensitive --suffix S\n"
         "  --suffix-original | --no-suffix-original --type simple|backup|target|target-delete\n"
         "  --rename-path P --time-change none|creation|modification|all --keyword TEXT\n"
         "  --keyword-abbr TEXT --text TEXT --yes --sort COLUMN[:desc] --save\n"
         "  (without --save the options apply to that run only)\n"
         "Tables: --header, --json (one JSON document). Every command: --quiet, --help.\n"
         "See lorvexandrin-cli COMMAND --help.\n"
         "\nExit status: 0 success, 1 input refused, 2 usage error, 3 the run went ahead but\n"
         "  one or more rows failed (each has its error line on standard error).\n";
}

// Takes --quiet out of the words (before a "--"); true when it was there.
bool TakeQuiet(std::vector<std::string>& words) {
  bool quiet = false;
  for (auto it = words.begin(); it != words.end();) {
    if (*it == "--") break;
    if (*it == "--quiet") {
      quiet = true;
      it = words.erase(it);
    } else {
      ++it;
    }
  }
  return quiet;
}

bool AsksForHelp(const std::vector<std::string>& words) {
  for (const auto& word : words) {
    if (word == "--") return false;
    if (word == "--help" || word == "-h") return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const FaultInjectionReport faultInjection;
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) {
    PrintHelp(std::cerr);
    return lx::cli::kExitUsage;
  }
  if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    PrintHelp(std::cout);
    return lx::cli::kExitOk;
  }
  if (words[0] == "--version") {
    std::cout << "lorvexandrin-cli " << lx::ProgramVersionText() << '\n';
    return lx::cli::kExitOk;
  }
  const bool quiet = TakeQuiet(words);
  if (words.empty()) {
    PrintHelp(std::cerr);
    return lx::cli::kExitUsage;
  }
  for (const auto& c : kCommands) {
    if (words[0] != c.name) continue;
    if (AsksForHelp(words)) {
      std::cout << lx::cli::CommandHelp(c.name);
      return lx::cli::kExitOk;
    }
    CliContext ctx(words, std::cout, std::cerr, quiet);
    lx::cli::StderrLogSink sink(ctx.Progress(), quiet);
    lx::ScopedLogSink attached(sink);
    lx::cli::Args args(words.begin() + 1, words.end());
    return c.run(ctx, args);
  }
  std::cerr << "lorvexandrin-cli: unknown command '" << words[0] << "'\n(see lorvexandrin-cli --help)\n";
  return lx::cli::kExitUsage;
}
