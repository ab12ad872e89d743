// Taking back a journaled run, and repairing one that was cut short. Both
// first settle the steps whose intent was written but whose end was not, by
// looking at the files; then an undo takes back every done step, last first,
// and a finish completes the steps that were started. Every move uses the
// never-replace file operations, and a file changed since the run is left as
// it is and named in the log.
#pragma once

#include <string>

namespace lx {

class SettingsStore;
struct JournalRun;

struct JournalRepair {
  int done = 0;     // steps taken back (undo) or completed (finish)
  int notDone = 0;  // steps that could not be; each has its log line
  bool alreadyUndone = false;
  bool busy = false;        // another run holds the folders; nothing done
  bool unreadable = false;  // the journal could not be read; nothing done
};

// Takes back the run of this journal (finished or interrupted).
JournalRepair UndoJournalRun(const std::string& journalFile);

// Completes the steps an interrupted run had started, removes its partial
// copies and returns parked files to their planned (or old) name.
JournalRepair FinishJournalRun(const std::string& journalFile);

// Brings the stored picture counter up to the highest value the run used.
void BringCounterUp(SettingsStore& settings, const JournalRun& run);

// The text of a run's rename type ("simple", "backup", "target", "target-delete").
const char* RenameTypeWord(int renameType);

}  // namespace lx
