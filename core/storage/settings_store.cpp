#include "storage/settings_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "base/log.h"
#include "platform/paths.h"
#include "platform/system_calls.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "platform/times.h"
#include "storage/settings_catalogue.h"

namespace lx {

const char* const kSettingsKey = "Software\\Quorin\\Quorin Lorvexandrin\\Parameters";
const char* const kWorkspaceKey = "Software\\Quorin\\Quorin Lorvexandrin\\Workspace";

namespace {

const char* const kProductPrefix = "Software\\Quorin\\Quorin Lorvexandrin\\";
const char* const kFileHeader = "# Lorvexandrin settings: Name=number:N or Name=text:T (\\\\ and \\n escaped)";

std::string EscapeText(const std::string& text) { return EscapeLineText(text, false); }

bool UnescapeText(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) return false;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return false;
    }
  }
  return true;
}

bool ParseNumber(std::string_view text, std::uint32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  std::uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  if (v > 0xFFFFFFFFull) return false;
  value = static_cast<std::uint32_t>(v);
  return true;
}

// Holds an exclusive lock on the store's folder for a read-modify-write.
class FolderLock {
 public:
  explicit FolderLock(const std::string& lockFile) {
    fd_ = sys::Open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  // False when the lock file could not be opened: nothing is locked.
  bool Held() const { return fd_ >= 0; }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// Reads one "Name=type:data" line; false when it is not one. (A template so
// that it can fill the store's private value type.)
template <class Value>
bool ParseLine(std::string_view line, std::string& name, Value& v) {
  if (line.find('\0') != std::string_view::npos) return false;
  size_t eq = line.find('=');
  size_t colon = eq == std::string_view::npos ? eq : line.find(':', eq);
  if (eq == std::string_view::npos || eq == 0 || colon == std::string_view::npos) return false;
  std::string_view type = line.substr(eq + 1, colon - eq - 1);
  std::string_view data = line.substr(colon + 1);
  name = std::string(line.substr(0, eq));
  if (type == "number") {
    v.isText = false;
    return ParseNumber(data, v.number);
  }
  if (type == "text") {
    v.isText = true;
    return UnescapeText(data, v.text);
  }
  return false;
}

// A damaged line as a log line can show it.
std::string Printable(const std::string& line) {
  std::string out;
  for (unsigned char c : line) out += (c < 0x20 || c == 0x7f) ? std::string("?") : std::string(1, static_cast<char>(c));
  return out;
}

bool WriteAll(int fd, const std::string& content);

// Keeps a damaged file's content under a new name; never writes over a file.
bool CopyAside(const std::string& content, const std::string& aside) {
  const int fd = sys::Open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool written = WriteAll(fd, content);
  written = ::close(fd) == 0 && written;
  if (!written) sys::Unlink(aside.c_str());
  return written;
}

int ReplaceKeyFile(const std::string& path, const std::string& content);

}  // namespace

SettingsStore::SettingsStore(std::string rootFolder) : root_(std::move(rootFolder)) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

SettingsStore SettingsStore::ForCurrentUser() { return SettingsStore(ConfigHome() + "/Quorin/Quorin Lorvexandrin"); }

std::string SettingsStore::KeyFilePath(const std::string& keyPath) const {
  std::string relative = keyPath;
  if (StartsWith(relative, kProductPrefix)) relative = relative.substr(std::string(kProductPrefix).size());
  for (char& c : relative)
    if (c == '\\') c = '/';
  // Keep the key inside the root whatever the caller passes.
  std::string safe;
  for (const auto& part : Split(relative, '/')) {
    if (part.empty() || part == "." || part == "..") continue;
    if (!safe.empty()) safe += '/';
    safe += part;
  }
  if (safe.empty()) safe = "Root";
  return root_ + "/" + safe + ".conf";
}

bool SettingsStore::KeyExists(const std::string& keyPath) const { return FileExists(KeyFilePath(keyPath)); }

int SettingsStore::Load(const std::string& keyPath, Values& values) const {
  values.clear();
  std::string path = KeyFilePath(keyPath);
  std::ifstream in(path, std::ios::binary);
  if (!in) return errno == EACCES ? kRegAccessDenied : kRegFileNotFound;
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string content = buffer.str();

  // Each line stands alone: a bad one is dropped, the good ones (the picture
  // counter among them) are kept.
  std::vector<std::string> badLines;
  for (const auto& rawLine : Split(content, '\n')) {
    std::string_view line = rawLine;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::string name;
    Value v;
    if (ParseLine(line, name, v))
      values[name] = v;
    else
      badLines.push_back(rawLine);
  }
  if (badLines.empty()) return kRegSuccess;

  // Keep the damaged file for the user to inspect, then write back the good lines.
  auto now = ToLocal(NowSeconds()).value_or(LocalFields{});
  std::string aside = StrFormat("%s.damaged-%04d%02d%02d-%02d%02d%02d", path.c_str(), now.year, now.month, now.day,
                                now.hour, now.minute, now.second);
  for (int n = 2; FileExists(aside) && n < 100; ++n) aside = StrFormat("%s.damaged-%d", path.c_str(), n);
  const bool kept = CopyAside(content, aside);
  for (const std::string& line : badLines)
    LogFormat("Settings File '%s': Damaged Line '%s' Dropped", path.c_str(), Printable(line).c_str());
  if (kept && ReplaceKeyFile(path, RenderValues(values)) == kRegSuccess) {
    LogFormat("Settings File '%s' is Damaged: a Copy is Kept in '%s' ... %zu Good Value%sKept", path.c_str(),
              aside.c_str(), values.size(), PluralS(values.size()));
  } else {
    LogFormat("Settings File '%s' is Damaged and Cannot be Repaired%s ... %zu Good Value%sRead", path.c_str(),
              FormatSystemError(errno).c_str(), values.size(), PluralS(values.size()));
  }
  return kRegSuccess;
}

namespace {

bool WriteAll(int fd, const std::string& content) {
  const char* data = content.data();
  size_t left = content.size();
  while (left > 0) {
    ssize_t n = sys::Write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// Puts content at path in one step: a reader sees the old file or the new
// one, never half of one. The new content goes into a fresh file (a new
// inode, so no reader still holding the old file can see it change), which
// is then exchanged with the key file; the old file is unlinked afterwards.
// Exchanging rather than renaming over the key matters for speed: ext4
// flushes a file renamed over another at once (milliseconds a write), too
// slow for the picture counter, which is written after every renamed photo.
// Removes the temporary files of path that processes killed in the middle of
// a write left behind ("Parameters.conf.tmp-PID" of a pid that no longer runs).
void RemoveStaleTempFiles(const std::string& path) {
  const PathParts parts = SplitPath(path);
  const std::string prefix = parts.title + parts.ext + ".tmp-";
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(parts.dir.empty() ? "." : parts.dir.c_str()), ::closedir);
  if (!dir) return;
  while (const struct dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    char* end = nullptr;
    const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
    if (pid <= 0 || *end != '\0' || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) continue;  // still writing
    if (sys::UnlinkAt(::dirfd(dir.get()), name.c_str()) == 0)
      LogFormat("Settings Temporary File '%s%s' Left by an Interrupted Write Removed", parts.dir.c_str(), name.c_str());
  }
}

int ReplaceKeyFile(const std::string& path, const std::string& content) {
  RemoveStaleTempFiles(path);
  std::string temp = StrFormat("%s.tmp-%d", path.c_str(), static_cast<int>(::getpid()));
  sys::Unlink(temp.c_str());  // a leftover of a killed process with our pid
  int fd = sys::Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno == EACCES ? kRegAccessDenied : kRegFileNotFound;
  bool written = WriteAll(fd, content);
  written = ::close(fd) == 0 && written;
  if (!written) {
    sys::Unlink(temp.c_str());
    return kRegAccessDenied;
  }
  if (sys::Renameat2(temp.c_str(), path.c_str(), RENAME_EXCHANGE) == 0) {
    sys::Unlink(temp.c_str());  // now the previous key file
    return kRegSuccess;
  }
  // No key file yet, or a file system without exchange: the classic replace.
  if (sys::Rename(temp.c_str(), path.c_str()) == 0) return kRegSuccess;
  sys::Unlink(temp.c_str());
  return kRegAccessDenied;
}

}  // namespace

std::string SettingsStore::RenderValues(const Values& values) {
  std::string content = std::string(kFileHeader) + "\n";
  for (const auto& [key, v] : values) {
    content += key;
    content += v.isText ? "=text:" + EscapeText(v.text) : "=number:" + std::to_string(v.number);
    content += '\n';
  }
  return content;
}

int SettingsStore::Store(const std::string& keyPath, const Value& value, const std::string& name) {
  if (name.empty() || name.find_first_of("=\n\r") != std::string::npos) return kRegInvalidParameter;
  std::string path = KeyFilePath(keyPath);
  std::string folder = SplitPath(path).dir;
  // The folder exists after the first write; only create it when it is missing.
  if (!FolderExists(folder)) {
    if (int err = CreateFolderTree(folder); err != 0) return err == EACCES ? kRegAccessDenied : kRegFileNotFound;
  }

  FolderLock lock(root_ + "/.lock");
  // Without the lock another process's write could be lost between our read and write.
  if (!lock.Held()) return errno == EACCES ? kRegAccessDenied : kRegFileNotFound;
  Values values;
  Load(keyPath, values);
  values[name] = value;

  return ReplaceKeyFile(path, RenderValues(values));
}

int SettingsStore::ReadRegString(const std::string& keyPath, const std::string& name, std::string& text) const {
  Values values;
  if (int status = Load(keyPath, values); status != kRegSuccess) return status;
  auto it = values.find(name);
  if (it == values.end()) return kRegFileNotFound;
  if (!it->second.isText) return kRegInvalidData;
  if (it->second.text.size() > kRegMaxTextLength) return kRegMoreData;
  text = it->second.text;
  return kRegSuccess;
}

int SettingsStore::ReadRegDword(std::uint32_t& value, const std::string& keyPath, const std::string& name) const {
  Values values;
  if (int status = Load(keyPath, values); status != kRegSuccess) return status;
  auto it = values.find(name);
  if (it == values.end()) return kRegFileNotFound;
  if (it->second.isText) return kRegInvalidData;
  value = it->second.number;
  return kRegSuccess;
}

int SettingsStore::WriteRegString(int type, const std::string& keyPath, const std::string& name,
                                  const std::string& text) {
  (void)type;  // one text type is kept
  if (text.size() > kRegMaxTextLength) {
    // Refused whole: a cut path or mask would silently point somewhere else.
    LogFormat("Setting '%s' Not Written: Its Text of %zu Characters is Longer than %zu Characters ...", name.c_str(),
              text.size(), kRegMaxTextLength);
    return kRegInvalidParameter;
  }
  Value v;
  v.isText = true;
  v.text = text;
  return Store(keyPath, v, name);
}

void SettingsStore::WriteRegDword(const std::string& keyPath, const std::string& name, std::uint32_t value) {
  Value v;
  v.number = value;
  Store(keyPath, v, name);
}

bool SettingsStore::DeleteRegTree(const std::string& keyPath) {
  std::string file = KeyFilePath(keyPath);
  std::string folder = file.substr(0, file.size() - 5);  // without ".conf": the sub-keys
  bool existed = FileExists(file) || FolderExists(folder);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  bool removedFile = sys::Unlink(file.c_str()) == 0 || errno == ENOENT;
  return existed && !ec && removedFile;
}

int SettingsStore::CreateSettingsBranch() {
  std::string path = KeyFilePath(kSettingsKey);
  if (FileExists(path)) return 0;
  int err = CreateFolderTree(SplitPath(path).dir);
  if (err == 0) {
    int fd = sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      std::string header = std::string(kFileHeader) + "\n";
      ssize_t written = sys::Write(fd, header.data(), header.size());
      (void)written;
      ::close(fd);
      return 0;
    }
    err = errno == EEXIST ? 0 : errno;
  }
  if (err != 0)
    LogFormat("System Error: Unable to Create Branch %s !!!!! (%ld) ", path.c_str(), static_cast<long>(err));
  return err;
}

void SettingsStore::KeepInMemory(const std::vector<std::string>& names) {
  std::lock_guard lock(memory_->mutex);
  memory_->names.insert(names.begin(), names.end());
}

std::optional<SettingsStore::Value> SettingsStore::HeldValue(const std::string& name) const {
  std::lock_guard lock(memory_->mutex);
  auto it = memory_->values.find(name);
  if (it == memory_->values.end()) return std::nullopt;
  return it->second;
}

bool SettingsStore::Hold(const std::string& name, const Value& value) {
  std::lock_guard lock(memory_->mutex);
  if (!memory_->names.count(name)) return false;
  memory_->values[name] = value;
  return true;
}

std::optional<std::string> SettingsStore::FindText(const std::string& name) const {
  if (auto held = HeldValue(name)) {
    if (!held->isText) return std::nullopt;
    return held->text;
  }
  std::string text;
  if (ReadRegString(kSettingsKey, name, text) != kRegSuccess) return std::nullopt;
  return text;
}

std::optional<std::uint32_t> SettingsStore::FindNumber(const std::string& name) const {
  if (auto held = HeldValue(name)) {
    if (held->isText) return std::nullopt;
    return held->number;
  }
  std::uint32_t value = 0;
  if (ReadRegDword(value, kSettingsKey, name) != kRegSuccess) return std::nullopt;
  return value;
}

std::string SettingsStore::GetText(const std::string& name) const {
  if (auto text = FindText(name)) return *text;
  const SettingDefinition* def = FindSetting(name);
  return def ? DefaultTextValue(*def) : std::string();
}

std::uint32_t SettingsStore::GetNumber(const std::string& name) const {
  if (auto value = FindNumber(name)) return *value;
  const SettingDefinition* def = FindSetting(name);
  return def ? def->numberDefault : 0;
}

int SettingsStore::SetText(const std::string& name, const std::string& text) {
  Value held;
  held.isText = true;
  held.text = text;
  if (Hold(name, held)) return kRegSuccess;
  return WriteRegString(kRegTypeExpandSz, kSettingsKey, name, text);
}

int SettingsStore::SetNumber(const std::string& name, std::uint32_t value) {
  Value v;
  v.number = value;
  if (Hold(name, v)) return kRegSuccess;
  return Store(kSettingsKey, v, name);
}

}  // namespace lx
