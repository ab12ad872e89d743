// The journal of a rename run: one append-only file per run under
// $XDG_STATE_HOME/Quorin Lorvexandrin/journal/, a short header and then one
// record per step. A step's intent is written before the step is done and its
// "done" record after it, so that a run cut short can be finished or taken
// back, and a finished run undone. Records reach the kernel with one write
// each (a killed process loses none); the header, and the intent before a
// source is deleted, reach the disk too.
#pragma once

#include <string>
#include <vector>

#include "platform/file_ops.h"

namespace lx {

// The kinds of step a journal holds.
inline constexpr const char* kStepRename = "rename";  // from -> to in one folder
inline constexpr const char* kStepPark = "park";      // from -> to, a parking name; "final" is the planned name
inline constexpr const char* kStepCopy = "copy";      // a new file "to" copied from "from"
inline constexpr const char* kStepDelete = "delete";  // source "from" deleted after its copy "to"

struct JournalStep {
  int seq = 0;
  std::string op;
  std::string from;
  std::string to;
  std::string final;    // park: the name the file is to end under
  FileIdentity before;  // of "from" when the intent was written
  int counter = -1;     // the picture counter value the step uses, -1 none
  bool done = false;
  FileIdentity after;   // of the file the step left ("to"), when done
  bool failed = false;  // the step was tried and did not happen
  bool undone = false;
};

struct JournalHeader {
  std::string runId;
  long long startTime = 0;  // seconds since 1970
  int renameType = 0;
  std::string sourcePath;
  std::string renamePath;
  std::string mask;
  std::string version;
};

// A journal read back.
struct JournalRun {
  std::string file;
  JournalHeader header;
  std::vector<JournalStep> steps;
  bool finished = false;  // the run reached its end (or was finished by recovery)
  bool undone = false;    // every done step was taken back
  int DoneCount() const;
  int HighestCounter() const;  // -1 when no step used one
};

// The journal folder, no trailing "/".
std::string JournalFolder();

// Journals removed beyond the newest kJournalKeepRuns runs or older than kJournalKeepDays days.
constexpr int kJournalKeepRuns = 50;
constexpr int kJournalKeepDays = 90;

// The journal a run writes. Holds an exclusive lock on its file while open, so
// that recovery never takes a running run for an interrupted one.
class RunJournal {
 public:
  RunJournal() = default;
  ~RunJournal();
  RunJournal(const RunJournal&) = delete;
  RunJournal& operator=(const RunJournal&) = delete;

  // Creates the folder and a new journal with its header (on disk before the
  // call returns), then removes old journals. 0 or the errno.
  int Open(JournalHeader header);
  bool IsOpen() const { return fd_ >= 0; }
  const std::string& File() const { return file_; }
  const std::string& RunId() const { return header_.runId; }

  // Writes a step's intent (identity of "from" taken here); its number, or -1
  // when the journal cannot be written (the step must not be done). sync: the
  // record reaches the disk first (before a deletion).
  int Intent(const char* op, const std::string& from, const std::string& to, int counter, const std::string& final = {},
             bool sync = false);
  // Marks the step done; the identity of pathNow is recorded. 0 or the errno.
  // unchanged: the step only renamed the file its intent was written for, so
  // that intent's identity stands (one lstat less per rename).
  int Done(int seq, const std::string& pathNow, bool unchanged = false);
  // The step was tried and did not happen: recovery must not do it again.
  void Failed(int seq);
  // The run reached its end. 0 or the errno.
  int Finish();
  void Close();

 private:
  int Append(const std::string& line, bool sync);
  int fd_ = -1;
  int nextSeq_ = 1;
  int lastSeq_ = 0;
  FileIdentity lastBefore_;  // of the last intent's "from"
  std::string file_;
  JournalHeader header_;
};

// Reads a journal; a torn last record (no line end) is left out. False when
// the file cannot be read or is not a journal.
bool ReadJournal(const std::string& file, JournalRun& run);

// Appends records to an existing journal (undo and recovery marks): "U seq",
// "E", "X". 0 or the errno.
int AppendJournalRecord(const std::string& file, const std::string& record);

// Records a step done outside a run (by recovery): its intent with the given
// identity before, then its end with the identity of pathNow. seq 0 takes the
// next free number.
int AppendDoneStep(const std::string& file, const JournalRun& run, JournalStep step, const std::string& pathNow);

// Journal files of the folder, oldest first.
std::vector<std::string> ListJournals();

// Journals of runs that stopped before their end and whose process is gone.
std::vector<std::string> FindUnfinishedJournals();

// Removes journals beyond the retention (never an unfinished one).
void PruneJournals(long long now);

// Identity of a path now (lstat); false when nothing is there.
bool IdentityOfPath(const std::string& path, FileIdentity& identity);
bool SameFile(const FileIdentity& a, const FileIdentity& b);  // device, inode, size, mtime

}  // namespace lx
