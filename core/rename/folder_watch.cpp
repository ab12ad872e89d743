#include "rename/folder_watch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>
#include <vector>

#include "base/log.h"
#include "base/prompts.h"
#include "base/version.h"
#include "engine/engine.h"
#include "platform/text.h"

namespace lx {

namespace {

// Names, attributes, size and write time of the folder's entries; reads and
// opens are left out: the program's own reading of the photos after a list
// run must not count as a change. The *_SELF events end the watch.
constexpr std::uint32_t kWatchMask = IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM |
                                     IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK;

constexpr size_t kBufferSize = 0x4000;

// The action of one record. A move pairs with its other half in the same
// read: both halves present is a rename inside the folder, one alone is a
// file moved in (added) or out (removed).
int ActionOf(const std::vector<const inotify_event*>& records, size_t i) {
  const inotify_event* e = records[i];
  if (e->mask & IN_CREATE) return FolderActionAdded;
  if (e->mask & IN_DELETE) return FolderActionRemoved;
  if (e->mask & IN_MOVED_FROM) {
    for (size_t j = i + 1; j < records.size(); ++j)
      if ((records[j]->mask & IN_MOVED_TO) && records[j]->cookie == e->cookie) return FolderActionRenamedOld;
    return FolderActionRemoved;
  }
  if (e->mask & IN_MOVED_TO) {
    for (size_t j = 0; j < i; ++j)
      if ((records[j]->mask & IN_MOVED_FROM) && records[j]->cookie == e->cookie) return FolderActionRenamedNew;
    return FolderActionAdded;
  }
  if (e->mask & (IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE)) return FolderActionModified;
  return 0;
}

}  // namespace

FolderWatch::~FolderWatch() { StopFolderWatch(); }

bool FolderWatch::StartFolderWatch(const CLorvexandrinEngine& engine, Prompts& prompts, ChangeCallback onChange) {
  // A device folder has no file-system folder to watch.
  if (engine.sourceKind == SourceKind::Device) return false;
  return StartFolderWatch(engine.sourcePath, engine.Filter(), prompts, std::move(onChange));
}

bool FolderWatch::StartFolderWatch(const std::string& folder, const SelectionFilter& filter, Prompts& prompts,
                                   ChangeCallback onChange) {
  StopFolderWatch();
  stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (stopFd_ < 0) {
    prompts.ShowMessage(
        StrFormat(" Unable to Create Signaling Event (Error: %d) !!! Unable to Start Directory Watch ...", errno),
        kAppTitle);
    return false;
  }
  // The folder is opened here, before returning, so that every change made
  // after the start is seen. A folder that cannot be watched (removed,
  // unreadable) gives no watch and no message: the list is simply not
  // updated automatically until the next run.
  int notifyFd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (notifyFd < 0 || inotify_add_watch(notifyFd, folder.c_str(), kWatchMask) < 0) {
    if (notifyFd >= 0) close(notifyFd);
    close(stopFd_);
    stopFd_ = -1;
    return false;
  }
  watching_ = true;
  try {
    thread_ = std::thread(&FolderWatch::WatchSourceFolder, this, notifyFd, filter, std::move(onChange), stopFd_);
  } catch (const std::system_error& e) {
    watching_ = false;
    close(notifyFd);
    close(stopFd_);
    stopFd_ = -1;
    prompts.ShowMessage(StrFormat("Unable to Start Directory Watch (Error: %d) !!! No Automatic File List Update "
                                  "on Directory Changes ...",
                                  e.code().value()),
                        kAppTitle);
    return false;
  }
  return true;
}

void FolderWatch::StopFolderWatch() {
  if (thread_.joinable()) {
    std::uint64_t one = 1;
    ssize_t written = write(stopFd_, &one, sizeof one);
    (void)written;  // a full counter still wakes the thread
    thread_.join();
  }
  if (stopFd_ >= 0) close(stopFd_);
  stopFd_ = -1;
}

void FolderWatch::WatchSourceFolder(int notifyFd, SelectionFilter filter, ChangeCallback onChange, int stopFd) {
  struct Ending {
    std::atomic<bool>& watching;
    int fd = -1;
    ~Ending() {
      if (fd >= 0) close(fd);
      watching = false;
    }
  } ending{watching_, notifyFd};

  alignas(inotify_event) char buffer[kBufferSize];
  for (;;) {
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {ending.fd, POLLIN, 0}};
    int ready = poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents) return;  // stop signal
    if (!(fds[1].revents & POLLIN)) {
      if (fds[1].revents) return;  // error on the notification handle
      continue;
    }
    ssize_t length = read(ending.fd, buffer, sizeof buffer);
    if (length < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      return;
    }
    std::vector<const inotify_event*> records;
    for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buffer + offset);
      records.push_back(e);
      offset += sizeof(inotify_event) + e->len;
    }
    for (size_t i = 0; i < records.size(); ++i) {
      const inotify_event* e = records[i];
      // The folder itself was removed, moved or unmounted: nothing left to watch.
      if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) return;
      if (e->mask & IN_Q_OVERFLOW) {
        // More changes than the queue holds: names are lost, but the list is
        // certainly out of date, so it counts as a change.
        if (onChange) onChange(FolderActionModified);
        return;
      }
      if (e->len == 0) continue;
      int action = ActionOf(records, i);
      if (action == 0) continue;
      if (!filter.Matches(e->name)) continue;
      close(ending.fd);
      ending.fd = -1;
      if (onChange) onChange(action);
      return;
    }
  }
}

std::string FolderChangeText(int action) {
  switch (action) {
    case FolderActionAdded:
      return "Directory Update Check: Files(s) Created";
    case FolderActionRemoved:
      return "Directory Update Check: Files(s) Removed";
    case FolderActionModified:
    case FolderActionRenamedOld:
    case FolderActionRenamedNew:
      return "Directory Update Check: Files(s) Modified";
    default:
      return StrFormat("Unhandled Action: %d ", action);
  }
}

void OnFolderChanged(int action) { LogMessage(FolderChangeText(action)); }

}  // namespace lx
