#include "platform/partial_files.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/paths.h"
#include "platform/system_calls.h"
#include "platform/text.h"

namespace lx {

const char* const kPartialPrefix = ".lx-partial-";

namespace {

std::atomic<unsigned> partialSerial{0};

// The pid written in a partial name, or 0 when the name is not one of ours.
long PartialOwner(const std::string& name) {
  const size_t prefix = std::strlen(kPartialPrefix);
  if (name.compare(0, prefix, kPartialPrefix) != 0) return 0;
  const char* start = name.c_str() + prefix;
  char* end = nullptr;
  long pid = std::strtol(start, &end, 10);
  if (end == start || *end != '-' || pid <= 0) return 0;
  return pid;
}

bool ProcessRuns(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

}  // namespace

namespace {

std::string HiddenPathFor(const std::string& finalPath, const char* prefix) {
  const PathParts parts = SplitPath(finalPath);
  std::string head = StrFormat("%s%d-%u-", prefix, static_cast<int>(::getpid()), partialSerial.fetch_add(1));
  std::string name = parts.title + parts.ext;
  // The name is kept only to help a user who finds the file; the limit of a
  // file name must not make the copy fail.
  if (head.size() + name.size() > 255) name.resize(255 - head.size());
  return parts.dir + head + name;
}

}  // namespace

std::string PartialPathFor(const std::string& finalPath) { return HiddenPathFor(finalPath, kPartialPrefix); }

std::string DeletingPathFor(const std::string& path) { return HiddenPathFor(path, ".lx-deleting-"); }

bool IsPartialName(const std::string& name) { return PartialOwner(name) != 0; }

std::vector<std::string> RemoveStalePartials(const std::string& folder) {
  std::vector<std::string> removed;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
  if (!dir) return removed;
  const int fd = ::dirfd(dir.get());
  while (const struct dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    const long pid = PartialOwner(name);
    if (pid == 0 || pid == ::getpid() || ProcessRuns(pid)) continue;
    if (sys::UnlinkAt(fd, name.c_str()) == 0) removed.push_back(JoinPath(folder, name));
  }
  return removed;
}

}  // namespace lx
