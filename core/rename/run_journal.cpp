#include "rename/run_journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/version.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lx {

namespace {

constexpr const char* kMagic = "LXJOURNAL 1";
constexpr const char* kExtension = ".journal";

// Paths go into TAB-separated records: a TAB, line end or backslash in a name is escaped.
std::string Escape(const std::string& text) { return EscapeLineText(text, true); }

std::string Unescape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return out;
}

std::string IdentityFields(const FileIdentity& id) {
  return StrFormat("%llu\t%llu\t%lld\t%lld\t%lld", id.device, id.inode, id.size, id.mtimeSec, id.mtimeNsec);
}

FileIdentity ParseIdentity(const std::vector<std::string>& f, size_t at) {
  FileIdentity id;
  if (f.size() < at + 5) return id;
  id.device = std::strtoull(f[at].c_str(), nullptr, 10);
  id.inode = std::strtoull(f[at + 1].c_str(), nullptr, 10);
  id.size = std::strtoll(f[at + 2].c_str(), nullptr, 10);
  id.mtimeSec = std::strtoll(f[at + 3].c_str(), nullptr, 10);
  id.mtimeNsec = std::strtoll(f[at + 4].c_str(), nullptr, 10);
  return id;
}

int WriteAll(int fd, const std::string& text) {
  const char* p = text.data();
  size_t left = text.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    p += n;
    left -= static_cast<size_t>(n);
  }
  return 0;
}

std::string NewRunId() {
  const auto now = std::chrono::system_clock::now();
  const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const time_t seconds = static_cast<time_t>(ms / 1000);
  struct tm utc {};
  gmtime_r(&seconds, &utc);
  // Sorts by time as text; the pid keeps two runs of one millisecond apart.
  return StrFormat("%04d%02d%02d-%02d%02d%02d-%03d-%d", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                   utc.tm_min, utc.tm_sec, static_cast<int>(ms % 1000), static_cast<int>(::getpid()));
}

}  // namespace

int JournalRun::DoneCount() const {
  return static_cast<int>(std::count_if(steps.begin(), steps.end(), [](const JournalStep& s) {
    return s.done && (s.op == kStepRename || s.op == kStepCopy);
  }));
}

int JournalRun::HighestCounter() const {
  int highest = -1;
  for (const JournalStep& step : steps) highest = std::max(highest, step.counter);
  return highest;
}

std::string JournalFolder() { return StateHome() + "/" + kFrameworkTitle + "/journal"; }

bool IdentityOfPath(const std::string& path, FileIdentity& identity) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return false;
  identity = {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
              static_cast<long long>(st.st_size), static_cast<long long>(st.st_mtim.tv_sec),
              static_cast<long long>(st.st_mtim.tv_nsec)};
  return true;
}

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
  return a.device == b.device && a.inode == b.inode && a.size == b.size && a.mtimeSec == b.mtimeSec &&
         a.mtimeNsec == b.mtimeNsec;
}

RunJournal::~RunJournal() { Close(); }

void RunJournal::Close() {
  if (fd_ >= 0) ::close(fd_);  // the lock goes with the descriptor
  fd_ = -1;
}

int RunJournal::Open(JournalHeader header) {
  Close();
  const std::string folder = JournalFolder();
  if (int error = CreateFolderTree(folder); error != 0) return error;
  if (header.runId.empty()) header.runId = NewRunId();
  header_ = header;
  file_ = folder + "/" + header.runId + kExtension;
  fd_ = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
  if (fd_ < 0) return errno;
  ::flock(fd_, LOCK_EX | LOCK_NB);
  nextSeq_ = 1;
  std::string text = std::string(kMagic) + "\n";
  text += "run\t" + Escape(header.runId) + "\n";
  text += StrFormat("start\t%lld\n", header.startTime);
  text += StrFormat("type\t%d\n", header.renameType);
  text += "source\t" + Escape(header.sourcePath) + "\n";
  text += "rename\t" + Escape(header.renamePath) + "\n";
  text += "mask\t" + Escape(header.mask) + "\n";
  text += "version\t" + Escape(header.version) + "\n";
  if (int error = Append(text, true); error != 0) {
    Close();
    ::unlink(file_.c_str());
    return error;
  }
  // The new journal's folder entry must outlive a crash as well.
  if (int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  PruneJournals(header.startTime);
  return 0;
}

int RunJournal::Append(const std::string& line, bool sync) {
  if (fd_ < 0) return EBADF;
  if (int error = WriteAll(fd_, line); error != 0) return error;
  if (sync && ::fdatasync(fd_) != 0) return errno;
  return 0;
}

int RunJournal::Intent(const char* op, const std::string& from, const std::string& to, int counter,
                       const std::string& final, bool sync) {
  FileIdentity before;
  IdentityOfPath(from, before);
  const int seq = nextSeq_++;
  lastSeq_ = seq;
  lastBefore_ = before;
  const std::string line = StrFormat("I\t%d\t%s\t", seq, op) + Escape(from) + "\t" + Escape(to) + "\t" + Escape(final) +
                           "\t" + IdentityFields(before) + StrFormat("\t%d\n", counter);
  return Append(line, sync) == 0 ? seq : -1;
}

int RunJournal::Done(int seq, const std::string& pathNow, bool unchanged) {
  FileIdentity after = lastBefore_;
  if (!unchanged || seq != lastSeq_) IdentityOfPath(pathNow, after);
  return Append(StrFormat("D\t%d\t", seq) + IdentityFields(after) + "\n", false);
}

void RunJournal::Failed(int seq) { Append(StrFormat("F\t%d\n", seq), false); }

int RunJournal::Finish() {
  const int error = Append("E\n", true);
  Close();
  return error;
}

bool ReadJournal(const std::string& file, JournalRun& run) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  run = {};
  run.file = file;
  size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    const size_t end = text.find('\n', pos);
    if (end == std::string::npos) break;  // a record cut off by a crash
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (first) {
      if (line != kMagic) return false;
      first = false;
      continue;
    }
    std::vector<std::string> f = Split(line, '\t');
    if (f.empty()) continue;
    const std::string& kind = f[0];
    const std::string value = f.size() > 1 ? Unescape(f[1]) : std::string();
    if (kind == "run")
      run.header.runId = value;
    else if (kind == "start")
      run.header.startTime = std::atoll(value.c_str());
    else if (kind == "type")
      run.header.renameType = std::atoi(value.c_str());
    else if (kind == "source")
      run.header.sourcePath = value;
    else if (kind == "rename")
      run.header.renamePath = value;
    else if (kind == "mask")
      run.header.mask = value;
    else if (kind == "version")
      run.header.version = value;
    else if (kind == "E")
      run.finished = true;
    else if (kind == "X")
      run.undone = true;
    else if (kind == "I" && f.size() >= 12) {
      JournalStep step;
      step.seq = std::atoi(f[1].c_str());
      step.op = f[2];
      step.from = Unescape(f[3]);
      step.to = Unescape(f[4]);
      step.final = Unescape(f[5]);
      step.before = ParseIdentity(f, 6);
      step.counter = std::atoi(f[11].c_str());
      run.steps.push_back(step);
    } else if ((kind == "D" || kind == "U" || kind == "F") && f.size() >= 2) {
      const int seq = std::atoi(f[1].c_str());
      for (JournalStep& step : run.steps) {
        if (step.seq != seq) continue;
        if (kind == "U") {
          step.undone = true;
        } else if (kind == "F") {
          step.failed = true;
        } else {
          step.done = true;
          step.after = ParseIdentity(f, 2);
        }
      }
    }
  }
  return !first;
}

int AppendJournalRecord(const std::string& file, const std::string& record) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = WriteAll(fd, record + "\n");
  if (error == 0 && ::fdatasync(fd) != 0) error = errno;
  ::close(fd);
  return error;
}

int AppendDoneStep(const std::string& file, const JournalRun& run, JournalStep step, const std::string& pathNow) {
  const bool known = step.seq > 0;
  if (!known)
    for (const JournalStep& other : run.steps) step.seq = std::max(step.seq, other.seq);
  if (!known) ++step.seq;
  FileIdentity after;
  IdentityOfPath(pathNow, after);
  std::string text;
  if (!known)
    text = StrFormat("I\t%d\t%s\t", step.seq, step.op.c_str()) + Escape(step.from) + "\t" + Escape(step.to) + "\t" +
           Escape(step.final) + "\t" + IdentityFields(step.before) + StrFormat("\t%d\n", step.counter);
  text += StrFormat("D\t%d\t", step.seq) + IdentityFields(after);
  return AppendJournalRecord(file, text);
}

std::vector<std::string> ListJournals() {
  std::vector<std::string> files;
  const std::string folder = JournalFolder();
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return files;
  while (dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (EndsWith(name, kExtension) && name[0] != '.') files.push_back(folder + "/" + name);
  }
  ::closedir(dir);
  std::sort(files.begin(), files.end());
  return files;
}

namespace {

// True while another process (a run still going) holds the journal's lock.
bool HeldByLiveRun(const std::string& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

}  // namespace

std::vector<std::string> FindUnfinishedJournals() {
  std::vector<std::string> out;
  for (const std::string& file : ListJournals()) {
    JournalRun run;
    if (!ReadJournal(file, run) || run.finished || run.undone) continue;
    if (!HeldByLiveRun(file)) out.push_back(file);
  }
  return out;
}

void PruneJournals(long long now) {
  const std::vector<std::string> files = ListJournals();
  const long long oldest = now - static_cast<long long>(kJournalKeepDays) * 24 * 3600;
  const size_t count = files.size();
  for (size_t i = 0; i < count; ++i) {
    const bool beyondCount = count - i > static_cast<size_t>(kJournalKeepRuns);
    struct stat st {};
    if (::stat(files[i].c_str(), &st) != 0) continue;
    if (!beyondCount && st.st_mtim.tv_sec >= oldest) continue;
    JournalRun run;
    if (!ReadJournal(files[i], run)) continue;
    // An interrupted run's journal is what repairs it: it stays until recovered.
    if (!run.finished && !run.undone) continue;
    ::unlink(files[i].c_str());
  }
}

}  // namespace lx
