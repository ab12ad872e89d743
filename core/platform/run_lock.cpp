#include "platform/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace lx {

RunLock::~RunLock() { Release(); }

void RunLock::Release() {
  for (int fd : fds_) ::close(fd);  // closing releases the lock
  fds_.clear();
}

int RunLock::Acquire(const std::vector<std::string>& folders, int waitMs, std::string& busyFolder) {
  Release();
  busyFolder.clear();
  std::vector<std::pair<dev_t, ino_t>> seen;
  for (const std::string& folder : folders) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
      const int error = errno;
      Release();
      return error;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
      // Two descriptors of one folder in one process would lock each other out.
      bool twice = false;
      for (const auto& [dev, ino] : seen) twice = twice || (dev == st.st_dev && ino == st.st_ino);
      if (twice) {
        ::close(fd);
        continue;
      }
      seen.emplace_back(st.st_dev, st.st_ino);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
      const int error = errno;
      if (error == EINTR) continue;
      if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
        ::close(fd);
        Release();
        busyFolder = folder;
        return error == EWOULDBLOCK ? EWOULDBLOCK : error;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    fds_.push_back(fd);
  }
  return 0;
}

}  // namespace lx
