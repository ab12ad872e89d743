#include "command_help.h"

#include <map>

namespace lx::cli {

namespace {

const char* const kTableOptions =
    "  --header       the column headings first\n"
    "  --json         one JSON document (an array of objects) instead of TAB records\n";

const char* const kListOptions =
    "  --mask M                   the renaming mask (default: the stored one)\n"
    "  --filter F                 the selection filter, such as '*.jpg;*.png'\n"
    "  --case-sensitive           the filter tells upper and lower case apart\n"
    "  --suffix S                 the duplicate suffix mask, such as -%03d\n"
    "  --suffix-original | --no-suffix-original\n"
    "                             the first of the same new names gets a suffix too, or not\n"
    "  --type simple|backup|target|target-delete\n"
    "  --rename-path P            the folder of backups and target copies\n"
    "  --time-change none|creation|modification|all\n"
    "                             file times set to the date taken by a rename\n"
    "  --keyword TEXT, --keyword-abbr TEXT, --text TEXT\n"
    "                             the answers for %K, %KA and %KI, for every file\n"
    "  --yes                      confirm requests such as creating the target folder\n"
    "  --sort COLUMN[:desc]       current, new, file-date, exif-date, comments (or 0-4)\n"
    "  --device NAME/FOLDER/...   a folder of a camera or phone instead of DIR\n"
    "  --save                     store the options as the desktop program does; without it\n"
    "                             they apply to this run only and the settings stay as they are\n";

const char* const kCommonOptions =
    "  --quiet        only warnings and errors on standard error\n"
    "  --help         this text\n";

std::string ListHelp(const char* head) {
  return std::string(head) + "\nOptions:\n" + kListOptions + kTableOptions + kCommonOptions;
}

std::string TableHelp(const char* head, bool table = true) {
  return std::string(head) + "\nOptions:\n" + (table ? kTableOptions : "") + kCommonOptions;
}

const std::map<std::string, std::string>& Helps() {
  static const std::map<std::string, std::string> helps = {
      {"mask", TableHelp("Usage: lorvexandrin-cli mask MASK\n"
                         "The elements of a renaming mask, one per line: id, spec text, type, sub-type,\n"
                         "additional data, error. A mask that does not parse is refused (exit 1).\n")},
      {"catalogue", TableHelp("Usage: lorvexandrin-cli catalogue\n"
                              "The 53 mask elements: scope, format, description, sample value.\n")},
      {"list", ListHelp("Usage: lorvexandrin-cli list [OPTIONS] DIR\n"
                        "The rename list of a folder: current name, new name, file date, Exif date,\n"
                        "comments. Names are escaped (\\n, \\t, \\\\, \\xHH) so a record is one line.\n"
                        "When standard error is a terminal, a long read shows a progress line there.\n")},
      {"rename", ListHelp("Usage: lorvexandrin-cli rename [OPTIONS] [--select I,J,...] DIR\n"
                          "Renames all rows, or the selected rows (0-based indices as `list` prints\n"
                          "them), then prints the list as `list` does. Exit 3 when a row failed.\n"
                          "When standard error is a terminal, a long run shows a progress line there.\n"
                          "  --dry-run      print what the run would do instead, as `list` prints rows\n"
                          "                 plus one column (rename, copy, backup and rename, copy and\n"
                          "                 delete, or why the row would be refused); nothing changes;\n"
                          "                 exit 3 when some rows would be refused\n")},
      {"delete", ListHelp("Usage: lorvexandrin-cli delete --select I,J,... [--yes] [--permanent] [OPTIONS] DIR\n"
                          "Moves the selected rows' files to the Trash after the confirmation (--yes\n"
                          "answers it); --permanent (or the setting DeleteToTrash 0) deletes them for good.\n"
                          "The list options select and sort the rows the indices name.\n")},
      {"details", TableHelp("Usage: lorvexandrin-cli details FILE\n"
                            "The photo-details grid: group, property, value, description.\n")},
      {"attributes", TableHelp("Usage: lorvexandrin-cli attributes FILE\n"
                               "The preview pane's attribute grid: group, property, value, description.\n")},
      {"settings", TableHelp("Usage: lorvexandrin-cli settings list | get NAME | set NAME VALUE\n"
                             "Every setting with its current value (defaults shown), one value, or a write.\n"
                             "--header and --json apply to `settings list`.\n")},
      {"db", TableHelp("Usage: lorvexandrin-cli db info | path\n"
                       "The database information text, or the database file's path.\n",
                       false)},
      {"keywords", TableHelp("Usage: lorvexandrin-cli keywords list [--sort id|keyword|abbreviation]\n"
                             "       lorvexandrin-cli keywords add KEYWORD ABBREVIATION\n"
                             "       lorvexandrin-cli keywords modify ID KEYWORD ABBREVIATION\n"
                             "       lorvexandrin-cli keywords delete ID [--yes]\n"
                             "The stored keywords of %Kx and %KAx, with the rules of the keyword dialog.\n")},
      {"texts", TableHelp("Usage: lorvexandrin-cli texts list [--sort id|text|date] | add TEXT | delete TEXT\n"
                          "The stored typed texts of %KI.\n")},
      {"masks", TableHelp("Usage: lorvexandrin-cli masks list | add MASK DESCRIPTION | update ID MASK DESCRIPTION\n"
                          "       lorvexandrin-cli masks delete ID | up ID | down ID\n"
                          "The stored renaming masks; the four standard masks cannot be changed.\n")},
      {"history", TableHelp("Usage: lorvexandrin-cli history\n"
                            "The journal of recent rename runs, newest first: run id, start time, rename\n"
                            "type, source folder, files done, state (done, undone, interrupted).\n")},
      {"undo", TableHelp("Usage: lorvexandrin-cli undo [RUN]\n"
                         "Takes back the last rename run, or the run named (see history): every file\n"
                         "back under its old name, the copies the run made removed while unchanged.\n"
                         "A file changed since the run is left as it is and named (exit 3).\n"
                         "The picture counter is not set back.\n",
                         false)},
      {"recover", TableHelp("Usage: lorvexandrin-cli recover [--undo]\n"
                            "Finishes the rename runs a crash interrupted (the steps they had started),\n"
                            "or with --undo takes them back; partial copies are removed and the picture\n"
                            "counter is brought up to the highest value used. Exit 3 when a step could\n"
                            "not be done.\n",
                            false)},
      {"counter", TableHelp("Usage: lorvexandrin-cli counter [get | set N]\n"
                            "The picture counter of %C, read or set (0 to 2147483647).\n",
                            false)},
      {"watch", TableHelp("Usage: lorvexandrin-cli watch DIR\n"
                          "Lists the folder, then prints the log line of every change and the fresh\n"
                          "list until interrupted (Ctrl-C or SIGTERM, exit 0).\n"
                          "--header applies to the printed lists.\n",
                          false)},
      {"devices", TableHelp("Usage: lorvexandrin-cli devices\n"
                            "The connected cameras and phones: friendly name, device id.\n")},
      {"update-check", TableHelp("Usage: lorvexandrin-cli update-check [--force]\n"
                                 "Asks the web site for a newer version: status, this version, the site's\n"
                                 "version, the message. --force checks even when checked recently.\n",
                                 false)},
      {"send-feedback",
       TableHelp("Usage: lorvexandrin-cli send-feedback --mode 1|2|3 --name NAME --email ADDRESS --message TEXT\n"
                 "                                      [--video NAME --verdict 0|1]\n"
                 "Sends a feedback mail (mode 3: about a help video). The SMTP account comes from\n"
                 "LX_SMTP_LOGIN and LX_SMTP_PASSWORD.\n",
                 false)},
  };
  return helps;
}

}  // namespace

std::string CommandHelp(const std::string& command) {
  auto it = Helps().find(command);
  return it == Helps().end() ? std::string() : it->second;
}

}  // namespace lx::cli
